#pragma once
// Reading the Editor's text without keeping the user waiting: a long document takes the control
// a noticeable time to give out, so these give up as soon as `interrupted` says so (asked every
// few kilobytes), and the caller tries again later.

#include <functional>
#include <optional>

#include "editor/editor.h"
#include "text/doc_text.h"

namespace wendrill {

std::optional<DocText> readTextUnless(const Editor& editor,
                                      const std::function<bool()>& interrupted);
// The selection's text; a selection reaching past the end may end in a line break.
std::optional<DocText> readSelectionUnless(const Editor& editor,
                                           const std::function<bool()>& interrupted);

}  // namespace wendrill
