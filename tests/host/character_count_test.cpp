#include "text/character_count.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <string>

namespace wendrill {
namespace {

// The document's bytes of a UTF-8 text, as the platform's own GB18030 converter gives them, so
// no byte of a four-byte form is written by hand.
std::string gb18030(const std::string& utf8) {
    iconv_t converter = iconv_open("GB18030", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "no GB18030 converter";
        return {};
    }
    std::string in = utf8;
    std::string out(in.size() * 4 + 4, '\0');
    char* inPointer = in.data();
    char* outPointer = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    const size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    EXPECT_NE(result, static_cast<size_t>(-1)) << "not convertible: " << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

std::string utf8Of(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | c >> 6);
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | c >> 12);
        s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | c >> 18);
        s += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

std::string hex(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

TEST(CharacterCountTest, EachWhiteSpaceCharacterCountsNothingAndItsNeighboursOne) {
    // The white space: ASCII space, tab, CR, LF, every space separator (category Zs), the
    // zero-width space and the byte-order mark.
    const char32_t white[] = {0x20,   0x09,   0x0D,   0x0A,   0x3000, 0xA0,   0x1680,
                              0x2000, 0x2001, 0x2002, 0x2003, 0x2004, 0x2005, 0x2006,
                              0x2007, 0x2008, 0x2009, 0x200A, 0x200B, 0x202F, 0x205F,
                              0xFEFF};
    // Next to them in the code or in the four-byte forms, and look-alikes that are not space
    // separators: the line and paragraph separators, the next-line control, vertical tab, form
    // feed, the Mongolian vowel separator, the word joiner, the zero-width joiners.
    const char32_t counted[] = {0x1F,   0x21,   0x0B,   0x0C,   0x85,   0x9F,   0xA1,
                                0x167F, 0x1681, 0x180E, 0x1FFF, 0x200C, 0x200D, 0x2028,
                                0x2029, 0x202E, 0x2030, 0x205E, 0x2060, 0x3001, 0x2FFF,
                                0xFEFE, 0xFF00, 0xFFFD, 0x1F600, 0x20000, 0x10FFFF};
    for (char32_t c : white) EXPECT_EQ(nonSpaceCharacterCount(gb18030(utf8Of(c))), 0) << hex(c);
    for (char32_t c : counted) EXPECT_EQ(nonSpaceCharacterCount(gb18030(utf8Of(c))), 1) << hex(c);
}

TEST(CharacterCountTest, MixedTexts) {
    struct Case {
        const char* utf8;
        int64_t count;
    } cases[] = {
        {"", 0},
        {"第一章　开头\r\n\r\n    正文，甲乙。", 11},
        {"Hello, world! 42", 14},
        {"\u3000\u3000他说：\u201C好。\u201D\t\r\n", 7},
        {"a\u00A0b\u2003c\u200Bd\uFEFFe", 5},
        {"笑😀𠀀\u2028", 4},  // a surrogate pair is one character
    };
    for (const Case& c : cases) EXPECT_EQ(nonSpaceCharacterCount(gb18030(c.utf8)), c.count) << c.utf8;
}

TEST(CharacterCountTest, TheBytesAreScannedACharacterAtATime) {
    struct Case {
        std::string bytes;
        int64_t count;
        const char* pin;
    } cases[] = {
        {"a\xB5", 2, "a last lead byte is a character of its own"},
        {"\xA1", 1, "half a full-width space is no space"},
        {"\xB5\xA1\xA1\xB5", 2, "A1 A1 across two characters is no space"},
        {"\x81\r\n", 1, "a lead byte takes the byte after it, whatever it is"},
        {"\x81\x30\x81", 2, "a four-byte form cut short: a two-byte character and a last byte"},
        {"\x81\x30\x81\x29", 2, "a fourth byte that is no digit: two two-byte characters"},
        {"\x80\x30\x84\x32", 2, "0x80 starts no four-byte form"},
        {"\x81\x30\xFF\x32", 2, "0xFF starts no second half"},
        {"\xB5\x81\x30\x84\x32", 3, "the bytes of a no-break space behind a lead byte are not one"},
        {"\x81\x30\x84\x32\xA1\xA1", 0, "no-break space, full-width space"},
        {std::string("a\0b", 3), 3, "a NUL byte is a character"},
    };
    for (const Case& c : cases) EXPECT_EQ(nonSpaceCharacterCount(c.bytes), c.count) << c.pin;
}

}  // namespace
}  // namespace wendrill
