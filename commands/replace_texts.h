#pragma once
// The new texts of the replace-and-repaste commands. All matching follows the character scan of
// replaceAll: from the start, without overlaps, never from the second byte of a character.

#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

// Four spaces after every line break, and only there.
DocText indentedText(std::string_view text);
// Every line break doubled.
DocText withBlankLinesAdded(std::string_view text);
// Every occurrence of the pattern gone; an empty pattern changes nothing.
DocText withoutOccurrences(std::string_view text, std::string_view pattern);
// The lines joined with nothing between them.
DocText joinedLines(std::string_view text);

// "苹果 香蕉": the text before the first half-width space, and everything after it (further
// spaces included). Without such a space the search text is empty, so nothing is replaced.
struct WordReplacement {
    DocText searchText;
    DocText replacement;
};
WordReplacement parseWordReplacement(std::string_view input);
DocText withWordsReplaced(std::string_view text, const WordReplacement& words);

}  // namespace wendrill
