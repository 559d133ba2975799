#include "commands/format_bar_commands.h"

#include "commands/format_tables.h"
#include "editor/editor.h"

namespace wendrill {

void applyAlignment(Editor& editor, std::string_view itemText) {
    if (const auto alignment = alignmentOfItem(itemText)) {
        editor.setParagraphFormat(alignedParagraphFormat(*alignment));
    }
}

void applyFontSize(Editor& editor, std::string_view itemText) {
    if (const auto size = fontSizeOfItem(itemText)) {
        editor.setCharFormat(resizedCharFormat(editor.getCharFormat(), *size));
    }
}

void applyColour(Editor& editor, std::string_view itemText) {
    if (const auto colour = colourOfItem(itemText)) {
        editor.setCharFormat(recolouredCharFormat(editor.getCharFormat(), *colour));
    }
}

}  // namespace wendrill
