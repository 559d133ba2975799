#pragma once
// The program's own texts are UTF-16 literals, which Windows takes as they are.

#include <string>

namespace wendrill {

inline const wchar_t* wideText(const std::u16string& text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace wendrill
