#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wendrill {
namespace {

using Arguments = std::vector<std::u16string>;

TEST(CommandLine, SplitsTheArgumentsAfterTheProgramPath) {
    struct Case {
        const char* name;
        std::u16string line;
        Arguments arguments;
    };
    const std::u16string chapter = u"C:\\稿件\\第一章.txt";
    const std::u16string hangul = u"C:\\한글 원고\\😀.txt";
    const Case cases[] = {
        {"empty command line", u"", {}},
        {"unquoted path only", u"w.exe", {}},
        {"quoted path only", u"\"C:\\a b\\w.exe\"", {}},
        {"quoted path and quoted chapter", u"\"C:\\a b\\w.exe\" \"" + chapter + u"\"", {chapter}},
        {"unquoted chapter", u"w.exe " + chapter, {chapter}},
        {"characters GBK lacks stay as they are", u"w.exe \"" + hangul + u"\"", {hangul}},
        {"quoted empty argument", u"w.exe \"\"", {u""}},
        {"unquoted path with spaces is cut", u"w.exe C:\\my file.txt", {u"C:\\my", u"file.txt"}},
        {"tabs and control characters separate, DEL does not",
         u"w.exe a\t\x01 b\x1F\x7F",
         {u"a", u"b", u"\x7F"}},
        {"blanks at both ends", u"w.exe \t a \r\n", {u"a"}},
        {"argument right after the quoted path", u"\"w.exe\"a", {u"a"}},
        {"several spaces after the quoted path", u"\"w.exe\"   a", {u"a"}},
        {"unterminated quoted argument", u"w.exe \"a b", {u"a b"}},
        {"unterminated quoted path swallows everything", u"\"C:\\w.exe a b", {}},
        {"plain argument ends at a quote", u"w.exe ab\"c d\"e", {u"ab", u"c d", u"e"}},
        {"backslash escapes nothing", u"w.exe \"a\\\" b\"", {u"a\\", u"b", u""}},
        {"the ideographic space is no blank", u"w.exe 甲\u3000乙", {u"甲\u3000乙"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitCommandLine(c.line), c.arguments);
    }
}

}  // namespace
}  // namespace wendrill
