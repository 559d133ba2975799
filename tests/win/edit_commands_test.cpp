// The basic edit commands on the real window: from the menu, from their shortcuts and from the
// Editor's right-click menu.

#include "commands/edit_commands.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include "editor/clipboard.h"
#include "tests/win/keys.h"
#include "tests/win/app_fixture.h"
#include "tests/win/gbk.h"
#include "tests/win/menu_driver.h"

namespace wendrill {
namespace {

using test::gbk;

class EditCommandsTest : public test::AppFixture {
  protected:
    void SetUp() override { startApp(); }

    void press(uint16_t k1, uint16_t k2 = 0) {
        pressKeys(k1, k2);
        settle();
    }
    std::wstring searchText() {
        wchar_t text[256] = {};
        GetWindowTextW(app->window().searchEdit(), text, 256);
        return text;
    }
};

TEST_F(EditCommandsTest, CutThenUndoBringsTheTextBack) {
    editor().setText(gbk("第一章正文"));
    select(1, 2);
    choose(u"剪切");
    EXPECT_EQ(editor().getText(), gbk("第正文"));
    EXPECT_EQ(clipboardText(), gbk("一章"));
    choose(u"撤销");
    EXPECT_EQ(editor().getText(), gbk("第一章正文"));
}

TEST_F(EditCommandsTest, ClipboardShortcutsInSearchEditActOnTheEditor) {
    editor().setText("abc");
    select(0, 1);
    SetFocus(app->window().searchEdit());
    press(VK_CONTROL, 'C');
    EXPECT_EQ(clipboardText(), "a");
    press(VK_CONTROL, 'X');
    EXPECT_EQ(editor().getText(), "bc");
    select(2, 0);
    SetFocus(app->window().searchEdit());
    press(VK_CONTROL, 'V');
    EXPECT_EQ(editor().getText(), "bca");
    EXPECT_EQ(searchText(), L"");
}

TEST_F(EditCommandsTest, DeleteAndUndoActOnTheFocusedControl) {
    editor().setText("abc");
    SetFocus(app->window().searchEdit());
    press('X');
    press('Y');
    SendMessageW(app->window().searchEdit(), EM_SETSEL, 0, 0);
    choose(u"删除");
    EXPECT_EQ(searchText(), L"y");
    press(VK_CONTROL, 'Z');
    EXPECT_EQ(searchText(), L"xy");
    EXPECT_EQ(editor().getText(), "abc");
}

TEST_F(EditCommandsTest, DeleteTakesTheSelectionOrOneCharacterForward) {
    editor().setText(gbk("甲乙丙丁"));
    select(1, 2);
    choose(u"删除");
    EXPECT_EQ(editor().getText(), gbk("甲丁"));
    select(0, 0);
    choose(u"删除");
    EXPECT_EQ(editor().getText(), gbk("丁"));
}

TEST_F(EditCommandsTest, DeleteLineEmptiesTheLineThenRemovesIt) {
    editor().setText(gbk("第一行\r\n第二行文字\r\n第三行"));
    select(5, 0);  // inside the second line
    press(VK_CONTROL, 'Y');
    EXPECT_EQ(editor().getText(), gbk("第一行\r\n\r\n第三行"));
    press(VK_CONTROL, 'Y');  // the caret is at the start of the empty line
    EXPECT_EQ(editor().getText(), gbk("第一行\r\n第三行"));
}

TEST_F(EditCommandsTest, DeleteLineTakesEveryCharacterOfAnyLine) {
    struct Case {
        const char* pin;
        DocText text;
        DocText expected;
    } cases[] = {
        {"half-width letters: all six, not three", "abcdef\r\nx", "\r\nx"},
        {"a line past 8187 bytes", DocText(9000, 'q') + "\r\nx", "\r\nx"},
        {"the last line, without a break", gbk("甲\r\n乙丙"), gbk("甲\r\n")},
    };
    editor().setWordWrap(false);
    for (const Case& c : cases) {
        editor().setText(c.text);
        const int32_t lastLine =
            static_cast<int32_t>(SendMessageW(editor().window(), EM_GETLINECOUNT, 0, 0) - 1);
        select(c.text.find('x') == DocText::npos ? editor().lineStart(lastLine) : 0, 0);
        press(VK_CONTROL, 'Y');
        EXPECT_EQ(editor().getText(), c.expected) << c.pin;
    }
}

TEST_F(EditCommandsTest, CopyAllSelectsEverythingAndCopiesPlainText) {
    editor().setText(gbk("甲\r\n乙"));
    press(kKeyF10);
    EXPECT_EQ(clipboardText(), gbk("甲\r\n乙"));
    EXPECT_EQ(editor().getSelectionLength(), 3);
    editor().setText("");
    press(kKeyF10);
    EXPECT_EQ(clipboardText(), "");
}

TEST_F(EditCommandsTest, WordWrapToggledTwiceComesBackWithItsCheckMark) {
    const DocText text = gbk("一段很长的文字") + DocText(300, 'w');
    editor().setText(text);
    choose(u"是否自动折行");
    EXPECT_FALSE(editor().getWordWrap());
    EXPECT_FALSE(app->window().isMenuChecked(Command::toggleWordWrap));
    choose(u"是否自动折行");
    EXPECT_TRUE(editor().getWordWrap());
    EXPECT_TRUE(app->window().isMenuChecked(Command::toggleWordWrap));
    EXPECT_EQ(editor().getText(), text);
}

TEST_F(EditCommandsTest, AlwaysOnTopNeitherMovesNorActivates) {
    HWND window = app->window().handle();
    RECT before, after;
    GetWindowRect(window, &before);
    choose(u"是否总在最前");
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(app->window().isMenuChecked(Command::toggleAlwaysOnTop));
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    choose(u"是否总在最前");
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(EditCommandsTest, RightClickMenuRunsTheSameCommands) {
    editor().setText("abc");
    select(0, 3);
    const UINT_PTR timer = test::answerNextPopupWith(2);  // 剪切, 复制: the second is 复制
    clearClipboard();
    SendMessageW(editor().window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    SendMessageW(editor().window(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(test::pumpUntil([] { return clipboardHasText(); }, translator()));
    KillTimer(nullptr, timer);
    EXPECT_EQ(clipboardText(), "abc");
    EXPECT_EQ(editor().getText(), "abc");
}

}  // namespace
}  // namespace wendrill
