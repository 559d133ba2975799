#pragma once
// What the Delete, Backspace and Right keys do in an editing control (the Editor or a one-line
// field), done directly, so that a Ctrl or Shift the user holds cannot turn them into other
// keys. Positions step over whole characters: a surrogate pair and a CR LF are one step. Other
// controls take none of these keys and are left alone.

#include <windows.h>

namespace wendrill {

void deleteForwardIn(HWND control);   // Delete: the selection, or the character after the caret
void deleteBackwardIn(HWND control);  // Backspace: the selection, or the character before it
void caretRightIn(HWND control);      // Right: past the selection, or one character on

}  // namespace wendrill
