#include "text/character_count.h"

namespace wendrill {
namespace {

// Four-byte forms as big-endian values. Each range is consecutive code points, and no valid
// four-byte form lies between the ends of a range that is not one of its code points.
struct FourByteRange {
    uint32_t first, last;
};
constexpr FourByteRange kFourByteSpaces[] = {
    {0x81308432, 0x81308432},  // U+00A0 no-break space
    {0x8134AC34, 0x8134AC34},  // U+1680 ogham space mark
    {0x8136A336, 0x8136A437},  // U+2000 to U+200A, the typographic spaces, and U+200B zero width
    {0x8136A732, 0x8136A732},  // U+202F narrow no-break space
    {0x8136AB35, 0x8136AB35},  // U+205F medium mathematical space
    {0x84319533, 0x84319533},  // U+FEFF byte-order mark
};

bool isHigh(unsigned char byte) { return byte >= 0x80; }
bool isDigit(unsigned char byte) { return byte >= 0x30 && byte <= 0x39; }
bool isFourByteHalf(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

bool startsFourBytes(const unsigned char* p) {
    return isFourByteHalf(p[0]) && isDigit(p[1]) && isFourByteHalf(p[2]) && isDigit(p[3]);
}

bool isAsciiSpace(unsigned char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

bool isFourByteSpace(const unsigned char* p) {
    const uint32_t value = uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    for (const FourByteRange& range : kFourByteSpaces) {
        if (value >= range.first && value <= range.last) return true;
    }
    return false;
}

}  // namespace

int64_t nonSpaceCharacterCount(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const size_t size = text.size();
    int64_t count = 0;
    size_t i = 0;
    while (i < size) {
        if (!isHigh(p[i])) {
            count += isAsciiSpace(p[i]) ? 0 : 1;
            ++i;
        } else if (i + 1 == size) {
            ++count;
            ++i;
        } else if (i + 3 < size && startsFourBytes(p + i)) {
            count += isFourByteSpace(p + i) ? 0 : 1;
            i += 4;
        } else {
            count += (p[i] == 0xA1 && p[i + 1] == 0xA1) ? 0 : 1;
            i += 2;
        }
    }
    return count;
}

}  // namespace wendrill
