// "撤销" of whole-text rewrites on the real window: every such command taken back in one step
// whatever the size, the control's own undo of typing in between, and a document that stays as it
// was when the control does not take a text.

#include <gtest/gtest.h>
#include <richedit.h>

#include <functional>

#include "editor/clipboard.h"
#include "tests/win/keys.h"
#include "tests/win/app_fixture.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/gbk.h"
#include "text/positions.h"

namespace wendrill {
namespace {

using test::gbk;

// Paragraphs of a novel's length with the indents, blank lines and repeated words every command
// finds something in.
DocText chapter(size_t paragraphs) {
    const DocText indents[] = {gbk("　　"), "    ", ""};
    const DocText sentence = gbk("他说的话，正文甲乙。");
    DocText text;
    for (size_t i = 0; i < paragraphs; ++i) {
        text += indents[i % 3];
        for (int s = 0; s < 4; ++s) text += sentence;
        text += static_cast<char>('0' + i % 10);
        text += "\r\n";
        if (i % 4 == 0) text += "\r\n";
    }
    return text;
}

constexpr size_t kChapterParagraphs = 460;  // about 20,000 characters
constexpr size_t kBookParagraphs = 12300;   // about 1 MB
// A command on a whole book takes seconds, and longer on a busy machine.
constexpr DWORD kBookPatience = 600000;

class UndoCommandsTest : public test::AppFixture {
  protected:
    void SetUp() override { startApp(); }

    void choose(std::u16string_view item) {
        ASSERT_TRUE(test::chooseMenuItem(app->window().handle(), item));
        // A command may inject keys of its own: the second round waits for those too.
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(test::pumpUntilInputHandled(translator(), kBookPatience));
        }
    }

    struct Command {
        const char* name;
        std::function<void()> run;
    };

    // Each of the commands that rewrite the whole document or a selection. "删除选中段落中的换行符"
    // joins the first joinLength characters (-1: everything).
    std::vector<Command> commands(int32_t joinLength) {
        return {
            {"删除全部空行", [this] { choose(u"删除全部空行"); }},
            {"删除所有行首空格", [this] { choose(u"删除所有行首空格"); }},
            {"首行缩进", [this] { choose(u"首行缩进"); }},
            {"段后插入空行", [this] { choose(u"段后插入空行"); }},
            {"删除同类字符",
             [this] {
                 select(4, 1);  // the 的 of the first line
                 choose(u"删除同类字符");
             }},
            {"删除选中段落中的换行符",
             [this, joinLength] {
                 select(0, joinLength);
                 choose(u"删除选中段落中的换行符");
             }},
            {"替换文字",
             [this] {
                 questions.inputs = {InputAnswer{true, u"正文 本文"}};
                 choose(u"替换文字");
             }},
            {"粘贴 over everything",
             [this] {
                 ASSERT_TRUE(setClipboardText(nullptr, gbk("新的一章")));
                 select(0, -1);
                 choose(u"粘贴");
             }},
        };
    }

    void expectEveryCommandUndoneInOneStep(const DocText& original, int32_t joinLength) {
        for (const Command& command : commands(joinLength)) {
            editor().loadText(original);
            command.run();
            ASSERT_TRUE(editor().getText() != original) << command.name << " changed nothing";
            choose(u"撤销");
            EXPECT_TRUE(editor().getText() == original) << command.name;
            EXPECT_TRUE(editor().isModified()) << command.name;
        }
    }
};

TEST_F(UndoCommandsTest, EveryWholeTextCommandIsUndoneInOneStepOnAChapter) {
    const DocText original = chapter(kChapterParagraphs);
    ASSERT_GE(characterCount(original), 20000);
    expectEveryCommandUndoneInOneStep(original, -1);
}

// Joining a whole book would make one paragraph of a megabyte, which the control alone takes
// minutes to lay out: the join takes a long stretch of it instead.
TEST_F(UndoCommandsTest, EveryWholeTextCommandIsUndoneInOneStepOnABook) {
    const DocText book = chapter(kBookParagraphs);
    ASSERT_GE(book.size(), size_t{1} << 20);
    expectEveryCommandUndoneInOneStep(book, 50000);
}

TEST_F(UndoCommandsTest, UndoGoesBackThroughEarlierCommandsOnABook) {
    editor().loadText(chapter(kBookParagraphs));
    questions.inputs = {InputAnswer{true, u"正文 本文"}};
    std::vector<DocText> before;
    // A command that writes the text itself, one that pastes it, and a replacement.
    for (const char16_t* item : {u"删除全部空行", u"段后插入空行", u"替换文字"}) {
        before.push_back(editor().getText());
        choose(item);
    }
    while (!before.empty()) {
        choose(u"撤销");
        EXPECT_TRUE(editor().getText() == before.back()) << before.size();
        before.pop_back();
    }
    EXPECT_EQ(editor().getSelectionStart(), 0);
}

// The control's own history covers what happened since the last whole-text rewrite; a rewrite
// puts the text into a fresh control, so typing from before it is undone with it.
TEST_F(UndoCommandsTest, TypingInBetweenIsUndoneInOrder) {
    editor().loadText(gbk("甲乙\r\n\r\n丙"));
    select(0, 0);
    pressKeys('X');
    ASSERT_TRUE(handleInput());
    choose(u"删除全部空行");
    ASSERT_EQ(editor().getText(), gbk("x甲乙\r\n丙\r\n"));
    select(0, 0);
    pressKeys('Y');
    ASSERT_TRUE(handleInput());
    select(2, 1);
    choose(u"剪切");
    ASSERT_EQ(editor().getText(), gbk("yx乙\r\n丙\r\n"));

    const DocText expected[] = {
        gbk("yx甲乙\r\n丙\r\n"),     // the cut
        gbk("x甲乙\r\n丙\r\n"),      // the typing after the command
        gbk("x甲乙\r\n\r\n丙"),      // the command, with the typing before it
        gbk("x甲乙\r\n\r\n丙"),      // nothing older: the control that held it is gone
    };
    for (const DocText& text : expected) {
        choose(u"撤销");
        EXPECT_EQ(editor().getText(), text);
    }
}

TEST_F(UndoCommandsTest, CtrlHeldThroughCtrlZTwiceNeverTypesZ) {
    const DocText original = gbk("甲\r\n\r\n乙");
    editor().loadText(original);
    choose(u"删除全部空行");
    choose(u"首行缩进");
    INPUT keys[3] = {};
    for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = 'Z';
    keys[2].ki.wVk = 'Z';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(3, keys, sizeof(INPUT));  // Ctrl down, Z pressed
    settle();
    SendInput(2, keys + 1, sizeof(INPUT));  // Z pressed again, Ctrl still down
    settle();
    keys[0].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, keys, sizeof(INPUT));
    settle();
    EXPECT_EQ(editor().getText(), original);
}

TEST_F(UndoCommandsTest, NewAndOpenStartAHistoryOfTheirOwn) {
    editor().loadText(gbk("甲\r\n\r\n乙"));
    choose(u"删除全部空行");
    questions.answers = {kAnswerNo};
    choose(u"新建");
    choose(u"撤销");
    EXPECT_EQ(editor().getText(), "");
}

// A control that refuses any text streamed into it, as one out of memory does.
LRESULT CALLBACK refusingControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    static const auto richEditProc = [] {
        WNDCLASSW richEdit{};
        GetClassInfoW(nullptr, RICHEDIT_CLASSW, &richEdit);
        return richEdit.lpfnWndProc;
    }();
    if (message == EM_STREAMIN) {
        reinterpret_cast<EDITSTREAM*>(lParam)->dwError = static_cast<DWORD>(E_OUTOFMEMORY);
        return 0;
    }
    return CallWindowProcW(richEditProc, control, message, wParam, lParam);
}

class EditorUndoTest : public test::EditorFixture {
  protected:
    // The next control the Editor makes refuses the text it is given.
    void refuseInNextControl() {
        editor.onControlCreated([current = editor.window(), done = false](HWND control) mutable {
            if (control == current || done) return;
            done = true;
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(refusingControl));
        });
    }
};

TEST_F(EditorUndoTest, AfterUndoTheCaretIsWhereTheCommandLeftItAndTheDocumentModified) {
    editor.loadText(gbk("第一章\r\n正文"));
    SendMessageW(editor.window(), EM_SETMODIFY, FALSE, 0);
    editor.setText(gbk("新文"));
    editor.setSelectionStart(1);
    editor.undo();
    EXPECT_EQ(editor.getText(), gbk("第一章\r\n正文"));
    EXPECT_EQ(editor.getSelectionStart(), 0);
    EXPECT_EQ(editor.getSelectionLength(), 0);
    EXPECT_TRUE(editor.isModified());
    EXPECT_EQ(SendMessageW(editor.window(), EM_CANUNDO, 0, 0), 0);
    editor.undo();  // nothing left: Open started the history
    EXPECT_EQ(editor.getText(), gbk("第一章\r\n正文"));
}

TEST_F(EditorUndoTest, UndoingALongSelectionReplacementSelectsTheOldPartAgain) {
    const DocText middle = test::longChineseText(3000);  // beyond what is replaced in place
    editor.loadText(gbk("开头\r\n") + middle + gbk("结尾"));
    editor.setSelectionStart(3);
    editor.setSelectionLength(editor.textLength() - 5);
    editor.setSelectedText(gbk("新"));
    ASSERT_EQ(editor.getText(), gbk("开头\r\n新结尾"));
    editor.undo();
    EXPECT_EQ(editor.getSelectedText(), middle);
}

// What the repaste commands do with the text they read: as select-all and a paste would.
TEST_F(EditorUndoTest, ReplacingAllTextLeavesTheCaretBehindItAndUndoSelectsTheOldText) {
    const DocText after = gbk("新的\r\n一章");
    for (const DocText& before : {gbk("第一章\r\n正文"), test::longChineseText(3000), DocText()}) {
        editor.loadText(before);
        editor.setSelectionStart(1);
        editor.replaceAllText(after, editor.getText());
        ASSERT_EQ(editor.getText(), after);
        EXPECT_EQ(editor.getSelectionStart(), characterCount(after));
        EXPECT_EQ(editor.getSelectionLength(), 0);
        EXPECT_TRUE(editor.isModified());
        editor.undo();
        EXPECT_TRUE(editor.getText() == before);
        EXPECT_EQ(editor.getSelectionStart(), 0);
        EXPECT_EQ(editor.getSelectionLength(), characterCount(before));
    }
}

TEST_F(EditorUndoTest, ATextTheControlDoesNotTakeLeavesTheDocumentAsItWas) {
    const DocText before = test::longChineseText(100);
    editor.loadText(before);
    editor.setSelectionStart(7);
    SendMessageW(editor.window(), EM_SETMODIFY, FALSE, 0);

    refuseInNextControl();
    EXPECT_FALSE(editor.setText(test::longChineseText(200)));
    EXPECT_TRUE(editor.getText() == before);
    EXPECT_EQ(editor.getSelectionStart(), 7);
    EXPECT_FALSE(editor.isModified());
    editor.undo();  // the refused text left no step behind
    EXPECT_TRUE(editor.getText() == before);
}

TEST_F(EditorUndoTest, AnUndoTheControlDoesNotTakeKeepsItsStep) {
    const DocText first = test::longChineseText(100);
    editor.loadText(first);
    editor.setText("short");
    refuseInNextControl();
    editor.undo();
    EXPECT_EQ(editor.getText(), "short");
    editor.undo();
    EXPECT_TRUE(editor.getText() == first);
}

}  // namespace
}  // namespace wendrill
