#pragma once
// Pixels for the monitor a window is on. The layout is given at 96 DPI and scaled from there, so
// the window looks the same at any display scale and is never stretched as a bitmap.

#include <windows.h>

namespace wendrill {

inline constexpr UINT kBaseDpi = 96;

// A length given at 96 DPI, at dpi (rounded to the nearest pixel, halves away from zero).
int scaled(int pixels, UINT dpi);

// The DPI of the monitor the window is on.
UINT windowDpi(HWND window);

// The DPI the screen's device context reports: the one controls that measure text through it
// (the Rich Edit control among them) lay their text out at.
UINT screenDpi();

// The system's message font at that DPI; the caller deletes it. Null if there is none.
HFONT userInterfaceFont(UINT dpi);

}  // namespace wendrill
