// Drives the followed document (tests/edit_simulation.h) with the bytes as a list of edits: the
// 字数 counted from what the follower reports must be the count of the whole text after each.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/edit_simulation.h"

namespace {

const char16_t* const kPieces[] = {u" ",          u"\u3000", u"a",      u"\u7684", u"\r",
                                   u"\U0001F600", u"\t",     u"\u00A0", u"\xD83D", u"\xDE00"};

class Bytes {
  public:
    Bytes(const uint8_t* data, size_t size) : data_(data), end_(data + size) {}
    bool left() const { return data_ != end_; }
    int next() { return left() ? *data_++ : 0; }
    // A number of units: mostly small, now and then beyond the follower's margins.
    int32_t units() { return next() % 4 == 0 ? next() * 8 : next() % 8; }
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
        const int op = bytes.next();
        const char16_t unit = kPieces[bytes.next() % std::size(kPieces)][0];
        if (d.composing()) {
            d.compose(bytes.text(), op % 3 == 0, op % 2 == 0);
        } else {
            switch (op % 10) {
                case 0:
                    d.select(bytes.next() * 16 + bytes.next(), bytes.units());
                    break;
                case 1:
                    d.backspace();
                    break;
                case 2:
                    d.forwardDelete();
                    break;
                case 3:
                    d.deleteBack(bytes.units());
                    break;
                case 4:
                    d.paste(bytes.text());
                    break;
                case 5:
                    d.compose(bytes.text(), false, true);
                    break;
                case 6:
                    d.changeElsewhere(bytes.next() * 16, bytes.units(), bytes.text());
                    break;
                case 7:
                    d.surprise(bytes.next(), unit, bytes.units());
                    break;
                default:
                    d.type(unit);
            }
        }
        if (!d.countRight()) std::abort();
    }
    return 0;
}
