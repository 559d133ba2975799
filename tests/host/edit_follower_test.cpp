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
    FollowedDocument d(some(3000));
    for (int step = 0; step < 30000; ++step) {
        const char16_t unit = pieces[random() % std::size(pieces)][0];
        if (d.composing()) {
            const bool last = below(4) == 0;
            d.compose(some(last ? 3 : 700), last, below(2) == 0);
        } else {
            switch (below(10)) {
                case 0:
                    d.select(below(d.length() + 1), below(40));
                    break;
                case 1:
                    d.backspace();
                    break;
                case 2:
                    d.forwardDelete();
                    break;
                case 3:
                    d.deleteBack(below(700));
                    break;
                case 4:
                    d.paste(some(below(8) == 0 ? 900 : 5));
                    break;
                case 5:
                    d.compose(some(5), false, true);
                    break;
                case 6:
                    d.changeElsewhere(below(d.length() + 1), below(30), some(30));
                    break;
                case 7:
                    d.surprise(below(4), unit, 1 + below(3));
                    break;
                default:
                    d.type(unit);
            }
        }
        ASSERT_TRUE(d.countRight()) << "step " << step;
    }
}

}  // namespace
}  // namespace wendrill
