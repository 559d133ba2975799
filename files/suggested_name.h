#pragma once
// The file name Save suggests, and the folder of a path.

#include <string_view>

#include "text/doc_text.h"

namespace wendrill {

// The remembered folder, a backslash, the base and ".txt". The base is the selection as it is
// when there is one, else the document's first line without its spaces; a document without a
// line break, or one that begins with it, gives an empty base.
DocText suggestedFileName(std::string_view rememberedFolder, std::string_view documentText,
                          std::string_view selectedText);

// The text before the last backslash; the empty text when there is none.
DocText folderOfPath(std::string_view path);

}  // namespace wendrill
