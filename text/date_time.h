#pragma once
// A local date-time to the whole second and its Chinese text form, as the insertion commands put
// it into the document.

#include <cstdint>
#include <ctime>
#include <functional>
#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

struct DateTime {
    int32_t year = 0;
    int32_t month = 0;   // 1 to 12
    int32_t day = 0;     // 1 to 31
    int32_t hour = 0;    // 0 to 23
    int32_t minute = 0;  // 0 to 59
    int32_t second = 0;  // 0 to 59

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The unit characters of the text form, each written after its number.
inline constexpr std::string_view kYearUnit = "\xC4\xEA";    // 年
inline constexpr std::string_view kMonthUnit = "\xD4\xC2";   // 月
inline constexpr std::string_view kDayUnit = "\xC8\xD5";     // 日
inline constexpr std::string_view kHourUnit = "\xCA\xB1";    // 时
inline constexpr std::string_view kMinuteUnit = "\xB7\xD6";  // 分
inline constexpr std::string_view kSecondUnit = "\xC3\xEB";  // 秒

// Every time part carries 1 January 2000, so its text starts with exactly this many bytes.
inline constexpr int32_t kTimePartDateBytes = 12;

// Seconds since the epoch; the one place the current time comes from.
using Clock = std::function<std::time_t()>;

// An empty clock restores the system clock.
void setClockForTesting(Clock clock);

DateTime currentDateTime();
DateTime datePart(const DateTime& value);
DateTime timePart(const DateTime& value);
DocText dateTimeText(const DateTime& value);

}  // namespace wendrill
