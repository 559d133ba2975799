// The input box as a user meets it: found on screen, typed into, answered with a key or a button.

#include "app/input_box.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/win/pump.h"

namespace wendrill {
namespace {

constexpr wchar_t kTitle[] = L"\u67E5\u627E\u66FF\u6362";  // 查找替换

// Waits on another thread for the box, then acts on it as the user would.
class BoxDriver {
  public:
    template <class Act>
    explicit BoxDriver(Act act)
        : thread_([this, act] {
              for (int i = 0; i < 200 && !box_; ++i) {
                  HWND found = FindWindowW(L"#32770", kTitle);
                  if (found && IsWindowVisible(found)) box_ = found;
                  Sleep(25);
              }
              if (box_) act(box_.load());
          }) {}
    ~BoxDriver() { thread_.join(); }
    HWND box() const { return box_; }

  private:
    std::atomic<HWND> box_{nullptr};
    std::thread thread_;
};

void type(std::wstring_view text) {
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

void pressKey(WORD key) {
    INPUT keys[2] = {};
    for (INPUT& k : keys) {
        k.type = INPUT_KEYBOARD;
        k.ki.wVk = key;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// Typing shows in the field once the box's own loop has taken the keys.
void waitForField(HWND box, size_t length) {
    for (int i = 0; i < 200; ++i) {
        if (static_cast<size_t>(GetWindowTextLengthW(GetDlgItem(box, kInputFieldId))) >= length) {
            return;
        }
        Sleep(25);
    }
}

class InputBoxTest : public ::testing::Test {
  protected:
    test::TestWindow owner;
};

TEST_F(InputBoxTest, EnterConfirmsWhatWasTyped) {
    BoxDriver driver([](HWND box) {
        GUITHREADINFO focus{};
        focus.cbSize = sizeof focus;
        GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &focus);
        EXPECT_EQ(focus.hwndFocus, GetDlgItem(box, kInputFieldId));  // the field takes the keys
        type(L"\u82F9\u679C \u9999\u8549");  // 苹果 香蕉
        waitForField(box, 5);
        pressKey(VK_RETURN);
    });
    const InputAnswer answer = showInputBox(owner.handle(), u"请输入：\r\n    例如", u"查找替换");
    EXPECT_TRUE(answer.confirmed);
    EXPECT_EQ(answer.text, u"苹果 香蕉");
}

TEST_F(InputBoxTest, TheOwnerTakesNoInputWhileItShows) {
    std::atomic<bool> ownerEnabled{true};
    BoxDriver driver([&](HWND box) {
        ownerEnabled = IsWindowEnabled(owner.handle()) != 0;
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    showInputBox(owner.handle(), u"提示", u"查找替换");
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner.handle()));
}

TEST_F(InputBoxTest, CancelButtonAndEscReturnNothing) {
    for (bool useEsc : {false, true}) {
        BoxDriver driver([useEsc](HWND box) {
            type(L"abc");
            waitForField(box, 3);
            if (useEsc) {
                pressKey(VK_ESCAPE);
            } else {
                SendMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
            }
        });
        const InputAnswer answer = showInputBox(owner.handle(), u"提示", u"查找替换");
        EXPECT_FALSE(answer.confirmed) << (useEsc ? "Esc" : "the cancel button");
        EXPECT_EQ(answer.text, u"");
    }
}

TEST_F(InputBoxTest, ShowsTitlePromptAndButtons) {
    std::wstring prompt, confirm, cancel;
    BoxDriver driver([&](HWND box) {
        wchar_t text[128];
        GetDlgItemTextW(box, kInputPromptId, text, 128);
        prompt = text;
        GetDlgItemTextW(box, IDOK, text, 128);
        confirm = text;
        GetDlgItemTextW(box, IDCANCEL, text, 128);
        cancel = text;
        PostMessageW(box, WM_CLOSE, 0, 0);
    });
    const InputAnswer answer = showInputBox(owner.handle(), u"第一行\r\n第二行", u"查找替换");
    EXPECT_FALSE(answer.confirmed);  // closing the box cancels
    EXPECT_EQ(prompt, L"\u7B2C\u4E00\u884C\r\n\u7B2C\u4E8C\u884C");
    EXPECT_EQ(confirm, L"\u786E\u8BA4\u8F93\u5165(&O)");
    EXPECT_EQ(cancel, L"\u53D6\u6D88(&C)");
}

}  // namespace
}  // namespace wendrill
