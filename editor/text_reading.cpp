#include "editor/text_reading.h"

#include <richedit.h>

#include "editor/rich_stream.h"
#include "text/code_page.h"

namespace wendrill {
namespace {

std::optional<DocText> read(const Editor& editor, WPARAM flags,
                            const std::function<bool()>& interrupted) {
    const std::optional<std::u16string> text = streamOutUtf16(editor.window(), flags, interrupted);
    if (!text) return std::nullopt;
    return docFromUtf16(*text);
}

}  // namespace

std::optional<DocText> readTextUnless(const Editor& editor,
                                      const std::function<bool()>& interrupted) {
    return read(editor, 0, interrupted);
}

std::optional<DocText> readSelectionUnless(const Editor& editor,
                                           const std::function<bool()>& interrupted) {
    return read(editor, SFF_SELECTION, interrupted);
}

}  // namespace wendrill
