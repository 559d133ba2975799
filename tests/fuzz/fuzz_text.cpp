// One libFuzzer target per operation: WENDRILL_FUZZ_CHECK names the check this build runs.
// Each check compares the real operation with the plain one in reference.h and traps on any
// difference.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "commands/line_cleanup.h"
#include "tests/fuzz/reference.h"
#include "text/character_count.h"
#include "text/doc_text.h"

namespace wendrill::fuzz {

// Each part lives in a heap block of its own exact size, so a read past its end is caught.
struct Input {
    std::vector<char> text, pattern, replacement;
};

namespace {

// Raw bytes rarely form the cases that matter, so half the inputs are spelled from the bytes
// the scanning rules single out: lead and trail bytes, CR LF, both spaces.
constexpr char kAlphabet[16] = {'a',    'x',    ' ',    ' ', '\r', '\n',   '\xA1', '\xA1',
                                '\x81', '\xB5', '\xC4', '@', '\t', '\xFE', '\x80', '\x7F'};

std::vector<char> take(const uint8_t*& data, const uint8_t* end, size_t count, bool spelled) {
    const size_t taken = std::min(count, static_cast<size_t>(end - data));
    std::vector<char> part(data, data + taken);
    data += taken;
    if (spelled) {
        for (char& c : part) c = kAlphabet[static_cast<uint8_t>(c) % 16];
    }
    return part;
}

// Header: a flags byte, then the pattern and replacement lengths; the rest is the text.
Input decode(const uint8_t* data, size_t size) {
    const uint8_t* end = data + size;
    const uint8_t flags = size > 0 ? data[0] : 0;
    const size_t patternLength = size > 1 ? data[1] % 9 : 0;
    const size_t replacementLength = size > 2 ? data[2] % 9 : 0;
    data += size < 3 ? size : 3;
    const bool spelled = (flags & 1) != 0;
    Input input;
    input.pattern = take(data, end, patternLength, spelled);
    input.replacement = take(data, end, replacementLength, spelled);
    input.text = take(data, end, static_cast<size_t>(end - data), spelled);
    return input;
}

std::string_view view(const std::vector<char>& part) { return {part.data(), part.size()}; }

void require(bool same) {
    if (!same) std::abort();
}

}  // namespace

namespace ref = reference;

void checkFindText(const Input& in) {
    require(wendrill::findText(view(in.text), view(in.pattern)) ==
            ref::findText(view(in.text), view(in.pattern)));
}

void checkFindTextReverse(const Input& in) {
    require(wendrill::findTextReverse(view(in.text), view(in.pattern)) ==
            ref::findTextReverse(view(in.text), view(in.pattern)));
}

void checkReplaceAll(const Input& in) {
    require(wendrill::replaceAll(view(in.text), view(in.pattern), view(in.replacement)) ==
            ref::replaceAll(view(in.text), view(in.pattern), view(in.replacement)));
}

void checkSplitText(const Input& in) {
    const wendrill::TextList pieces = wendrill::splitText(view(in.text), view(in.pattern));
    require(std::vector<std::string>(pieces.begin(), pieces.end()) ==
            ref::splitText(view(in.text), view(in.pattern)));
}

void checkTrimBothEnds(const Input& in) {
    const std::string expected = ref::trimBothEnds(view(in.text));
    require(wendrill::trimBothEnds(view(in.text)) == expected);
    require(wendrill::trimmedView(view(in.text)) == expected);
}

void checkRemoveAllSpaces(const Input& in) {
    require(wendrill::removeAllSpaces(view(in.text)) == ref::removeAllSpaces(view(in.text)));
}

void checkLineCleanup(const Input& in) {
    require(wendrill::withoutBlankLines(view(in.text)) == ref::cleanLines(view(in.text), false));
    require(wendrill::withTrimmedLines(view(in.text)) == ref::cleanLines(view(in.text), true));
}

// Raw bytes almost never form a four-byte space, so the text is also read as a list of pieces:
// the white space itself, its neighbours and its halves, which joined give every misalignment.
void checkCharacterCount(const Input& in) {
    static constexpr std::string_view kPieces[] = {
        "a",         "\xB5\xC4",         "\xA1",         "\x81",         "0",
        "\x81\x30",  "\x84\x32",         "\x36\xA3",     "\x81\x36\xA4\x38", "\x81\x36\xA6\x35",
        "\xFF",      "\x80",             "\x81\x30\x81", "\x95\x33",     "\x31",
    };
    std::string pieces;
    for (char c : in.text) {
        const auto index = static_cast<unsigned char>(c);
        if (index < std::size(ref::kWhiteSpace)) {
            pieces += ref::kWhiteSpace[index];
        } else {
            pieces += kPieces[index % std::size(kPieces)];
        }
    }
    const std::vector<char> exact(pieces.begin(), pieces.end());  // its own block, for ASan
    require(wendrill::nonSpaceCharacterCount(view(in.text)) ==
            ref::nonSpaceCharacterCount(view(in.text)));
    require(wendrill::nonSpaceCharacterCount(view(exact)) == ref::nonSpaceCharacterCount(view(exact)));
}

}  // namespace wendrill::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    wendrill::fuzz::WENDRILL_FUZZ_CHECK(wendrill::fuzz::decode(data, size));
    return 0;
}
