#pragma once
// The real open and save dialogs, found and answered from another thread as a user would.

#include <windows.h>

#include <commdlg.h>

#include <iterator>
#include <string>

#include "tests/win/dialog_driver.h"

namespace wendrill::test {

inline constexpr int kFileNameField = 0x47C;  // cmb13 of the explorer-style dialog

// The visible dialog, or follow-up box, that the window owns.
inline HWND dialogOwnedBy(HWND owner) {
    HWND dialog = nullptr;
    while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr) {
        if (GetWindow(dialog, GW_OWNER) == owner && IsWindowVisible(dialog)) return dialog;
    }
    return nullptr;
}

// The folder the dialog shows, or the text of its name field.
inline std::wstring dialogText(HWND dialog, UINT which) {
    wchar_t text[MAX_PATH * 2] = {};
    SendMessageW(dialog, which, static_cast<WPARAM>(std::size(text)),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

struct DialogSeen {
    std::wstring folder;
    std::wstring name;
};

// Waits for the file dialog over owner, notes what it shows, then types a path into its name
// field and confirms it, answering Yes to a follow-up question (replace the file? create it?);
// an empty path cancels.
class FileDialogDriver {
  public:
    FileDialogDriver(HWND owner, std::wstring path)
        : driver_([owner] { return dialogOwnedBy(owner); },
                  [this, path](HWND dialog) { answer(dialog, path); }) {}
    bool found() const { return driver_.box() != nullptr; }
    // Read once the command has returned.
    const DialogSeen& seen() const { return seen_; }

  private:
    void answer(HWND dialog, const std::wstring& path) {
        seen_ = {dialogText(dialog, CDM_GETFOLDERPATH), dialogText(dialog, CDM_GETSPEC)};
        if (path.empty()) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        SendMessageW(dialog, CDM_SETCONTROLTEXT, kFileNameField,
                     reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        for (int i = 0; i < 400 && IsWindow(dialog); ++i) {
            if (HWND question = dialogOwnedBy(dialog)) {
                PostMessageW(question, WM_COMMAND, IDYES, 0);
                return;
            }
            Sleep(25);
        }
    }

    DialogSeen seen_;
    DialogDriver driver_;  // last: its thread may use seen_ at once
};

}  // namespace wendrill::test
