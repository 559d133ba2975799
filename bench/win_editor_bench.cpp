// Whole-document commands through the real Editor, against the control's own cost of taking the
// document in and giving it out. Prints figures; it checks no time.

#include <richedit.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
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
#include "files/document_encoding.h"
#include "files/document_file.h"
#include "files/known_folders.h"
#include "text/code_page.h"

namespace {

using wendrill::DocText;
using wendrill::Editor;

constexpr uint32_t kSeed = 2026;
// The platform's own conversion of GBK text, which the document code page must keep up with.
constexpr UINT kPlatformGbk = 936;
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

struct Encoding {
    const char* name;
    wendrill::FileEncoding encoding;
};
constexpr Encoding kEncodings[] = {{"GBK", wendrill::FileEncoding::documentCodePage},
                                   {"UTF-8", wendrill::FileEncoding::utf8},
                                   {"UTF-16", wendrill::FileEncoding::utf16LittleEndian}};

// Opening and saving a whole novel: from the file into the Editor, and back out to the file, in
// each encoding a file may have.
void benchOpenAndSave(HWND host, size_t bytes, const Encoding& encoding) {
    const DocText text = wendrill::makeNovelCorpus(bytes, kSeed);
    const std::wstring path =
        wendrill::specialFolder(wendrill::SpecialFolder::temporaryFiles) + L"wendrill-bench.txt";
    const std::string file = wendrill::encodeDocumentFile(text, encoding.encoding);
    if (!wendrill::writeWholeFile(path, file)) {
        std::printf("  %ls cannot be written\n", path.c_str());
        return;
    }
    Editor editor;
    editor.create(host, kEditorPlace, 100);
    wendrill::DocumentFile read;
    DocText shown;
    std::string saved;
    const double readFile = timed(
        [&] { read = wendrill::readDocumentFile(path).value_or(wendrill::DocumentFile{}); });
    const double setText = timed([&] { editor.setText(read.text); });
    const double getText = timed([&] { shown = editor.getText(); });
    bool written = false;
    const double writeFile = timed([&] {
        saved = wendrill::encodeDocumentFile(std::move(shown), read.encoding);
        written = wendrill::writeWholeFile(path, saved);
    });
    std::printf(
        "%zu MB document in %s: open %.3f s (read and convert %.3f, setText %.3f); save %.3f s "
        "(getText %.3f, convert and write %.3f)\n",
        bytes >> 20, encoding.name, readFile + setText, readFile, setText, getText + writeFile,
        getText, writeFile);
    if (!written || read.text != text || saved != file) {
        std::printf("  the saved file differs from the one opened!\n");
    }
    DeleteFileW(path.c_str());
}

template <class Work>
void printRate(const char* name, size_t bytes, Work work) {
    constexpr int kRuns = 5;
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) best = std::min(best, timed(work));
    std::printf("  %-44s %8.1f MB/s\n", name, static_cast<double>(bytes) / best / 1e6);
}

// The document code page against the platform's code page 936 on GBK text, which the program
// used before it had its own: the size asked for first, then the conversion. And memcpy.
void benchCodePage(size_t bytes) {
    const DocText text = wendrill::makeNovelCorpus(bytes, kSeed);
    const std::u16string utf16 = wendrill::utf16FromDoc(text);
    const int size = static_cast<int>(text.size());
    const int units = static_cast<int>(utf16.size());
    const auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
    std::printf("%zu MB of GBK text (rates of the GBK bytes, the best of five):\n", bytes >> 20);
    std::string copy(text.size(), '\0');
    printRate("memcpy", text.size(), [&] { std::memcpy(copy.data(), text.data(), text.size()); });
    std::u16string decoded;
    DocText encoded;
    printRate("utf16FromDoc", text.size(), [&] { decoded = wendrill::utf16FromDoc(text); });
    printRate("MultiByteToWideChar(936)", text.size(), [&] {
        const int count = MultiByteToWideChar(kPlatformGbk, 0, text.data(), size, nullptr, 0);
        std::u16string out(static_cast<size_t>(count), u'\0');
        MultiByteToWideChar(kPlatformGbk, 0, text.data(), size,
                            reinterpret_cast<wchar_t*>(out.data()), count);
        decoded = std::move(out);
    });
    printRate("docFromUtf16", text.size(), [&] { encoded = wendrill::docFromUtf16(utf16); });
    printRate("WideCharToMultiByte(936)", text.size(), [&] {
        const int count =
            WideCharToMultiByte(kPlatformGbk, 0, wide, units, nullptr, 0, nullptr, nullptr);
        DocText out(static_cast<size_t>(count), '\0');
        WideCharToMultiByte(kPlatformGbk, 0, wide, units, out.data(), count, nullptr, nullptr);
        encoded = std::move(out);
    });
}

}  // namespace

int main(int argc, char** argv) {
    HWND host = makeHostWindow();
    if (!host) return 1;
    // --quick: 1 MB documents only; --files: the code page, opening and saving only.
    const std::string option = argc > 1 ? argv[1] : "";
    const bool quick = option == "--quick";
    const bool filesOnly = option == "--files";
    benchCodePage(10 << 20);
    if (!filesOnly) {
        benchReplacementRoutes(host, 256 << 10);
        benchDocument(host, 1 << 20);
    }
    for (const Encoding& encoding : kEncodings) benchOpenAndSave(host, 1 << 20, encoding);
    if (!quick) {
        if (!filesOnly) benchDocument(host, 10 << 20);
        for (const Encoding& encoding : kEncodings) benchOpenAndSave(host, 10 << 20, encoding);
        if (!filesOnly) benchOpenAndSave(host, 100 << 20, kEncodings[0]);
    }
    DestroyWindow(host);
    return 0;
}
