#include "text/utf8.h"

#include "text/surrogates.h"

namespace wendrill {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

struct Decoded {
    size_t bytes;
    char32_t character;  // kInvalid: the bytes are no character
};

// The second byte of a sequence has narrower bounds after some leads: that is what rules out
// overlong forms, surrogates and code points beyond U+10FFFF.
struct Lead {
    size_t continuations;
    unsigned char secondLow, secondHigh;
};

Lead leadOf(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) return {1, 0x80, 0xBF};
    if (byte == 0xE0) return {2, 0xA0, 0xBF};
    if (byte == 0xED) return {2, 0x80, 0x9F};
    if (byte >= 0xE1 && byte <= 0xEF) return {2, 0x80, 0xBF};
    if (byte == 0xF0) return {3, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3) return {3, 0x80, 0xBF};
    if (byte == 0xF4) return {3, 0x80, 0x8F};
    return {0, 0, 0};
}

Decoded decodeAt(std::string_view bytes, size_t at) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    if (first < 0x80) return {1, first};
    const Lead lead = leadOf(first);
    if (lead.continuations == 0) return {1, kInvalid};
    char32_t character = first & (0x3F >> lead.continuations);
    for (size_t k = 1; k <= lead.continuations; ++k) {
        if (at + k >= bytes.size()) return {k, kInvalid};
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        const unsigned char low = k == 1 ? lead.secondLow : 0x80;
        const unsigned char high = k == 1 ? lead.secondHigh : 0xBF;
        if (next < low || next > high) return {k, kInvalid};
        character = character << 6 | (next & 0x3F);
    }
    return {lead.continuations + 1, character};
}

void appendUtf16(std::u16string& out, char32_t character) {
    if (character < 0x10000) {
        out += static_cast<char16_t>(character);
        return;
    }
    character -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (character >> 10));
    out += static_cast<char16_t>(0xDC00 + (character & 0x3FF));
}

void appendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | character >> 6);
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        out += static_cast<char>(0xE0 | character >> 12);
        out += static_cast<char>(0x80 | (character >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | character >> 18);
        out += static_cast<char>(0x80 | (character >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (character >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

}  // namespace

bool isStrictUtf8(std::string_view bytes) {
    for (size_t at = 0; at < bytes.size();) {
        const Decoded decoded = decodeAt(bytes, at);
        if (decoded.character == kInvalid) return false;
        at += decoded.bytes;
    }
    return true;
}

std::u16string utf16FromUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        const Decoded decoded = decodeAt(bytes, at);
        appendUtf16(out, decoded.character == kInvalid ? kReplacementCharacter : decoded.character);
        at += decoded.bytes;
    }
    return out;
}

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t character = text[i];
        if (isHighSurrogate(character) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            character = 0x10000 + ((character - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (isSurrogate(character)) {
            character = kReplacementCharacter;
        }
        appendUtf8(out, character);
    }
    return out;
}

}  // namespace wendrill
