#include "commands/insertion_commands.h"

#include <windows.h>

#include "commands/insertions.h"
#include "editor/after_command.h"
#include "editor/clipboard.h"
#include "editor/editor.h"
#include "editor/key_effects.h"

namespace wendrill {
namespace {

// The clipboard is part of the behaviour: it keeps the inserted text afterwards. The text goes
// in as the paste would put it, but straight from here: a clipboard another program holds or has
// changed meanwhile must not put its own content into the document. A clipboard that could not be
// written costs only the copy it would keep.
void pasteText(Editor& editor, std::string_view text) {
    setClipboardText(editor.parentWindow(), text);
    editor.setSelectedText(text);
}

}  // namespace

void insertDivider(Editor& editor, AfterCommand& after) {
    pasteText(editor, kDividerText);
    after.post([] { caretRightIn(GetFocus()); });
}

void insertDate(Editor& editor) { pasteText(editor, dateInsertionText(currentDateTime())); }

void insertTime(Editor& editor) { pasteText(editor, timeInsertionText(currentDateTime())); }

}  // namespace wendrill
