#pragma once
// The addresses the side panel opens.

#include <string>
#include <string_view>

namespace wendrill {

// The maker's site has no notice page yet, so the page ships inside wendrill.exe as an HTML
// resource, found by the res: address of the module that runs, whatever it is called and
// wherever it lies. modulePath is that module's full path.
std::u16string noticePageAddress(std::u16string_view modulePath);

// The engine behind the button "百度一下"; the query is appended to it.
inline constexpr std::string_view kSearchAddressBase = "https://www.baidu.com/s?wd=";

// The query is percent-encoded so that "&", "#", spaces and non-ASCII text arrive as typed.
std::string searchAddress(std::string_view queryUtf8);

}  // namespace wendrill
