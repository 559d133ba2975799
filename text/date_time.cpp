#include "text/date_time.h"

#include <string>
#include <string_view>
#include <utility>

namespace wendrill {

namespace {

Clock& clockSlot() {
    static Clock clock;
    return clock;
}

std::time_t now() {
    const Clock& clock = clockSlot();
    return clock ? clock() : std::time(nullptr);
}

// The reentrant conversion has a different name and argument order on Windows.
std::tm localTime(std::time_t seconds) {
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return local;
}

void appendField(DocText& text, int32_t number, std::string_view unit) {
    text += std::to_string(number);
    text += unit;
}

// A time field is written while it or any smaller field is non-zero.
int timeFieldCount(const DateTime& value) {
    if (value.second != 0) return 3;
    if (value.minute != 0) return 2;
    if (value.hour != 0) return 1;
    return 0;
}

}  // namespace

void setClockForTesting(Clock clock) { clockSlot() = std::move(clock); }

DateTime currentDateTime() {
    const std::tm local = localTime(now());
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

DateTime datePart(const DateTime& value) { return {value.year, value.month, value.day, 0, 0, 0}; }

DateTime timePart(const DateTime& value) {
    return {2000, 1, 1, value.hour, value.minute, value.second};
}

DocText dateTimeText(const DateTime& value) {
    const std::pair<int32_t, std::string_view> timeFields[] = {
        {value.hour, kHourUnit}, {value.minute, kMinuteUnit}, {value.second, kSecondUnit}};
    DocText text;
    appendField(text, value.year, kYearUnit);
    appendField(text, value.month, kMonthUnit);
    appendField(text, value.day, kDayUnit);
    const int count = timeFieldCount(value);
    for (int i = 0; i < count; ++i) appendField(text, timeFields[i].first, timeFields[i].second);
    return text;
}

}  // namespace wendrill
