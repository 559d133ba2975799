// The replace-and-repaste commands on the real window: the clipboard, the injected Ctrl+A and
// Ctrl+V through the shortcuts, and the input box.

#include "commands/replace_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/clipboard.h"
#include "tests/win/keys.h"
#include "tests/win/app_fixture.h"
#include "tests/win/clipboard_holder.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/gbk.h"
#include "tests/win/menu_driver.h"

namespace wendrill {
namespace {

using test::gbk;

using test::ClipboardHeldElsewhere;

class ReplaceCommandsTest : public test::AppFixture {
  protected:
    void SetUp() override { startApp(); }
};

TEST_F(ReplaceCommandsTest, RepasteCommandsLeaveTheNewTextInTheEditorAndOnTheClipboard) {
    struct Case {
        const char16_t* item;
        DocText text;
        int32_t selectionStart, selectionLength;
        DocText expected;
    } cases[] = {
        {u"首行缩进", gbk("甲\r\n乙\r\n"), 0, 0, gbk("甲\r\n    乙\r\n    ")},
        {u"首行缩进", gbk("甲乙"), 0, 0, gbk("甲乙")},
        {u"段后插入空行", gbk("甲\r\n\r\n乙"), 0, 0, gbk("甲\r\n\r\n\r\n\r\n乙")},
        {u"删除同类字符", gbk("我的书的页"), 1, 1, gbk("我书页")},
        {u"删除同类字符", "Aa\r\nbAa\r\nb", 1, 3, "AA"},  // "a\r\nb", break and all
        {u"删除同类字符", "abc", 0, 0, "abc"},            // nothing selected
    };
    for (const Case& c : cases) {
        editor().setText(c.text);
        select(c.selectionStart, c.selectionLength);
        choose(c.item);
        EXPECT_EQ(editor().getText(), c.expected);
        EXPECT_EQ(clipboardText(), c.expected);
    }
}

TEST_F(ReplaceCommandsTest, IndentIsUndoneInOneStep) {
    editor().setText(gbk("甲\r\n乙"));
    choose(u"首行缩进");
    ASSERT_EQ(editor().getText(), gbk("甲\r\n    乙"));
    choose(u"撤销");
    EXPECT_EQ(editor().getText(), gbk("甲\r\n乙"));
}

TEST_F(ReplaceCommandsTest, AClipboardHeldElsewhereNeverLosesTheDocument) {
    for (const char16_t* item : {u"段后插入空行", u"删除同类字符", u"首行缩进"}) {
        ASSERT_TRUE(setClipboardText(nullptr, "stale"));
        editor().setText(gbk("甲\r\n乙"));
        select(0, 0);
        ClipboardHeldElsewhere holder;
        ASSERT_TRUE(holder.held());
        choose(item);
        const DocText text = editor().getText();
        EXPECT_NE(text, "") << "emptied";
        EXPECT_EQ(text.find("stale"), DocText::npos) << "pasted the old clipboard";
    }
    // The document got its new text all the same, written directly.
    EXPECT_EQ(editor().getText(), gbk("甲\r\n    乙"));
}

// Another program may change the clipboard between the command and the paste that follows it.
TEST_F(ReplaceCommandsTest, AClipboardChangedMeanwhileIsNotPasted) {
    const std::pair<const char16_t*, DocText> cases[] = {
        {u"段后插入空行", gbk("甲\r\n\r\n乙")},
        {u"删除同类字符", gbk("甲\r\n乙")},
        {u"首行缩进", gbk("甲\r\n    乙")},
    };
    for (const auto& [item, expected] : cases) {
        editor().setText(gbk("甲\r\n乙"));
        select(0, 0);
        ASSERT_TRUE(test::chooseMenuItem(app->window().handle(), item));
        ASSERT_TRUE(setClipboardText(nullptr, "changed by another program"));
        settle();
        EXPECT_EQ(editor().getText(), expected);
    }
}

TEST_F(ReplaceCommandsTest, JoinSelectedLinesJoinsOnlyTheSelection) {
    editor().setText(gbk("前\r\n甲\r\n乙\r\n丙\r\n后"));
    select(2, 5);  // 甲 CR 乙 CR 丙, the breaks counting one each
    choose(u"删除选中段落中的换行符");
    EXPECT_EQ(editor().getText(), gbk("前\r\n甲乙丙\r\n后"));
}

TEST_F(ReplaceCommandsTest, ReplaceWordsInTheDocumentOrOnlyInTheSelection) {
    editor().setText(gbk("苹果和苹果"));
    questions.inputs = {InputAnswer{true, u"苹果 香蕉"}};
    pressKeys(VK_CONTROL, 'F');
    ASSERT_TRUE(handleInput());
    EXPECT_EQ(editor().getText(), gbk("香蕉和香蕉"));
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, kReplacePrompt);
    EXPECT_EQ(questions.asked[0].title, kReplaceTitle);

    editor().setText(gbk("苹果和苹果"));
    select(3, 2);
    questions.inputs = {InputAnswer{true, u"苹果 梨"}};
    choose(u"替换文字");
    EXPECT_EQ(editor().getText(), gbk("苹果和梨"));

    questions.inputs = {InputAnswer{false, u""}};  // cancelled: nothing changes
    choose(u"替换文字");
    EXPECT_EQ(editor().getText(), gbk("苹果和梨"));
}

TEST(ReplaceWordsThroughTheRealBoxTest, TypedInputReplaces) {
    PlatformQuestions questions;
    App app(questions, u"wendrill.exe");
    ASSERT_TRUE(app.start());
    app.editor().setText(gbk("苹果和苹果"));
    {
        test::BoxDriver driver(test::kReplaceBoxTitle, [](HWND box) {
            test::type(L"\u82F9\u679C \u9999\u8549");  // 苹果 香蕉
            test::waitForField(box, 5);
            test::pressKey(VK_RETURN);
        });
        app.runCommand(Command::replaceWords);
        EXPECT_NE(driver.box(), nullptr);
    }
    EXPECT_EQ(app.editor().getText(), gbk("香蕉和香蕉"));
}

}  // namespace
}  // namespace wendrill
