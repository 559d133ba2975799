#include "commands/format_tables.h"

#include <span>
#include <string>

namespace wendrill {

namespace {

template <class Value>
std::optional<Value> valueOfItem(std::span<const ListItem<Value>> items,
                                 std::string_view itemText) {
    for (const ListItem<Value>& item : items) {
        if (item.text == itemText) return item.value;
    }
    return std::nullopt;
}

CharFormat formatBarCharFormat(const CharFormat& current, int32_t size, uint32_t colour) {
    return {std::string(kFormatBarFontName), size, 0, current.effects, colour};
}

}  // namespace

std::optional<Alignment> alignmentOfItem(std::string_view itemText) {
    return valueOfItem<Alignment>(kAlignItems, itemText);
}

std::optional<int32_t> fontSizeOfItem(std::string_view itemText) {
    return valueOfItem<int32_t>(kSizeItems, itemText);
}

std::optional<uint32_t> colourOfItem(std::string_view itemText) {
    return valueOfItem<uint32_t>(kColourItems, itemText);
}

ParagraphFormat alignedParagraphFormat(Alignment alignment) { return {0, 0, 0, 0, alignment}; }

CharFormat resizedCharFormat(const CharFormat& current, int32_t size) {
    return formatBarCharFormat(current, size, current.colour);
}

CharFormat recolouredCharFormat(const CharFormat& current, uint32_t colour) {
    return formatBarCharFormat(current, current.size, colour);
}

}  // namespace wendrill
