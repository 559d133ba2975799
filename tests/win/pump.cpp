#include "tests/win/pump.h"

#include "tests/win/keys.h"

namespace wendrill::test {

namespace {

void dispatch(MSG& msg, const Translator& translate) {
    if (translate && translate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace

bool pumpUntilInputHandled(const Translator& translate, DWORD timeoutMs) {
    pressKeys(VK_F24);
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline) {
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        const bool isKey = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
        if (isKey && msg.wParam == VK_F24) {
            if (msg.message == WM_KEYUP) return true;
            continue;
        }
        dispatch(msg, translate);
    }
    return false;
}

bool pumpUntil(const std::function<bool()>& done, const Translator& translate, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) return false;
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            dispatch(msg, translate);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    return true;
}

void pumpPending(const Translator& translate) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) dispatch(msg, translate);
}

TestWindow::TestWindow() {
    static const ATOM windowClass = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"WendrillTestWindow";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        return RegisterClassW(&wc);
    }();
    window_ = CreateWindowExW(0, MAKEINTATOM(windowClass), L"Wendrill test",
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 800, 500,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window_);
    pumpPending();
}

TestWindow::~TestWindow() {
    DestroyWindow(window_);
    pumpPending();
}

}  // namespace wendrill::test
