#include "editor/codepage.h"

#include <windows.h>

#include <climits>

namespace wendrill {

std::wstring wideFromDoc(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(kDocumentCodePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    if (count > 0) {
        MultiByteToWideChar(kDocumentCodePage, 0, text.data(), size, wide.data(), count);
    }
    return wide;
}

DocText docFromWide(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int count =
        WideCharToMultiByte(kDocumentCodePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    DocText doc(static_cast<size_t>(count), '\0');
    if (count > 0) {
        WideCharToMultiByte(kDocumentCodePage, 0, text.data(), size, doc.data(), count, nullptr,
                            nullptr);
    }
    return doc;
}

}  // namespace wendrill
