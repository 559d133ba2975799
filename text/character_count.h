#pragma once
// The 字数 writers are paid by: every character of the document that is not white space.
//
// The text is in the document code page: a byte 0x80 or higher starts a two-byte character, or a
// four-byte one of the form (0x81-0xFE, 0x30-0x39) twice, which every character GBK lacks takes.
// A last byte 0x80 or higher with nothing after it is a character of its own.
//
// White space: ASCII space, tab, CR and LF; the Unicode space separators (the ideographic space
// A1 A1 and, in their four-byte forms, the no-break space and the others); the zero-width space
// and the byte-order mark. Every other character counts one.

#include <cstdint>
#include <string_view>

namespace wendrill {

int64_t nonSpaceCharacterCount(std::string_view text);

}  // namespace wendrill
