#include "text/doc_text.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace wendrill {

namespace {

constexpr size_t npos = std::string_view::npos;
constexpr char kAsciiSpace = ' ';
constexpr char kWideSpaceByte = '\xA1';  // the ideographic space is A1 A1

bool isHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Width of the character the scan sees at `i`; a lead byte with nothing after it stands alone.
size_t charWidth(std::string_view text, size_t i) {
    return isHigh(text[i]) && i + 1 < text.size() ? 2 : 1;
}

// 1 or 2 for the space that begins at the character start `i`, 0 for any other character.
size_t spaceWidth(std::string_view text, size_t i) {
    if (text[i] == kAsciiSpace) return 1;
    if (text[i] == kWideSpaceByte && i + 1 < text.size() && text[i + 1] == kWideSpaceByte) return 2;
    return 0;
}

// How many bytes after the last byte below 0x80 a word holds, given the word's bytes below 0x80
// marked by their top bit.
int bytesAfterLastLow(uint64_t lowBytes) {
    if constexpr (std::endian::native == std::endian::little) {
        return std::countl_zero(lowBytes) / 8;
    } else {
        return std::countr_zero(lowBytes) / 8;
    }
}

// The start of the run of bytes >= 0x80 that ends just before `end`, not going back past
// `floor`. Eight bytes a step: Chinese paragraphs are long runs of such bytes.
size_t highRunStart(std::string_view text, size_t floor, size_t end) {
    constexpr uint64_t kTopBits = 0x8080808080808080u;
    size_t i = end;
    while (i - floor >= 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i - 8, 8);
        const uint64_t lowBytes = ~word & kTopBits;
        if (lowBytes != 0) return i - static_cast<size_t>(bytesAfterLastLow(lowBytes));
        i -= 8;
    }
    while (i > floor && isHigh(text[i - 1])) --i;
    return i;
}

// Whether a scan that passes through the character start `known` also stops at `pos`. The byte
// after one below 0x80 always starts a character, and inside a run of high bytes every second
// one does.
bool scanReaches(std::string_view text, size_t known, size_t pos) {
    return (pos - highRunStart(text, known, pos)) % 2 == 0;
}

// The next place at or after `from` where the pattern's bytes stand, character starts or not.
size_t findBytes(std::string_view text, std::string_view pattern, size_t from) {
    const char first = pattern.front();
    const size_t lastStart = text.size() - pattern.size();  // callers ensure it fits
    while (from <= lastStart) {
        const void* hit = std::memchr(text.data() + from, first, lastStart - from + 1);
        if (hit == nullptr) return npos;
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - text.data());
        if (std::memcmp(text.data() + at + 1, pattern.data() + 1, pattern.size() - 1) == 0) {
            return at;
        }
        from = at + 1;
    }
    return npos;
}

// The first occurrence met by a character scan whose cursor stands at `cursor`. Each byte is
// walked back over at most once, so a whole scan stays linear.
size_t findFromCursor(std::string_view text, std::string_view pattern, size_t cursor) {
    if (pattern.empty() || pattern.size() > text.size()) return npos;
    size_t known = cursor;
    for (size_t at = findBytes(text, pattern, cursor); at != npos;
         at = findBytes(text, pattern, at + 1)) {
        if (scanReaches(text, known, at)) return at;
        known = at + 1;  // `at` is a trail byte, so the next byte starts a character
    }
    return npos;
}

// The occurrences a scan meets when it jumps over each one it finds, as replaceAll and
// splitText see them.
template <class OnMatch>
void forEachMatch(std::string_view text, std::string_view pattern, OnMatch onMatch) {
    for (size_t at = findFromCursor(text, pattern, 0); at != npos;
         at = findFromCursor(text, pattern, at + pattern.size())) {
        onMatch(at);
    }
}

int32_t toPosition(size_t index) { return index == npos ? -1 : static_cast<int32_t>(index + 1); }

size_t leadingSpacesEnd(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const size_t width = spaceWidth(text, i);
        if (width == 0) break;
        i += width;
    }
    return i;
}

// Where the spaces that end the text begin, `begin` being a character start. Only the tail
// made of space bytes can hold them, so the characters are walked from there alone.
size_t trailingSpacesStart(std::string_view text, size_t begin) {
    size_t tail = text.size();
    while (tail > begin && (text[tail - 1] == kAsciiSpace || text[tail - 1] == kWideSpaceByte)) {
        --tail;
    }
    if (tail == text.size()) return tail;
    // A tail starting on a trail byte belongs to a character that is not a space.
    size_t i = scanReaches(text, begin, tail) ? tail : tail + 1;
    size_t runStart = i;
    while (i < text.size()) {
        const size_t width = spaceWidth(text, i);
        if (width != 0) {
            i += width;
        } else {
            i += charWidth(text, i);
            runStart = i;
        }
    }
    return runStart;
}

}  // namespace

int32_t byteLength(std::string_view text) { return static_cast<int32_t>(text.size()); }

int compareText(std::string_view a, std::string_view b) {
    // char_traits<char> compares as unsigned char, so high bytes sort after ASCII.
    const int order = a.compare(b);
    return (order > 0) - (order < 0);
}

DocText joinTexts(std::initializer_list<std::string_view> parts) {
    size_t total = 0;
    for (std::string_view part : parts) total += part.size();
    DocText joined;
    joined.reserve(total);
    for (std::string_view part : parts) joined.append(part);
    return joined;
}

int32_t findText(std::string_view text, std::string_view pattern) {
    if (pattern.empty()) return text.empty() ? -1 : 1;
    return toPosition(findFromCursor(text, pattern, 0));
}

int32_t findTextReverse(std::string_view text, std::string_view pattern) {
    if (pattern.empty()) return findText(text, pattern);
    size_t last = npos;
    // After each occurrence the scan moves on by one character, so occurrences may overlap.
    for (size_t at = findFromCursor(text, pattern, 0); at != npos;
         at = findFromCursor(text, pattern, at + charWidth(text, at))) {
        last = at;
    }
    return toPosition(last);
}

DocText leftBytes(std::string_view text, int32_t count) {
    if (count <= 0) return {};
    return DocText(text.substr(0, static_cast<size_t>(count)));
}

DocText rightBytes(std::string_view text, int32_t count) {
    if (count <= 0) return {};
    const size_t keep = std::min(text.size(), static_cast<size_t>(count));
    return DocText(text.substr(text.size() - keep));
}

DocText replaceAll(std::string_view text, std::string_view pattern, std::string_view replacement) {
    if (text.empty() || pattern.empty()) return DocText(text);
    // The occurrences come first so the result is built in one buffer of the exact size.
    std::vector<size_t> hits;
    forEachMatch(text, pattern, [&hits](size_t at) { hits.push_back(at); });
    DocText replaced;
    replaced.reserve(text.size() - hits.size() * pattern.size() + hits.size() * replacement.size());
    size_t copied = 0;
    for (size_t at : hits) {
        replaced.append(text.substr(copied, at - copied));
        replaced.append(replacement);
        copied = at + pattern.size();
    }
    replaced.append(text.substr(copied));
    return replaced;
}

DocText replaceRange(std::string_view text, int32_t start, int32_t length,
                     std::optional<std::string_view> replacement) {
    const int64_t wanted = static_cast<int64_t>(start) - 1;  // start may be INT32_MIN
    const size_t index =
        static_cast<size_t>(std::clamp<int64_t>(wanted, 0, static_cast<int64_t>(text.size())));
    const size_t removed =
        length <= 0 ? 0 : std::min(static_cast<size_t>(length), text.size() - index);
    const std::string_view inserted = replacement.value_or(std::string_view{});
    DocText result;
    result.reserve(text.size() - removed + inserted.size());
    result.append(text.substr(0, index));
    result.append(inserted);
    result.append(text.substr(index + removed));
    return result;
}

TextList splitText(std::string_view text, std::string_view separator) {
    if (text.empty()) return {};
    if (separator.empty()) return {text};
    TextList pieces;
    size_t pieceStart = 0;
    forEachMatch(text, separator, [&](size_t at) {
        pieces.push_back(text.substr(pieceStart, at - pieceStart));
        pieceStart = at + separator.size();
    });
    if (pieceStart < text.size()) pieces.push_back(text.substr(pieceStart));
    return pieces;
}

std::string_view trimmedView(std::string_view text) {
    const size_t begin = leadingSpacesEnd(text);
    return text.substr(begin, trailingSpacesStart(text, begin) - begin);
}

DocText trimBothEnds(std::string_view text) { return DocText(trimmedView(text)); }

DocText removeAllSpaces(std::string_view text) {
    DocText kept;
    kept.reserve(text.size());
    size_t keptFrom = 0;  // start of the run of characters not yet copied
    size_t i = 0;
    while (i < text.size()) {
        const size_t width = spaceWidth(text, i);
        if (width != 0) {
            kept.append(text.substr(keptFrom, i - keptFrom));
            i += width;
            keptFrom = i;
        } else {
            i += charWidth(text, i);
        }
    }
    kept.append(text.substr(keptFrom));
    return kept;
}

DocText spaces(int32_t count) {
    if (count < 1) return {};
    return DocText(static_cast<size_t>(count), kAsciiSpace);
}

DocText charFromCode(int32_t code) {
    const auto byte = static_cast<unsigned char>(code & 0xFF);
    // A NUL byte has no place in a document, whichever code produced it.
    if (byte == 0) return {};
    return DocText(1, static_cast<char>(byte));
}

int32_t truncateToInteger(double value) {
    // Out of range and NaN have no integer; they clamp (NaN to 0) rather than being undefined.
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483649.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

}  // namespace wendrill
