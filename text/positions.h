#pragma once
// The Editor counts characters: a two-byte character is one, and so is a CR LF line break. These
// map such a position to the byte offset in the document's text.

#include <cstdint>
#include <string_view>

namespace wendrill {

// The byte offset where the character at `position` starts; the text's size past its end.
size_t byteOffsetOfPosition(std::string_view text, int32_t position);

// How many positions the text takes in the Editor.
int32_t characterCount(std::string_view text);

}  // namespace wendrill
