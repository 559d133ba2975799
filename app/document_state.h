#pragma once
// What decides whether closing asks to save: the text as last opened or saved, and the flag.

#include "files/document_encoding.h"
#include "text/doc_text.h"

namespace wendrill {

struct DocumentState {
    DocText savedText;  // empty until the first opening or saving
    int savedFlag = 0;  // 1: counts as saved (or as not worth saving)
    // How Save writes the file: as the document was opened; New starts over.
    FileEncoding encoding = FileEncoding::documentCodePage;
};

}  // namespace wendrill
