// Drives the followed document (tests/edit_simulation.h) with the bytes as a list of edits: the
// 字数 counted from what the follower reports must be the count of the whole text after each.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/edit_simulation.h"

namespace {

const char16_t* const kPieces[] = {u" ",          u"\u3000", u"a",      u"\u7684", u"\r",
                                   u"\U0001F600", u"\t",     u"\u00A0", u"\xD83D", u"\xDE00"};

// The edits spelled by the bytes.
class Bytes {
  public:
    Bytes(const uint8_t* data, size_t size) : data_(data), end_(data + size) {}
    bool left() const { return data_ != end_; }
    int next() { return left() ? *data_++ : 0; }
    int32_t number(int32_t n) { return (next() * 256 + next()) % std::max(n, 1); }
    int32_t units() { return next() % 4 == 0 ? next() * 8 : next() % 8; }
    char16_t unit() { return kPieces[next() % std::size(kPieces)][0]; }
    std::u16string text() {
        std::u16string text;
        for (int32_t n = units(); n > 0; --n) text += kPieces[next() % std::size(kPieces)];
        return text;
    }

  private:
    const uint8_t* data_;
    const uint8_t* end_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes bytes(data, size);
    std::u16string start;
    for (int i = bytes.next() * 8; i > 0; --i) start += kPieces[bytes.next() % std::size(kPieces)];
    wendrill::test::FollowedDocument d(start);
    d.select(d.length() / 2, 0);
    while (bytes.left()) {
        d.editAsChosen(bytes);
        if (!d.countRight()) std::abort();
    }
    return 0;
}
