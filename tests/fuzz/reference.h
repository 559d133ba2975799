#pragma once
// Deliberately plain versions of the scanning operations: one cursor moving a character at a
// time, written straight from the rules, for the fuzz targets to compare against.

#include <cstdint>
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

}  // namespace wendrill::reference
