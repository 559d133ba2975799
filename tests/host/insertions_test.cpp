#include "commands/insertions.h"

#include <gtest/gtest.h>

#include <string>

// GBK byte escapes, each named in a comment; a digit after an escape starts a new literal.

namespace wendrill {
namespace {

TEST(Insertions, DividerIsALineBreakAndThirtySixHeavyRules) {
    std::string expected = "\r\n";
    for (int i = 0; i < 36; ++i) expected += "\xA9\xA5";  // ━
    EXPECT_EQ(kDividerText, expected);
}

TEST(Insertions, DateTextIsTheDateWithoutATime) {
    EXPECT_EQ(dateInsertionText({2015, 1, 5, 10, 47, 39}),
              "2015\xC4\xEA" "1\xD4\xC2" "5\xC8\xD5");  // 2015年1月5日
}

TEST(Insertions, TimeTextIsThePieceAfterTheFixedDate) {
    struct Case {
        const char* name;
        int32_t hour, minute, second;
        std::string expected;
    };
    const Case cases[] = {
        {"hour alone", 10, 0, 0, "10\xCA\xB1"},                                 // 10时
        {"zero minute kept", 10, 0, 5, "10\xCA\xB1" "0\xB7\xD6" "5\xC3\xEB"},  // 10时0分5秒
        {"single digits", 9, 3, 0, "9\xCA\xB1" "3\xB7\xD6"},                    // 9时3分
        {"midnight is empty", 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A date with two-digit month and day: only the fixed 2000年1月1日 may be cut off.
        EXPECT_EQ(timeInsertionText({2014, 11, 16, c.hour, c.minute, c.second}), c.expected);
    }
}

}  // namespace
}  // namespace wendrill
