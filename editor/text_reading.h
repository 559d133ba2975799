#pragma once
// Reading the Editor's text without keeping the user waiting: a long document takes the control
// a noticeable time to give out, so the text comes piece by piece, a few kilobytes at a time, and
// `take` answers false to stop the reading (the caller tries again later). The pieces are the
// text as the control holds it, in UTF-16 with CR LF line breaks. False if stopped.

#include <functional>
#include <string_view>

#include "editor/editor.h"

namespace wendrill {

using PieceTaker = std::function<bool(std::u16string_view piece)>;

bool readTextInPieces(const Editor& editor, const PieceTaker& take);
// The selection's text; a selection reaching past the end may end in a line break.
bool readSelectionInPieces(const Editor& editor, const PieceTaker& take);

}  // namespace wendrill
