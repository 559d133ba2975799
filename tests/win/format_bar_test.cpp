// The three lists of the format bar on the real window and Editor.

#include <gtest/gtest.h>
#include <richedit.h>

#include "tests/win/app_fixture.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

using test::gbk;

class FormatBarTest : public test::AppFixture {
  protected:
    void SetUp() override {
        startApp();
        app->editor().setText(gbk("第一段正文\r\n第二段"));
        app->editor().setSelectionStart(0);
        app->editor().setSelectionLength(3);
    }

    // Picks an item the way the list reports a user's choice.
    void choose(HWND list, const wchar_t* item) {
        const auto index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(item));
        ASSERT_NE(index, CB_ERR) << "no such item";
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(app->window().handle(), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
    CharFormat format() { return app->editor().getCharFormat(); }
};

TEST_F(FormatBarTest, NothingIsAppliedAtStart) {
    EXPECT_EQ(format().colour, kAutomaticColour);
    EXPECT_EQ(format().size, 9);
}

TEST_F(FormatBarTest, ColourThenSizeKeepsTheColour) {
    choose(app->window().colorBox(), L"\u7EA2\u8272");  // 红色
    EXPECT_EQ(format().colour, 0x0000FFu);
    EXPECT_EQ(format().size, 9);
    EXPECT_EQ(format().fontName, gbk("宋体"));
    choose(app->window().sizeBox(), L"12");
    EXPECT_EQ(format().colour, 0x0000FFu);
    EXPECT_EQ(format().size, 12);
}

TEST_F(FormatBarTest, BlackIsAnExplicitColourAndSizeAloneKeepsAutomatic) {
    choose(app->window().sizeBox(), L"20");
    EXPECT_EQ(format().colour, kAutomaticColour);
    choose(app->window().colorBox(), L"\u9ED1\u8272");  // 黑色
    EXPECT_EQ(format().colour, 0x000000u);
}

TEST_F(FormatBarTest, CharacterChoicesKeepEffectsAndResetFontAndOffset) {
    app->editor().setCharFormat(CharFormat{"Arial", 11, 3, kBold | kItalic, 0x00FF00});
    CHARFORMAT2W raw{};  // 333 twips: a fraction of a point, as pasted rich text may carry
    raw.cbSize = sizeof raw;
    raw.dwMask = CFM_SIZE;
    raw.yHeight = 333;
    SendMessageW(app->editor().window(), EM_SETCHARFORMAT, SCF_SELECTION,
                 reinterpret_cast<LPARAM>(&raw));
    choose(app->window().colorBox(), L"\u84DD\u8272");  // 蓝色
    const CharFormat result = format();
    EXPECT_EQ(result.fontName, gbk("宋体"));
    EXPECT_EQ(result.size, 16);  // the whole point below
    EXPECT_EQ(result.offset, 0);
    EXPECT_EQ(result.effects, kBold | kItalic);
    EXPECT_EQ(result.colour, 0xFF0000u);
}

TEST_F(FormatBarTest, AlignmentRemovesBulletsAndIndents) {
    app->editor().setParagraphFormat(ParagraphFormat{1, 12, 6, 4, kAlignLeft});
    choose(app->window().alignBox(), L"\u53F3\u5BF9\u9F50");  // 右对齐
    const ParagraphFormat result = app->editor().getParagraphFormat();
    EXPECT_EQ(result.alignment, kAlignRight);
    EXPECT_EQ(result.bullets, 0);
    EXPECT_EQ(result.startIndent, 0);
    EXPECT_EQ(result.nextLineOffset, 0);
    EXPECT_EQ(result.rightIndent, 0);
    choose(app->window().alignBox(), L"\u5C45\u4E2D");  // 居中
    EXPECT_EQ(app->editor().getParagraphFormat().alignment, kAlignCentre);
}

}  // namespace
}  // namespace wendrill
