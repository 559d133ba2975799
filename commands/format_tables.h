#pragma once
// The three lists of the format bar as data, in the order the lists show them, and the formats
// their handlers write. An item text in none of the tables changes nothing.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "editor/formats.h"

namespace wendrill {

template <class Value>
struct ListItem {
    std::string_view text;  // code page 936
    Value value;
};

inline constexpr std::array<ListItem<Alignment>, 3> kAlignItems{{
    {"\xBE\xD3\xD6\xD0", kAlignCentre},         // 居中
    {"\xD7\xF3\xB6\xD4\xC6\xEB", kAlignLeft},   // 左对齐
    {"\xD3\xD2\xB6\xD4\xC6\xEB", kAlignRight},  // 右对齐
}};

inline constexpr std::array<ListItem<int32_t>, 13> kSizeItems{{
    {"8", 8},
    {"9", 9},
    {"10", 10},
    {"12", 12},
    {"15", 15},
    {"18", 18},
    {"20", 20},
    {"24", 24},
    {"26", 26},
    {"28", 28},
    {"36", 36},
    {"48", 48},
    {"72", 72},
}};

// 0x00BBGGRR. Black is an explicit colour, never the automatic one.
inline constexpr std::array<ListItem<uint32_t>, 12> kColourItems{{
    {"\xBA\xDA\xC9\xAB", 0x000000},  // 黑色
    {"\xBA\xEC\xC9\xAB", 0x0000FF},  // 红色
    {"\xB3\xC8\xC9\xAB", 0x0080FF},  // 橙色
    {"\xBB\xC6\xC9\xAB", 0x00FFFF},  // 黄色
    {"\xC2\xCC\xC9\xAB", 0x00FF00},  // 绿色
    {"\xD7\xCF\xBA\xEC", 0x800080},  // 紫红
    {"\xC4\xAB\xC2\xCC", 0x008000},  // 墨绿
    {"\xC7\xB3\xBB\xD2", 0xC0C0C0},  // 浅灰
    {"\xBB\xD2\xC9\xAB", 0x808080},  // 灰色
    {"\xC0\xB6\xC9\xAB", 0xFF0000},  // 蓝色
    {"\xD7\xCF\xC9\xAB", 0xFF0090},  // 紫色
    {"\xB0\xD7\xC9\xAB", 0xFFFFFF},  // 白色
}};

// The Editor's default font, which every character format from the bar carries.
inline constexpr std::string_view kFormatBarFontName = "\xCB\xCE\xCC\xE5";  // 宋体

std::optional<Alignment> alignmentOfItem(std::string_view itemText);
std::optional<int32_t> fontSizeOfItem(std::string_view itemText);
std::optional<uint32_t> colourOfItem(std::string_view itemText);

// Every paragraph the bar aligns also loses its bullet and indents.
ParagraphFormat alignedParagraphFormat(Alignment alignment);
// Both keep the current effects and the other field, and reset the font and the offset.
CharFormat resizedCharFormat(const CharFormat& current, int32_t size);
CharFormat recolouredCharFormat(const CharFormat& current, uint32_t colour);

}  // namespace wendrill
