#pragma once
// Plain text on the clipboard. The text is stored as CF_TEXT with the document's GBK bytes and,
// so that programs on a system with another ANSI code page read it right, also as Unicode with
// the Chinese locale.

#include <optional>
#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

bool setClipboardText(std::string_view text);  // false if the clipboard could not be opened
bool clipboardHasText();
void clearClipboard();
// The text as a paste would take it: the Unicode text converted to code page 936 where there is
// one, else the CF_TEXT bytes; nothing if the clipboard holds no text or cannot be opened.
std::optional<DocText> clipboardText();

}  // namespace wendrill
