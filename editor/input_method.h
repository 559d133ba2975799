#pragma once
// The input method's composition (a half-typed pinyin word) in a window.

#include <windows.h>

namespace wendrill {

// Completes an open composition in the window, as if the user had confirmed it, so that its
// text is in the window before a command reads or replaces it. Nothing if there is none.
void completeComposition(HWND window);

}  // namespace wendrill
