#include "text/date_time.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

// Texts are written as GBK byte escapes, each character named in a comment, so the tests do not
// depend on the compiler's execution character set. A digit right after an escape starts a new
// literal, or it would be read as part of the escape.

namespace wendrill {
namespace {

const std::string kDate2000 = "2000\xC4\xEA" "1\xD4\xC2" "1\xC8\xD5";  // 2000年1月1日

constexpr DateTime kSample{2014, 11, 16, 10, 47, 39};

TEST(DateTime, TextAppendsTheTimeDownToTheLastNonZeroField) {
    struct Case {
        const char* name;
        int32_t hour, minute, second;
        std::string piece;
    };
    const Case cases[] = {
        {"all fields", 10, 47, 39, "10\xCA\xB1" "47\xB7\xD6" "39\xC3\xEB"},  // 10时47分39秒
        {"no seconds", 10, 47, 0, "10\xCA\xB1" "47\xB7\xD6"},                // 10时47分
        {"hour alone", 10, 0, 0, "10\xCA\xB1"},                              // 10时
        {"zero minute before a second", 10, 0, 5, "10\xCA\xB1" "0\xB7\xD6" "5\xC3\xEB"},  // 10时0分5秒
        {"zero hour before a minute", 0, 5, 0, "0\xCA\xB1" "5\xB7\xD6"},                  // 0时5分
        {"zero hour and minute before a second", 0, 0, 7,
         "0\xCA\xB1" "0\xB7\xD6" "7\xC3\xEB"},              // 0时0分7秒
        {"single digits", 9, 3, 0, "9\xCA\xB1" "3\xB7\xD6"},  // 9时3分
        {"midnight", 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dateTimeText({2000, 1, 1, c.hour, c.minute, c.second}), kDate2000 + c.piece);
    }
}

TEST(DateTime, DateHasNoLeadingZeros) {
    EXPECT_EQ(dateTimeText({2014, 11, 16, 0, 0, 0}),
              "2014\xC4\xEA" "11\xD4\xC2" "16\xC8\xD5");  // 2014年11月16日
    EXPECT_EQ(dateTimeText({2015, 1, 5, 0, 0, 0}),
              "2015\xC4\xEA" "1\xD4\xC2" "5\xC8\xD5");  // 2015年1月5日
}

TEST(DateTime, DatePartKeepsTheDayAndShowsNoTimeAtAnyHour) {
    EXPECT_EQ(datePart(kSample), (DateTime{2014, 11, 16, 0, 0, 0}));
    for (int32_t hour : {0, 9, 23}) {
        SCOPED_TRACE(hour);
        EXPECT_EQ(dateTimeText(datePart({2015, 1, 5, hour, 59, 59})),
                  "2015\xC4\xEA" "1\xD4\xC2" "5\xC8\xD5");  // 2015年1月5日
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
