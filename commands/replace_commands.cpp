#include "commands/replace_commands.h"

#include <windows.h>

#include "commands/replace_texts.h"
#include "editor/after_command.h"
#include "editor/clipboard.h"
#include "editor/editor.h"

namespace wendrill {
namespace {

// The new text goes onto the clipboard, and then over the whole document as "全选" and "粘贴"
// would put it, once this command has returned. Not by injected Ctrl+A and Ctrl+V: a Shift the
// user still holds turns them into chords no shortcut knows. Not through the clipboard either,
// which another program may hold or change meanwhile. The document is never emptied first: the
// text over everything replaces it as one step that "撤销" takes back.
void repaste(Editor& editor, AfterCommand& after, std::string_view text) {
    setClipboardText(editor.parentWindow(), text);
    after.post([&editor, text = DocText(text)] {
        editor.setSelectionLength(-1);
        editor.setSelectedText(text);
    });
}

}  // namespace

void indentParagraphs(Editor& editor, AfterCommand& after) {
    repaste(editor, after, indentedText(editor.getText()));
}

void addBlankLines(Editor& editor, AfterCommand& after) {
    repaste(editor, after, withBlankLinesAdded(editor.getText()));
}

void deleteSameText(Editor& editor, AfterCommand& after) {
    const DocText pattern = editor.getSelectedText();
    repaste(editor, after, withoutOccurrences(editor.getText(), pattern));
}

void joinSelectedLines(Editor& editor) {
    editor.setSelectedText(joinedLines(editor.getSelectedText()));
}

void replaceWords(Editor& editor, std::string_view input) {
    const WordReplacement words = parseWordReplacement(input);
    const DocText selected = editor.getSelectedText();
    if (compareText(selected, "") == 0) {
        editor.setText(withWordsReplaced(editor.getText(), words));
    } else {
        editor.setSelectedText(withWordsReplaced(selected, words));
    }
}

}  // namespace wendrill
