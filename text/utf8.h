#pragma once
// UTF-8, strictly: shortest forms only, no surrogates, nothing beyond U+10FFFF.

#include <string>
#include <string_view>

namespace wendrill {

inline constexpr char16_t kReplacementCharacter = u'\uFFFD';

bool isStrictUtf8(std::string_view bytes);

// Each longest run of bytes that starts a character but cannot go on becomes U+FFFD.
std::u16string utf16FromUtf8(std::string_view bytes);

// A lone surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);

}  // namespace wendrill
