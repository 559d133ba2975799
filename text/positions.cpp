#include "text/positions.h"

namespace wendrill {

namespace {

size_t characterWidth(std::string_view text, size_t offset) {
    const auto byte = static_cast<unsigned char>(text[offset]);
    const bool lineBreak = byte == '\r' && offset + 1 < text.size() && text[offset + 1] == '\n';
    const bool twoBytes = byte >= 0x80 && offset + 1 < text.size();
    return (twoBytes || lineBreak) ? 2 : 1;
}

}  // namespace

size_t byteOffsetOfPosition(std::string_view text, int32_t position) {
    size_t offset = 0;
    for (int32_t i = 0; i < position && offset < text.size(); ++i) {
        offset += characterWidth(text, offset);
    }
    return offset < text.size() ? offset : text.size();
}

int32_t characterCount(std::string_view text) {
    int32_t count = 0;
    for (size_t offset = 0; offset < text.size(); offset += characterWidth(text, offset)) ++count;
    return count;
}

}  // namespace wendrill
