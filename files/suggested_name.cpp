#include "files/suggested_name.h"

namespace wendrill {

DocText suggestedFileName(std::string_view rememberedFolder, std::string_view documentText,
                          std::string_view selectedText) {
    const int32_t lineEnd = findText(documentText, "\r\n");
    const DocText base = byteLength(selectedText) > 0
                             ? DocText(selectedText)
                             : removeAllSpaces(leftBytes(documentText, lineEnd - 1));
    return joinTexts({rememberedFolder, "\\", base, ".txt"});
}

DocText folderOfPath(std::string_view path) {
    return leftBytes(path, findTextReverse(path, "\\") - 1);
}

}  // namespace wendrill
