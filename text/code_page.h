#pragma once
// The document code page: code page 936 (GBK, exactly as Windows converts it) for every character
// it has, and GB18030's four-byte sequence for every other one, supplementary planes included. So
// any Unicode text goes into a DocText and comes back unchanged, and a GBK text keeps its bytes.
//
// A four-byte sequence is two pairs of a byte 81-FE and a digit 30-39: the text primitives walk it
// as two two-byte characters and no GBK pattern matches inside it.
//
// What is not a character comes out as '?', as the platform's conversion gives it: a lone
// surrogate in UTF-16; in document text a lead byte with no byte after it, or with one that makes
// no character (both bytes give one '?').

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

inline constexpr char16_t kUnconvertible = u'?';

std::u16string utf16FromDoc(std::string_view text);
DocText docFromUtf16(std::u16string_view text);

// Code page 936 alone, for programs that know no other: a character GBK lacks becomes one '?'.
std::string gbkFromUtf16(std::u16string_view text);

// How utf16FromDoc reads the character at a byte offset.
struct DocCharacter {
    uint8_t bytes;     // 1, 2 or 4
    uint8_t units;     // UTF-16 code units: 2 for a supplementary character, else 1
    bool valid;        // false: it comes out as '?'
};
DocCharacter docCharacterAt(std::string_view text, size_t offset);

// True when every character of the text is valid.
bool isDecodable(std::string_view text);

}  // namespace wendrill
