#pragma once
// Plain text in and out of a Rich Edit control as code page 936 bytes, with CR LF line breaks.

#include <windows.h>

#include <functional>
#include <optional>
#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

// extraFlags: SFF_SELECTION to read or replace only the selection.
void streamIn(HWND control, std::string_view text, WPARAM extraFlags = 0);
DocText streamOut(HWND control, WPARAM extraFlags = 0);
// streamOut that asks `interrupted` after each piece the control gives (a few kilobytes) and
// stops as soon as it answers true; nothing then.
std::optional<DocText> streamOut(HWND control, WPARAM extraFlags,
                                 const std::function<bool()>& interrupted);

}  // namespace wendrill
