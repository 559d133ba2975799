#pragma once
// The data of the document code page (text/code_page.cpp): code page 936's two-byte characters
// and GB18030's four-byte sequences of the Basic Multilingual Plane.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace wendrill::code_page {

// Two-byte codes: a lead byte 81-FE and a trail byte 40-FE other than 7F.
inline constexpr int kFirstLead = 0x81;
inline constexpr int kLastLead = 0xFE;
inline constexpr int kFirstTrail = 0x40;
inline constexpr int kLastTrail = 0xFE;
inline constexpr int kNoTrail = 0x7F;
inline constexpr size_t kTrailSlots = kLastTrail - kFirstTrail;  // 7F has none
inline constexpr size_t kTwoByteCodes = (kLastLead - kFirstLead + 1) * kTrailSlots;

constexpr int trailOfSlot(size_t slot) {
    const int trail = kFirstTrail + static_cast<int>(slot);
    return trail < kNoTrail ? trail : trail + 1;
}

// Code page 936 maps every two-byte code: kTwoByteChars[(lead - 81) * kTrailSlots + slot].
extern const std::array<char16_t, kTwoByteCodes> kTwoByteChars;

// The four-byte sequences 81 30 81 30 to 84 31 A4 39, counted from 0, stand for the characters of
// the Basic Multilingual Plane that have no shorter code, in order. From the index `first` of a
// range to the next range's, the characters run on one by one from `character`.
struct FourByteRange {
    uint16_t first;
    char16_t character;
};
extern const std::span<const FourByteRange> kFourByteRanges;

// GB18030 gives each of these characters a two-byte code that code page 936 has for a private-use
// character. Here the character takes the four-byte code of that private-use character instead.
struct DisplacedPair {
    char16_t character;
    char16_t privateUse;
};
extern const std::span<const DisplacedPair> kDisplaced;  // ordered by character

}  // namespace wendrill::code_page
