#include "text/date_time.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string_view>

namespace wendrill {
namespace {

const DocText kDate2000 = joinTexts({"2000", kYearUnit, "1", kMonthUnit, "1", kDayUnit});

constexpr DateTime kSample{2014, 11, 16, 10, 47, 39};

// The rest of these tests build texts from the unit constants; this pins their bytes.
TEST(DateTime, TextIsGbkDigitsAndUnits) {
    // 2014年11月16日10时47分39秒; a digit after an escape needs a new literal.
    const std::string_view expected =
        "2014\xC4\xEA"
        "11\xD4\xC2"
        "16\xC8\xD5"
        "10\xCA\xB1"
        "47\xB7\xD6"
        "39\xC3\xEB";
    EXPECT_EQ(dateTimeText(kSample), expected);
}

TEST(DateTime, TextAppendsTheTimeDownToTheLastNonZeroField) {
    struct Case {
        const char* name;
        int32_t hour, minute, second;
        DocText piece;
    };
    const Case cases[] = {
        {"all fields", 10, 47, 39,
         joinTexts({"10", kHourUnit, "47", kMinuteUnit, "39", kSecondUnit})},
        {"no seconds", 10, 47, 0, joinTexts({"10", kHourUnit, "47", kMinuteUnit})},
        {"hour alone", 10, 0, 0, joinTexts({"10", kHourUnit})},
        {"zero minute before a second", 10, 0, 5,
         joinTexts({"10", kHourUnit, "0", kMinuteUnit, "5", kSecondUnit})},
        {"zero hour before a minute", 0, 5, 0, joinTexts({"0", kHourUnit, "5", kMinuteUnit})},
        {"zero hour and minute before a second", 0, 0, 7,
         joinTexts({"0", kHourUnit, "0", kMinuteUnit, "7", kSecondUnit})},
        {"single digits", 9, 3, 0, joinTexts({"9", kHourUnit, "3", kMinuteUnit})},
        {"midnight", 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dateTimeText({2000, 1, 1, c.hour, c.minute, c.second}), kDate2000 + c.piece);
    }
}

TEST(DateTime, DateHasNoLeadingZeros) {
    EXPECT_EQ(dateTimeText({2014, 11, 16, 0, 0, 0}),
              joinTexts({"2014", kYearUnit, "11", kMonthUnit, "16", kDayUnit}));
    EXPECT_EQ(dateTimeText({2015, 1, 5, 0, 0, 0}),
              joinTexts({"2015", kYearUnit, "1", kMonthUnit, "5", kDayUnit}));
}

TEST(DateTime, DatePartKeepsTheDayAndShowsNoTimeAtAnyHour) {
    EXPECT_EQ(datePart(kSample), (DateTime{2014, 11, 16, 0, 0, 0}));
    for (int32_t hour : {0, 9, 23}) {
        SCOPED_TRACE(hour);
        EXPECT_EQ(dateTimeText(datePart({2015, 1, 5, hour, 59, 59})),
                  joinTexts({"2015", kYearUnit, "1", kMonthUnit, "5", kDayUnit}));
    }
}

TEST(DateTime, EveryTimePartTextStartsWithTheSameTwelveBytes) {
    ASSERT_EQ(kDate2000.size(), static_cast<size_t>(kTimePartDateBytes));
    EXPECT_EQ(timePart(kSample), (DateTime{2000, 1, 1, 10, 47, 39}));
    const DateTime values[] = {kSample, {1999, 12, 31, 23, 59, 59}, {2038, 2, 3, 0, 0, 0}};
    for (const DateTime& value : values) {
        SCOPED_TRACE(value.year);
        EXPECT_EQ(dateTimeText(timePart(value)).substr(0, kTimePartDateBytes), kDate2000);
    }
}

TEST(DateTime, CurrentDateTimeIsTheClockInLocalTime) {
    std::tm local{};
    local.tm_year = kSample.year - 1900;
    local.tm_mon = kSample.month - 1;
    local.tm_mday = kSample.day;
    local.tm_hour = kSample.hour;
    local.tm_min = kSample.minute;
    local.tm_sec = kSample.second;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    setClockForTesting([seconds] { return seconds; });
    EXPECT_EQ(currentDateTime(), kSample);

    setClockForTesting({});
    EXPECT_GE(currentDateTime().year, 2024);
}

}  // namespace
}  // namespace wendrill
