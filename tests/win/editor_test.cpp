#include "editor/editor.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include "tests/win/editor_fixture.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

using test::gbk;

using EditorTest = test::EditorFixture;

TEST_F(EditorTest, StartsEmptyUnmodifiedAndWrapping) {
    EXPECT_EQ(editor.getText(), "");
    EXPECT_FALSE(editor.isModified());
    EXPECT_TRUE(editor.getWordWrap());
    EXPECT_EQ(editor.getSelectionStart(), 0);
    EXPECT_EQ(editor.getSelectionLength(), 0);
}

TEST_F(EditorTest, PositionsCountCharactersAndLineBreaks) {
    editor.setText(gbk("第一章 开头\r\n正文甲乙\r\n\r\nabc"));
    EXPECT_EQ(editor.textLength(), 16);
    EXPECT_EQ(editor.lineStart(0), 0);
    EXPECT_EQ(editor.lineStart(1), 7);
    EXPECT_EQ(editor.lineStart(2), 12);
    EXPECT_EQ(editor.lineStart(3), 13);
    editor.setSelectionStart(12);
    EXPECT_EQ(editor.currentLine(), 2);
    editor.setSelectionStart(8);
    editor.setSelectionLength(4);
    EXPECT_EQ(editor.getSelectedText(), gbk("文甲乙\r\n"));
}

TEST_F(EditorTest, TextComesOutExactlyWithCrLf) {
    const DocText text = gbk("第一章 开头\r\n正文甲乙\r\n\r\nabc");
    editor.setText(text);
    EXPECT_EQ(editor.getText(), text);
    EXPECT_TRUE(editor.isModified());
}

TEST_F(EditorTest, LoneCrAndLfBecomeCrLf) {
    editor.setText("a\rb\nc\r\n");
    EXPECT_EQ(editor.getText(), "a\r\nb\r\nc\r\n");
}

TEST_F(EditorTest, LongTextSurvivesChunkBoundaries) {
    // Shifting the text byte by byte puts a chunk boundary once inside every kind of character
    // and once between the CR and the LF of a line break.
    const DocText body = test::longChineseText(1700);  // about 42 KB, streamed in chunks
    const size_t lineLength = body.find('\n') + 1;
    for (size_t shift = 0; shift < lineLength; ++shift) {
        Editor fresh;
        ASSERT_TRUE(fresh.create(window.handle(), test::kEditorPlace, 101));
        const DocText text = DocText(shift, 'a') + body;
        fresh.setText(text);
        ASSERT_EQ(fresh.getText(), text) << "shift " << shift;
    }
}

TEST_F(EditorTest, ReplacingTheTextKeepsFocusPlaceAndNotifies) {
    editor.setText(test::longChineseText(7000));
    HWND before = editor.window();
    HWND announced = nullptr;
    editor.onControlCreated([&](HWND control) { announced = control; });
    ASSERT_EQ(announced, before);

    const DocText next = test::longChineseText(500, "替换后的文字");
    editor.setText(next);
    EXPECT_EQ(editor.getText(), next);
    EXPECT_EQ(announced, editor.window());
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(GetFocus(), editor.window());
    EXPECT_TRUE(editor.isModified());
    EXPECT_EQ(SendMessageW(editor.window(), EM_CANUNDO, 0, 0), 0);
    RECT place;
    GetWindowRect(editor.window(), &place);
    MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 25);
    EXPECT_EQ(place.right - place.left, 600);
    EXPECT_EQ(GetDlgCtrlID(editor.window()), 100);
}

TEST_F(EditorTest, SelectAllSelectsTheTextAndStaysStored) {
    editor.setText(gbk("甲乙\r\nabc"));
    editor.setSelectionLength(-1);
    EXPECT_EQ(editor.getSelectionStart(), 0);
    EXPECT_EQ(editor.getSelectionLength(), 6);  // not one past the end
    editor.setSelectionStart(3);                // the stored -1 still selects everything
    EXPECT_EQ(editor.getSelectionStart(), 0);
    EXPECT_EQ(editor.getSelectionLength(), 6);
    editor.setSelectionLength(-5);  // below -1 counts as -1
    EXPECT_EQ(editor.getSelectionLength(), 6);
    EXPECT_EQ(editor.getSelectedText(), gbk("甲乙\r\nabc"));  // no final paragraph mark
    editor.setText(gbk("甲乙\r\nabc\r\n"));
    editor.setSelectionLength(-1);
    EXPECT_EQ(editor.getSelectedText(), gbk("甲乙\r\nabc\r\n"));  // its own last break stays
    editor.setText(gbk("甲乙\r\nabc"));
    editor.setSelectionLength(1);
    EXPECT_EQ(editor.getSelectionStart(), 3);
    EXPECT_EQ(editor.getSelectedText(), "a");
    editor.setSelectionStart(-4);  // below 0 counts as 0
    EXPECT_EQ(editor.getSelectedText(), gbk("甲"));
}

TEST_F(EditorTest, SetSelectedTextReplacesOnlyTheSelection) {
    editor.setText(gbk("第一章\r\n正文"));
    editor.setSelectionStart(1);
    editor.setSelectionLength(2);
    editor.setSelectedText(gbk("二\r\n节"));
    EXPECT_EQ(editor.getText(), gbk("第二\r\n节\r\n正文"));
    editor.setSelectionLength(0);
    EXPECT_EQ(editor.getSelectedText(), "");
}

TEST_F(EditorTest, ALongSelectionIsReplacedAroundItsEnds) {
    const DocText head = gbk("开头\r\n");
    const DocText middle = test::longChineseText(3000);  // beyond the undoable limit
    const DocText tail = gbk("结尾");
    editor.setText(head + middle + tail);
    editor.setSelectionStart(3);  // 开 头 CR: the middle starts at position 3
    editor.setSelectionLength(editor.textLength() - 3 - 2);
    ASSERT_EQ(editor.getSelectedText(), middle);
    editor.setSelectedText(gbk("新\r\n"));
    EXPECT_EQ(editor.getText(), head + gbk("新\r\n") + tail);
    EXPECT_EQ(editor.getSelectionStart(), 5);  // behind the new part
    EXPECT_EQ(editor.getSelectionLength(), 0);
}

TEST_F(EditorTest, LineTextEndsInCrOnlyWhereALineBreakIs) {
    editor.setText(gbk("第一章 开头\r\n\r\nabc"));
    EXPECT_EQ(editor.lineText(0), gbk("第一章 开头\r"));
    EXPECT_EQ(editor.lineText(1), "\r");
    EXPECT_EQ(editor.lineText(2), "abc");  // the last line has no break
    EXPECT_EQ(editor.lineText(3), "");
    EXPECT_EQ(editor.lineText(-1), "");
}

TEST_F(EditorTest, WrappedDisplayLinesHaveNoCr) {
    DocText paragraph;
    for (int i = 0; i < 120; ++i) paragraph += gbk("字");
    editor.setText(paragraph + "\r\n");
    ASSERT_GT(SendMessageW(editor.window(), EM_GETLINECOUNT, 0, 0), 2);
    const DocText first = editor.lineText(0);
    EXPECT_FALSE(first.empty());
    EXPECT_NE(first.back(), '\r');
    EXPECT_EQ(editor.lineStart(1), static_cast<int32_t>(first.size() / 2));
}

TEST_F(EditorTest, LineTextStopsAt8187Bytes) {
    editor.setWordWrap(false);
    editor.setText(DocText(9000, 'x') + "\r\nend");
    EXPECT_EQ(editor.lineText(0), DocText(8187, 'x'));
    EXPECT_EQ(editor.lineText(1), "end");
}

TEST_F(EditorTest, WordWrapSwitchesWithoutChangingTheText) {
    DocText paragraph;
    for (int i = 0; i < 120; ++i) paragraph += gbk("字");
    editor.setText(paragraph);
    const auto wrappedLines = SendMessageW(editor.window(), EM_GETLINECOUNT, 0, 0);
    editor.setWordWrap(false);
    EXPECT_FALSE(editor.getWordWrap());
    EXPECT_EQ(SendMessageW(editor.window(), EM_GETLINECOUNT, 0, 0), 1);
    editor.setWordWrap(true);
    EXPECT_EQ(SendMessageW(editor.window(), EM_GETLINECOUNT, 0, 0), wrappedLines);
    EXPECT_EQ(editor.getText(), paragraph);
}

TEST_F(EditorTest, ClearSelectionDeletesWithoutTheClipboard) {
    editor.setText("abcdef");
    editor.setSelectionStart(1);
    editor.setSelectionLength(3);
    editor.clearSelection();
    EXPECT_EQ(editor.getText(), "aef");
}

TEST_F(EditorTest, DefaultFormatIsSongTiNinePointAutomaticColour) {
    editor.setText(gbk("正文"));
    editor.setSelectionLength(-1);
    const CharFormat format = editor.getCharFormat();
    EXPECT_EQ(format.fontName, gbk("宋体"));
    EXPECT_EQ(format.size, 9);
    EXPECT_EQ(format.effects, 0);
    EXPECT_EQ(format.colour, kAutomaticColour);
}

TEST_F(EditorTest, CharFormatReadsBackInWholePoints) {
    editor.setText(gbk("正文甲乙"));
    editor.setSelectionStart(0);
    editor.setSelectionLength(2);
    editor.setCharFormat(CharFormat{gbk("宋体"), 12, 0, kBold | kUnderline, 0x0000FF});
    CharFormat format = editor.getCharFormat();
    EXPECT_EQ(format.size, 12);
    EXPECT_EQ(format.effects, kBold | kUnderline);
    EXPECT_EQ(format.colour, 0x0000FFu);

    // Pasted rich text may carry fractions of a point: 333 twips are 16.65 pt.
    CHARFORMAT2W raw{};
    raw.cbSize = sizeof raw;
    raw.dwMask = CFM_SIZE;
    raw.yHeight = 333;
    SendMessageW(editor.window(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&raw));
    EXPECT_EQ(editor.getCharFormat().size, 16);

    editor.setCharFormat(CharFormat{gbk("宋体"), 9, 0, 0, kAutomaticColour});
    EXPECT_EQ(editor.getCharFormat().colour, kAutomaticColour);
}

TEST_F(EditorTest, ParagraphFormatAppliesAndZerosRemoveBulletsAndIndents) {
    editor.setText(gbk("第一段\r\n第二段"));
    editor.setSelectionLength(-1);
    editor.setParagraphFormat(ParagraphFormat{1, 10, 5, 3, kAlignRight});
    ParagraphFormat format = editor.getParagraphFormat();
    EXPECT_EQ(format.bullets, 1);
    EXPECT_EQ(format.startIndent, 10);
    EXPECT_EQ(format.nextLineOffset, 5);
    EXPECT_EQ(format.rightIndent, 3);
    EXPECT_EQ(format.alignment, kAlignRight);

    editor.setParagraphFormat(ParagraphFormat{0, 0, 0, 0, kAlignCentre});
    format = editor.getParagraphFormat();
    EXPECT_EQ(format.bullets, 0);
    EXPECT_EQ(format.startIndent, 0);
    EXPECT_EQ(format.alignment, kAlignCentre);

    editor.setParagraphFormat(ParagraphFormat{0, 0, 0, 0, 7});  // unknown: left
    EXPECT_EQ(editor.getParagraphFormat().alignment, kAlignLeft);
}

}  // namespace
}  // namespace wendrill
