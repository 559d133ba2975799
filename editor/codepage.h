#pragma once
// The document's code page is 936 by definition, whatever the system's ANSI code page is:
// every text that crosses into the platform is converted here, naming it.

#include <string>
#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

inline constexpr unsigned kDocumentCodePage = 936;

std::wstring wideFromDoc(std::string_view text);
DocText docFromWide(std::wstring_view text);

}  // namespace wendrill
