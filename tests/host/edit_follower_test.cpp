#include "editor/edit_follower.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/edit_simulation.h"

namespace wendrill {
namespace {

using test::FollowedDocument;

// A run of typing, corrections and Enter at one place reads the control once, and the count
// follows every key.
TEST(EditFollowerTest, TypingAndCorrectingReadsOnceAndCountsEveryKey) {
    FollowedDocument d(std::u16string(200000, u'\u7684'));
    d.select(100000, 0);
    for (int i = 0; i < 300; ++i) {
        d.type(i % 7 == 0 ? u' ' : u'\u4E00');
        if (i % 10 == 9) d.type(u'\r');
        if (i % 5 == 4) d.backspace();
        ASSERT_TRUE(d.countRight()) << "key " << i;
    }
    for (int i = 0; i < 100; ++i) d.backspace();
    d.select(d.caret() - 50, 0);  // back a little, within what it knows
    for (int i = 0; i < 20; ++i) d.forwardDelete();
    d.type(u'a');
    EXPECT_TRUE(d.countRight());
    EXPECT_EQ(d.reads(), 1);
}

// Random edits of every kind on a text of spaces, letters, Chinese characters, line breaks and
// surrogate pairs, with changes elsewhere now and then: the count is right after each.
TEST(EditFollowerTest, TheCountFollowsEveryKindOfChangeAtTheSelection) {
    struct RandomChoice {
        std::mt19937 random{2026};
        int32_t number(int32_t n) {
            return static_cast<int32_t>(random() % static_cast<unsigned>(std::max(n, 1)));
        }
        int32_t units() { return number(8) == 0 ? number(900) : number(6); }
        char16_t unit() { return piece()[0]; }
        std::u16string text() {
            std::u16string text;
            for (int32_t n = units(); n > 0; --n) text += piece();
            return text;
        }
        std::u16string_view piece() {
            static constexpr std::u16string_view kPieces[] = {
                u" ", u"\u3000", u"a", u"\u7684", u"\r", u"\U0001F600", u"\t", u"\u00A0"};
            return kPieces[random() % std::size(kPieces)];
        }
    } choose;
    std::u16string start;
    for (int i = 0; i < 1500; ++i) start += choose.piece();
    FollowedDocument d(start);
    d.select(d.length() / 2, 0);
    for (int step = 0; step < 30000; ++step) {
        d.editAsChosen(choose);
        ASSERT_TRUE(d.countRight()) << "step " << step;
    }
}

}  // namespace
}  // namespace wendrill
