#pragma once
// Byte-string operations on document text (code page 936, CR LF line breaks).
//
// A byte 0x80 or higher starts a two-byte character that also takes the byte after it; the
// scanning operations move one character at a time, so a match never starts on a trail byte.
// Positions are 1-based byte positions, -1 when nothing is found. A last byte of 0x80 or higher
// with nothing after it is scanned as a one-byte character; no operation reads past the end.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wendrill {

using DocText = std::string;

// The pieces of splitText view into the text that was split, which must outlive them.
using TextList = std::vector<std::string_view>;

int32_t byteLength(std::string_view text);
int compareText(std::string_view a, std::string_view b);
DocText joinTexts(std::initializer_list<std::string_view> parts);
int32_t findText(std::string_view text, std::string_view pattern);
int32_t findTextReverse(std::string_view text, std::string_view pattern);
DocText leftBytes(std::string_view text, int32_t count);
DocText rightBytes(std::string_view text, int32_t count);
DocText replaceAll(std::string_view text, std::string_view pattern, std::string_view replacement);
DocText replaceRange(std::string_view text, int32_t start, int32_t length,
                     std::optional<std::string_view> replacement = std::nullopt);
TextList splitText(std::string_view text, std::string_view separator);
TextList splitText(DocText&& text, std::string_view separator) = delete;  // pieces would dangle
DocText trimBothEnds(std::string_view text);
std::string_view trimmedView(std::string_view text);  // trimBothEnds without the copy
DocText removeAllSpaces(std::string_view text);
DocText spaces(int32_t count);
DocText charFromCode(int32_t code);
int32_t truncateToInteger(double value);

}  // namespace wendrill
