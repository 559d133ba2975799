#pragma once
// New, Open and Save, and the opening of a file named on the command line or dropped.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/questions.h"
#include "editor/editor.h"
#include "files/document_encoding.h"
#include "files/file_dialog.h"

namespace wendrill {

// Captions: the start-up opening, a drop and Save use the plain one, Open its own.
inline constexpr wchar_t kPlainCaption[] = L"Wendrill";
inline constexpr wchar_t kOpenCaptionPrefix[] = L"Wendrillv1.4  -";

// What the file commands work on; the caption and the document state belong to the program
// around them.
struct DocumentPlace {
    Editor& editor;
    FileDialog& dialog;
    Questions& questions;
    HWND dialogOwner;
    std::function<void(std::wstring_view caption)> setCaption;
    std::function<void()> markSaved;
    FileEncoding& encoding;  // the document's, for Save
    std::wstring& path;      // the file the document belongs to
};

// With unsaved text, a "是" whose save did not happen (failed or cancelled) keeps the document.
void newDocument(const DocumentPlace& place);
void openDocument(const DocumentPlace& place);
// Marks the document saved only when the file was written; true then.
bool saveDocument(const DocumentPlace& place);

// The file's text replaces the document, which is captioned captionPrefix and the path, counts as
// saved and keeps the file's encoding. A file too large to open, or one that exists but cannot be
// read, changes nothing and says so; one that could be read only in part says so after opening. A
// path that names no file gives the empty document under that caption.
void openDocumentFile(const DocumentPlace& place, const std::wstring& path,
                      std::wstring_view captionPrefix);

// The dropped files in the order the source lists them.
void openDroppedFile(const DocumentPlace& place, const std::vector<std::wstring>& paths);

// Where Save keeps the folder of the last saved file; empty when there is no temporary folder.
std::wstring rememberedFolderFile();

}  // namespace wendrill
