#pragma once
// How a document file is written. A file is read in the encoding its bytes show, and saved back
// in the same one; a new document is written as its own bytes.

#include <string>
#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

enum class FileEncoding {
    documentCodePage,  // the document's own bytes: GBK, and GB18030 for what GBK lacks
    utf8,
    utf8WithMark,
    utf16LittleEndian,  // both UTF-16 forms are written with their byte-order mark
    utf16BigEndian,
};

// A byte-order mark decides; without one, strict UTF-8 with at least one character beyond ASCII
// is UTF-8; everything else is the document code page.
FileEncoding detectEncoding(std::string_view bytes);

struct DocumentFile {
    DocText text;
    FileEncoding encoding = FileEncoding::documentCodePage;
    // Only part of the file could be read: it holds a NUL character, where the text ends, or
    // bytes that are no character, which come out as '?' (U+FFFD in UTF-8 and UTF-16).
    bool incomplete = false;
};

DocumentFile decodeDocumentFile(std::string_view bytes);
std::string encodeDocumentFile(std::string_view text, FileEncoding encoding);

}  // namespace wendrill
