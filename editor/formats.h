#pragma once
// Character and paragraph formats as the commands see them: points, not the control's twips.

#include <cstdint>
#include <string>

namespace wendrill {

struct CharFormat {
    std::string fontName;  // code page 936, at most 31 bytes
    int32_t size = 0;      // points; read back truncated toward zero
    int32_t offset = 0;    // baseline offset in points
    int32_t effects = 0;   // CharEffect bits
    uint32_t colour = 0;   // 0x00BBGGRR, or kAutomaticColour
};

enum CharEffect : int32_t {
    kBold = 1,
    kItalic = 2,
    kUnderline = 4,
    kStrikeout = 8,
    kProtected = 16,
};

inline constexpr uint32_t kAutomaticColour = 0xFF000000;
inline constexpr int32_t kMaxFontNameBytes = 31;

struct ParagraphFormat {
    int32_t bullets = 0;  // non-zero: bulleted
    int32_t startIndent = 0;
    int32_t nextLineOffset = 0;
    int32_t rightIndent = 0;
    int32_t alignment = 0;  // Alignment; any other value is left
};

enum Alignment : int32_t {
    kAlignLeft = 1,
    kAlignCentre = 2,
    kAlignRight = 3,
};

}  // namespace wendrill
