#pragma once
// The everyday editing commands on the Editor.

namespace wendrill {

class AfterCommand;
class Editor;

void cutSelection(Editor& editor);
void copySelection(Editor& editor);
void pasteClipboard(Editor& editor);
void selectAll(Editor& editor);
// Their Delete or Backspace acts once the command has returned, on the control that then has the
// focus, as the key would.
void deleteAtCaret(Editor& editor, AfterCommand& after);
void deleteLine(Editor& editor, AfterCommand& after);
void copyAll(Editor& editor);

}  // namespace wendrill
