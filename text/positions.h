#pragma once
// The Editor counts UTF-16 units: a character of the document code page is one (two for a
// character beyond the Basic Multilingual Plane), and so is a CR LF line break. These map such
// a position to the byte offset in the document's text.

#include <cstdint>
#include <string_view>

namespace wendrill {

// The byte offset where the character at `position` starts; the text's size past its end. A
// position inside a character beyond the Basic Multilingual Plane gives the offset after it.
size_t byteOffsetOfPosition(std::string_view text, int32_t position);

// How many positions the text takes in the Editor.
int32_t characterCount(std::string_view text);

}  // namespace wendrill
