#pragma once
// How to reach the maker, shown in the about box.

#include <string_view>

namespace wendrill {

inline constexpr std::u16string_view kMakerMail = u"orvane@example.com";
inline constexpr std::u16string_view kMakerWebsite = u"https://wendrill.example.com";

}  // namespace wendrill
