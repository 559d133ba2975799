#include "commands/format_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// GBK byte escapes, each named in a comment.

namespace wendrill {
namespace {

template <class Value>
std::vector<std::string_view> textsOf(const auto& items) {
    std::vector<std::string_view> texts;
    for (const ListItem<Value>& item : items) texts.push_back(item.text);
    return texts;
}

TEST(FormatTables, AlignItemsInListOrder) {
    const std::vector<std::string_view> expected = {
        "\xBE\xD3\xD6\xD0",          // 居中
        "\xD7\xF3\xB6\xD4\xC6\xEB",  // 左对齐
        "\xD3\xD2\xB6\xD4\xC6\xEB",  // 右对齐
    };
    EXPECT_EQ(textsOf<Alignment>(kAlignItems), expected);
    EXPECT_EQ(alignmentOfItem(expected[0]), kAlignCentre);
    EXPECT_EQ(alignmentOfItem(expected[1]), kAlignLeft);
    EXPECT_EQ(alignmentOfItem(expected[2]), kAlignRight);
}

TEST(FormatTables, SizeItemsAreTheirOwnNumbersInPoints) {
    const std::vector<int32_t> expected = {8, 9, 10, 12, 15, 18, 20, 24, 26, 28, 36, 48, 72};
    ASSERT_EQ(kSizeItems.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const std::string text = std::to_string(expected[i]);
        SCOPED_TRACE(text);
        EXPECT_EQ(kSizeItems[i].text, text);
        EXPECT_EQ(fontSizeOfItem(text), expected[i]);
    }
}

TEST(FormatTables, ColourItemsInListOrderStoredAsBgr) {
    struct Row {
        std::string_view text;
        uint32_t red, green, blue;
    };
    const Row rows[] = {
        {"\xBA\xDA\xC9\xAB", 0, 0, 0},        // 黑色
        {"\xBA\xEC\xC9\xAB", 255, 0, 0},      // 红色
        {"\xB3\xC8\xC9\xAB", 255, 128, 0},    // 橙色
        {"\xBB\xC6\xC9\xAB", 255, 255, 0},    // 黄色
        {"\xC2\xCC\xC9\xAB", 0, 255, 0},      // 绿色
        {"\xD7\xCF\xBA\xEC", 128, 0, 128},    // 紫红
        {"\xC4\xAB\xC2\xCC", 0, 128, 0},      // 墨绿
        {"\xC7\xB3\xBB\xD2", 192, 192, 192},  // 浅灰
        {"\xBB\xD2\xC9\xAB", 128, 128, 128},  // 灰色
        {"\xC0\xB6\xC9\xAB", 0, 0, 255},      // 蓝色
        {"\xD7\xCF\xC9\xAB", 144, 0, 255},    // 紫色
        {"\xB0\xD7\xC9\xAB", 255, 255, 255},  // 白色
    };
    ASSERT_EQ(kColourItems.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(kColourItems[i].text, row.text);
        EXPECT_EQ(colourOfItem(row.text), row.red | row.green << 8 | row.blue << 16);
    }
}

TEST(FormatTables, TextInNoTableChangesNothing) {
    const std::string_view texts[] = {
        "",                   // the empty text
        "\xBA\xEC",           // 红: a prefix of 红色
        "\xBA\xEC\xC9\xAB ",  // 红色 with a trailing space
        "11",                 // a number not in the list
        "08",                 // a listed size written otherwise
        "12\xB0\xF5",         // 12磅
    };
    for (std::string_view text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(alignmentOfItem(text), std::nullopt);
        EXPECT_EQ(fontSizeOfItem(text), std::nullopt);
        EXPECT_EQ(colourOfItem(text), std::nullopt);
    }
    // Each table answers only for its own list.
    EXPECT_EQ(colourOfItem("12"), std::nullopt);
    EXPECT_EQ(fontSizeOfItem("\xBE\xD3\xD6\xD0"), std::nullopt);  // 居中
}

const CharFormat kPastedFormat{"Arial", 11, -3,
                               kBold | kItalic | kUnderline | kStrikeout | kProtected, 0x123456};

TEST(FormatTables, SizeAndColourKeepEffectsAndTheOtherFieldButResetFontAndOffset) {
    EXPECT_EQ(resizedCharFormat(kPastedFormat, 24).fontName, "\xCB\xCE\xCC\xE5");  // 宋体
    const struct {
        const char* name;
        CharFormat actual, expected;
    } cases[] = {
        {"size keeps the colour",
         resizedCharFormat(kPastedFormat, 24),
         {std::string(kFormatBarFontName), 24, 0, kPastedFormat.effects, 0x123456}},
        {"colour keeps the size",
         recolouredCharFormat(kPastedFormat, 0x0000FF),
         {std::string(kFormatBarFontName), 11, 0, kPastedFormat.effects, 0x0000FF}},
        {"size keeps the automatic colour",
         resizedCharFormat({"x", 9, 0, 0, kAutomaticColour}, 12),
         {std::string(kFormatBarFontName), 12, 0, 0, kAutomaticColour}},
        {"black replaces the automatic colour",
         recolouredCharFormat({"x", 9, 0, 0, kAutomaticColour},
                              *colourOfItem("\xBA\xDA\xC9\xAB")),  // 黑色
         {std::string(kFormatBarFontName), 9, 0, 0, 0x000000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.actual.fontName, c.expected.fontName);
        EXPECT_EQ(c.actual.size, c.expected.size);
        EXPECT_EQ(c.actual.offset, c.expected.offset);
        EXPECT_EQ(c.actual.effects, c.expected.effects);
        EXPECT_EQ(c.actual.colour, c.expected.colour);
    }
}

TEST(FormatTables, AlignmentClearsBulletsAndIndents) {
    const ParagraphFormat format = alignedParagraphFormat(kAlignRight);
    EXPECT_EQ(format.bullets, 0);
    EXPECT_EQ(format.startIndent, 0);
    EXPECT_EQ(format.nextLineOffset, 0);
    EXPECT_EQ(format.rightIndent, 0);
    EXPECT_EQ(format.alignment, kAlignRight);
}

}  // namespace
}  // namespace wendrill
