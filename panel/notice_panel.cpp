#include "panel/notice_panel.h"

#include <shellapi.h>

#include "panel/search_address.h"
#include "text/utf8.h"

// The hook and the shell are used as they come: a failed exchange is tried again at the next
// download, and a search the shell cannot open is not reported.

namespace wendrill {
namespace {

// Where the panel is found from browserWindowProc; the browser's own GWLP_USERDATA is its own.
constexpr char kHookProperty[] = "WendrillNoticePanel";

// From NoticeView's window down to the one that takes the page's mouse input.
constexpr const char* kBrowserWindowChain[] = {"Shell Embedding", "Shell DocObject View",
                                               "Internet Explorer_Server"};

// A search opens with this window as its owner if it exists.
constexpr char kBrowserFrameTitle[] = "Microsoft Internet Explorer";

HWND findBrowserWindow(HWND noticeView) {
    HWND window = noticeView;
    for (const char* windowClass : kBrowserWindowChain) {
        if (!window) break;
        // Any title: Windows gives these windows empty ones, Wine gives them their class names.
        window = FindWindowExA(window, nullptr, windowClass, nullptr);
    }
    return window;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return text;
}

// The full path of the program, however long; empty if it cannot be had.
std::u16string modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return std::u16string(path.begin(), path.begin() + length);
        path.resize(path.size() * 2);  // cut short: try a larger buffer
    }
}

}  // namespace

std::u16string noticePageOfThisProgram() { return noticePageAddress(modulePath()); }

void openWithShell(const ShellRequest& request) {
    ShellExecuteA(request.owner, request.verb, request.file.c_str(), request.parameters,
                  request.directory, request.show);
}

void NoticePanel::attach(HWND noticeView, HWND searchEdit) {
    noticeView_ = noticeView;
    searchEdit_ = searchEdit;
}

void NoticePanel::embedBrowser() {
    if (!noticeView_ || !browser_.open(noticeView_, [this] { hookBrowserWindow(); })) return;
    browser_.navigate(noticePageOfThisProgram());
}

void NoticePanel::showNoticePage() { browser_.navigate(noticePageOfThisProgram()); }

void NoticePanel::hookBrowserWindow() {
    if (browserHooked_ != 0) return;
    browserWindow_ = findBrowserWindow(noticeView_);
    oldBrowserProc_ = replaceProcedure(browserWindow_);
    if (oldBrowserProc_) browserHooked_ = 1;
}

WNDPROC NoticePanel::replaceProcedure(HWND window) {
    if (!window || !SetPropA(window, kHookProperty, this)) return nullptr;
    const auto old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoticePanel::browserWindowProc)));
    if (!old) RemovePropA(window, kHookProperty);
    return old;
}

void NoticePanel::unhookBrowserWindow() {
    if (browserHooked_ != 1) return;
    SetWindowLongPtrA(browserWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldBrowserProc_));
    RemovePropA(browserWindow_, kHookProperty);
}

// Both right-button messages are withheld, so the browser never opens its context menu from
// the mouse; the empty BlockMenu takes the place of that menu.
LRESULT CALLBACK NoticePanel::browserWindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    const auto* panel = static_cast<const NoticePanel*>(GetPropA(window, kHookProperty));
    if (!panel || !panel->oldBrowserProc_) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_RBUTTONDOWN:
            return 0;
        case WM_RBUTTONUP:
            panel->showBlockMenu_();
            return 0;
        case WM_NCDESTROY:
            RemovePropA(window, kHookProperty);
            break;
        default:
            break;
    }
    return CallWindowProcA(panel->oldBrowserProc_, window, message, wParam, lParam);
}

void NoticePanel::searchWeb() {
    ShellRequest request;
    request.owner = FindWindowA(nullptr, kBrowserFrameTitle);
    request.verb = "open";
    const std::wstring query = windowText(searchEdit_);
    request.file = searchAddress(
        utf8FromUtf16({reinterpret_cast<const char16_t*>(query.data()), query.size()}));
    request.show = SW_SHOWNORMAL;
    shell_(request);
}

bool NoticePanel::translateKey(MSG& msg) {
    const bool isKey = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    if (!isKey || !noticeView_) return false;
    HWND focus = GetFocus();
    if (focus != noticeView_ && !IsChild(noticeView_, focus)) return false;
    return browser_.translateKey(msg);
}

}  // namespace wendrill
