// Wendrill's entry point.

#include <windows.h>

#include <ole2.h>

#include "app/app.h"
#include "editor/codepage.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Drag and drop needs OLE on this, the one user-interface thread.
    const HRESULT ole = OleInitialize(nullptr);
    wendrill::PlatformQuestions questions;
    int result = 1;
    {
        wendrill::App app(questions, std::u16string(wendrill::utf16View(GetCommandLineW())),
                          wendrill::recoveryFolder());
        if (app.start()) {
            result = app.run();
        } else {
            app.messageBox(u"启动窗口加载失败。", MB_ICONERROR, u"Wendrill");
        }
    }
    if (SUCCEEDED(ole)) OleUninitialize();
    return result;
}
