#include "text/doc_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

// Texts are written as GBK byte escapes, each character named in a comment, so the tests do not
// depend on the compiler's execution character set.

namespace wendrill {
namespace {

using namespace std::literals;

std::string repeat(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// A row of a table whose operation maps one text to another.
struct TextCase {
    const char* name;
    std::string text, expected;
};

constexpr auto kDe = "\xB5\xC4"sv;  // 的
constexpr auto kYi = "\xD2\xBB"sv;  // 一

TEST(DocText, ByteLengthCountsBytesNotCharacters) {
    EXPECT_EQ(byteLength(""), 0);
    EXPECT_EQ(byteLength("\xC6\xBB\xB9\xFB!"), 5);  // 苹果!  // 苹果a
}

TEST(DocText, CompareTextIsBytewiseUnsigned) {
    struct Case {
        const char* name;
        std::string_view a, b;
        int expected;
    };
    const Case cases[] = {
        {"equal empty", "", "", 0},
        {"equal hanzi", "\xB5\xC4", "\xB5\xC4", 0},
        {"ascii order", "a", "b", -1},
        {"shorter prefix is smaller", "a", "ab", -1},
        {"longer is larger", "\xB5\xC4", "\xB5", 1},
        {"high byte sorts after ascii", "\xB5", "z", 1},
        {"0xFF sorts after 0x80", "\x80", "\xFF", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(compareText(c.a, c.b), c.expected);
    }
}

TEST(DocText, JoinTextsConcatenatesAndSkipsEmptyParts) {
    EXPECT_EQ(joinTexts({}), "");
    EXPECT_EQ(joinTexts({"a", "", "\xB5\xC4", "", "!"}), "a\xB5\xC4!");
}

TEST(DocText, FindForwardAndReverseFollowTheCharacterScan) {
    struct Case {
        const char* name;
        std::string text, pattern;
        int32_t first, last;
    };
    const Case cases[] = {
        {"empty pattern in text", "abc", "", 1, 1},
        {"empty pattern in empty text", "", "", -1, -1},
        {"pattern in empty text", "", "b", -1, -1},
        {"pattern longer than text", "ab", "abc", -1, -1},
        {"space between two words", "\xC6\xBB\xB9\xFB \xCF\xE3\xBD\xB6", " ", 5, 5},  // 苹果 香蕉
        // 一乙 is D2 BB D2 D2, and 灰 (BB D2) straddles its two characters.
        {"match straddling two characters", "\xD2\xBB\xD2\xD2", "\xBB\xD2", -1, -1},
        {"ascii byte that is a trail byte", "\x81\x40", "@", -1, -1},  // 丂
        {"ascii after a trail byte", "a\x81\x40@", "@", 4, 4},
        {"trail byte pattern", "\xB5\xC4", "\xC4", -1, -1},
        {"lone lead byte at the end", "a\xB5", "\xB5", 2, 2},
        {"lead byte taken as trail", "\xC4\xB5\xC4", "\xB5\xC4", -1, -1},
        // 一一灰: a false candidate at byte 2 before the real one at byte 5.
        {"false candidate then a real one", "\xD2\xBB\xD2\xBB\xBB\xD2", "\xBB\xD2", 5, 5},
        {"repeated hanzi", repeat(kDe, 3), std::string(kDe), 1, 5},
        {"overlapping occurrences", "aaa", "aa", 1, 2},
        // Every C4 B5 inside the run straddles; only the one after an even run is real.
        {"long run of high bytes", "a" + repeat(kDe, 10) + "\xC4\xB5", "\xC4\xB5", 22, 22},
        {"odd run hides every hanzi", "a\xB5" + repeat(kDe, 10), std::string(kDe), -1, -1},
        {"ascii trail byte inside the run", repeat(kDe, 5) + "\xB5x" + repeat(kDe, 5) + "\xC4\xB5",
         "\xC4\xB5", 23, 23},
        // Nothing to stop at on the way, so the walk back from the match is long.
        {"ascii deep inside a long run", "abcdefgh\xB5x" + repeat(kYi, 9) + "\xB5\xC4", "\xB5\xC4",
         29, 29},
        {"odd run after a deep ascii byte", "abcdefghx\xBB" + repeat(kYi, 9) + "\xB5\xC4",
         "\xB5\xC4", -1, -1},
        // The reverse scan steps one character from each match: B5 swallows the second x.
        {"reverse steps by characters", "x\xB5x\xB5", "x\xB5", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(findText(c.text, c.pattern), c.first);
        EXPECT_EQ(findTextReverse(c.text, c.pattern), c.last);
    }
}

TEST(DocText, LeftAndRightBytesClampTheCount) {
    const std::string text = "ab\xB5\xC4";  // ab的
    struct Case {
        const char* name;
        int32_t count;
        std::string left, right;
    };
    const Case cases[] = {
        {"negative", -1, "", ""},
        {"most negative", std::numeric_limits<int32_t>::min(), "", ""},
        {"zero", 0, "", ""},
        {"cuts a character", 3, "ab\xB5", "b\xB5\xC4"},
        {"exact length", 4, text, text},
        {"beyond the end", std::numeric_limits<int32_t>::max(), text, text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(leftBytes(text, c.count), c.left);
        EXPECT_EQ(rightBytes(text, c.count), c.right);
    }
}

TEST(DocText, ReplaceAllReplacesTheOccurrencesTheScanMeets) {
    struct Case {
        const char* name;
        std::string text, pattern, replacement, expected;
    };
    const Case cases[] = {
        {"empty text", "", "a", "b", ""},
        {"empty pattern", "abc", "", "x", "abc"},
        {"no overlap", "aaa", "aa", "b", "ba"},
        {"replacement is not searched", "aa", "a", "aa", "aaaa"},
        {"line breaks doubled", "a\r\nb", "\r\n", "\r\n\r\n", "a\r\n\r\nb"},
        {"removal", "\xC6\xBB\xB9\xFB \xCF\xE3\xBD\xB6", " ", "",
         "\xC6\xBB\xB9\xFB\xCF\xE3\xBD\xB6"},
        {"straddling occurrence is kept", "\xD2\xBB\xD2\xD2", "\xBB\xD2", "x", "\xD2\xBB\xD2\xD2"},
        {"trail byte occurrence is kept", "\x81\x40@", "@", "#", "\x81\x40#"},
        {"lone lead byte at the end", "ab\xB5", "\xB5", "c", "abc"},
        {"text shorter than pattern", "a", "ab", "x", "a"},
        // The jump lands on the second x, which an unbroken scan would see as a trail byte.
        {"scan restarts behind each occurrence", "x\xB5x\xB5", "x\xB5", "-", "--"},
        {"long run before line breaks", repeat(kDe, 9) + "\r\n" + repeat(kDe, 9) + "\xB5\r\n",
         "\r\n", "|", repeat(kDe, 9) + "|" + repeat(kDe, 9) + "\xB5\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(replaceAll(c.text, c.pattern, c.replacement), c.expected);
    }
}

TEST(DocText, ReplaceRangeClampsStartAndLength) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    struct Case {
        const char* name;
        int32_t start, length;
        std::optional<std::string_view> replacement;
        std::string expected;
    };
    const Case cases[] = {
        {"inside", 3, 2, "X"sv, "abXef"},
        {"remove without replacement", 2, 2, std::nullopt, "adef"},
        {"start zero means the first byte", 0, 1, std::nullopt, "bcdef"},
        {"most negative start", kMin, 1, "X"sv, "Xbcdef"},
        {"start past the end appends", 99, 1, "X"sv, "abcdefX"},
        {"start just past the end", 7, 1, std::nullopt, "abcdef"},
        {"length beyond the end", 5, 99, std::nullopt, "abcd"},
        {"remove everything", kMin, kMax, std::nullopt, ""},
        {"zero length inserts", 1, 0, "X"sv, "Xabcdef"},
        {"negative length removes nothing", 2, -3, std::nullopt, "abcdef"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(replaceRange("abcdef", c.start, c.length, c.replacement), c.expected);
    }
}

TEST(DocText, SplitTextCutsAtTheSeparatorsTheScanMeets) {
    struct Case {
        const char* name;
        std::string_view text, separator;
        std::vector<std::string_view> expected;
    };
    const Case cases[] = {
        {"empty text", "", "\r\n", {}},
        {"empty separator", "ab", "", {"ab"}},
        {"no separator", "ab", "\r\n", {"ab"}},
        {"two lines", "a\r\nb", "\r\n", {"a", "b"}},
        {"trailing separator adds no piece", "a\r\n", "\r\n", {"a"}},
        {"empty line in between", "a\r\n\r\nb", "\r\n", {"a", "", "b"}},
        {"leading separator", "\r\na", "\r\n", {"", "a"}},
        {"separator alone", "\r\n", "\r\n", {""}},
        {"CR taken as a trail byte", "a\x81\r\nb", "\r\n", {"a\x81\r\nb"}},
        {"hanzi lines",
         "\xC6\xBB\xB9\xFB\r\n\xCF\xE3\xBD\xB6",
         "\r\n",  // 苹果 / 香蕉
         {"\xC6\xBB\xB9\xFB", "\xCF\xE3\xBD\xB6"}},
        {"two-byte separator", "a\xA1\xA3-\xA1\xA3", "\xA1\xA3", {"a", "-"}},  // 。
        {"scan restarts behind each separator", "x\xB5x\xB5", "x\xB5", {"", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitText(c.text, c.separator), c.expected);
    }
}

TEST(DocText, SplitTextPiecesViewIntoTheText) {
    const std::string text = "ab\r\ncd";
    const TextList pieces = splitText(text, "\r\n");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1].data(), text.data() + 4);
}

TEST(DocText, TrimBothEndsRemovesWholeSpaceCharacters) {
    const TextCase cases[] = {
        {"empty", "", ""},
        {"only mixed spaces", "  \xA1\xA1 \xA1\xA1", ""},
        {"ascii spaces both ends", "  a b  ", "a b"},
        {"wide spaces both ends", "\xA1\xA1x\xA1\xA1", "x"},
        {"mixed trailing run", "x\xA1\xA1 \xA1\xA1 ", "x"},
        {"tab CR LF are not spaces", "\tx \r\n", "\tx \r\n"},
        {"wide space starting on a trail byte", "\xB5\xA1\xA1", "\xB5\xA1\xA1"},
        {"wide space after an odd run", "x\xB5\xA1\xA1\xA1", "x\xB5\xA1"},
        {"lone A1 at the end", "x\xA1", "x\xA1"},
        {"three A1 bytes", "\xA1\xA1\xA1", "\xA1"},
        {"space as a trail byte", "x\x81 ", "x\x81 "},
        {"space after a trail space", "x\x81  ", "x\x81 "},
        {"leading A1 takes the space", "\xA1 x", "\xA1 x"},
        {"long even run before spaces", "a" + repeat(kDe, 9) + "  ", "a" + repeat(kDe, 9)},
        {"long odd run before spaces", "a\xB5" + repeat(kDe, 9) + "  ",
         "a\xB5" + repeat(kDe, 9) + " "},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trimBothEnds(c.text), c.expected);
        EXPECT_EQ(trimmedView(c.text), c.expected);
    }
}

TEST(DocText, RemoveAllSpacesKeepsEveryOtherCharacter) {
    const TextCase cases[] = {
        {"empty", "", ""},
        {"only spaces", " \xA1\xA1 ", ""},
        {"spaces between characters", " a \xA1\xA1\tb\xB5\xC4 ", "a\tb\xB5\xC4"},
        {"wide space starting on a trail byte", "\xB5\xA1\xA1", "\xB5\xA1\xA1"},
        {"space as a trail byte", "\x81 x ", "\x81 x"},
        {"lone A1 at the end", " \xA1", "\xA1"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(removeAllSpaces(c.text), c.expected);
    }
}

TEST(DocText, SpacesAndCharFromCode) {
    EXPECT_EQ(spaces(std::numeric_limits<int32_t>::min()), "");
    EXPECT_EQ(spaces(0), "");
    EXPECT_EQ(spaces(3), "   ");

    struct Case {
        const char* name;
        int32_t code;
        std::string expected;
    };
    const Case cases[] = {
        {"zero", 0, ""},
        {"carriage return", 13, "\r"},
        {"high byte", 0xB5, "\xB5"},
        {"only the low byte counts", 0x141, "A"},
        {"low byte zero", 0x100, ""},
        {"negative", -1, "\xFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(charFromCode(c.code), c.expected);
    }
}

TEST(DocText, TruncateToIntegerGoesTowardZeroAndClamps) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        double value;
        int32_t expected;
    };
    const Case cases[] = {
        {"positive fraction", 3.5, 3},
        {"small negative", -0.5, 0},
        {"negative fraction", -3.9, -3},
        {"negative whole", -2.0, -2},
        {"quotient", 7 / 2.0, 3},
        {"just below the top", 2147483647.9, kMax},
        {"just above the bottom", -2147483648.9, kMin},
        {"too large", 3e9, kMax},
        {"too small", -3e9, kMin},
        {"infinity", kInf, kMax},
        {"minus infinity", -kInf, kMin},
        {"NaN", std::nan(""), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(truncateToInteger(c.value), c.expected);
    }
}

}  // namespace
}  // namespace wendrill
