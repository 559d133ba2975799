#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace wendrill {
namespace {

TEST(Utf8, StrictFormsOnlyAndEachBrokenRunIsOneReplacement) {
    struct Case {
        const char* pin;
        std::string bytes;
        std::u16string text;
        bool strict;
    } cases[] = {
        {"ASCII", "a\r\n", u"a\r\n", true},
        {"every length", "\xC2\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80", u"©中😀", true},
        {"the last code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF", true},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD", false},
        {"overlong three bytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD", false},
        {"surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},
        {"cut short at the end", "a\xE4\xB8", u"a\uFFFD", false},
        {"cut short before ASCII", "\xF0\x9F\x98" "a", u"\uFFFD" "a", false},
        {"lone continuation", "\x80" "a", u"\uFFFD" "a", false},
        {"FE and FF", "\xFE\xFF", u"\uFFFD\uFFFD", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pin);
        EXPECT_EQ(isStrictUtf8(c.bytes), c.strict);
        EXPECT_EQ(utf16FromUtf8(c.bytes), c.text);
        if (c.strict) EXPECT_EQ(utf8FromUtf16(c.text), c.bytes);
    }
    EXPECT_EQ(utf8FromUtf16(u"a\xD800" "b\xDC00"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

}  // namespace
}  // namespace wendrill
