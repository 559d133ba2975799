// The document is plain text: a paste brings no formats from the clipboard, a whole-text rewrite
// leaves the initial formats, and a half-typed input-method word is part of what a command reads.

#include <gtest/gtest.h>
#include <windows.h>
#include <imm.h>

#include <cstring>
#include <functional>

#include "editor/clipboard.h"
#include "tests/win/keys.h"
#include "files/document_commands.h"
#include "files/document_file.h"
#include "files/known_folders.h"
#include "tests/win/app_fixture.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

using test::gbk;

constexpr uint32_t kRed = 0x0000FF;
const CharFormat kRedTitle{gbk("宋体"), 36, 0, 0, kRed};

class PlainTextTest : public test::AppFixture {
  protected:
    void SetUp() override { startApp(); }

    CharFormat formatOf(int32_t start, int32_t length) {
        select(start, length);
        return editor().getCharFormat();
    }
    // Every character of the document, and the caret's format for what is typed next.
    void expectInitialFormats(const char* what) {
        const int32_t length = editor().textLength();
        for (const auto& [start, count] : {std::pair{0, length}, std::pair{0, 1},
                                           std::pair{length - 1, 1}, std::pair{length, 0}}) {
            const CharFormat format = formatOf(start, count);
            EXPECT_EQ(format.size, 9) << what << " at " << start;
            EXPECT_EQ(format.colour, kAutomaticColour) << what << " at " << start;
        }
        select(0, 0);
        EXPECT_EQ(editor().getParagraphFormat().alignment, kAlignLeft) << what;
    }
};

// Puts rich text on the clipboard beside its plain text, as a word processor or browser does.
void setRichClipboard(const char* rtf, const wchar_t* plain) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const auto put = [](UINT format, const void* bytes, size_t size) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
        SetClipboardData(format, memory);
    };
    put(RegisterClipboardFormatW(L"Rich Text Format"), rtf, std::strlen(rtf) + 1);
    put(CF_UNICODETEXT, plain, (std::wcslen(plain) + 1) * sizeof(wchar_t));
    CloseClipboard();
}

TEST_F(PlainTextTest, APasteTakesThePlainTextInTheFormatAtTheCaret) {
    const char* rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue255;}"
        "\\f0\\cf1\\fs96 Blue}";
    editor().setText("abc");
    setRichClipboard(rtf, L"Blue");
    select(1, 0);
    choose(u"粘贴");
    EXPECT_EQ(editor().getText(), "aBluebc");
    const CharFormat pasted = formatOf(1, 4);
    EXPECT_EQ(pasted.size, 9);
    EXPECT_EQ(pasted.colour, kAutomaticColour);
    EXPECT_EQ(pasted.fontName, gbk("宋体"));

    select(0, -1);
    editor().setCharFormat(kRedTitle);
    select(2, 0);
    choose(u"粘贴");
    const CharFormat atCaret = formatOf(2, 4);
    EXPECT_EQ(atCaret.size, 36);
    EXPECT_EQ(atCaret.colour, kRed);
}

TEST_F(PlainTextTest, AWholeTextRewriteLeavesTheInitialFormats) {
    const std::wstring path =
        specialFolder(SpecialFolder::temporaryFiles) + L"wendrill-formats.txt";
    ASSERT_TRUE(writeWholeFile(path, gbk("　　打开的文件\r\n")));
    struct Case {
        const char* what;
        std::function<void()> rewrite;
    } cases[] = {
        {"Ctrl+R",
         [this] {
             pressKeys(VK_CONTROL, 'R');
             settle();
         }},
        {"删除所有行首空格", [this] { choose(u"删除所有行首空格"); }},
        {"首行缩进", [this] { choose(u"首行缩进"); }},
        {"替换文字 over everything",
         [this] {
             questions.inputs = {InputAnswer{true, u"标题 题目"}};
             select(0, 0);
             choose(u"替换文字");
         }},
        {"粘贴 over everything",
         [this] {
             ASSERT_TRUE(setClipboardText(nullptr, gbk("粘贴的一章\r\n")));
             select(0, -1);
             choose(u"粘贴");
         }},
        {"Open", [&] { openDocumentFile(app->documentPlace(), path, kOpenCaptionPrefix); }},
    };
    for (const Case& c : cases) {
        editor().setText(gbk("　　红色的标题\r\n\r\n    正文\r\n"));
        select(0, -1);
        editor().setCharFormat(kRedTitle);
        editor().setParagraphFormat({0, 0, 0, 0, kAlignCentre});
        c.rewrite();
        ASSERT_NE(editor().textLength(), 0) << c.what;
        expectInitialFormats(c.what);
    }
    DeleteFileW(path.c_str());
}

TEST_F(PlainTextTest, NewLeavesTheInitialFormatsAtTheCaret) {
    editor().setText(gbk("红色"));
    select(0, -1);
    editor().setCharFormat(kRedTitle);
    select(2, 0);
    questions.answers = {kAnswerNo};
    choose(u"新建");
    const CharFormat format = editor().getCharFormat();
    EXPECT_EQ(format.size, 9);
    EXPECT_EQ(format.colour, kAutomaticColour);
}

// Under Wine the input method shows the word being composed in the control itself; confirmed
// after the command, it would go in a second time.
TEST_F(PlainTextTest, AWordBeingComposedIsCompletedBeforeACommandReadsTheText) {
    editor().setText(gbk("甲\r\n\r\n"));
    select(1, 0);
    HWND control = editor().window();
    HIMC context = ImmGetContext(control);
    ASSERT_NE(context, nullptr);
    const std::wstring word = L"\u62FC\u97F3";  // 拼音
    ASSERT_TRUE(ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<wchar_t*>(word.data()),
                                         static_cast<DWORD>(word.size() * sizeof(wchar_t)),
                                         nullptr, 0));
    pump();
    choose(u"删除全部空行");
    EXPECT_EQ(ImmGetCompositionStringW(context, GCS_COMPSTR, nullptr, 0), 0) << "still composing";
    // The user confirms the word, as they would once the command is done.
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    pump();
    ImmReleaseContext(control, context);
    EXPECT_EQ(editor().getText(), gbk("甲拼音\r\n"));
}

}  // namespace
}  // namespace wendrill
