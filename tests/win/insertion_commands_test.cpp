// The divider, the date and the time inserted through the clipboard into the real Editor.

#include "commands/insertion_commands.h"

#include <gtest/gtest.h>

#include <ctime>

#include "commands/insertions.h"
#include "editor/clipboard.h"
#include "tests/win/keys.h"
#include "tests/win/app_fixture.h"
#include "tests/win/clipboard_holder.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

using test::gbk;

class InsertionCommandsTest : public test::AppFixture {
  protected:
    void SetUp() override { startApp(); }
    void TearDown() override { setClockForTesting({}); }

    void fixClock(int hour, int minute, int second) {
        std::tm local{};
        local.tm_year = 2015 - 1900;
        local.tm_mon = 0;
        local.tm_mday = 5;
        local.tm_hour = hour;
        local.tm_min = minute;
        local.tm_sec = second;
        local.tm_isdst = -1;
        const std::time_t when = std::mktime(&local);
        setClockForTesting([when] { return when; });
    }
    // The command and the keys it injects, the way the shortcut runs it.
    void press(uint16_t k1, uint16_t k2 = 0) {
        pressKeys(k1, k2);
        ASSERT_TRUE(handleInput());
        ASSERT_TRUE(handleInput());
    }
};

TEST_F(InsertionCommandsTest, DividerAtTheEndOfALineStartsANewLine) {
    editor().setText(gbk("甲乙\r\n丙"));
    editor().setSelectionStart(2);
    press(kKeyF11);
    EXPECT_EQ(editor().getText(), gbk("甲乙") + DocText(kDividerText) + gbk("\r\n丙"));
    EXPECT_EQ(editor().getSelectionStart(), 2 + 37 + 1);  // over the line break behind it
    EXPECT_EQ(clipboardText(), DocText(kDividerText));
}

TEST_F(InsertionCommandsTest, DividerInsideALineIsFollowedByTheRestOfIt) {
    editor().setText(gbk("甲乙丙"));
    editor().setSelectionStart(1);
    press(kKeyF11);
    EXPECT_EQ(editor().getText(), gbk("甲") + DocText(kDividerText) + gbk("乙丙"));
    EXPECT_EQ(editor().getSelectionStart(), 1 + 37 + 1);
}

TEST_F(InsertionCommandsTest, DividerInAnEmptyDocument) {
    press(kKeyF11);
    EXPECT_EQ(editor().getText(), DocText(kDividerText));
    EXPECT_EQ(editor().getSelectionStart(), 37);  // at the end the arrow does nothing
}

TEST_F(InsertionCommandsTest, DateReplacesTheSelection) {
    fixClock(9, 3, 4);
    editor().setText(gbk("日期：某日"));
    editor().setSelectionStart(3);
    editor().setSelectionLength(2);
    press(VK_CONTROL, 'D');
    EXPECT_EQ(editor().getText(), gbk("日期：2015年1月5日"));
    EXPECT_EQ(clipboardText(), gbk("2015年1月5日"));
}

TEST_F(InsertionCommandsTest, TimeInsertsOnlyTheTimePiece) {
    struct Case {
        int hour, minute, second;
        const char* expected;
    } cases[] = {
        {10, 0, 0, "10时"},
        {10, 0, 5, "10时0分5秒"},
        {9, 3, 0, "9时3分"},
        {0, 0, 0, ""},  // midnight: nothing goes in
    };
    for (const Case& c : cases) {
        fixClock(c.hour, c.minute, c.second);
        editor().setText("[]");
        editor().setSelectionStart(1);
        press(VK_CONTROL, 'T');
        DocText expected = "[";
        expected += gbk(c.expected);
        expected += "]";
        EXPECT_EQ(editor().getText(), expected) << c.expected;
    }
}

TEST_F(InsertionCommandsTest, TheClipboardIsTheWindowsAndNothingElseIsEverPasted) {
    fixClock(9, 3, 4);
    struct Case {
        const char* pin;
        uint16_t k1, k2;
        DocText inserted;
    } cases[] = {
        {"divider", kKeyF11, 0, DocText(kDividerText)},
        {"date", VK_CONTROL, 'D', gbk("2015年1月5日")},
        {"time", VK_CONTROL, 'T', gbk("9时3分4秒")},
    };
    for (const Case& c : cases) {
        editor().setText("[]");
        editor().setSelectionStart(1);
        press(c.k1, c.k2);
        EXPECT_EQ(editor().getText(), "[" + c.inserted + "]") << c.pin;
        EXPECT_EQ(GetClipboardOwner(), app->window().handle()) << c.pin;

        // Held by another program: the text goes in all the same, never the clipboard's.
        ASSERT_TRUE(setClipboardText(nullptr, "stale"));
        editor().setText("[]");
        editor().setSelectionStart(1);
        {
            test::ClipboardHeldElsewhere holder(1000);
            ASSERT_TRUE(holder.held());
            press(c.k1, c.k2);
        }
        EXPECT_EQ(editor().getText(), "[" + c.inserted + "]") << c.pin << ", clipboard held";
        EXPECT_EQ(clipboardText(), "stale") << c.pin;
    }
}

}  // namespace
}  // namespace wendrill
