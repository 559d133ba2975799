#pragma once
// Document text as the platform's wide text: the document code page (text/code_page.h) is
// converted here, never by the system's ANSI code page, so no character is lost on the way.

#include <string>
#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

std::wstring wideFromDoc(std::string_view text);
DocText docFromWide(std::wstring_view text);

// Windows' wide text is UTF-16: these only change the type.
std::wstring wideFromUtf16(std::u16string_view text);
std::u16string_view utf16View(std::wstring_view text);

}  // namespace wendrill
