#include "text/positions.h"

#include "text/code_page.h"

namespace wendrill {

namespace {

struct Step {
    size_t bytes;
    int32_t positions;
};

Step characterStep(std::string_view text, size_t offset) {
    if (text[offset] == '\r' && offset + 1 < text.size() && text[offset + 1] == '\n') return {2, 1};
    const DocCharacter character = docCharacterAt(text, offset);
    return {character.bytes, character.units};
}

}  // namespace

size_t byteOffsetOfPosition(std::string_view text, int32_t position) {
    size_t offset = 0;
    for (int32_t i = 0; i < position && offset < text.size();) {
        const Step step = characterStep(text, offset);
        offset += step.bytes;
        i += step.positions;
    }
    return offset < text.size() ? offset : text.size();
}

int32_t characterCount(std::string_view text) {
    int32_t count = 0;
    for (size_t offset = 0; offset < text.size();) {
        const Step step = characterStep(text, offset);
        offset += step.bytes;
        count += step.positions;
    }
    return count;
}

}  // namespace wendrill
