#pragma once
// The addresses the side panel opens.

#include <string>
#include <string_view>

namespace wendrill {

// The notice page ships inside the exe as an HTML resource under this name.
inline constexpr std::string_view kNoticePageResource = "notice.html";

// The engine behind the button "百度一下"; the query is appended to it.
inline constexpr std::string_view kSearchAddressBase = "https://www.baidu.com/s?wd=";

// The query is percent-encoded so that "&", "#", spaces and non-ASCII text arrive as typed.
std::string searchAddress(std::string_view queryUtf8);

}  // namespace wendrill
