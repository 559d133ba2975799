#pragma once
// Answering a modal dialog from another thread, as a user at the keyboard would.

#include <windows.h>

#include <atomic>
#include <string_view>
#include <thread>

#include "app/input_box.h"

namespace wendrill::test {

inline constexpr wchar_t kReplaceBoxTitle[] = L"\u67E5\u627E\u66FF\u6362";  // 查找替换

// Waits on another thread for a visible dialog that find() names, then acts on it as the user
// would.
class DialogDriver {
  public:
    template <class Find, class Act>
    DialogDriver(Find find, Act act)
        : thread_([this, find, act] {
              for (int i = 0; i < 400 && !box_; ++i) {
                  HWND found = find();
                  if (found && IsWindowVisible(found)) box_ = found;
                  Sleep(25);
              }
              if (box_) act(box_.load());
          }) {}
    ~DialogDriver() { thread_.join(); }
    HWND box() const { return box_; }

  private:
    std::atomic<HWND> box_{nullptr};
    std::thread thread_;
};

// A dialog box with that title.
class BoxDriver : public DialogDriver {
  public:
    template <class Act>
    BoxDriver(const wchar_t* title, Act act)
        : DialogDriver([title] { return FindWindowW(L"#32770", title); }, act) {}
};

inline void type(std::wstring_view text) {
    for (wchar_t c : text) {
        INPUT keys[2] = {};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = c;
            key.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    }
}

inline void pressKey(WORD key) {
    INPUT keys[2] = {};
    for (INPUT& k : keys) {
        k.type = INPUT_KEYBOARD;
        k.ki.wVk = key;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// Typing shows in the field once the box's own loop has taken the keys.
inline void waitForField(HWND box, size_t length) {
    for (int i = 0; i < 200; ++i) {
        if (static_cast<size_t>(GetWindowTextLengthW(GetDlgItem(box, kInputFieldId))) >= length) {
            return;
        }
        Sleep(25);
    }
}

}  // namespace wendrill::test
