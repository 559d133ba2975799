#include "app/command_line.h"

#include <algorithm>

namespace wendrill {

namespace {

constexpr char kQuote = '"';
constexpr char kSpace = ' ';

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
bool isQuote(char c) { return c == kQuote; }
bool isSpace(char c) { return c == kSpace; }
bool endsPlainArgument(char c) { return isBlank(c) || isQuote(c); }

// The first character start at or after `from` that `stops` at, or the end of the text. A lead
// byte takes the next byte with it, so a trail byte 0x20 or 0x22 never stops the scan; a lead
// byte at the very end stands alone.
template <class Stops>
size_t scanTo(std::string_view text, size_t from, Stops stops) {
    size_t i = from;
    while (i < text.size() && !stops(text[i])) {
        i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
    }
    return std::min(i, text.size());
}

// Where the arguments begin: after the program path and the quote or space that ends it.
size_t afterProgramPath(std::string_view line) {
    if (line.empty()) return 0;
    if (!isQuote(line.front())) return std::min(scanTo(line, 0, isSpace) + 1, line.size());
    size_t next = scanTo(line, 1, isQuote) + 1;
    if (next < line.size() && isSpace(line[next])) ++next;
    return std::min(next, line.size());
}

}  // namespace

std::vector<DocText> splitCommandLine(std::string_view commandLine) {
    std::vector<DocText> arguments;
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
