#pragma once
// Deliberately plain versions of the scanning operations: one cursor moving a character at a
// time, written straight from the rules, for the fuzz targets to compare against.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace wendrill::reference {

inline size_t step(std::string_view text, size_t cursor) {
    return static_cast<unsigned char>(text[cursor]) >= 0x80 ? 2 : 1;
}

inline bool matchesAt(std::string_view text, std::string_view pattern, size_t cursor) {
    return text.substr(cursor, pattern.size()) == pattern;
}

inline size_t spaceAt(std::string_view text, size_t cursor) {
    if (text[cursor] == ' ') return 1;
    if (text.substr(cursor, 2) == "\xA1\xA1") return 2;
    return 0;
}

inline int32_t findText(std::string_view text, std::string_view pattern) {
    if (pattern.empty()) return text.empty() ? -1 : 1;
    for (size_t c = 0; c + pattern.size() <= text.size(); c += step(text, c)) {
        if (matchesAt(text, pattern, c)) return static_cast<int32_t>(c + 1);
    }
    return -1;
}

inline int32_t findTextReverse(std::string_view text, std::string_view pattern) {
    if (pattern.empty()) return findText(text, pattern);
    int32_t last = -1;
    for (size_t c = 0; c + pattern.size() <= text.size(); c += step(text, c)) {
        if (matchesAt(text, pattern, c)) last = static_cast<int32_t>(c + 1);
    }
    return last;
}

inline std::string replaceAll(std::string_view text, std::string_view pattern,
                              std::string_view replacement) {
    if (text.empty() || pattern.empty()) return std::string(text);
    std::string out;
    size_t c = 0;
    while (c < text.size()) {
        if (text.size() - c < pattern.size()) {
            out += text.substr(c);
            break;
        }
        if (matchesAt(text, pattern, c)) {
            out += replacement;
            c += pattern.size();
        } else {
            out += text.substr(c, step(text, c));
            c += step(text, c);
        }
    }
    return out;
}

inline std::vector<std::string> splitText(std::string_view text, std::string_view separator) {
    if (text.empty()) return {};
    if (separator.empty()) return {std::string(text)};
    std::vector<std::string> items;
    size_t pieceStart = 0;
    size_t c = 0;
    while (c + separator.size() <= text.size()) {
        if (matchesAt(text, separator, c)) {
            items.emplace_back(text.substr(pieceStart, c - pieceStart));
            c += separator.size();
            pieceStart = c;
        } else {
            c += step(text, c);
        }
    }
    if (pieceStart < text.size()) items.emplace_back(text.substr(pieceStart));
    return items;
}

inline std::string trimBothEnds(std::string_view text) {
    size_t c = 0;
    while (c < text.size() && spaceAt(text, c) != 0) c += spaceAt(text, c);
    const size_t begin = c;
    size_t end = text.size();
    bool inRun = false;
    while (c < text.size()) {
        if (spaceAt(text, c) != 0) {
            if (!inRun) end = c;
            inRun = true;
            c += spaceAt(text, c);
        } else {
            inRun = false;
            c += step(text, c);
        }
    }
    if (!inRun) end = text.size();
    return std::string(text.substr(begin, end - begin));
}

inline std::string removeAllSpaces(std::string_view text) {
    std::string out;
    size_t c = 0;
    while (c < text.size()) {
        if (spaceAt(text, c) != 0) {
            c += spaceAt(text, c);
        } else {
            out += text.substr(c, step(text, c));
            c += step(text, c);
        }
    }
    return out;
}

inline std::string cleanLines(std::string_view text, bool trim) {
    std::string out;
    for (const std::string& line : splitText(text, "\r\n")) {
        if (line.size() < 2) continue;
        out += trim ? trimBothEnds(line) : line;
        out += "\r\n";
    }
    return out;
}

// The white space of the 字数, each spelled out as the bytes it takes in the document.
inline constexpr std::string_view kWhiteSpace[] = {
    " ", "\t", "\r", "\n", "\xA1\xA1",
    "\x81\x30\x84\x32",                                  // U+00A0
    "\x81\x34\xAC\x34",                                  // U+1680
    "\x81\x36\xA3\x36", "\x81\x36\xA3\x37", "\x81\x36\xA3\x38",  // U+2000 to U+2002
    "\x81\x36\xA3\x39", "\x81\x36\xA4\x30", "\x81\x36\xA4\x31",  // U+2003 to U+2005
    "\x81\x36\xA4\x32", "\x81\x36\xA4\x33", "\x81\x36\xA4\x34",  // U+2006 to U+2008
    "\x81\x36\xA4\x35", "\x81\x36\xA4\x36", "\x81\x36\xA4\x37",  // U+2009 to U+200B
    "\x81\x36\xA7\x32",                                  // U+202F
    "\x81\x36\xAB\x35",                                  // U+205F
    "\x84\x31\x95\x33",                                  // U+FEFF
};

inline size_t characterWidth(std::string_view text, size_t cursor) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[cursor + i]); };
    const auto half = [](unsigned char b) { return b >= 0x81 && b <= 0xFE; };
    const auto digit = [](unsigned char b) { return b >= '0' && b <= '9'; };
    if (byte(0) < 0x80 || cursor + 1 == text.size()) return 1;
    if (cursor + 4 <= text.size() && half(byte(0)) && digit(byte(1)) && half(byte(2)) &&
        digit(byte(3))) {
        return 4;
    }
    return 2;
}

inline int64_t nonSpaceCharacterCount(std::string_view text) {
    int64_t count = 0;
    for (size_t c = 0; c < text.size(); c += characterWidth(text, c)) {
        const std::string_view character = text.substr(c, characterWidth(text, c));
        if (std::find(std::begin(kWhiteSpace), std::end(kWhiteSpace), character) ==
            std::end(kWhiteSpace)) {
            ++count;
        }
    }
    return count;
}

}  // namespace wendrill::reference
