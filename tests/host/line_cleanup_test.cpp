#include "commands/line_cleanup.h"

#include <gtest/gtest.h>

#include <string>

namespace wendrill {
namespace {

TEST(LineCleanup, DropsShortLinesAndEndsEveryLineWithOneBreak) {
    struct Case {
        const char* name;
        std::string text, withoutBlank, trimmed;
    };
    const Case cases[] = {
        {"empty document", "", "", ""},
        {"single byte document", "a", "", ""},
        {"line break alone", "\r\n", "", ""},
        {"trailing blank line", "ab\r\n\r\n", "ab\r\n", "ab\r\n"},
        {"last line gains a break", "ab\r\ncd", "ab\r\ncd\r\n", "ab\r\ncd\r\n"},
        {"run of blank lines", "ab\r\n\r\n\r\ncd\r\n", "ab\r\ncd\r\n", "ab\r\ncd\r\n"},
        {"one tab dropped, two tabs kept", "\t\r\n\t\t\r\n", "\t\t\r\n", "\t\t\r\n"},
        {"one space dropped", "ab\r\n \r\n", "ab\r\n", "ab\r\n"},
        {"two spaces become an empty line", "ab\r\n  \r\n", "ab\r\n  \r\n", "ab\r\n\r\n"},
        {"wide space becomes an empty line", "ab\r\n\xA1\xA1\r\n", "ab\r\n\xA1\xA1\r\n",
         "ab\r\n\r\n"},
        {"both ends trimmed", "  \xA1\xA1x y \xA1\xA1\r\n", "  \xA1\xA1x y \xA1\xA1\r\n",
         "x y\r\n"},
        {"bare LF is not a break", "a\nb\r\n", "a\nb\r\n", "a\nb\r\n"},
        // 81 takes the CR as its trail byte, so only the second break splits.
        {"CR taken by a lead byte", "ab\x81\r\n\r\ncd", "ab\x81\r\n\r\ncd\r\n",
         "ab\x81\r\n\r\ncd\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(withoutBlankLines(c.text), c.withoutBlank);
        EXPECT_EQ(withTrimmedLines(c.text), c.trimmed);
    }
}

TEST(LineCleanup, WithoutBlankLinesTwiceChangesNothing) {
    const std::string once = withoutBlankLines("\xA1\xA1\xB5\xC4\r\n\r\n x\r\n  \r\n\xB5\xC4");
    EXPECT_EQ(withoutBlankLines(once), once);
}

TEST(LineCleanup, LoneLeadByteAtTheEndTakesTheAddedBreak) {
    // The break added after a final lone lead byte is not seen as one on the next run.
    const std::string once = withoutBlankLines("ab\xB5");
    EXPECT_EQ(once, "ab\xB5\r\n");
    EXPECT_EQ(withoutBlankLines(once), "ab\xB5\r\n\r\n");
}

TEST(LineCleanup, WithTrimmedLinesDropsItsEmptiedLinesOnASecondRun) {
    const std::string once = withTrimmedLines("ab\r\n   \r\n cd \r\n");
    EXPECT_EQ(once, "ab\r\n\r\ncd\r\n");
    EXPECT_EQ(withTrimmedLines(once), "ab\r\ncd\r\n");
}

}  // namespace
}  // namespace wendrill
