#include "text/positions.h"

#include <gtest/gtest.h>

namespace wendrill {
namespace {

TEST(PositionsTest, CharactersAndLineBreaksCountOne) {
    const std::string_view text = "\xBC\xD7\r\nab\xD2\xD2";  // 甲 CR LF a b 乙
    struct Case {
        int32_t position;
        size_t offset;
    } cases[] = {{0, 0}, {1, 2}, {2, 4}, {3, 5}, {4, 6}, {5, 8}, {99, 8}, {-1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(byteOffsetOfPosition(text, c.position), c.offset) << c.position;
}

TEST(PositionsTest, CharacterCountMatchesThePositions) {
    EXPECT_EQ(characterCount("\xBC\xD7\r\nab\xD2\xD2"), 5);
    EXPECT_EQ(characterCount(""), 0);
    EXPECT_EQ(characterCount("a\rb\n"), 4);
    EXPECT_EQ(characterCount("a\xB5"), 2);
}

TEST(PositionsTest, ALoneCrOrALastLeadByteIsOneCharacterAndNeverReadsPastTheEnd) {
    EXPECT_EQ(byteOffsetOfPosition("a\rb", 2), 2u);
    EXPECT_EQ(byteOffsetOfPosition("a\xB5", 1), 1u);
    EXPECT_EQ(byteOffsetOfPosition("a\xB5", 2), 2u);
    EXPECT_EQ(byteOffsetOfPosition("\r", 1), 1u);
}

}  // namespace
}  // namespace wendrill
