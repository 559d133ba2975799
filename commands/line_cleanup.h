#pragma once
// The new document texts of the two line clean-up commands. Lines are the pieces of the text
// split at CR LF; a line of fewer than two bytes (tested before any trimming) is dropped and
// every remaining line is followed by exactly one CR LF.

#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

DocText withoutBlankLines(std::string_view text);
DocText withTrimmedLines(std::string_view text);

}  // namespace wendrill
