// The editing commands end to end on the real window under Wine: menu command, clipboard,
// injected keys through the shortcuts, paste, until the document holds the new text; then "撤销".
// Each case runs in a process of its own, so that the process's peak working set is that of the
// document opened from a file and the one command. Compared with the control's own cost of taking
// the new text (and, for the undo, the old text) into an empty control. Prints figures; it
// checks no time.

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "bench/corpus.h"
#include "bench/timing.h"
#include "commands/line_cleanup.h"
#include "commands/replace_texts.h"
#include "editor/clipboard.h"
#include "editor/codepage.h"
#include "editor/rich_stream.h"
#include "files/document_commands.h"
#include "files/document_file.h"
#include "files/known_folders.h"
#include "tests/win/pump.h"
#include "text/positions.h"

namespace {

using namespace wendrill;

constexpr uint32_t kSeed = 2026;
// What "删除选中段落中的换行符" joins: a long stretch of chapters, not the whole novel, which
// would become one paragraph of many megabytes that the control alone needs minutes to lay out.
constexpr int32_t kJoinedCharacters = 200000;
constexpr RECT kEditorPlace{0, 25, 600, 475};
constexpr double kMegabyte = 1 << 20;

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

const DocText kDe = "\xB5\xC4";   // 的
const DocText kZhi = "\xD6\xAE";  // 之

const Case kCases[] = {
    {"deleteBlankLines", Command::deleteBlankLines, 0,
     [](const DocText& d) { return withoutBlankLines(d); }},
    {"trimLines", Command::trimLines, 0, [](const DocText& d) { return withTrimmedLines(d); }},
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
     [](const DocText& d) { return replaceAll(d, kDe, kZhi); }},
    // A paste over everything: the clipboard holds the document with every 的 made 之.
    {"pasteOverAll", Command::pasteClipboard, -1,
     [](const DocText& d) { return replaceAll(d, kDe, kZhi); }},
};

PROCESS_MEMORY_COUNTERS memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// How long the control takes to lay out the text from empty.
double streamInTime(HWND host, const DocText& text) {
    Editor editor;
    editor.create(host, kEditorPlace, 101);
    const double start = seconds();
    streamIn(editor.window(), text);
    return seconds() - start;
}

std::wstring documentPath() {
    return specialFolder(SpecialFolder::temporaryFiles) + L"wendrill-command-bench.txt";
}

// This machine's other work makes single runs vary by a factor of two or more: each figure is
// the best of a few runs, where a run takes less than minutes.
int runsFor(size_t megabytes) { return megabytes <= 1 ? 3 : megabytes <= 10 ? 2 : 1; }

double best(double a, double b) { return a < b ? a : b; }

// One case in this process: open the document from its file, then run the command and undo it,
// a few times over.
int runCase(const Case& c, size_t megabytes) {
    const DocText document = makeNovelCorpus(megabytes << 20, kSeed);
    const DocText expected = c.expected(document);
    const int runs = runsFor(megabytes);

    double command = 1e9, undo = 1e9;
    bool right = true, undone = true;
    SIZE_T afterOpening = 0, peakOpening = 0, peakCommand = 0;
    {
        FixedAnswers answers;
        App app(answers, u"wendrill.exe");
        if (!app.start()) return 1;
        SetForegroundWindow(app.window().handle());
        SetFocus(app.editor().window());
        const auto translate = [&app](MSG& msg) { return app.translateKeys(msg); };
        openDocumentFile(app.documentPlace(), documentPath(), kOpenCaptionPrefix);
        test::pumpPending(translate);
        afterOpening = memory().WorkingSetSize;
        peakOpening = memory().PeakWorkingSetSize;
        for (int run = 0; run < runs; ++run) {
            if (c.command == Command::pasteClipboard) setClipboardText(app.window().handle(), expected);
            app.editor().setSelectionStart(0);
            app.editor().setSelectionLength(c.selectionLength);
            const double start = seconds();
            app.runCommand(c.command);
            // The repaste commands finish once their injected Ctrl+A and Ctrl+V are handled.
            test::pumpUntilInputHandled(translate, 3600000);
            command = best(command, seconds() - start);
            right = right && app.editor().getText() == expected;

            const double undoStart = seconds();
            app.editor().undo();
            undo = best(undo, seconds() - undoStart);
            undone = undone && app.editor().getText() == document;
        }
        peakCommand = memory().PeakWorkingSetSize;
    }
    // The App's window is gone with its control: the bases run on their own.
    test::TestWindow host;
    double newIn = 1e9, oldIn = 1e9;
    for (int run = 0; run < runs; ++run) {
        newIn = best(newIn, streamInTime(host.handle(), expected));
        oldIn = best(oldIn, streamInTime(host.handle(), document));
    }
    std::printf(
        "  %-17s command %6.2f s, new text into an empty control %6.2f s: ratio %.2f | "
        "working set after opening %5.0f MB, peak %5.0f MB (%5.0f MB while opening): ratio %.2f "
        "| undo %6.2f s, old text into an empty control %6.2f s: ratio %.2f%s%s\n",
        c.name, command, newIn, command / newIn, afterOpening / kMegabyte,
        peakCommand / kMegabyte, peakOpening / kMegabyte,
        static_cast<double>(peakCommand) / static_cast<double>(afterOpening), undo, oldIn,
        undo / oldIn, right ? "" : "   WRONG RESULT", undone ? "" : "   WRONG UNDO");
    std::fflush(stdout);
    return 0;
}

// Runs this program again for one case, so that its peak working set is that case's alone.
void runInOwnProcess(const char* name, size_t megabytes) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --case " +
                               wideFromDoc(name) + L" --megabytes " + std::to_wstring(megabytes);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("  %s: cannot start a process for it\n", name);
        return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

int main(int argc, char** argv) {
    // --quick: 1 MB only; --only NAME: that command only; --megabytes N: that size only (100 MB
    // is not run by default: under Wine it takes about 12 GB and many minutes a command).
    bool quick = false;
    std::string only, caseName;
    size_t megabytes = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--quick") quick = true;
        if (argument == "--only" && i + 1 < argc) only = argv[++i];
        if (argument == "--case" && i + 1 < argc) caseName = argv[++i];
        if (argument == "--megabytes" && i + 1 < argc) megabytes = std::stoul(argv[++i]);
    }
    if (!caseName.empty()) {
        for (const Case& c : kCases) {
            if (caseName == c.name) return runCase(c, megabytes);
        }
        return 1;
    }
    std::vector<size_t> sizes{1, 10};
    if (quick) sizes = {1};
    if (megabytes != 0) sizes = {megabytes};
    for (size_t size : sizes) {
        if (!writeWholeFile(documentPath(), makeNovelCorpus(size << 20, kSeed))) return 1;
        std::printf(
            "%zu MB document opened from a file (deleteSameText: the first character selected; "
            "joinSelectedLines: the first 200,000 characters; pasteOverAll: everything); "
            "times are the best of %d runs:\n",
            size, runsFor(size));
        std::fflush(stdout);
        for (const Case& c : kCases) {
            if (only.empty() || only == c.name) runInOwnProcess(c.name, size);
        }
    }
    DeleteFileW(documentPath().c_str());
    return 0;
}
