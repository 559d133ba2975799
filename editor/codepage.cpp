#include "editor/codepage.h"

#include "text/code_page.h"

namespace wendrill {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

std::wstring wideFromUtf16(std::u16string_view text) { return {text.begin(), text.end()}; }

std::u16string_view utf16View(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::wstring wideFromDoc(std::string_view text) { return wideFromUtf16(utf16FromDoc(text)); }

DocText docFromWide(std::wstring_view text) { return docFromUtf16(utf16View(text)); }

}  // namespace wendrill
