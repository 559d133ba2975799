#pragma once
// Waiting for queued work the way the program itself sees it: by messages, never by sleeping.

#include <windows.h>

namespace wendrill::test {

// Injects a marker key behind whatever input is queued and dispatches messages until the marker
// comes back: everything queued before it has then been handled. False on timeout.
bool pumpUntilInputHandled(DWORD timeoutMs = 10000);

// Dispatches messages until none is waiting.
void pumpPending();

// A visible top-level window to hold the controls under test, focused and in the foreground.
class TestWindow {
  public:
    TestWindow();
    ~TestWindow();
    HWND handle() const { return window_; }

  private:
    HWND window_ = nullptr;
};

}  // namespace wendrill::test
