#pragma once
// The 字数 writers are paid by: every character of the document that is not white space.
//
// White space: ASCII space, tab, CR and LF; the Unicode space separators (the ideographic space
// U+3000, the no-break space U+00A0 and the others); the zero-width space U+200B and the
// byte-order mark U+FEFF. Every other character counts one: a surrogate pair is one character,
// and so is a unit that makes no character.

#include <cstdint>
#include <string_view>

namespace wendrill {

int64_t nonSpaceCharacterCount(std::u16string_view text);

// The same count over a text given in pieces, as the control gives it out: a surrogate pair split
// between two pieces is one character.
class NonSpaceCounter {
  public:
    void add(std::u16string_view piece);
    int64_t count() const { return count_; }

  private:
    int64_t count_ = 0;
    bool afterHighSurrogate_ = false;  // the last unit so far began a pair
};
// Over document text, read as the document code page reads it (text/code_page.h): whatever it
// reads as no character counts one, as the '?' it becomes.
int64_t nonSpaceCharacterCount(std::string_view text);

}  // namespace wendrill
