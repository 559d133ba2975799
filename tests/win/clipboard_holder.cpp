// Another program holding the clipboard open: clipboard_holder.exe MILLISECONDS EVENT-NAME.
// It opens the clipboard with a window of its own (an owner-less open would not keep others
// out), signals the event, holds the clipboard for the given time and lets it go.

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const DWORD holdMs = static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10));
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window || !OpenClipboard(window)) return 1;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (ready) SetEvent(ready);
    Sleep(holdMs);
    CloseClipboard();
    if (ready) CloseHandle(ready);
    DestroyWindow(window);
    return 0;
}
