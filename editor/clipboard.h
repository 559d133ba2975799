#pragma once
// Plain text on the clipboard. The text is stored as Unicode, whole; for older programs also as
// CF_TEXT in code page 936 (where a character GBK lacks is "?"), with the Chinese locale so that
// they read it right on a system with another ANSI code page.

#include <windows.h>

#include <optional>
#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

// Another program may hold the clipboard open for a moment, as clipboard managers and remote
// desktops do: each of these tries again a few times, for about a tenth of a second, first.

// owner: the window that owns the clipboard's content afterwards (the main window).
// False if the clipboard could not be opened.
bool setClipboardText(HWND owner, std::string_view text);
bool clipboardHasText();  // Unicode or CF_TEXT
void clearClipboard();
// The text as a paste would take it: the Unicode text where there is one, else the CF_TEXT bytes;
// nothing if the clipboard holds no text or cannot be opened.
std::optional<DocText> clipboardText(HWND window = nullptr);

}  // namespace wendrill
