// What the commands do after they return (the Delete, Right and repaste steps) is the same
// whatever modifier the user still holds down. Wine's Rich Edit ignores Ctrl on Delete and
// pastes on Ctrl+Shift+V, where Windows deletes a word and knows no such chord; so besides the
// outcome, every key that reached a control under the held modifier is caught.

#include <gtest/gtest.h>

#include <vector>

#include "commands/insertions.h"
#include "tests/win/keys.h"
#include "tests/win/app_fixture.h"
#include "tests/win/gbk.h"
#include "tests/win/menu_driver.h"

namespace wendrill {
namespace {

using test::gbk;

// A modifier held down, as the keyboard reports it to the program, until the object goes.
class HeldKey {
  public:
    HeldKey(WORD key, const test::Translator& translate) : key_(key), translate_(translate) {
        send(0);
    }
    ~HeldKey() { send(KEYEVENTF_KEYUP); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

  private:
    void send(DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key_;
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof input);
        EXPECT_TRUE(test::pumpUntilInputHandled(translate_));
    }
    WORD key_;
    test::Translator translate_;
};

class HeldKeysTest : public test::AppFixture {
  protected:
    void SetUp() override { startApp(); }

    // Runs the program's keyboard steps, noting each key but `own` that goes down while a
    // modifier is down.
    test::Translator noting(std::vector<WPARAM>& chords, WORD held, WORD own) {
        return [this, &chords, held, own](MSG& msg) {
            const bool modified = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0;
            if (msg.message == WM_KEYDOWN && modified && msg.wParam != held &&
                msg.wParam != own && msg.wParam != VK_F24) {
                chords.push_back(msg.wParam);
            }
            return app->translateKeys(msg);
        };
    }
};

TEST_F(HeldKeysTest, HeldModifiersChangeNothingACommandDoesAfterwards) {
    const DocText divided = gbk("甲乙") + DocText(kDividerText) + gbk("\r\n丙");
    struct Case {
        const char* pin;
        WORD held;
        WORD key;              // pressed while held, or 0: the menu item is chosen
        std::u16string_view item;
        DocText text;
        int32_t start, length;  // the selection before
        DocText expected;
        int32_t caret;  // where the caret ends, with nothing selected; -1: not looked at
    } cases[] = {
        {"Ctrl+Y on a line of one character: Delete, not Ctrl+Delete", VK_CONTROL, 'Y', u"",
         "a\r\nbcd efg", 1, 0, "abcd efg", 1},
        {"删除 without a selection: one character, not a word", VK_CONTROL, 0, u"删除", "ab cd", 0,
         0, "b cd", 0},
        {"插入分割线: the caret moves on, Shift selects nothing", VK_SHIFT, 0, u"插入分割线",
         gbk("甲乙\r\n丙"), 2, 0, divided, 2 + 37 + 1},
        {"段后插入空行 under Shift", VK_SHIFT, 0, u"段后插入空行", gbk("甲\r\n乙"),
         0, 0, gbk("甲\r\n\r\n乙"), -1},
        {"删除同类字符 under Shift", VK_SHIFT, 0, u"删除同类字符", gbk("我的书的页"), 1, 1,
         gbk("我书页"), -1},
        {"首行缩进 under Shift", VK_SHIFT, 0, u"首行缩进", gbk("甲\r\n乙"), 0, 0,
         gbk("甲\r\n    乙"), -1},
    };
    for (const Case& c : cases) {
        editor().setText(c.text);
        select(c.start, c.length);
        std::vector<WPARAM> chords;
        const test::Translator translate = noting(chords, c.held, c.key);
        {
            HeldKey held(c.held, translate);
            if (c.key != 0) {
                pressKeys(c.key);
            } else {
                ASSERT_TRUE(test::chooseMenuItem(app->window().handle(), c.item));
            }
            ASSERT_TRUE(test::pumpUntilInputHandled(translate));
            ASSERT_TRUE(test::pumpUntilInputHandled(translate));
        }
        EXPECT_EQ(chords, std::vector<WPARAM>{}) << c.pin << ": keys under the modifier";
        EXPECT_EQ(editor().getText(), c.expected) << c.pin;
        if (c.caret >= 0) {
            EXPECT_EQ(editor().getSelectionStart(), c.caret) << c.pin;
            EXPECT_EQ(editor().getSelectionLength(), 0) << c.pin;
        }
    }
}

}  // namespace
}  // namespace wendrill
