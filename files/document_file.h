#pragma once
// Document files, read and written whole; files/document_encoding.h says what their bytes mean.
// Paths are the platform's wide text, as the dialogs, the command line and dropped files give them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "files/document_encoding.h"
#include "text/doc_text.h"

namespace wendrill {

// The largest file that opens: a little more than the 100 MB the Editor has been seen to take in
// (in about two and a half minutes under Wine); a novel of ten million characters is 20 MB.
inline constexpr int64_t kLargestDocumentBytes = int64_t{128} << 20;

// All the file's bytes. A path that names no readable file (missing, held unshared, a folder,
// too large) gives none; nothing is reported.
std::string readWholeFile(const std::wstring& path);

// The file's text, in the encoding its bytes show; a path that names no file gives the empty text.
// Nothing for a file that exists but cannot be read (held unshared by another program, no
// permission, an error of the disk, a folder, too large).
std::optional<DocumentFile> readDocumentFile(const std::wstring& path);

// True for an existing file larger than kLargestDocumentBytes; it is not opened to find out.
bool isTooLargeToOpen(const std::wstring& path);

// Writes the bytes to a new file in the target's folder and only then puts it in the target's
// place, so the old file survives every failure. False, with the target untouched, when the
// path is empty, the folder cannot take a new file, writing fails or the target cannot be
// replaced (read-only, held open by another program, a folder).
bool writeWholeFile(const std::wstring& path, std::string_view bytes);

}  // namespace wendrill
