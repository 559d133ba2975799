#include "text/code_page.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <optional>
#include <string>

#include "text/positions.h"

// Texts are UTF-16 literals and GBK or GB18030 byte escapes. The four-byte sequences were taken
// from glibc's GB18030 converter, which the last tests use as the reference throughout.

namespace wendrill {
namespace {

struct CodeCase {
    const char* pin;
    std::u16string text;
    std::string bytes;
};

TEST(CodePage, EveryBoundaryClassConvertsBothWays) {
    const CodeCase cases[] = {
        {"empty", u"", ""},
        {"ASCII with CR LF", u"a1\r\n~", "a1\r\n~"},
        {"GBK two-byte", u"中文", "\xD6\xD0\xCE\xC4"},
        {"the first two-byte code", u"丂", "\x81\x40"},
        {"GBK keeps its middle dot and dash", u"·—", "\xA1\xA4\xA1\xAA"},
        {"the one-byte euro sign", u"€", "\x80"},
        {"the last byte's private-use character", u"\uF8F5", "\xFF"},
        {"a user-defined place", u"\uE000", "\xAA\xA1"},
        {"the last private-use place", u"\uE864", "\xFE\xA0"},
        {"the first four-byte character", u"\u0080", "\x81\x30\x81\x30"},
        {"copyright sign", u"©", "\x81\x30\x84\x38"},
        {"bullet", u"•", "\x81\x36\xA6\x31"},
        {"CJK extension A", u"㐀", "\x81\x39\xEE\x39"},
        {"Hangul", u"한글", "\x83\x36\x84\x33\x82\x38\x84\x37"},
        {"private use GBK lacks", u"\uE865", "\x83\x36\xD0\x30"},
        {"replacement character", u"\uFFFD", "\x84\x31\xA4\x37"},
        {"U+FFFF, the last of the ranges", u"\uFFFF", "\x84\x31\xA4\x39"},
        {"first supplementary character", u"\U00010000", "\x90\x30\x81\x30"},
        {"emoji", u"😀", "\x94\x39\xFC\x36"},
        {"CJK extension B", u"𠀀", "\x95\x32\x82\x36"},
        {"the last code point", u"\U0010FFFF", "\xE3\x32\x9A\x35"},
        {"a character GB18030 moved to GBK's private place keeps its old four bytes", u"\uFE10",
         "\x84\x31\x82\x36"},
        {"a character displaced by a private place takes that place's four bytes", u"⺁",
         "\x83\x36\xC9\x34"},
        {"mixed", u"a😀中\r\n©", "a\x94\x39\xFC\x36\xD6\xD0\r\n\x81\x30\x84\x38"},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.pin);
        EXPECT_EQ(docFromUtf16(c.text), c.bytes);
        EXPECT_EQ(utf16FromDoc(c.bytes), c.text);
        EXPECT_TRUE(isDecodable(c.bytes));
    }
}

TEST(CodePage, WhatIsNoCharacterBecomesAQuestionMark) {
    const CodeCase toBytes[] = {
        {"lone high surrogate", u"a\xD800" "b", "a?b"},
        {"lone low surrogate", u"\xDC00" "b", "?b"},
        {"high surrogate at the end", u"a\xD83D", "a?"},
        {"two high surrogates, then a pair", u"\xD83D\xD83D\xDE00", "?\x94\x39\xFC\x36"},
    };
    for (const CodeCase& c : toBytes) {
        SCOPED_TRACE(c.pin);
        EXPECT_EQ(docFromUtf16(c.text), c.bytes);
    }
    const CodeCase fromBytes[] = {
        {"lead byte at the end", u"a?", "a\x81"},
        {"lead byte takes a space with it", u"?a", "\x81 a"},
        {"lead byte takes a CR with it", u"?\n", "\x81\r\n"},
        {"lead byte and 7F", u"?", "\x81\x7F"},
        {"lead byte before a NUL stands alone", std::u16string(u"?\0", 2),
         std::string("\x81\0", 2)},
        {"a four-byte sequence cut short", u"??", "\x81\x30\x81"},
        {"between the planes", u"??", "\x85\x30\x81\x30"},
        {"beyond U+10FFFF", u"??", "\xE3\x32\x9A\x36"},
        {"digit where a lead byte belongs", u"?11", "\x81\x30\x31\x31"},
    };
    for (const CodeCase& c : fromBytes) {
        SCOPED_TRACE(c.pin);
        EXPECT_EQ(utf16FromDoc(c.bytes), c.text);
        EXPECT_FALSE(isDecodable(c.bytes));
    }
}

TEST(CodePage, GbkAloneWritesAQuestionMarkForWhatItLacks) {
    EXPECT_EQ(gbkFromUtf16(u"中€a"), "\xD6\xD0\x80" "a");
    EXPECT_EQ(gbkFromUtf16(u"😀©\xD800中"), "???\xD6\xD0");
}

TEST(CodePage, EditorPositionsCountUtf16Units) {
    const std::string text = docFromUtf16(u"a😀©\r\n中");
    EXPECT_EQ(characterCount(text), 6);  // a, two units, one, the line break, one
    struct Case {
        int32_t position;
        size_t offset;
    } cases[] = {{1, 1}, {2, 5}, {3, 5}, {4, 9}, {5, 11}, {6, 13}};
    for (const Case& c : cases) {
        EXPECT_EQ(byteOffsetOfPosition(text, c.position), c.offset) << c.position;
    }
    EXPECT_EQ(characterCount("\x81 a"), 2) << "a lead byte and what it takes count one";
}

// glibc's GB18030 converter, one character at a time.
class Reference {
  public:
    Reference()
        : toGb_(iconv_open("GB18030", "UTF-32LE")), fromGb_(iconv_open("UTF-32LE", "GB18030")) {}
    ~Reference() {
        iconv_close(toGb_);
        iconv_close(fromGb_);
    }
    std::optional<std::string> encode(char32_t c) const {
        char in[4];
        std::memcpy(in, &c, 4);
        return convert(toGb_, std::string(in, 4));
    }
    std::optional<char32_t> decode(const std::string& bytes) const {
        const std::optional<std::string> out = convert(fromGb_, bytes);
        if (!out || out->size() != 4) return std::nullopt;
        char32_t c;
        std::memcpy(&c, out->data(), 4);
        return c;
    }

  private:
    static std::optional<std::string> convert(iconv_t cd, std::string in) {
        char out[16];
        char* inAt = in.data();
        char* outAt = out;
        size_t inLeft = in.size(), outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inAt, &inLeft, &outAt, &outLeft) == static_cast<size_t>(-1) || inLeft) {
            return std::nullopt;
        }
        return std::string(out, sizeof out - outLeft);
    }
    iconv_t toGb_, fromGb_;
};

std::u16string utf16Of(char32_t c) {
    if (c < 0x10000) return std::u16string(1, static_cast<char16_t>(c));
    c -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

bool isPrivateUse(const std::u16string& text) {
    return text.size() == 1 && text[0] >= 0xE000 && text[0] <= 0xF8FF;
}

// Where GB18030 writes a character with two bytes that code page 936 has for a private-use
// character, that character cannot have them here.
bool gbkHasItsTwoBytes(const Reference& glibc, char32_t c) {
    const std::optional<std::string> gb = glibc.encode(c);
    return gb && gb->size() == 2 && isPrivateUse(utf16FromDoc(*gb));
}

TEST(CodePage, EveryCharacterComesBackAndFourByteSequencesAreGlibcs) {
    const Reference glibc;
    int displaced = 0;
    for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const std::u16string text = utf16Of(c);
        const std::string bytes = docFromUtf16(text);
        ASSERT_EQ(utf16FromDoc(bytes), text) << std::hex << static_cast<uint32_t>(c);
        if (bytes.size() != 4) continue;
        // Two bytes are code page 936's own, which the Windows tests compare with the platform.
        const std::optional<char32_t> reference = glibc.decode(bytes);
        if (reference == c) continue;
        ASSERT_TRUE(gbkHasItsTwoBytes(glibc, c)) << std::hex << static_cast<uint32_t>(c);
        ++displaced;
    }
    // The 80 characters whose GB18030 two-byte code is a private-use place of code page 936,
    // 18 characters whose four-byte codes glibc has dropped, and one swapped back.
    EXPECT_EQ(displaced, 99);
}

TEST(CodePage, EveryGbkCodeKeepsItsBytes) {
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string text = utf16FromDoc(bytes);
            ASSERT_EQ(text.size(), 1u) << std::hex << lead << trail;
            ASSERT_EQ(docFromUtf16(text), bytes) << std::hex << lead << trail;
        }
    }
    for (int byte = 0; byte <= 0x80; ++byte) {
        const std::string bytes(1, static_cast<char>(byte));
        EXPECT_EQ(docFromUtf16(utf16FromDoc(bytes)), bytes) << byte;
    }
}

TEST(CodePage, EveryFourByteSequenceOfTheBmpIsACharacterGbkLacks) {
    const Reference glibc;
    for (int b1 = 0x81; b1 <= 0x84; ++b1) {
        for (int b2 = '0'; b2 <= '9'; ++b2) {
            for (int b3 = 0x81; b3 <= 0xFE; ++b3) {
                for (int b4 = '0'; b4 <= '9'; ++b4) {
                    const std::string bytes{static_cast<char>(b1), static_cast<char>(b2),
                                            static_cast<char>(b3), static_cast<char>(b4)};
                    const std::u16string text = utf16FromDoc(bytes);
                    if (bytes > "\x84\x31\xA4\x39") {
                        ASSERT_EQ(text, u"??");
                        continue;
                    }
                    ASSERT_EQ(text.size(), 1u);
                    const std::string back = docFromUtf16(text);
                    // Two characters take their two bytes from code page 936 instead.
                    if (back.size() != 4) {
                        ASSERT_TRUE(text == u"\uE76C" || text == u"\uF8F5");
                        ASSERT_EQ(glibc.decode(bytes), text[0]);
                        continue;
                    }
                    ASSERT_EQ(back, bytes);
                }
            }
        }
    }
}

}  // namespace
}  // namespace wendrill
