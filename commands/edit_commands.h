#pragma once
// The everyday editing commands on the Editor.

namespace wendrill {

class Editor;

void cutSelection(Editor& editor);
void copySelection(Editor& editor);
void pasteClipboard(Editor& editor);
void selectAll(Editor& editor);
void deleteAtCaret(Editor& editor);
void deleteLine(Editor& editor);
void copyAll(Editor& editor);

}  // namespace wendrill
