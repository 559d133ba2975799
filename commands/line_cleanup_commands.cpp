#include "commands/line_cleanup_commands.h"

#include <utility>

#include "commands/line_cleanup.h"
#include "editor/editor.h"

namespace wendrill {
namespace {

// The text is read once: what the command starts from is also what "撤销" gives back.
void rewriteWith(Editor& editor, DocText (*transform)(std::string_view)) {
    DocText text = editor.getText();
    const DocText result = transform(text);
    editor.setText(result, std::move(text));
}

}  // namespace

void deleteBlankLines(Editor& editor) { rewriteWith(editor, withoutBlankLines); }

void trimLines(Editor& editor) { rewriteWith(editor, withTrimmedLines); }

}  // namespace wendrill
