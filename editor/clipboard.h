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
std::optional<DocText> clipboardText();  // CF_TEXT as GBK bytes; nothing if unavailable

}  // namespace wendrill
