// Whole-document commands through the real Editor, against the control's own cost of taking the
// document in and giving it out. Prints figures; it checks no time.

#include <richedit.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "bench/corpus.h"
#include "bench/timing.h"
#include "commands/line_cleanup.h"
#include "commands/line_cleanup_commands.h"
#include "editor/codepage.h"
#include "editor/editor.h"
#include "editor/rich_stream.h"
#include "files/document_file.h"
#include "files/known_folders.h"

namespace {

using wendrill::DocText;
using wendrill::Editor;

constexpr uint32_t kSeed = 2026;
constexpr RECT kEditorPlace{0, 25, 600, 475};

using wendrill::bench::seconds;

double timed(const std::function<void()>& work) {
    const double start = seconds();
    work();
    return seconds() - start;
}

HWND makeHostWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WendrillBenchWindow";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"Wendrill bench",
                           WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0, 800, 500, nullptr,
                           nullptr, wc.hInstance, nullptr);
}

std::unique_ptr<Editor> editorHolding(HWND host, const DocText& text) {
    auto editor = std::make_unique<Editor>();
    if (!editor->create(host, kEditorPlace, 100)) return nullptr;
    wendrill::streamIn(editor->window(), text);
    return editor;
}

struct ControlCost {
    double in = 0;
    double out = 0;
    double total() const { return in + out; }
};

ControlCost controlCost(HWND host, const DocText& text) {
    Editor editor;
    editor.create(host, kEditorPlace, 100);
    ControlCost cost;
    cost.in = timed([&] { wendrill::streamIn(editor.window(), text); });
    cost.out = timed([&] { wendrill::streamOut(editor.window()); });
    return cost;
}

void benchCommand(HWND host, const char* name, const DocText& text, const ControlCost& base,
                  DocText (*transform)(std::string_view), void (*command)(Editor&)) {
    auto editor = editorHolding(host, text);
    DocText read, result;
    const double get = timed([&] { read = editor->getText(); });
    const double compute = timed([&] { result = transform(read); });
    const double set = timed([&] { editor->setText(result); });
    const double total = get + compute + set;
    // The control's own cost of the new document: how long it takes to lay out what it gets.
    const ControlCost resultBase = controlCost(host, result);
    std::printf(
        "  %-18s %7.3f s  (getText %.3f, transform %.3f, setText %.3f)  in the control "
        "%4.1f%%\n",
        name, total, get, compute, set, 100.0 * (get + set) / total);
    std::printf(
        "  %-18s ratio to the document's stream-out + stream-in %.2f; to its stream-out "
        "+ the new text's stream-in (%.3f s) %.2f\n",
        "", total / base.total(), resultBase.in, total / (base.out + resultBase.in));

    // The real command must leave the same document.
    auto check = editorHolding(host, text);
    command(*check);
    if (check->getText() != result) std::printf("  %s: the command's result differs!\n", name);
}

void benchDocument(HWND host, size_t bytes) {
    const DocText text = wendrill::makeNovelCorpus(bytes, kSeed);
    const ControlCost base = controlCost(host, text);
    std::printf("%zu MB document: stream-in %.3f s, stream-out %.3f s, together %.3f s\n",
                bytes >> 20, base.in, base.out, base.total());
    benchCommand(host, "deleteBlankLines", text, base, wendrill::withoutBlankLines,
                 wendrill::deleteBlankLines);
    benchCommand(host, "trimLines", text, base, wendrill::withTrimmedLines, wendrill::trimLines);
}

// Why setText never deletes a large text inside the control: the ways of replacing a whole text.
void benchReplacementRoutes(HWND host, size_t bytes) {
    const DocText text = wendrill::makeNovelCorpus(bytes, kSeed);
    const DocText next = wendrill::withTrimmedLines(text);
    std::printf("replacing a %zu KB text by another:\n", bytes >> 10);

    auto inPlace = editorHolding(host, text);
    const std::wstring wide = wendrill::wideFromDoc(next);
    const double replaceSel = timed([&] {
        SendMessageW(inPlace->window(), EM_SETSEL, 0, -1);
        SendMessageW(inPlace->window(), EM_REPLACESEL, TRUE,
                     reinterpret_cast<LPARAM>(wide.c_str()));
    });
    std::printf("  select all + EM_REPLACESEL (undoable)   %7.3f s\n", replaceSel);

    auto streamed = editorHolding(host, text);
    const double streamOver = timed([&] {
        SendMessageW(streamed->window(), EM_SETSEL, 0, -1);
        wendrill::streamIn(streamed->window(), next, SFF_SELECTION);
    });
    std::printf("  select all + stream-in over it          %7.3f s\n", streamOver);

    auto fresh = editorHolding(host, text);
    const double recreate = timed([&] { fresh->setText(next); });
    std::printf("  Editor::setText (a fresh control)       %7.3f s\n", recreate);
}

// Opening and saving a whole novel: from the file into the Editor, and back out to the file.
void benchOpenAndSave(HWND host, size_t bytes) {
    const DocText text = wendrill::makeNovelCorpus(bytes, kSeed);
    const DocText path =
        wendrill::specialFolder(wendrill::SpecialFolder::temporaryFiles) + "wendrill-bench.txt";
    if (!wendrill::writeWholeFile(path, text)) {
        std::printf("  %s cannot be written\n", path.c_str());
        return;
    }
    Editor editor;
    editor.create(host, kEditorPlace, 100);
    DocText read, shown;
    const double readFile = timed([&] {
        read = wendrill::readDocumentFile(path).value_or(wendrill::DocumentFile{}).text;
    });
    const double setText = timed([&] { editor.setText(read); });
    const double getText = timed([&] { shown = editor.getText(); });
    bool written = false;
    const double writeFile = timed([&] { written = wendrill::writeWholeFile(path, shown); });
    std::printf(
        "%zu MB document: open %.3f s (read %.3f, setText %.3f); save %.3f s (getText %.3f, "
        "write %.3f)\n",
        bytes >> 20, readFile + setText, readFile, setText, getText + writeFile, getText,
        writeFile);
    if (!written || wendrill::readWholeFile(path) != text) {
        std::printf("  the saved file differs from the document!\n");
    }
    DeleteFileW(wendrill::wideFromDoc(path).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    HWND host = makeHostWindow();
    if (!host) return 1;
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    benchReplacementRoutes(host, 256 << 10);
    benchDocument(host, 1 << 20);
    benchOpenAndSave(host, 1 << 20);
    if (!quick) {
        benchDocument(host, 10 << 20);
        benchOpenAndSave(host, 10 << 20);
        benchOpenAndSave(host, 100 << 20);
    }
    DestroyWindow(host);
    return 0;
}
