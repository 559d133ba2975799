#include "editor/edit_follower.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>

#include "text/character_count.h"

namespace wendrill {
namespace {

// The document as the control holds it, changed as the control changes it, read as the control
// gives it out, and counted as the 字数 label counts it: from what the follower reports.
class Document {
  public:
    explicit Document(std::u16string text)
        : text_(std::move(text)),
          total_(nonSpaceCharacterCount(text_)),
          follower_([this](const Stretch& s) {
              ++reads_;
              return text_.substr(static_cast<size_t>(s.from), static_cast<size_t>(s.to - s.from));
          }) {}

    int32_t length() const { return static_cast<int32_t>(text_.size()); }
    int32_t caret() const { return start_; }
    const std::u16string& text() const { return text_; }
    int reads() const { return reads_; }
    bool countRight() const { return total_ == nonSpaceCharacterCount(text_); }

    void select(int32_t start, int32_t end) {
        start_ = start;
        end_ = end;
    }
    // A message of this kind that makes the control replace [from, to) with `with`.
    void edit(EditMessage message, int32_t from, int32_t to, const std::u16string& with,
              bool caretAfter = true) {
        if (!follower_.begin(state(), message)) {
            change(from, to, with, caretAfter);
            total_ = nonSpaceCharacterCount(text_);  // counted anew
            return;
        }
        change(from, to, with, caretAfter);
        const std::optional<TextEdit> edit = follower_.end(state());
        if (!edit) {
            total_ = nonSpaceCharacterCount(text_);
        } else {
            total_ += nonSpaceCharacterCount(edit->came) - nonSpaceCharacterCount(edit->gone);
        }
    }
    // A change the follower is not told of but by the control's change event.
    void changeElsewhere(int32_t from, int32_t to, const std::u16string& with) {
        change(from, to, with, true);
        follower_.forget();
        total_ = nonSpaceCharacterCount(text_);
    }
    int32_t selectionEnd() const { return std::min(end_, length()); }

  private:
    EditState state() const { return {length(), start_, end_}; }
    void change(int32_t from, int32_t to, const std::u16string& with, bool caretAfter) {
        text_.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), with);
        start_ = end_ = caretAfter ? from + static_cast<int32_t>(with.size()) : from;
    }

    std::u16string text_;
    int64_t total_;
    int32_t start_ = 0, end_ = 0;
    int reads_ = 0;
    EditFollower follower_;
};

bool isHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Backspace and Delete as the control does them: the selection, or one character.
void backspace(Document& d) {
    int32_t from = d.caret(), to = d.selectionEnd();
    if (from == to && from > 0) {
        from -= (from >= 2 && isLow(d.text()[from - 1]) && isHigh(d.text()[from - 2])) ? 2 : 1;
    }
    d.edit({EditKind::backspace}, from, to, u"", false);
}
void forwardDelete(Document& d) {
    const int32_t from = d.caret();
    int32_t to = d.selectionEnd();
    if (from == to && to < d.length()) {
        to += (to + 1 < d.length() && isHigh(d.text()[to]) && isLow(d.text()[to + 1])) ? 2 : 1;
    }
    d.edit({EditKind::forwardDelete}, from, to, u"", false);
}
void type(Document& d, char16_t unit) {
    d.edit({EditKind::typed, unit}, d.caret(), d.selectionEnd(), std::u16string(1, unit));
}

// A run of typing, corrections and Enter at one place reads the control once, and the count
// follows every key.
TEST(EditFollowerTest, TypingAndCorrectingReadsOnceAndCountsEveryKey) {
    Document d(std::u16string(200000, u'\u7684'));
    d.select(100000, 100000);
    for (int i = 0; i < 300; ++i) {
        type(d, i % 7 == 0 ? u' ' : u'\u4E00');
        if (i % 10 == 9) type(d, u'\r');
        if (i % 5 == 4) backspace(d);
    }
    for (int i = 0; i < 100; ++i) backspace(d);
    d.select(d.caret() - 50, d.caret() - 50);  // back a little, within what it knows
    for (int i = 0; i < 20; ++i) forwardDelete(d);
    type(d, u'a');
    EXPECT_TRUE(d.countRight());
    EXPECT_EQ(d.reads(), 1);
}

// Random edits of every kind on a text of spaces, letters, Chinese characters, line breaks and
// surrogate pairs, with changes elsewhere now and then: the count is right after each.
TEST(EditFollowerTest, TheCountFollowsEveryKindOfChangeAtTheSelection) {
    const std::u16string pieces[] = {u" ",  u"\u3000",     u"a",  u"\u7684",
                                     u"\r", u"\U0001F600", u"\t", u"\u00A0"};
    std::mt19937 random(2026);
    const auto below = [&](int32_t n) {
        return static_cast<int32_t>(random() % static_cast<unsigned>(std::max(n, 1)));
    };
    const auto some = [&](int most) {
        std::u16string text;
        for (int i = below(most + 1); i > 0; --i) text += pieces[random() % std::size(pieces)];
        return text;
    };
    Document d(some(3000));
    std::optional<int32_t> composition;  // where it began
    int32_t composed = 0;
    for (int step = 0; step < 30000; ++step) {
        const int32_t a = d.caret(), b = d.selectionEnd();
        if (composition) {
            const int32_t start = *composition;
            const bool last = below(4) == 0;
            const std::u16string next = some(last ? 3 : 700);
            d.edit({last ? EditKind::endComposing : EditKind::composing}, start, start + composed,
                   next, last || below(2) == 0);
            composed = static_cast<int32_t>(next.size());
            if (last) composition.reset();
        } else {
            switch (below(11)) {
                case 0: {
                    const int32_t at = below(d.length() + 1);
                    d.select(at, std::min(at + below(40), d.length() + 1));
                    break;
                }
                case 1:
                    backspace(d);
                    break;
                case 2:
                    forwardDelete(d);
                    break;
                case 3: {  // a word deleted with Ctrl, or a cut
                    const int32_t from = a == b ? std::max(a - below(700), 0) : a;
                    d.edit({EditKind::other}, from, b, u"", false);
                    break;
                }
                case 4:
                    d.edit({EditKind::other}, a, b, some(below(8) == 0 ? 900 : 5));  // a paste
                    break;
                case 5: {
                    composition = a;
                    const std::u16string first = some(5);
                    d.edit({EditKind::startComposing}, a, b, first);
                    composed = static_cast<int32_t>(first.size());
                    break;
                }
                case 6: {
                    const int32_t at = below(d.length() + 1);
                    d.changeElsewhere(at, std::min(at + below(30), d.length()), some(30));
                    break;
                }
                case 7:  // a key the control takes no notice of
                    d.edit({EditKind::typed, u'\r'}, a, a, u"", below(2) == 0);
                    break;
                case 8: {  // keys that do more than they usually do
                    const std::u16string unit(1, pieces[random() % std::size(pieces)][0]);
                    const int32_t k = 1 + below(3);
                    if (below(3) == 0 && b + k <= d.length()) {
                        d.edit({EditKind::typed, unit[0]}, a, b + k, unit);  // typing over
                    } else if (below(2) == 0 && b + k <= d.length()) {
                        d.edit({EditKind::backspace}, a, b + k, u"", false);  // deleting forward
                    } else if (a >= k) {
                        d.edit({EditKind::forwardDelete}, a - k, b, u"", false);  // and back
                    }
                    break;
                }
                default:
                    type(d, pieces[random() % std::size(pieces)][0]);
            }
        }
        ASSERT_TRUE(d.countRight()) << "step " << step;
    }
}

}  // namespace
}  // namespace wendrill
