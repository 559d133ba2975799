#include "editor/clipboard.h"

#include <gtest/gtest.h>

#include "editor/editor.h"
#include "tests/win/clipboard_holder.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

using test::gbk;

TEST(ClipboardTest, TextRoundTripKeepsTheBytes) {
    const DocText text = gbk("中文\r\n第二行");
    ASSERT_TRUE(setClipboardText(nullptr, text));
    EXPECT_TRUE(clipboardHasText());
    EXPECT_EQ(clipboardText(), text);

    ASSERT_TRUE(setClipboardText(nullptr, ""));
    EXPECT_TRUE(clipboardHasText());
    EXPECT_EQ(clipboardText(), "");

    clearClipboard();
    EXPECT_FALSE(clipboardHasText());
}

TEST(ClipboardTest, OtherProgramsReadTheTextAsUnicode) {
    ASSERT_TRUE(setClipboardText(nullptr, gbk("正文")));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    const std::wstring wide(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(wide, L"\u6B63\u6587");
}

// Clipboard managers hold the clipboard for a moment after every change: a write then waits.
TEST(ClipboardTest, AClipboardHeldForAMomentIsWaitedFor) {
    ASSERT_TRUE(setClipboardText(nullptr, "before"));
    test::ClipboardHeldElsewhere holder(20);
    ASSERT_TRUE(holder.held());
    EXPECT_TRUE(setClipboardText(nullptr, "written"));
    EXPECT_EQ(clipboardText(), "written");
}

using EditorClipboardTest = test::EditorFixture;

TEST_F(EditorClipboardTest, CopyCutAndPasteGoThroughTheClipboardExactly) {
    editor.setText(gbk("第一章\r\n正文"));
    editor.setSelectionStart(2);
    editor.setSelectionLength(3);
    editor.copyToClipboard();
    EXPECT_EQ(clipboardText(), gbk("章\r\n正"));

    editor.cutToClipboard();
    EXPECT_EQ(editor.getText(), gbk("第一文"));
    EXPECT_EQ(clipboardText(), gbk("章\r\n正"));

    editor.setSelectionStart(0);
    editor.setSelectionLength(0);
    editor.pasteFromClipboard();
    EXPECT_EQ(editor.getText(), gbk("章\r\n正第一文"));

    ASSERT_TRUE(setClipboardText(nullptr, gbk("甲乙\r\n")));
    editor.setSelectionLength(-1);
    editor.pasteFromClipboard();
    EXPECT_EQ(editor.getText(), gbk("甲乙\r\n"));
}

TEST_F(EditorClipboardTest, PasteWithoutTextChangesNothing) {
    editor.setText("abc");
    clearClipboard();
    editor.pasteFromClipboard();
    EXPECT_EQ(editor.getText(), "abc");
}

}  // namespace
}  // namespace wendrill
