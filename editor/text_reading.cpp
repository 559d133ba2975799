#include "editor/text_reading.h"

#include <richedit.h>

#include "editor/rich_stream.h"

namespace wendrill {

std::optional<std::u16string> readTextUnless(const Editor& editor,
                                             const std::function<bool()>& interrupted) {
    return streamOutUtf16(editor.window(), 0, interrupted);
}

std::optional<std::u16string> readSelectionUnless(const Editor& editor,
                                                  const std::function<bool()>& interrupted) {
    return streamOutUtf16(editor.window(), SFF_SELECTION, interrupted);
}

}  // namespace wendrill
