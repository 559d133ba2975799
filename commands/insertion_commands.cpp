#include "commands/insertion_commands.h"

#include <windows.h>

#include "commands/insertions.h"
#include "editor/clipboard.h"
#include "editor/editor.h"
#include "editor/keys.h"

namespace wendrill {
namespace {

// The clipboard is part of the behaviour: it keeps the inserted text afterwards.
void pasteText(Editor& editor, std::string_view text) {
    setClipboardText(text);
    editor.pasteFromClipboard();
}

}  // namespace

void insertDivider(Editor& editor) {
    pasteText(editor, kDividerText);
    pressKeys(VK_RIGHT);
}

void insertDate(Editor& editor) { pasteText(editor, dateInsertionText(currentDateTime())); }

void insertTime(Editor& editor) { pasteText(editor, timeInsertionText(currentDateTime())); }

}  // namespace wendrill
