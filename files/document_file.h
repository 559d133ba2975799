#pragma once
// Reading a document file: all its bytes up to the first NUL. A path that names no readable file
// (missing, locked, a folder, or not expressible) gives the empty text; nothing is reported.

#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

DocText readDocumentFile(std::string_view path);  // path in code page 936

}  // namespace wendrill
