#include "commands/replace_texts.h"

namespace wendrill {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kIndentedBreak = "\r\n    ";
constexpr std::string_view kDoubleBreak = "\r\n\r\n";

}  // namespace

DocText indentedText(std::string_view text) { return replaceAll(text, kLineBreak, kIndentedBreak); }

DocText withBlankLinesAdded(std::string_view text) {
    return replaceAll(text, kLineBreak, kDoubleBreak);
}

DocText withoutOccurrences(std::string_view text, std::string_view pattern) {
    return replaceAll(text, pattern, "");
}

DocText joinedLines(std::string_view text) { return replaceAll(text, kLineBreak, ""); }

WordReplacement parseWordReplacement(std::string_view input) {
    const int32_t space = findText(input, spaces(1));
    return {leftBytes(input, space - 1), rightBytes(input, byteLength(input) - space)};
}

DocText withWordsReplaced(std::string_view text, const WordReplacement& words) {
    return replaceAll(text, words.searchText, words.replacement);
}

}  // namespace wendrill
