// The editing commands end to end on the real window under Wine: menu command, clipboard,
// injected keys through the shortcuts, paste, until the document holds the new text. Compared
// with the control's own cost of giving the document out and taking the new text in. Prints
// figures; it checks no time.

#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/app.h"
#include "bench/corpus.h"
#include "bench/timing.h"
#include "commands/replace_texts.h"
#include "editor/rich_stream.h"
#include "tests/win/pump.h"
#include "text/positions.h"

namespace {

using namespace wendrill;

constexpr uint32_t kSeed = 2026;
// What "删除选中段落中的换行符" joins: a long stretch of chapters, not the whole novel, which
// would become one paragraph of many megabytes that the control alone needs minutes to lay out.
constexpr int32_t kJoinedCharacters = 200000;
constexpr RECT kEditorPlace{0, 25, 600, 475};

using bench::seconds;

// "替换文字" is answered without a box.
class FixedAnswers : public Questions {
  public:
    int messageBox(std::u16string_view, int, std::u16string_view) override { return kAnswerNo; }
    InputAnswer inputBox(HWND, std::u16string_view, std::u16string_view) override {
        return {true, u"\u7684 \u4E4B"};  // 的 之
    }
};

struct Case {
    const char* name;
    Command command;
    int32_t selectionLength;  // from the start; -1: everything
    std::function<DocText(const DocText&)> expected;
};

// The document's first character, as the Editor would give it selected.
DocText firstCharacter(const DocText& text) {
    return text.substr(0, static_cast<unsigned char>(text[0]) >= 0x80 || text[0] == '\r' ? 2 : 1);
}

// The control's own cost: the document out, the new text into an empty control.
double controlCost(HWND host, const DocText& document, const DocText& result) {
    Editor out;
    out.create(host, kEditorPlace, 100);
    streamIn(out.window(), document);
    const double start = seconds();
    streamOut(out.window());
    const double outTime = seconds() - start;
    Editor in;
    in.create(host, kEditorPlace, 101);
    const double inStart = seconds();
    streamIn(in.window(), result);
    return outTime + (seconds() - inStart);
}

void benchCase(const Case& c, const DocText& document) {
    FixedAnswers answers;
    App app(answers, u"wendrill.exe");
    if (!app.start()) return;
    SetForegroundWindow(app.window().handle());
    SetFocus(app.editor().window());
    streamIn(app.editor().window(), document);
    app.editor().setSelectionStart(0);
    app.editor().setSelectionLength(c.selectionLength);
    const DocText expected = c.expected(document);
    const auto translate = [&app](MSG& msg) { return app.translateKeys(msg); };

    const double start = seconds();
    app.runCommand(c.command);
    // The repaste commands finish once their injected Ctrl+A and Ctrl+V are handled.
    test::pumpUntilInputHandled(translate, 600000);
    const double total = seconds() - start;

    const bool right = app.editor().getText() == expected;
    const double base = controlCost(app.window().handle(), document, expected);
    std::printf("  %-20s %7.3f s   control's own out + in %7.3f s   ratio %.2f%s\n", c.name, total,
                base, total / base, right ? "" : "   WRONG RESULT");
}

}  // namespace

int main(int argc, char** argv) {
    // --quick: 1 MB only; --only NAME: that command only.
    bool quick = false;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--quick") quick = true;
        if (std::string(argv[i]) == "--only" && i + 1 < argc) only = argv[++i];
    }
    const DocText de = "\xB5\xC4";   // 的
    const DocText zhi = "\xD6\xAE";  // 之
    const Case cases[] = {
        {"indentParagraphs", Command::indentParagraphs, 0,
         [](const DocText& d) { return indentedText(d); }},
        {"addBlankLines", Command::addBlankLines, 0,
         [](const DocText& d) { return withBlankLinesAdded(d); }},
        {"deleteSameText", Command::deleteSameText, 1,
         [](const DocText& d) { return withoutOccurrences(d, firstCharacter(d)); }},
        {"joinSelectedLines", Command::joinSelectedLines, kJoinedCharacters,
         [](const DocText& d) {
             const size_t end = byteOffsetOfPosition(d, kJoinedCharacters);
             return joinedLines(d.substr(0, end)) + d.substr(end);
         }},
        {"replaceWords", Command::replaceWords, 0,
         [&](const DocText& d) { return replaceAll(d, de, zhi); }},
    };
    for (size_t megabytes : {size_t{1}, size_t{10}}) {
        if (quick && megabytes > 1) break;
        const DocText document = makeNovelCorpus(megabytes << 20, kSeed);
        std::printf(
            "%zu MB document (deleteSameText: the first character selected; "
            "joinSelectedLines: the first 200,000 characters):\n",
            megabytes);
        for (const Case& c : cases) {
            if (only.empty() || only == c.name) benchCase(c, document);
        }
    }
    return 0;
}
