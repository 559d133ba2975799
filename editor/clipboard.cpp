#include "editor/clipboard.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "editor/codepage.h"
#include "text/code_page.h"

namespace wendrill {
namespace {

constexpr int kOpenAttempts = 6;
constexpr DWORD kOpenPauseMs = 20;

bool openClipboard(HWND window) {
    for (int attempt = 0;; ++attempt) {
        if (OpenClipboard(window)) return true;
        if (attempt + 1 >= kOpenAttempts) return false;
        Sleep(kOpenPauseMs);
    }
}

// Opens the clipboard for the lifetime of the guard.
class ClipboardGuard {
  public:
    explicit ClipboardGuard(HWND window = nullptr) : open_(openClipboard(window)) {}
    ~ClipboardGuard() {
        if (open_) CloseClipboard();
    }
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;
    bool isOpen() const { return open_; }

  private:
    bool open_;
};

struct GlobalFreer {
    void operator()(void* memory) const { GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<void, GlobalFreer>;

GlobalMemory globalCopy(const void* bytes, size_t size) {
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) return nullptr;
    void* target = GlobalLock(memory.get());
    if (!target) return nullptr;
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory.get());
    return memory;
}

// On success the clipboard owns the memory.
bool putOnClipboard(UINT format, GlobalMemory memory) {
    if (!memory || !SetClipboardData(format, memory.get())) return false;
    memory.release();
    return true;
}

constexpr LCID kChineseLocale = 0x0804;  // zh-CN: CF_TEXT is read as code page 936

}  // namespace

bool setClipboardText(HWND owner, std::string_view text) {
    ClipboardGuard clipboard(owner);
    if (!clipboard.isOpen() || !EmptyClipboard()) return false;

    const std::u16string wide = utf16FromDoc(text);
    const bool stored = putOnClipboard(  // with the terminating NUL
        CF_UNICODETEXT, globalCopy(wide.c_str(), (wide.size() + 1) * sizeof(char16_t)));

    const std::string bytes = gbkFromUtf16(wide);
    putOnClipboard(CF_TEXT, globalCopy(bytes.c_str(), bytes.size() + 1));
    putOnClipboard(CF_LOCALE, globalCopy(&kChineseLocale, sizeof kChineseLocale));
    return stored;
}

bool clipboardHasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0 ||
           IsClipboardFormatAvailable(CF_TEXT) != 0;
}

void clearClipboard() {
    ClipboardGuard clipboard;
    if (clipboard.isOpen()) EmptyClipboard();
}

std::optional<DocText> clipboardText(HWND window) {
    ClipboardGuard clipboard(window);
    if (!clipboard.isOpen()) return std::nullopt;
    if (HANDLE wide = GetClipboardData(CF_UNICODETEXT)) {
        const auto* chars = static_cast<const wchar_t*>(GlobalLock(wide));
        if (!chars) return std::nullopt;
        const DocText text = docFromWide(
            std::wstring_view(chars, wcsnlen(chars, GlobalSize(wide) / sizeof(wchar_t))));
        GlobalUnlock(wide);
        return text;
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes) return std::nullopt;
    DocText text(bytes, strnlen(bytes, GlobalSize(data)));
    GlobalUnlock(data);
    return text;
}

}  // namespace wendrill
