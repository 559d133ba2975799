#include "files/file_dialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "app/ui_text.h"

namespace wendrill {
namespace {

// Pairs of shown text and pattern, each ended by a NUL; the literal's own NUL ends the list.
constexpr char16_t kFilter[] = u"文本文件(*.txt)\0*.txt\0所有文件(*.*)\0*.*\0";
constexpr wchar_t kDefaultExtension[] = L"txt";
// Room for the longest path the platform takes.
constexpr size_t kPathRoom = 32768;

constexpr DWORD kOptions = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_CREATEPROMPT |
                           OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
// Saving under a new name must always be possible: only Open insists on an existing file.
constexpr DWORD kOpenOnlyOptions = OFN_FILEMUSTEXIST;

// Save suggests "\name.txt" when it remembers no folder, which the platform would take for the
// root of the current drive; the name is meant to be found in the initial folder.
std::wstring shownName(std::wstring name) {
    if (name.size() > 1 && name[0] == L'\\' && name.find(L'\\', 1) == std::wstring::npos) {
        name.erase(0, 1);
    }
    return name;
}

}  // namespace

bool FileDialog::showFileDialog(HWND owner) {
    static const std::u16string filter(kFilter, std::size(kFilter));
    const std::wstring& folder = initialFolder_;
    const std::wstring name = shownName(fileName_);
    std::wstring path(std::max(kPathRoom, name.size() + 1), L'\0');
    std::copy(name.begin(), name.end(), path.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = wideText(filter);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = kDefaultExtension;
    const bool open = mode_ == DialogMode::open;
    dialog.Flags = kOptions | (open ? kOpenOnlyOptions : 0);

    bool confirmed = open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    // A name the platform cannot take (a first line with "?" or a line break) keeps the dialog
    // from opening at all; it opens then with an empty name field instead.
    if (!confirmed && CommDlgExtendedError() == FNERR_INVALIDFILENAME && !name.empty()) {
        path.assign(path.size(), L'\0');
        confirmed = open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    }
    if (!confirmed) return false;
    fileName_ = path.c_str();
    return true;
}

}  // namespace wendrill
