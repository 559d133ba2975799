#include "editor/edit_stretch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace wendrill {
namespace {

constexpr int32_t M = kEditMargin;

struct StretchCase {
    const char* what;
    EditState before;
    std::optional<Composition> composition;
    EditState after;
    std::optional<Stretch> read;     // before the change
    std::optional<Stretch> changed;  // after it
};

const StretchCase kCases[] = {
    {"a key typed",
     {10000, 5000, 5000},
     {},
     {10001, 5001, 5001},
     {{5000 - M, 5000 + M}},
     {{5000 - M, 5001 + M}}},
    {"near the start", {10000, 3, 3}, {}, {10001, 4, 4}, {{0, 3 + M}}, {{0, 4 + M}}},
    {"at the end",
     {10000, 10000, 10000},
     {},
     {10001, 10001, 10001},
     {{10000 - M, 10000}},
     {{10000 - M, 10001}}},
    {"Backspace",
     {10000, 5000, 5000},
     {},
     {9999, 4999, 4999},
     {{5000 - M, 5000 + M}},
     {{5000 - M, 4999 + M}}},
    {"a deletion back past the margin",
     {10000, 5000, 5000},
     {},
     {9400, 4400, 4400},
     {{5000 - M, 5000 + M}},
     {}},
    {"a deletion forward past the margin",
     {10000, 5000, 5000},
     {},
     {9400, 5000, 5000},
     {{5000 - M, 5000 + M}},
     {}},
    {"a deletion forward to the margin",
     {10000, 5000, 5000},
     {},
     {10000 - M, 5000, 5000},
     {{5000 - M, 5000 + M}},
     {{5000 - M, 5000}}},
    {"a key over a selection",
     {10000, 5000, 6000},
     {},
     {9001, 5001, 5001},
     {{5000 - M, 6000 + M}},
     {{5000 - M, 5001 + M}}},
    {"everything selected and pasted over",
     {100, 0, 101},
     {},
     {4000, 4000, 4000},
     {{0, 100}},
     {{0, 4000}}},
    {"a selection too long to read", {3 << 20, 0, 2 << 20}, {}, {1 << 20, 1, 1}, {}, {}},
    // A composition of 600 characters begun at 5000, with the caret at its start.
    {"a long composition",
     {10600, 5000, 5000},
     Composition{{10000, 5000, 5000}},
     {10601, 5000, 5000},
     {{5000 - M, 5600 + M}},
     {{5000 - M, 5601 + M}}},
};

TEST(EditStretchTest, HoldsTheChangeAtTheSelectionAndNothingThatReachesFurther) {
    for (const StretchCase& c : kCases) {
        SCOPED_TRACE(c.what);
        const std::optional<Stretch> read = stretchBefore(c.before, c.composition);
        ASSERT_EQ(read.has_value(), c.read.has_value());
        if (!read) continue;
        EXPECT_EQ(read->from, c.read->from);
        EXPECT_EQ(read->to, c.read->to);
        const std::optional<Stretch> changed = stretchAfter(*read, c.before, c.after);
        ASSERT_EQ(changed.has_value(), c.changed.has_value());
        if (!changed) continue;
        EXPECT_EQ(changed->from, c.changed->from);
        EXPECT_EQ(changed->to, c.changed->to);
    }
}

TEST(EditStretchTest, EndsAreWidenedOutOfSurrogatePairs) {
    const std::u16string read = u"x\U0001F600ab\U0001F601y";  // read from 9
    EXPECT_EQ(readAround(Stretch{10, 15}, 20).from, 9);
    EXPECT_EQ(readAround(Stretch{10, 15}, 20).to, 16);
    EXPECT_EQ(readAround(Stretch{0, 15}, 15).from, 0);
    EXPECT_EQ(readAround(Stretch{0, 15}, 15).to, 15);
    EXPECT_TRUE(splitsPair(11, 9, read));
    EXPECT_FALSE(splitsPair(10, 9, read));
    EXPECT_FALSE(splitsPair(9, 9, read));  // nothing seen before it
    const Stretch whole = wholeCharacters(Stretch{11, 15}, 9, read);
    EXPECT_EQ(whole.from, 10);
    EXPECT_EQ(whole.to, 16);
    EXPECT_EQ(textOf(whole, 9, read), u"\U0001F600ab\U0001F601");
    // A lone half is a character of its own.
    EXPECT_FALSE(splitsPair(1, 0, u"\xDE00\xDE00"));
    EXPECT_FALSE(splitsPair(1, 0, u"\xD83D\xD83D"));
}

}  // namespace
}  // namespace wendrill
