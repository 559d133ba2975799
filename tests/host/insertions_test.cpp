#include "commands/insertions.h"

#include <gtest/gtest.h>

#include <string_view>

namespace wendrill {
namespace {

TEST(Insertions, DividerIsALineBreakAndThirtySixHeavyRules) {
    DocText expected = "\r\n";
    for (int i = 0; i < 36; ++i) expected += "\xA9\xA5";  // ━
    EXPECT_EQ(kDividerText, expected);
}

TEST(Insertions, DateTextIsTheDateWithoutATime) {
    EXPECT_EQ(dateInsertionText({2015, 1, 5, 10, 47, 39}),
              joinTexts({"2015", kYearUnit, "1", kMonthUnit, "5", kDayUnit}));
}

TEST(Insertions, TimeTextIsThePieceAfterTheFixedDate) {
    struct Case {
        const char* name;
        int32_t hour, minute, second;
        DocText expected;
    };
    const Case cases[] = {
        {"hour alone", 10, 0, 0, joinTexts({"10", kHourUnit})},
        {"zero minute kept", 10, 0, 5,
         joinTexts({"10", kHourUnit, "0", kMinuteUnit, "5", kSecondUnit})},
        {"single digits", 9, 3, 0, joinTexts({"9", kHourUnit, "3", kMinuteUnit})},
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
