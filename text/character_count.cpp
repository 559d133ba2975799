#include "text/character_count.h"

#include "text/code_page.h"
#include "text/surrogates.h"

namespace wendrill {
namespace {

bool isWhiteSpace(char16_t unit) {
    switch (unit) {
        case u' ':
        case u'\t':
        case u'\r':
        case u'\n':
        case u'\u00A0':  // no-break space
        case u'\u1680':  // ogham space mark
        case u'\u202F':  // narrow no-break space
        case u'\u205F':  // medium mathematical space
        case u'\u3000':  // ideographic (full-width) space
        case u'\uFEFF':  // byte-order mark
            return true;
        default:
            // The typographic spaces U+2000 to U+200A, and the zero-width space U+200B.
            return unit >= u'\u2000' && unit <= u'\u200B';
    }
}

}  // namespace

void NonSpaceCounter::add(std::u16string_view piece) {
    for (const char16_t unit : piece) {
        // The low half of a pair goes with its high half, which has counted.
        const bool endsPair = afterHighSurrogate_ && isLowSurrogate(unit);
        afterHighSurrogate_ = !endsPair && isHighSurrogate(unit);
        if (!endsPair && !isWhiteSpace(unit)) ++count_;
    }
}

int64_t nonSpaceCharacterCount(std::u16string_view text) {
    NonSpaceCounter counter;
    counter.add(text);
    return counter.count();
}

int64_t nonSpaceCharacterCount(std::string_view text) {
    return nonSpaceCharacterCount(utf16FromDoc(text));
}

}  // namespace wendrill
