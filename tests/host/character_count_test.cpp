#include "text/character_count.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <string>

#include "text/utf8.h"

namespace wendrill {
namespace {

// The document's bytes of a text, as the platform's own GB18030 converter gives them, so no byte
// of a four-byte form is written by hand.
std::string gb18030(std::u16string_view text) {
    iconv_t converter = iconv_open("GB18030", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "no GB18030 converter";
        return {};
    }
    std::string in = utf8FromUtf16(text);
    std::string out(in.size() * 4 + 4, '\0');
    char* inPointer = in.data();
    char* outPointer = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    const size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    EXPECT_NE(result, static_cast<size_t>(-1)) << "not convertible: " << utf8FromUtf16(text);
    out.resize(out.size() - outLeft);
    return out;
}

std::u16string utf16Of(char32_t c) {
    if (c < 0x10000) return std::u16string(1, static_cast<char16_t>(c));
    c -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

std::string hex(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// Each case is counted as the control gives the text (UTF-16) and as the document holds it.
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
    for (const auto& [characters, expected] :
         {std::pair{std::u32string_view(white, std::size(white)), 0},
          std::pair{std::u32string_view(counted, std::size(counted)), 1}}) {
        for (char32_t c : characters) {
            EXPECT_EQ(nonSpaceCharacterCount(utf16Of(c)), expected) << hex(c);
            EXPECT_EQ(nonSpaceCharacterCount(gb18030(utf16Of(c))), expected) << hex(c);
        }
    }
}

TEST(CharacterCountTest, MixedTexts) {
    struct Case {
        std::u16string_view text;
        int64_t count;
    } cases[] = {
        {u"", 0},
        {u"第一章　开头\r\n\r\n    正文，甲乙。", 11},
        {u"Hello, world! 42", 14},
        {u"\u3000\u3000他说：\u201C好。\u201D\t\r\n", 7},
        {u"a\u00A0b\u2003c\u200Bd\uFEFFe", 5},
        {u"笑😀𠀀\u2028", 4},  // a surrogate pair is one character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nonSpaceCharacterCount(c.text), c.count) << utf8FromUtf16(c.text);
        EXPECT_EQ(nonSpaceCharacterCount(gb18030(c.text)), c.count) << utf8FromUtf16(c.text);
    }
}

TEST(CharacterCountTest, AUnitThatMakesNoCharacterCountsOne) {
    struct Case {
        std::u16string text;
        int64_t count;
        const char* pin;
    } cases[] = {
        {u"\xD83D", 1, "a high surrogate at the end"},
        {u"\xD83D" u"a", 2, "a high surrogate before a letter"},
        {u"\xDE00\xD83D", 2, "a low surrogate before a high one"},
        {u"\xD83D\xD83D\xDE00", 2, "a lone high surrogate, then a pair"},
    };
    for (const Case& c : cases) EXPECT_EQ(nonSpaceCharacterCount(c.text), c.count) << c.pin;
}

// The control gives its text out in pieces of a few kilobytes, cut anywhere.
TEST(CharacterCountTest, APieceWiseCountIsTheWholeCountWhereverTheTextIsCut) {
    const std::u16string text = u"笑😀\xD83D 𠀀\u3000a\xDE00\r\n\xD83D";
    const int64_t whole = nonSpaceCharacterCount(text);
    ASSERT_EQ(whole, 7);
    for (size_t first = 0; first <= text.size(); ++first) {
        for (size_t second = first; second <= text.size(); ++second) {
            NonSpaceCounter counter;
            counter.add(std::u16string_view(text).substr(0, first));
            counter.add(std::u16string_view(text).substr(first, second - first));
            counter.add(std::u16string_view(text).substr(second));
            EXPECT_EQ(counter.count(), whole) << "cut at " << first << " and " << second;
        }
    }
}

TEST(CharacterCountTest, TheDocumentBytesAreReadAsTheDocumentCodePageReadsThem) {
    struct Case {
        std::string bytes;
        int64_t count;
        const char* pin;
    } cases[] = {
        {"a\xB5", 2, "a last lead byte is a character of its own"},
        {"\xA1", 1, "half a full-width space is no space"},
        {"\xB5\xA1\xA1\xB5", 2, "A1 A1 across two characters is no space"},
        {"\x81\r\n", 1, "a lead byte takes the byte after it, whatever it is"},
        {"\x81\x30\x81", 2, "a four-byte form cut short: a two-byte one and a last byte"},
        {"\x81\x30\x81\x29", 2, "a fourth byte that is no digit: two two-byte ones"},
        {"\x80\x30\x84\x32", 3, "the euro sign is one byte: 80, '0', then 84 32 (no character)"},
        {"\x81\x30\xFF\x32", 3, "0xFF is a character of one byte, so no second half"},
        {"\xB5\x81\x30\x84\x32", 3, "the bytes of a no-break space behind a lead byte are not one"},
        {"\x81\x30\x84\x32\xA1\xA1", 0, "no-break space, full-width space"},
        {std::string("a\0b", 3), 3, "a NUL byte is a character"},
    };
    for (const Case& c : cases) EXPECT_EQ(nonSpaceCharacterCount(c.bytes), c.count) << c.pin;
}

}  // namespace
}  // namespace wendrill
