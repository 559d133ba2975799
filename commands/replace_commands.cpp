#include "commands/replace_commands.h"

#include <windows.h>

#include <functional>
#include <utility>

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
// text over everything replaces it as one step that "撤销" takes back to the text read here
// (posted work runs before any key or click that comes meanwhile).
void repaste(Editor& editor, AfterCommand& after,
             const std::function<DocText(std::string_view)>& transform) {
    DocText current = editor.getText();
    DocText text = transform(current);
    setClipboardText(editor.parentWindow(), text);
    after.post([&editor, current = std::move(current), text = std::move(text)]() mutable {
        editor.replaceAllText(text, std::move(current));
    });
}

}  // namespace

void indentParagraphs(Editor& editor, AfterCommand& after) { repaste(editor, after, indentedText); }

void addBlankLines(Editor& editor, AfterCommand& after) {
    repaste(editor, after, withBlankLinesAdded);
}

void deleteSameText(Editor& editor, AfterCommand& after) {
    const DocText pattern = editor.getSelectedText();
    repaste(editor, after,
            [&pattern](std::string_view text) { return withoutOccurrences(text, pattern); });
}

void joinSelectedLines(Editor& editor) {
    editor.setSelectedText(joinedLines(editor.getSelectedText()));
}

void replaceWords(Editor& editor, std::string_view input) {
    const WordReplacement words = parseWordReplacement(input);
    const DocText selected = editor.getSelectedText();
    if (compareText(selected, "") == 0) {
        DocText current = editor.getText();
        const DocText text = withWordsReplaced(current, words);
        editor.setText(text, std::move(current));
    } else {
        editor.setSelectedText(withWordsReplaced(selected, words));
    }
}

}  // namespace wendrill
