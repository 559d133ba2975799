// The input box as a user meets it: found on screen, typed into, answered with a key or a button.

#include "app/input_box.h"

#include <gtest/gtest.h>

#include <atomic>

#include "tests/win/dialog_driver.h"
#include "tests/win/pump.h"

namespace wendrill {
namespace {

using test::BoxDriver;
using test::pressKey;
using test::type;
using test::waitForField;

class InputBoxTest : public ::testing::Test {
  protected:
    test::TestWindow owner;
};

TEST_F(InputBoxTest, EnterConfirmsWhatWasTyped) {
    BoxDriver driver(test::kReplaceBoxTitle, [](HWND box) {
        GUITHREADINFO focus{};
        focus.cbSize = sizeof focus;
        GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &focus);
        EXPECT_EQ(focus.hwndFocus, GetDlgItem(box, kInputFieldId));  // the field takes the keys
        type(L"\u82F9\u679C \u9999\u8549");                          // 苹果 香蕉
        waitForField(box, 5);
        pressKey(VK_RETURN);
    });
    const InputAnswer answer = showInputBox(owner.handle(), u"请输入：\r\n    例如", u"查找替换");
    EXPECT_TRUE(answer.confirmed);
    EXPECT_EQ(answer.text, u"苹果 香蕉");
}

TEST_F(InputBoxTest, TheOwnerTakesNoInputWhileItShows) {
    std::atomic<bool> ownerEnabled{true};
    BoxDriver driver(test::kReplaceBoxTitle, [&](HWND box) {
        ownerEnabled = IsWindowEnabled(owner.handle()) != 0;
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    showInputBox(owner.handle(), u"提示", u"查找替换");
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner.handle()));
}

TEST_F(InputBoxTest, CancelButtonAndEscReturnNothing) {
    for (bool useEsc : {false, true}) {
        BoxDriver driver(test::kReplaceBoxTitle, [useEsc](HWND box) {
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
    BoxDriver driver(test::kReplaceBoxTitle, [&](HWND box) {
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
