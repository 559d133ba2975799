// How long keeping the unsaved document in its recovery file holds the window, against reading
// the text alone: the writing is done by another thread. Prints figures; it checks no time.

#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/corpus.h"
#include "bench/timing.h"
#include "editor/editor.h"
#include "editor/rich_stream.h"
#include "files/recovery_keeper.h"

namespace {

using wendrill::bench::seconds;

constexpr uint32_t kSeed = 2026;
constexpr RECT kEditorPlace{0, 25, 600, 475};
constexpr int kRounds = 3;

// Any top-level window can hold the Editor; the system's static class needs no registering.
HWND makeHostWindow() {
    return CreateWindowExW(0, L"STATIC", L"Wendrill bench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 800,
                           500, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

std::wstring benchFolder() {
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    return std::wstring(temporary) + L"wendrill-recovery-bench\\";
}

void benchKeeping(HWND host, size_t bytes) {
    wendrill::Editor editor;
    if (!editor.create(host, kEditorPlace, 100)) return;
    wendrill::streamIn(editor.window(), wendrill::makeNovelCorpus(bytes, kSeed));
    wendrill::RecoveryKeeper keeper(benchFolder());
    keeper.attach(host, [&] {
        return std::optional(wendrill::RecoveryRecord{
            u"C:\\稿件\\第一章.txt", wendrill::FileEncoding::documentCodePage, editor.getText()});
    });
    std::printf("%zu MB document, %d rounds (ms):\n", bytes >> 20, kRounds);
    for (int round = 0; round < kRounds; ++round) {
        double start = seconds();
        const size_t read = editor.getText().size();
        const double readOnly = seconds() - start;
        start = seconds();
        keeper.keepNow();
        const double held = seconds() - start;
        start = seconds();
        keeper.waitUntilIdle();
        const double writing = seconds() - start;
        std::printf(
            "  read the text alone %7.1f | window held to keep it %7.1f | written "
            "meanwhile by the writer %7.1f (%zu bytes)\n",
            readOnly * 1000, held * 1000, writing * 1000, read);
    }
    keeper.stop();
    RemoveDirectoryW(benchFolder().c_str());
}

}  // namespace

int main(int argc, char** argv) {
    HWND host = makeHostWindow();
    if (!host) return 1;
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    benchKeeping(host, 1 << 20);
    if (!quick) benchKeeping(host, 10 << 20);
    DestroyWindow(host);
    return 0;
}
