#include "editor/input_method.h"

#include <imm.h>

namespace wendrill {

void completeComposition(HWND window) {
    if (!window) return;
    HIMC context = ImmGetContext(window);
    if (!context) return;  // no input method for this window
    // Without an open composition the input method refuses, which is just as well.
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    ImmReleaseContext(window, context);
}

}  // namespace wendrill
