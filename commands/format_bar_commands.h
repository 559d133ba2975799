#pragma once
// The format bar's handlers: the chosen item's text, looked up in its table, applied to the
// selection. A text in no table changes nothing.

#include <string_view>

namespace wendrill {

class Editor;

void applyAlignment(Editor& editor, std::string_view itemText);
void applyFontSize(Editor& editor, std::string_view itemText);
void applyColour(Editor& editor, std::string_view itemText);

}  // namespace wendrill
