#include <gtest/gtest.h>

#include "files/drop_effect.h"
#include "files/suggested_name.h"

namespace wendrill {
namespace {

const DocText kFolder = "D:\\\xB8\xE5\xBC\xFE";  // D:\稿件

TEST(SuggestedNameTest, Cases) {
    struct Case {
        const char* pin;
        DocText folder, text, selection, expected;
    } cases[] = {
        {"first line without both kinds of space", kFolder,
         "\xB5\xDA \xD2\xBB\xA1\xA1\xD5\xC2\r\n\xD5\xFD\xCE\xC4", "",  // 第 一　章 / 正文
         kFolder + "\\\xB5\xDA\xD2\xBB\xD5\xC2.txt"},
        {"one line without a break: empty base", kFolder, "\xD5\xFD\xCE\xC4", "",
         kFolder + "\\.txt"},
        {"a document that begins with a break", kFolder, "\r\nabc", "", kFolder + "\\.txt"},
        {"the selection as it is, spaces kept", kFolder, "x\r\ny", "\xBC\xD7 \xD2\xD2",  // 甲 乙
         kFolder + "\\\xBC\xD7 \xD2\xD2.txt"},
        {"no remembered folder: a leading backslash", "", "ab\r\n", "", "\\ab.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(suggestedFileName(c.folder, c.text, c.selection), c.expected) << c.pin;
    }
}

TEST(SuggestedNameTest, FolderOfAPath) {
    EXPECT_EQ(folderOfPath(kFolder + "\\a.txt"), kFolder);
    EXPECT_EQ(folderOfPath("C:\\a\\b\\c.txt"), "C:\\a\\b");
    EXPECT_EQ(folderOfPath("c.txt"), "");
    // 81 5C is one two-byte character: its second byte is no backslash.
    EXPECT_EQ(folderOfPath("C:\\\x81\\x.txt"), "C:");
}

TEST(DropEffectTest, KeysAndAllowedEffects) {
    const uint32_t all = kDropCopy | kDropMove | kDropLink;
    struct Case {
        const char* pin;
        bool acceptable;
        uint32_t keys, allowed, effect;
    } cases[] = {
        {"no keys: copy first", true, 0, all, kDropCopy},
        {"no keys, no copy: move", true, 0, kDropMove | kDropLink, kDropMove},
        {"no keys, link only", true, 0, kDropLink, kDropLink},
        {"no keys, nothing allowed", true, 0, kDropNone, kDropNone},
        {"Shift: move", true, kKeyShift, all, kDropMove},
        {"Shift without move", true, kKeyShift, kDropCopy, kDropNone},
        {"Ctrl: copy", true, kKeyControl, all, kDropCopy},
        {"Ctrl without copy", true, kKeyControl, kDropMove, kDropNone},
        {"Ctrl and Shift: none", true, kKeyControl | kKeyShift, all, kDropNone},
        {"not files", false, 0, all, kDropNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dropEffect(c.acceptable, c.keys, c.allowed), c.effect) << c.pin;
    }
}

}  // namespace
}  // namespace wendrill
