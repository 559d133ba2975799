#pragma once
// New, Open and Save, and the opening of a file named on the command line or dropped.

#include <windows.h>

#include <functional>
#include <string_view>

#include "app/questions.h"
#include "editor/editor.h"
#include "files/document_encoding.h"
#include "files/file_dialog.h"

namespace wendrill {

// Captions: the start-up opening, a drop and Save use the plain one, Open its own.
inline constexpr char kPlainCaption[] = "Wendrill";
inline constexpr char kOpenCaptionPrefix[] = "Wendrillv1.4  -";

// What the file commands work on; the caption and the document state belong to the program
// around them.
struct DocumentPlace {
    Editor& editor;
    FileDialog& dialog;
    Questions& questions;
    HWND dialogOwner;
    std::function<void(std::string_view caption)> setCaption;
    std::function<void()> markSaved;
    FileEncoding& encoding;  // the document's, for Save
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
void openDocumentFile(const DocumentPlace& place, std::string_view path,
                      std::string_view captionPrefix);

// paths: one path, or several, each followed by CR LF.
void openDroppedFile(const DocumentPlace& place, std::string_view paths);

// Where Save keeps the folder of the last saved file; empty when there is no temporary folder.
DocText rememberedFolderFile();

}  // namespace wendrill
