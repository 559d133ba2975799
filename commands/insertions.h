#pragma once
// The texts that the three insertion commands put on the clipboard and paste.

#include <string_view>

#include "text/date_time.h"
#include "text/doc_text.h"

namespace wendrill {

// A line break and then 36 of ━, with no break at its end.
inline constexpr std::string_view kDividerText =
    "\r\n"
    "\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5"   // ━ x 9
    "\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5"   // ━ x 9
    "\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5"   // ━ x 9
    "\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5\xA9\xA5";  // ━ x 9
static_assert(kDividerText.size() == 74);

// The date alone, whatever the time of day.
DocText dateInsertionText(const DateTime& now);
// The time piece alone; empty at midnight.
DocText timeInsertionText(const DateTime& now);

}  // namespace wendrill
