#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wendrill {
namespace {

using Arguments = std::vector<DocText>;

TEST(CommandLine, SplitsTheArgumentsAfterTheProgramPath) {
    struct Case {
        const char* name;
        std::string line;
        Arguments arguments;
    };
    // C:\稿件\第一章.txt
    const std::string chapter = "C:\\\xB8\xE5\xBC\xFE\\\xB5\xDA\xD2\xBB\xD5\xC2.txt";
    const Case cases[] = {
        {"empty command line", "", {}},
        {"unquoted path only", "w.exe", {}},
        {"quoted path only", "\"C:\\a b\\w.exe\"", {}},
        {"quoted path and quoted chapter", "\"C:\\a b\\w.exe\" \"" + chapter + "\"", {chapter}},
        {"unquoted chapter", "w.exe " + chapter, {chapter}},
        {"quoted empty argument", "w.exe \"\"", {""}},
        {"unquoted path with spaces is cut", "w.exe C:\\my file.txt", {"C:\\my", "file.txt"}},
        {"tabs and control bytes separate, DEL does not", "w.exe a\t\x01 b\x1F\x7F",
         {"a", "b", "\x7F"}},
        {"blanks at both ends", "w.exe \t a \r\n", {"a"}},
        {"argument right after the quoted path", "\"w.exe\"a", {"a"}},
        {"several spaces after the quoted path", "\"w.exe\"   a", {"a"}},
        {"unterminated quoted argument", "w.exe \"a b", {"a b"}},
        {"unterminated quoted path swallows everything", "\"C:\\w.exe a b", {}},
        {"plain argument ends at a quote", "w.exe ab\"c d\"e", {"ab", "c d", "e"}},
        {"backslash escapes nothing", "w.exe \"a\\\" b\"", {"a\\", "b", ""}},
        {"quote as trail byte stays inside", "w.exe \"\x81\"x\" y", {"\x81\"x", "y"}},
        {"space as trail byte stays inside", "w.exe \x81 b c", {"\x81 b", "c"}},
        {"quote as trail byte in the quoted path", "\"\x81\"\" a", {"a"}},
        {"space as trail byte in the unquoted path", "\x81 x y", {"y"}},
        {"lone lead byte at the end", "w.exe a\x81", {"a\x81"}},
        {"lone lead byte ends a quoted argument", "w.exe \"\x81", {"\x81"}},
        {"lone lead byte ends the quoted path", "\"w\x81", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitCommandLine(c.line), c.arguments);
    }
}

}  // namespace
}  // namespace wendrill
