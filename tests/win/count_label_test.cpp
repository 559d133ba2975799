// The 字数 label on the real window: what kind of control it is, and its figures after each way the document or
// the selection changes, read back from the label itself.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <imm.h>

#include <filesystem>
#include <fstream>

#include "app/count_label_text.h"
#include "editor/clipboard.h"
#include "editor/codepage.h"
#include "tests/win/keys.h"
#include "editor/text_reading.h"
#include "files/document_commands.h"
#include "tests/win/app_fixture.h"
#include "tests/win/drop_data.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/file_dialog_driver.h"
#include "tests/win/gbk.h"
#include "text/character_count.h"
#include "text/code_page.h"

namespace wendrill {
namespace {

using test::gbk;

// 14 characters that count: 第一章 开头 正文 ， 甲乙 。 abc.
const char* const kChapterUtf8 = "第一章　开头\r\n\r\n  正文，甲乙。abc";

class CountLabelTest : public test::AppFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override {
        app.reset();  // its drop registrations end while OLE is still there
        for (const DocText& path : written_) DeleteFileW(wideFromDoc(path).c_str());
        OleUninitialize();
    }

    DocText writeFile(const DocText& name, const DocText& bytes) {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        const DocText path = docFromWide(folder) + name;
        std::ofstream(std::filesystem::path(wideFromDoc(path)), std::ios::binary) << bytes;
        written_.push_back(path);
        return path;
    }

    std::u16string label() const {
        wchar_t text[256] = {};
        GetWindowTextW(app->window().countLabel(), text, 256);
        return std::u16string(reinterpret_cast<const char16_t*>(text));
    }
    // The label catches up once the user pauses; the test pauses until it shows `expected`.
    void expectLabel(const std::u16string& expected) {
        test::pumpUntil([&] { return label() == expected; }, translator(), 10000);
        EXPECT_EQ(label(), expected);
    }
    void type(uint16_t k1, uint16_t k2 = 0) {
        pressKeys(k1, k2);
        ASSERT_TRUE(handleInput());
    }

  private:
    std::vector<DocText> written_;
};

// Its place and font at each DPI are in dpi_test.cpp.
TEST_F(CountLabelTest, IsAPlainLabelMadeAfterDropPad) {
    startApp();
    HWND label = app->window().countLabel();
    wchar_t windowClass[32] = {};
    GetClassNameW(label, windowClass, 32);
    EXPECT_EQ(std::wstring(windowClass), WC_STATICW);
    EXPECT_EQ(GetWindowLongW(label, GWL_STYLE) & (WS_TABSTOP | WS_BORDER), 0);
    EXPECT_EQ(GetWindowLongW(label, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), 0);
    EXPECT_EQ(GetWindow(app->window().dropPad(), GW_HWNDNEXT), label) << "made after DropPad";
    expectLabel(u"字数：0");
}

TEST_F(CountLabelTest, FollowsTheFileOpenedAtStartTypingAndTheSelection) {
    const DocText path = writeFile("count-start.txt", gbk(kChapterUtf8));
    startApp(u"wendrill.exe " + wide(path));
    expectLabel(u"字数：14");

    type(VK_CONTROL, VK_END);
    type('X');
    type(VK_SPACE);
    type(VK_RETURN);
    type('Y');
    expectLabel(u"字数：16");

    type(VK_BACK);
    type(VK_BACK);
    type(VK_BACK);
    expectLabel(u"字数：15");

    type(VK_SHIFT, VK_HOME);  // "  正文，甲乙。abcX"
    expectLabel(u"字数：15\u3000选中：10");
    type(VK_CONTROL, 'A');
    expectLabel(u"字数：15\u3000选中：15");

    type(VK_HOME);
    expectLabel(u"字数：15");
    type(VK_SHIFT, VK_LEFT);  // a line break alone is selected text that counts nothing
    expectLabel(u"字数：15\u3000选中：0");
    type('Z');  // typed over the selection
    expectLabel(u"字数：16");
}

// Counts the times the whole text is read out of a control.
class WholeTextReads {
  public:
    explicit WholeTextReads(HWND control) : control_(control) {
        SetWindowSubclass(control_, procedure, kId, reinterpret_cast<DWORD_PTR>(this));
    }
    ~WholeTextReads() { RemoveWindowSubclass(control_, procedure, kId); }
    int count = 0;

  private:
    static constexpr UINT_PTR kId = 77;
    static LRESULT CALLBACK procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) {
        if (message == EM_STREAMOUT && !(wParam & SFF_SELECTION)) {
            ++reinterpret_cast<WholeTextReads*>(self)->count;
        }
        return DefSubclassProc(control, message, wParam, lParam);
    }
    HWND control_;
};

// Typing, deleting, Enter, the input method and pastes change the figure by what they changed:
// the label follows them without reading the document again, which for a novel would hold up
// the next key.
TEST_F(CountLabelTest, FollowsWhatTheUserTypesWithoutReadingTheWholeTextAgain) {
    startApp();
    editor().setText(gbk("甲乙\r\n\r\n丙"));
    expectLabel(u"字数：3");
    type(VK_CONTROL, VK_END);
    const HWND control = editor().window();
    WholeTextReads reads(control);
    // The figure the label must show, from the control's own text (not read by a stream-out).
    const auto expectExact = [&] {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
        const int copied = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
        text.resize(static_cast<size_t>(copied));
        const auto count = nonSpaceCharacterCount(
            std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
        expectLabel(countLabelText(count, std::nullopt));
    };
    const auto character = [&](wchar_t unit) {
        PostMessageW(control, WM_CHAR, unit, 1);
        pump();
    };

    type('X');
    character(L'\u4E01');  // 丁
    character(0xD83D);  // 😀, as two halves
    character(0xDE00);
    expectLabel(u"字数：6");
    type(VK_RETURN);
    type(VK_SPACE);
    character(L'\u3000');
    type(VK_TAB);
    expectLabel(u"字数：6");
    for (int i = 0; i < 5; ++i) type(VK_BACK);
    expectExact();
    type(VK_HOME);
    type(VK_DELETE);
    type(VK_CONTROL, VK_DELETE);
    type(VK_CONTROL, VK_END);
    type(VK_CONTROL, VK_BACK);
    expectExact();

    HIMC context = ImmGetContext(control);
    ASSERT_NE(context, nullptr);
    std::wstring word = L"\u62FC\u97F3";  // 拼音
    const auto bytes = static_cast<DWORD>(word.size() * sizeof(wchar_t));
    ASSERT_TRUE(ImmSetCompositionStringW(context, SCS_SETSTR, word.data(), bytes, nullptr, 0));
    pump();
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    pump();
    ImmReleaseContext(control, context);
    expectExact();

    ASSERT_TRUE(setClipboardText(app->window().handle(), gbk("戊 己\r\n庚")));
    SendMessageW(control, WM_PASTE, 0, 0);  // the control's own paste
    expectExact();
    type(VK_CONTROL, 'V');  // the program's paste
    expectExact();
    type(VK_SHIFT, VK_LEFT);
    type(VK_SHIFT, VK_LEFT);
    type('Z');
    expectExact();
    EXPECT_EQ(reads.count, 0);

    // What the control undoes may lie anywhere: the whole text is counted again.
    type(VK_CONTROL, 'Z');
    expectExact();
}

TEST_F(CountLabelTest, FollowsCleanUpCommandsTheirUndoAndTypingInTheControlTheyLeave) {
    startApp();
    editor().setText(gbk(kChapterUtf8));
    select(gbk("第一章　开头\r\n\r\n  正文，").size() / 2, 1);  // 甲
    expectLabel(u"字数：14\u3000选中：1");
    choose(u"删除同类字符");  // through the clipboard and a paste
    expectLabel(u"字数：13");

    // A long document: the new text goes into a fresh control, which the label follows too.
    editor().setText(test::longChineseText(3000));
    expectLabel(u"字数：36000");
    const HWND before = editor().window();
    questions.inputs = {InputAnswer{true, u"甲 甲甲"}};
    choose(u"替换文字");
    ASSERT_NE(editor().window(), before);
    expectLabel(u"字数：39000");
    SetFocus(editor().window());
    type('Q');
    expectLabel(u"字数：39001");

    choose(u"撤销");  // the control's own undo of the typing
    expectLabel(u"字数：39000");
    choose(u"撤销");  // the replacement, taken back through another fresh control
    expectLabel(u"字数：36000");
}

TEST_F(CountLabelTest, FollowsOpenNewAndADroppedFile) {
    startApp();
    const DocText opened = writeFile("count-open.txt", gbk(kChapterUtf8));
    const DocText dropped = writeFile("count-drop.txt", gbk("拖进来的 文件"));

    test::FileDialogDriver driver(app->window().handle(), wideFromDoc(opened));
    ASSERT_TRUE(test::chooseMenuItem(app->window().handle(), u"打开"));
    EXPECT_TRUE(driver.found());
    expectLabel(u"字数：14");

    select(0, 3);
    expectLabel(u"字数：14\u3000选中：3");
    questions.answers = {kAnswerNo};  // not saved
    choose(u"新建");
    expectLabel(u"字数：0");

    test::DataObject files = test::fileDrop({wideFromDoc(dropped)});
    DWORD effect = DROPEFFECT_COPY;
    app->dropTarget().DragEnter(&files, MK_LBUTTON, {}, &effect);
    app->dropTarget().Drop(&files, 0, {}, &effect);
    expectLabel(u"字数：6");
}

// The label counts the text piece by piece as the control gives it out, and stops for the user.
class TextReadingTest : public test::EditorFixture {};

TEST_F(TextReadingTest, ThePiecesMakeTheWholeTextAndTheReadingStopsWhenAsked) {
    // Pairs of UTF-16 units (😀) at every offset of the pieces.
    std::u16string text;
    for (int line = 0; line < 4000; ++line) {
        text += u"第";
        for (int k = 0; k < line % 7; ++k) text += u"😀";
        text += u"章\r\n";
    }
    editor.setText(docFromUtf16(text));

    std::u16string read;
    int pieces = 0;
    EXPECT_TRUE(readTextInPieces(editor, [&](std::u16string_view piece) {
        read += piece;
        return ++pieces > 0;
    }));
    EXPECT_EQ(read, text);
    EXPECT_GT(pieces, 1);

    pieces = 0;
    EXPECT_FALSE(readTextInPieces(editor, [&](std::u16string_view) { return ++pieces < 2; }));
    EXPECT_EQ(pieces, 2) << "no piece after the answer to stop";

    editor.setSelectionStart(1);
    editor.setSelectionLength(3);  // 章, the break, 第
    read.clear();
    EXPECT_TRUE(readSelectionInPieces(editor, [&](std::u16string_view piece) {
        read += piece;
        return true;
    }));
    EXPECT_EQ(read, u"章\r\n第");
}

}  // namespace
}  // namespace wendrill
