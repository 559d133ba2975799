#include "files/document_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "text/code_page.h"
#include "text/utf8.h"

namespace wendrill {
namespace {

using Encoding = FileEncoding;

TEST(DocumentEncoding, DetectsTheEncodingTheBytesShow) {
    struct Case {
        const char* pin;
        std::string bytes;
        Encoding expected;
    } cases[] = {
        {"empty file", "", Encoding::documentCodePage},
        {"ASCII only", "chapter 1\r\n", Encoding::documentCodePage},
        {"GBK", "\xD6\xD0\xCE\xC4", Encoding::documentCodePage},
        {"联通, GBK that is UTF-8 only with overlong forms", "\xC1\xAA\xCD\xA8",
         Encoding::documentCodePage},
        {"UTF-8", "\xE4\xB8\xAD\xE6\x96\x87", Encoding::utf8},
        {"one UTF-8 character among ASCII", "abc \xC2\xA9", Encoding::utf8},
        {"冒 in GBK is ð in UTF-8: a short text that is both reads as UTF-8", "\xC3\xB0",
         Encoding::utf8},
        {"UTF-8 cut inside its last character", "\xE4\xB8\xAD\xE6\x96", Encoding::documentCodePage},
        {"a UTF-8 surrogate", "\xED\xA0\x80", Encoding::documentCodePage},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", Encoding::documentCodePage},
        {"a lone continuation byte", "a\x80", Encoding::documentCodePage},
        {"UTF-8 mark", "\xEF\xBB\xBF" "abc", Encoding::utf8WithMark},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", Encoding::utf8WithMark},
        {"UTF-16 little-endian mark", "\xFF\xFE" "a\0", Encoding::utf16LittleEndian},
        {"UTF-16 big-endian mark", "\xFE\xFF\0a", Encoding::utf16BigEndian},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pin);
        EXPECT_EQ(detectEncoding(c.bytes), c.expected);
    }
}

TEST(DocumentEncoding, ReadsWhatItCanAndSaysWhenThatIsNotAll) {
    using namespace std::string_literals;
    struct Case {
        const char* pin;
        std::string bytes;
        std::u16string text;
        bool incomplete;
    } cases[] = {
        {"GBK as it is", "\xD6\xD0\r\n", u"中\r\n", false},
        {"GBK up to the first NUL", "ab\0cd"s, u"ab", true},
        {"GBK with bytes that make no character", "a\x81 b", u"a?b", true},
        {"UTF-8 without its mark", "\xF0\x9F\x98\x80\xC2\xA9", u"😀©", false},
        {"UTF-8 with its mark", "\xEF\xBB\xBF\xED\x95\x9C", u"한", false},
        {"UTF-8 mark, then no UTF-8", "\xEF\xBB\xBF" "a\xC1\xAA", u"a\uFFFD\uFFFD", true},
        {"UTF-8 up to a NUL character", "\xC2\xA9\0x"s, u"©", true},
        {"UTF-16 little-endian", "\xFF\xFE\x2D\x4E\x3D\xD8\x00\xDE\x0D\x00\x0A\x00"s, u"中😀\r\n",
         false},
        {"UTF-16 big-endian", "\xFE\xFF\x4E\x2D\x00\xA9"s, u"中©", false},
        {"UTF-16 zero bytes are no NUL", "\xFF\xFE" "a\0b\0"s, u"ab", false},
        {"UTF-16 up to a NUL character", "\xFF\xFE" "a\0\0\0b\0"s, u"a", true},
        {"UTF-16 with an odd last byte", "\xFF\xFE" "a\0b"s, u"a", true},
        {"UTF-16 with a lone surrogate", "\xFF\xFE\x00\xD8" "a\0"s, u"?a", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pin);
        const DocumentFile file = decodeDocumentFile(c.bytes);
        EXPECT_EQ(utf16FromDoc(file.text), c.text);
        EXPECT_EQ(file.incomplete, c.incomplete);
    }
    EXPECT_EQ(decodeDocumentFile("a\x81 b").text, "a\x81 b") << "GBK bytes stay as they are";
}

TEST(DocumentEncoding, AFileIsSavedBackByteForByte) {
    const std::u16string text = u"第一章 😀 © • 㐀 𠀀 한글\r\n正文";
    const std::string utf8 = utf8FromUtf16(text);
    const std::string gbk = docFromUtf16(text);
    struct Case {
        const char* pin;
        std::string bytes;
        Encoding encoding;
    } cases[] = {
        {"document code page", gbk, Encoding::documentCodePage},
        {"UTF-8", utf8, Encoding::utf8},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8, Encoding::utf8WithMark},
        {"UTF-16 little-endian", encodeDocumentFile(gbk, Encoding::utf16LittleEndian),
         Encoding::utf16LittleEndian},
        {"UTF-16 big-endian", encodeDocumentFile(gbk, Encoding::utf16BigEndian),
         Encoding::utf16BigEndian},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pin);
        const DocumentFile file = decodeDocumentFile(c.bytes);
        EXPECT_EQ(file.encoding, c.encoding);
        EXPECT_EQ(file.text, gbk);
        EXPECT_FALSE(file.incomplete);
        EXPECT_EQ(encodeDocumentFile(file.text, file.encoding), c.bytes);
    }
    EXPECT_EQ(encodeDocumentFile(docFromUtf16(u"中a"), Encoding::utf16LittleEndian),
              std::string("\xFF\xFE\x2D\x4E" "a\0", 6));
    EXPECT_EQ(encodeDocumentFile(docFromUtf16(u"中a"), Encoding::utf16BigEndian),
              std::string("\xFE\xFF\x4E\x2D\0a", 6));
}

}  // namespace
}  // namespace wendrill
