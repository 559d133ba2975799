#include "commands/edit_commands.h"

#include <windows.h>

#include "editor/after_command.h"
#include "editor/clipboard.h"
#include "editor/editor.h"
#include "editor/key_effects.h"

namespace wendrill {

void cutSelection(Editor& editor) { editor.cutToClipboard(); }
void copySelection(Editor& editor) { editor.copyToClipboard(); }
void pasteClipboard(Editor& editor) { editor.pasteFromClipboard(); }
void selectAll(Editor& editor) { editor.setSelectionLength(-1); }

// The keys' effects rather than injected keys: a Ctrl the user still holds would make a Delete
// take a whole word.
void deleteAtCaret(Editor& editor, AfterCommand& after) {
    if (editor.getSelectionLength() <= 0) {
        after.post([] { deleteForwardIn(GetFocus()); });
    } else {
        after.post([] { deleteBackwardIn(GetFocus()); });
    }
}

// The caret's line loses all its characters, however long it is and whatever their width; its
// line break stays. A line of fewer than two characters gets the Delete key instead, which on an
// empty line takes the line away.
void deleteLine(Editor& editor, AfterCommand& after) {
    const int32_t line = editor.currentLine();
    const int32_t count = editor.lineLength(line);
    if (count < 2) {
        after.post([] { deleteForwardIn(GetFocus()); });
        return;
    }
    editor.setSelectionStart(editor.lineStart(line));
    editor.setSelectionLength(count);
    editor.clearSelection();
}

void copyAll(Editor& editor) {
    editor.setSelectionLength(-1);
    setClipboardText(editor.parentWindow(), editor.getText());
}

}  // namespace wendrill
