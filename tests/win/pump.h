#pragma once
// Waiting for queued work the way the program itself sees it: by messages, never by sleeping.

#include <windows.h>

#include <functional>

namespace wendrill::test {

// A program's own keyboard steps, run on each message before it is dispatched.
using Translator = std::function<bool(MSG&)>;

// Injects a marker key behind whatever input is queued and dispatches messages until the marker
// comes back: everything queued before it has then been handled. False on timeout.
bool pumpUntilInputHandled(const Translator& translate = {}, DWORD timeoutMs = 10000);

// Dispatches messages until done() holds, for input whose handling ends the window (so the marker
// key has nowhere to go). False on timeout.
bool pumpUntil(const std::function<bool()>& done, const Translator& translate = {},
               DWORD timeoutMs = 10000);

// Dispatches messages until none is waiting.
void pumpPending(const Translator& translate = {});

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
