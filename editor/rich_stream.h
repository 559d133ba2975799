#pragma once
// Plain text in and out of a Rich Edit control as document text, with CR LF line breaks.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

// extraFlags: SFF_SELECTION to read or replace only the selection. False if the control did not
// take the whole text (it ran out of memory or reached its length limit).
bool streamIn(HWND control, std::string_view text, WPARAM extraFlags = 0);
DocText streamOut(HWND control, WPARAM extraFlags = 0);
// The text as the control holds it, in UTF-16. Asks `interrupted` (if given) after each piece
// the control gives out (a few kilobytes) and stops as soon as it answers true: nothing then.
std::optional<std::u16string> streamOutUtf16(HWND control, WPARAM extraFlags,
                                             const std::function<bool()>& interrupted);

}  // namespace wendrill
