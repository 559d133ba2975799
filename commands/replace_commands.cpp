#include "commands/replace_commands.h"

#include <windows.h>

#include "commands/replace_texts.h"
#include "editor/clipboard.h"
#include "editor/editor.h"
#include "editor/keys.h"

namespace wendrill {
namespace {

// The new text goes onto the clipboard, and the injected Ctrl+A and Ctrl+V run "全选" and
// "粘贴" once this command has returned. If the clipboard cannot be written those keys would
// paste whatever it held before over the whole document, so the text is written directly.
// The document is not emptied first: the paste over everything replaces it as one step that
// "撤销" takes back.
void repaste(Editor& editor, std::string_view text) {
    if (!setClipboardText(text)) {
        editor.setText(text);
        return;
    }
    pressKeys(VK_CONTROL, 'A');
    pressKeys(VK_CONTROL, 'V');
}

}  // namespace

void indentParagraphs(Editor& editor) {
    repaste(editor, indentedText(editor.getText()));
}

void addBlankLines(Editor& editor) {
    repaste(editor, withBlankLinesAdded(editor.getText()));
}

void deleteSameText(Editor& editor) {
    const DocText pattern = editor.getSelectedText();
    repaste(editor, withoutOccurrences(editor.getText(), pattern));
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
