#pragma once
// Choosing items of the real menu bar, and answering a popup menu, as a user would.

#include <windows.h>

#include <string>
#include <string_view>

namespace wendrill::test {

// The command id of the menu-bar item whose text (before any TAB) is `text`; 0 if none.
inline UINT menuItemId(HWND window, std::u16string_view text) {
    HMENU bar = GetMenu(window);
    for (int m = 0; m < GetMenuItemCount(bar); ++m) {
        HMENU menu = GetSubMenu(bar, m);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t buffer[256] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), buffer, 256, MF_BYPOSITION);
            std::u16string shown(reinterpret_cast<const char16_t*>(buffer));
            if (shown.substr(0, shown.find(u'\t')) == text) return GetMenuItemID(menu, i);
        }
    }
    return 0;
}

// Chooses the item as a click on it would: WM_COMMAND with its id.
inline bool chooseMenuItem(HWND window, std::u16string_view text) {
    const UINT id = menuItemId(window, text);
    if (id == 0) return false;
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return true;
}

// While a popup menu runs its own loop, a timer on this thread picks its n-th item (from 1) with
// the arrow keys and Enter. Returns the timer, to be killed afterwards.
inline int& popupItemToChoose() {
    static int item = 0;
    return item;
}

inline void CALLBACK answerPopup(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) return;
    KillTimer(nullptr, timer);
    for (int i = 0; i < popupItemToChoose(); ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
}

inline UINT_PTR answerNextPopupWith(int item) {
    popupItemToChoose() = item;
    return SetTimer(nullptr, 0, 50, answerPopup);
}

}  // namespace wendrill::test
