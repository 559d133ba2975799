#include "text/code_page.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "text/code_page_tables.h"
#include "text/surrogates.h"

namespace wendrill {
namespace {

using code_page::kDisplaced;
using code_page::kFirstLead;
using code_page::kFourByteRanges;
using code_page::kLastLead;
using code_page::kTrailSlots;
using code_page::kTwoByteChars;
using code_page::kTwoByteCodes;

// Code page 936 has two characters of one byte beyond ASCII.
constexpr unsigned kEuroByte = 0x80;
constexpr char16_t kEuro = u'\u20AC';
constexpr unsigned kLastByte = 0xFF;
constexpr char16_t kLastByteCharacter = u'\uF8F5';

constexpr char32_t kNoCharacter = 0xFFFFFFFF;
constexpr char16_t kFirstNonAscii = 0x80;

// Four-byte sequences count in digits of 126, 10, 126 and 10 from 81 30 81 30 on: the Basic
// Multilingual Plane by the ranges table, then from 90 30 81 30 the supplementary planes in order.
constexpr uint32_t kBmpFourByteCodes = 39420;
constexpr uint32_t kFirstSupplementaryCode = 189000;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr uint32_t kSupplementaryCodes = 0x100000;

// The displaced characters' private-use partners lie in this span.
constexpr char16_t kFirstPartner = u'\uE7C8';
constexpr char16_t kLastPartner = u'\uE863';

constexpr uint8_t kNotTrail = 0xFF;

constexpr std::array<uint8_t, 256> makeTrailSlots() {
    std::array<uint8_t, 256> slots{};
    slots.fill(kNotTrail);
    for (size_t slot = 0; slot < kTrailSlots; ++slot) {
        slots[static_cast<size_t>(code_page::trailOfSlot(slot))] = static_cast<uint8_t>(slot);
    }
    return slots;
}
constexpr std::array<uint8_t, 256> kTrailSlot = makeTrailSlots();

bool isLead(unsigned byte) { return byte >= kFirstLead && byte <= kLastLead; }
bool isDigit(unsigned byte) { return byte >= '0' && byte <= '9'; }

// The character of a lead byte and a trail byte, or kNoCharacter.
char32_t twoByteCharacter(unsigned lead, unsigned trail) {
    const uint8_t slot = kTrailSlot[trail];
    if (!isLead(lead) || slot == kNotTrail) return kNoCharacter;
    return kTwoByteChars[(lead - kFirstLead) * kTrailSlots + slot];
}

uint32_t fourByteIndex(const unsigned char* bytes) {
    return ((uint32_t{bytes[0]} - kFirstLead) * 10 + (bytes[1] - '0')) * 1260 +
           (uint32_t{bytes[2]} - kFirstLead) * 10 + (bytes[3] - '0');
}

char* writeFourBytes(uint32_t index, char* out) {
    out[3] = static_cast<char>('0' + index % 10);
    index /= 10;
    out[2] = static_cast<char>(kFirstLead + index % 126);
    index /= 126;
    out[1] = static_cast<char>('0' + index % 10);
    out[0] = static_cast<char>(kFirstLead + index / 10);
    return out + 4;
}

char16_t bmpOfFourByteIndex(uint32_t index) {
    const auto range = std::upper_bound(kFourByteRanges.begin(), kFourByteRanges.end(), index,
                                        [](uint32_t i, const code_page::FourByteRange& r) {
                                            return i < r.first;
                                        }) -
                       1;
    const auto character = static_cast<char16_t>(range->character + (index - range->first));
    if (character >= kFirstPartner && character <= kLastPartner) {
        for (const code_page::DisplacedPair& pair : kDisplaced) {
            if (pair.privateUse == character) return pair.character;
        }
    }
    return character;
}

// For a character of the Basic Multilingual Plane that code page 936 lacks.
uint32_t fourByteIndexOfBmp(char16_t character) {
    const auto pair = std::lower_bound(
        kDisplaced.begin(), kDisplaced.end(), character,
        [](const code_page::DisplacedPair& p, char16_t c) { return p.character < c; });
    if (pair != kDisplaced.end() && pair->character == character) character = pair->privateUse;
    const auto range = std::upper_bound(kFourByteRanges.begin(), kFourByteRanges.end(), character,
                                        [](char16_t c, const code_page::FourByteRange& r) {
                                            return c < r.character;
                                        }) -
                       1;
    return range->first + (character - range->character);
}

char32_t fourByteCharacter(uint32_t index) {
    if (index < kBmpFourByteCodes) return bmpOfFourByteIndex(index);
    if (index >= kFirstSupplementaryCode && index - kFirstSupplementaryCode < kSupplementaryCodes) {
        return kFirstSupplementary + (index - kFirstSupplementaryCode);
    }
    return kNoCharacter;
}

struct Decoded {
    uint32_t bytes;
    char32_t character;  // kNoCharacter: what is there is no character
};

// A lead byte takes the byte after it (unless there is none, or it is NUL) even when the two make
// no character, as the platform's conversion does; a four-byte sequence needs all four bytes.
Decoded decodeAt(const unsigned char* at, const unsigned char* end) {
    const unsigned byte = at[0];
    if (byte < kFirstNonAscii) return {1, byte};
    if (byte == kEuroByte) return {1, kEuro};
    if (byte == kLastByte) return {1, kLastByteCharacter};
    if (end - at < 2 || at[1] == 0) return {1, kNoCharacter};
    const char32_t twoBytes = twoByteCharacter(byte, at[1]);
    if (twoBytes != kNoCharacter) return {2, twoBytes};
    if (isDigit(at[1]) && end - at >= 4 && isLead(at[2]) && isDigit(at[3])) {
        const char32_t character = fourByteCharacter(fourByteIndex(at));
        if (character != kNoCharacter) return {4, character};
    }
    return {2, kNoCharacter};
}

constexpr uint64_t kHighBits = 0x8080808080808080u;

// How many bytes from `at` on are ASCII, looking at eight at a time.
size_t asciiRun(const unsigned char* at, const unsigned char* end) {
    const unsigned char* p = at;
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (word & kHighBits) break;
        p += 8;
    }
    while (p < end && *p < kFirstNonAscii) ++p;
    return static_cast<size_t>(p - at);
}

// Walks the text as it decodes: ascii(first, count) for each run of ASCII bytes, other(character)
// for every other character, kNoCharacter where the bytes make none.
template <class Ascii, class Other>
void walkCharacters(std::string_view text, Ascii ascii, Other other) {
    const auto* at = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = at + text.size();
    while (at < end) {
        if (*at < kFirstNonAscii) {
            const size_t run = asciiRun(at, end);
            ascii(at, run);
            at += run;
            continue;
        }
        // The common case first: a character of two bytes.
        if (end - at >= 2) {
            const char32_t twoBytes = twoByteCharacter(at[0], at[1]);
            if (twoBytes != kNoCharacter) {
                other(twoBytes);
                at += 2;
                continue;
            }
        }
        const Decoded decoded = decodeAt(at, end);
        at += decoded.bytes;
        other(decoded.character);
    }
}

// Code page 936's bytes of every character of the Basic Multilingual Plane: lead * 256 + trail
// for two bytes, the byte itself for the two one-byte characters, 0 for none.
class GbkCodes {
  public:
    GbkCodes() {
        for (size_t i = 0; i < kTwoByteCodes; ++i) {
            const auto lead = static_cast<unsigned>(kFirstLead + i / kTrailSlots);
            const auto trail = static_cast<unsigned>(code_page::trailOfSlot(i % kTrailSlots));
            codes_[kTwoByteChars[i]] = static_cast<uint16_t>(lead << 8 | trail);
        }
        codes_[kEuro] = kEuroByte;
        codes_[kLastByteCharacter] = kLastByte;
    }
    uint16_t operator[](char16_t character) const { return codes_[character]; }

  private:
    std::array<uint16_t, 0x10000> codes_{};
};

const GbkCodes& gbkCodes() {
    static const GbkCodes codes;
    return codes;
}

constexpr size_t kMostBytesPerUnit = 4;
constexpr size_t kBlockUnits = 4096;

// Converts block by block, making room for the longest output of each block before it.
template <class WriteOther>
std::string encode(std::u16string_view text, size_t expectedBytesPerUnit, WriteOther writeOther) {
    const GbkCodes& codes = gbkCodes();
    std::string out(text.size() * expectedBytesPerUnit, '\0');
    size_t written = 0;
    size_t i = 0;
    while (i < text.size()) {
        const size_t blockEnd = i + std::min(text.size() - i, kBlockUnits);
        const size_t room = written + (blockEnd - i) * kMostBytesPerUnit;
        if (out.size() < room) out.resize(std::max(room, out.size() * 2));
        char* o = out.data() + written;
        while (i < blockEnd) {
            const char16_t unit = text[i++];
            if (unit < kFirstNonAscii) {
                *o++ = static_cast<char>(unit);
                continue;
            }
            const uint16_t code = codes[unit];
            if (code > 0xFF) {
                *o++ = static_cast<char>(code >> 8);
                *o++ = static_cast<char>(code & 0xFF);
            } else if (code != 0) {
                *o++ = static_cast<char>(code);
            } else {
                o = writeOther(text, i, o);
            }
        }
        written = static_cast<size_t>(o - out.data());
    }
    out.resize(written);
    return out;
}

// The code point of the unit before `next`, taking a low surrogate after a high one with it;
// kNoCharacter for a lone surrogate.
char32_t codePointBefore(std::u16string_view text, size_t& next) {
    const char32_t unit = text[next - 1];
    if (isHighSurrogate(unit) && next < text.size() && isLowSurrogate(text[next])) {
        const char32_t low = text[next++];
        return kFirstSupplementary + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
    return isHighSurrogate(unit) || isLowSurrogate(unit) ? kNoCharacter : unit;
}

}  // namespace

std::u16string utf16FromDoc(std::string_view text) {
    // Counted first, so the text is decoded into exactly its own room: a large text costs its
    // memory once, not twice.
    size_t units = 0;
    walkCharacters(
        text, [&](const unsigned char*, size_t run) { units += run; },
        [&](char32_t character) {
            units += character != kNoCharacter && character >= kFirstSupplementary ? 2 : 1;
        });
    std::u16string out(units, u'\0');
    char16_t* o = out.data();
    walkCharacters(
        text, [&](const unsigned char* run, size_t size) { o = std::copy(run, run + size, o); },
        [&](char32_t character) {
            if (character == kNoCharacter) {
                *o++ = kUnconvertible;
            } else if (character >= kFirstSupplementary) {
                const char32_t offset = character - kFirstSupplementary;
                *o++ = static_cast<char16_t>(0xD800 + (offset >> 10));
                *o++ = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
            } else {
                *o++ = static_cast<char16_t>(character);
            }
        });
    return out;
}

DocText docFromUtf16(std::u16string_view text) {
    // Chinese prose takes two bytes a character.
    return encode(text, 2, [](std::u16string_view all, size_t& next, char* o) {
        const char32_t character = codePointBefore(all, next);
        if (character == kNoCharacter) {
            *o++ = static_cast<char>(kUnconvertible);
            return o;
        }
        if (character >= kFirstSupplementary) {
            return writeFourBytes(kFirstSupplementaryCode + (character - kFirstSupplementary), o);
        }
        return writeFourBytes(fourByteIndexOfBmp(static_cast<char16_t>(character)), o);
    });
}

std::string gbkFromUtf16(std::u16string_view text) {
    return encode(text, 2, [](std::u16string_view all, size_t& next, char* o) {
        codePointBefore(all, next);
        *o++ = static_cast<char>(kUnconvertible);
        return o;
    });
}

DocCharacter docCharacterAt(std::string_view text, size_t offset) {
    const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
    const Decoded decoded = decodeAt(begin + offset, begin + text.size());
    const bool valid = decoded.character != kNoCharacter;
    const bool supplementary = valid && decoded.character >= kFirstSupplementary;
    return {static_cast<uint8_t>(decoded.bytes), static_cast<uint8_t>(supplementary ? 2 : 1),
            valid};
}

bool isDecodable(std::string_view text) {
    const auto* at = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = at + text.size();
    while (at < end) {
        if (*at < kFirstNonAscii) {
            at += asciiRun(at, end);
            continue;
        }
        const Decoded decoded = decodeAt(at, end);
        if (decoded.character == kNoCharacter) return false;
        at += decoded.bytes;
    }
    return true;
}

}  // namespace wendrill
