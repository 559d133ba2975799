#include "app/command_line.h"

#include <algorithm>
#include <cstddef>

namespace wendrill {

namespace {

constexpr char16_t kQuote = u'"';
constexpr char16_t kSpace = u' ';

bool isBlank(char16_t c) { return c <= 0x20; }
bool isQuote(char16_t c) { return c == kQuote; }
bool isSpace(char16_t c) { return c == kSpace; }
bool endsPlainArgument(char16_t c) { return isBlank(c) || isQuote(c); }

// The first character at or after `from` that `stops` at, or the end of the text.
template <class Stops>
size_t scanTo(std::u16string_view text, size_t from, Stops stops) {
    const auto found =
        std::find_if(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), stops);
    return static_cast<size_t>(found - text.begin());
}

// Where the arguments begin: after the program path and the quote or space that ends it.
size_t afterProgramPath(std::u16string_view line) {
    if (line.empty()) return 0;
    if (!isQuote(line.front())) return std::min(scanTo(line, 0, isSpace) + 1, line.size());
    size_t next = scanTo(line, 1, isQuote) + 1;
    if (next < line.size() && isSpace(line[next])) ++next;
    return std::min(next, line.size());
}

}  // namespace

std::vector<std::u16string> splitCommandLine(std::u16string_view commandLine) {
    std::vector<std::u16string> arguments;
    size_t i = afterProgramPath(commandLine);
    while (i < commandLine.size()) {
        if (isBlank(commandLine[i])) {
            ++i;
        } else if (isQuote(commandLine[i])) {
            const size_t close = scanTo(commandLine, i + 1, isQuote);
            arguments.emplace_back(commandLine.substr(i + 1, close - i - 1));
            i = close + 1;  // past the closing quote, or past the end when there is none
        } else {
            const size_t end = scanTo(commandLine, i, endsPlainArgument);
            arguments.emplace_back(commandLine.substr(i, end - i));
            i = end;
        }
    }
    return arguments;
}

}  // namespace wendrill
