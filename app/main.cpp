// Wendrill's entry point: the window with the Editor. A file named as the first argument is
// shown in it.

#include <windows.h>

#include <shellapi.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "editor/editor.h"

namespace {

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 500;
constexpr RECT kEditorPlace{0, 25, 600, 475};
constexpr int kEditorId = 100;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::string readWholeFile(const wchar_t* path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return bytes.substr(0, bytes.find('\0'));
}

std::wstring firstArgument() {
    int count = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> args(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    return args && count > 1 ? std::wstring(args.get()[1]) : std::wstring();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"WendrillMainWindow";
    if (!RegisterClassW(&wc)) return 1;

    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
    HWND window = CreateWindowExW(
        0, wc.lpszClassName, L"Wendrill", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        left, top, kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    wendrill::Editor editor;
    if (!window || !editor.create(window, kEditorPlace, kEditorId)) {
        MessageBoxW(nullptr, L"\u542F\u52A8\u7A97\u53E3\u52A0\u8F7D\u5931\u8D25", L"Wendrill",
                    MB_ICONERROR);  // 启动窗口加载失败
        return 1;
    }
    const std::wstring path = firstArgument();
    if (!path.empty()) editor.setText(readWholeFile(path.c_str()));
    ShowWindow(window, SW_SHOW);
    SetFocus(editor.window());

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
