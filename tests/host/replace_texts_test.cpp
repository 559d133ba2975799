#include "commands/replace_texts.h"

#include <gtest/gtest.h>

namespace wendrill {
namespace {

// GBK bytes of the words used below.
const DocText kJia = "\xBC\xD7";             // 甲
const DocText kYi = "\xD2\xD2";              // 乙
const DocText kApple = "\xC6\xBB\xB9\xFB";   // 苹果
const DocText kBanana = "\xCF\xE3\xBD\xB6";  // 香蕉
const DocText kPear = "\xC0\xE6";            // 梨
const DocText kWideSpace = "\xA1\xA1";       // full-width space
const DocText kDe = "\xB5\xC4";              // 的

TEST(ReplaceTextsTest, IndentGoesAfterEveryLineBreakOnly) {
    EXPECT_EQ(indentedText(kJia + "\r\n" + kYi + "\r\n"), kJia + "\r\n    " + kYi + "\r\n    ");
    EXPECT_EQ(indentedText(kJia), kJia);  // no break, nothing to indent
    EXPECT_EQ(indentedText("\r\n\r\n"), "\r\n    \r\n    ");
    EXPECT_EQ(indentedText("a\x81\r\nb"), "a\x81\r\nb");  // 81 takes the CR: no break there
}

TEST(ReplaceTextsTest, BlankLinesDoubleEveryBreak) {
    EXPECT_EQ(withBlankLinesAdded(kJia + "\r\n\r\n" + kYi), kJia + "\r\n\r\n\r\n\r\n" + kYi);
    EXPECT_EQ(withBlankLinesAdded("a\r\n"), "a\r\n\r\n");
}

TEST(ReplaceTextsTest, DeletingOccurrences) {
    struct Case {
        const char* pin;
        DocText text, pattern, expected;
    } cases[] = {
        {"every one, Chinese", kJia + kDe + kYi + kDe, kDe, kJia + kYi},
        {"case kept", "AaAa", "A", "aa"},
        {"across a line break", "a\r\nb a\r\nb", "a\r\nb", " "},
        {"empty pattern", "abc", "", "abc"},
        // 的 is B5 C4: C4 B5 standing across two characters is no occurrence.
        {"not from a trail byte", "\xB5\xC4\xB5\xC4", "\xC4\xB5", "\xB5\xC4\xB5\xC4"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withoutOccurrences(c.text, c.pattern), c.expected) << c.pin;
}

TEST(ReplaceTextsTest, JoiningLeavesNothingBetweenTheLines) {
    EXPECT_EQ(joinedLines(kJia + "\r\n" + kYi + "\r\n" + kJia), kJia + kYi + kJia);
    EXPECT_EQ(joinedLines(""), "");
    EXPECT_EQ(joinedLines("\r\r\n\n"), "\r\n");  // a break the joining forms stays
}

TEST(ReplaceTextsTest, ParsingTheReplaceInput) {
    struct Case {
        const char* pin;
        DocText input, search, replacement;
    } cases[] = {
        {"a pair", kApple + " " + kBanana, kApple, kBanana},
        {"trailing space: delete", kApple + " ", kApple, ""},
        {"two spaces: the rest kept whole", kApple + " " + kBanana + " " + kPear, kApple,
         kBanana + " " + kPear},
        {"no half-width space", kApple, "", kApple},
        {"a full-width space is not one", kApple + kWideSpace + kBanana, "",
         kApple + kWideSpace + kBanana},
        {"leading space", " " + kApple, "", kApple},
        {"a space taken by a lead byte does not separate", "\x81 a b", "\x81 a", "b"},
        {"cancelled: empty", "", "", ""},
    };
    for (const Case& c : cases) {
        const WordReplacement words = parseWordReplacement(c.input);
        EXPECT_EQ(words.searchText, c.search) << c.pin;
        EXPECT_EQ(words.replacement, c.replacement) << c.pin;
    }
}

TEST(ReplaceTextsTest, ReplacementIsNotSearchedAgain) {
    EXPECT_EQ(withWordsReplaced("aaa", parseWordReplacement("a aa")), "aaaaaa");
    EXPECT_EQ(
        withWordsReplaced(kApple + kPear + kApple, parseWordReplacement(kApple + " " + kBanana)),
        kBanana + kPear + kBanana);
    EXPECT_EQ(withWordsReplaced("abc", parseWordReplacement("abc")), "abc");  // empty search
}

}  // namespace
}  // namespace wendrill
