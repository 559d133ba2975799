#include "editor/text_reading.h"

#include <richedit.h>

#include "editor/rich_stream.h"

namespace wendrill {

std::optional<DocText> readTextUnless(const Editor& editor,
                                      const std::function<bool()>& interrupted) {
    return streamOut(editor.window(), 0, interrupted);
}

std::optional<DocText> readSelectionUnless(const Editor& editor,
                                           const std::function<bool()>& interrupted) {
    return streamOut(editor.window(), SFF_SELECTION, interrupted);
}

}  // namespace wendrill
