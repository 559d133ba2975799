#pragma once
// Reading the Editor's text without keeping the user waiting: a long document takes the control
// a noticeable time to give out, so these give up as soon as `interrupted` says so (asked every
// few kilobytes), and the caller tries again later. The text comes as the control holds it, in
// UTF-16 with CR LF line breaks.

#include <functional>
#include <optional>
#include <string>

#include "editor/editor.h"

namespace wendrill {

std::optional<std::u16string> readTextUnless(const Editor& editor,
                                             const std::function<bool()>& interrupted);
// The selection's text; a selection reaching past the end may end in a line break.
std::optional<std::u16string> readSelectionUnless(const Editor& editor,
                                                  const std::function<bool()>& interrupted);

}  // namespace wendrill
