#include "commands/edit_commands.h"

#include <windows.h>

#include "editor/clipboard.h"
#include "editor/editor.h"
#include "editor/keys.h"

namespace wendrill {

void cutSelection(Editor& editor) { editor.cutToClipboard(); }
void copySelection(Editor& editor) { editor.copyToClipboard(); }
void pasteClipboard(Editor& editor) { editor.pasteFromClipboard(); }
void selectAll(Editor& editor) { editor.setSelectionLength(-1); }

// The key acts once this command has returned, on whichever control then has the focus.
void deleteAtCaret(Editor& editor) {
    pressKeys(editor.getSelectionLength() <= 0 ? VK_DELETE : VK_BACK);
}

// The caret's line loses all its characters, however long it is and whatever their width; its
// line break stays. A line of fewer than two characters gets the Delete key instead, which on an
// empty line takes the line away.
void deleteLine(Editor& editor) {
    const int32_t line = editor.currentLine();
    const int32_t count = editor.lineLength(line);
    if (count < 2) {
        pressKeys(VK_DELETE);
        return;
    }
    editor.setSelectionStart(editor.lineStart(line));
    editor.setSelectionLength(count);
    editor.clearSelection();
}

void copyAll(Editor& editor) {
    editor.setSelectionLength(-1);
    setClipboardText(editor.getText());
}

}  // namespace wendrill
