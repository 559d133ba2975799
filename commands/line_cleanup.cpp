#include "commands/line_cleanup.h"

namespace wendrill {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr size_t kShortestKeptLine = 2;

// Lines are only ever kept or shortened, and the last one may gain a break, so the text's size
// plus one break bounds the result.
template <class ShapeLine>
DocText keepLongLines(std::string_view text, ShapeLine shapeLine) {
    DocText kept;
    kept.reserve(text.size() + kLineBreak.size());
    for (std::string_view line : splitText(text, kLineBreak)) {
        if (line.size() < kShortestKeptLine) continue;
        kept.append(shapeLine(line));
        kept.append(kLineBreak);
    }
    return kept;
}

}  // namespace

DocText withoutBlankLines(std::string_view text) {
    return keepLongLines(text, [](std::string_view line) { return line; });
}

DocText withTrimmedLines(std::string_view text) {
    return keepLongLines(text, [](std::string_view line) { return trimmedView(line); });
}

}  // namespace wendrill
