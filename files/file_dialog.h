#pragma once
// The open and save dialog the file commands share. Its settings last for the whole run, and the
// file name is never reset: each dialog starts with the name the previous one left.

#include <windows.h>

#include <string>
#include <string_view>

namespace wendrill {

enum class DialogMode { open, save };

class FileDialog {
  public:
    void setDialogMode(DialogMode mode) { mode_ = mode; }
    void setDialogFileName(std::wstring_view name) { fileName_ = name; }
    const std::wstring& dialogFileName() const { return fileName_; }
    // Empty: the platform's choice.
    void setDialogInitialFolder(std::wstring_view folder) { initialFolder_ = folder; }

    // The platform's modal dialog over owner, for *.txt or all files. True when the user
    // confirmed a file, whose full path is then dialogFileName; false when cancelled, with
    // dialogFileName as it was.
    bool showFileDialog(HWND owner);

  private:
    DialogMode mode_ = DialogMode::save;
    std::wstring fileName_;
    std::wstring initialFolder_;
};

}  // namespace wendrill
