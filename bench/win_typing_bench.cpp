// Typing into a long document on the real window under Wine, with the 字数 label and without it
// (the Editor's change events switched off, so the label never hears of a change). A typist
// thread presses keys at a fixed pace while this thread runs the message loop; each key's time
// runs from its injection until the Editor has handled its character, so a key that arrives
// while the label counts waits for it in the figures. Also prints how long after the last key
// the label shows the exact figure. Prints figures; it checks no time.

#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/count_label_text.h"
#include "bench/corpus.h"
#include "bench/timing.h"
#include "tests/win/keys.h"
#include "text/character_count.h"

namespace {

using namespace wendrill;
using bench::seconds;

constexpr uint32_t kSeed = 2026;

class NoQuestions : public Questions {
  public:
    int messageBox(std::u16string_view, int, std::u16string_view) override { return kAnswerNo; }
    InputAnswer inputBox(HWND, std::u16string_view, std::u16string_view) override { return {}; }
};

std::u16string labelText(App& app) {
    wchar_t text[128] = {};
    GetWindowTextW(app.window().countLabel(), text, 128);
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

void dispatch(App& app, MSG& msg) {
    if (app.translateKeys(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

constexpr double kLabelPatience = 30;  // seconds

// Runs the message loop until the label shows the figure; says so if it does not in good time.
void loopUntilLabelShows(App& app, int64_t expected) {
    const std::u16string wanted = countLabelText(expected, std::nullopt);
    const double start = seconds();
    bool told = false;
    while (labelText(app) != wanted) {
        if (!told && seconds() - start > kLabelPatience) {
            told = true;
            std::string digits;
            for (char16_t c : labelText(app)) {
                if (c < 0x80) digits += static_cast<char>(c);
            }
            std::printf("  the label still shows %s, not %lld, after %.0f s; queue status %08lx\n",
                        digits.c_str(), static_cast<long long>(expected), kLabelPatience,
                        static_cast<unsigned long>(GetQueueStatus(QS_ALLINPUT)));
            std::fflush(stdout);
        }
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            dispatch(app, msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
}

struct KeyTimes {
    std::vector<double> waited;   // from the injection until the character was handled
    std::vector<double> handled;  // the dispatch of the character alone
};

KeyTimes typeKeys(App& app, int keys, int pauseMs) {
    std::vector<double> injected(static_cast<size_t>(keys)), handled;
    KeyTimes times;
    std::atomic<int> sent{0};
    std::thread typist([&] {
        for (int i = 0; i < keys; ++i) {
            Sleep(static_cast<DWORD>(pauseMs));
            injected[static_cast<size_t>(i)] = seconds();
            sent = i + 1;
            pressKeys('A');
        }
    });
    while (static_cast<int>(handled.size()) < keys) {
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            continue;
        }
        const bool character = msg.message == WM_CHAR && msg.hwnd == app.editor().window();
        const double start = seconds();
        dispatch(app, msg);
        if (!character) continue;
        handled.push_back(seconds());
        times.handled.push_back(handled.back() - start);
    }
    typist.join();
    for (int i = 0; i < keys; ++i) {
        times.waited.push_back(handled[static_cast<size_t>(i)] - injected[static_cast<size_t>(i)]);
    }
    return times;
}

void append(KeyTimes& all, const KeyTimes& more) {
    all.waited.insert(all.waited.end(), more.waited.begin(), more.waited.end());
    all.handled.insert(all.handled.end(), more.handled.begin(), more.handled.end());
}

void setLabelHearing(App& app, bool on) {
    const LPARAM events = ENM_MOUSEEVENTS | (on ? ENM_CHANGE | ENM_SELCHANGE : 0);
    SendMessageW(app.editor().window(), EM_SETEVENTMASK, 0, events);
}

double mean(const std::vector<double>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

}  // namespace

int main(int argc, char** argv) {
    size_t megabytes = 10;
    int keys = 20;
    int rounds = 4;
    std::vector<int> paces{100, 400, 1000};
    // --quick: a 1 MB document; --megabytes N, --keys N (a run), --rounds N (runs each way),
    // --pace N (ms between keys, instead of each of the usual ones).
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--quick") megabytes = 1;
        if (i + 1 == argc) break;
        if (std::string(argv[i]) == "--megabytes") megabytes = std::stoul(argv[++i]);
        if (std::string(argv[i]) == "--keys") keys = std::stoi(argv[++i]);
        if (std::string(argv[i]) == "--rounds") rounds = std::stoi(argv[++i]);
        if (std::string(argv[i]) == "--pace") paces = {std::stoi(argv[++i])};
    }
    NoQuestions answers;
    App app(answers, u"wendrill.exe");
    if (!app.start()) return 1;
    SetForegroundWindow(app.window().handle());
    SetFocus(app.editor().window());

    const DocText document = makeNovelCorpus(megabytes << 20, kSeed);
    int64_t expected = nonSpaceCharacterCount(document);
    const double loadStart = seconds();
    app.editor().setText(document);
    const double loaded = seconds();
    loopUntilLabelShows(app, expected);
    std::printf("%zu MB document: opened in %.2f s, label exact %.2f s later\n", megabytes,
                loaded - loadStart, seconds() - loaded);

    struct Place {
        const char* name;
        int32_t position;
    };
    const int32_t length = app.editor().textLength();
    const Place places[] = {{"at the end", length}, {"in the middle", length / 2}};
    std::printf("ms a key waits from its injection until its character is handled, and ms the "
                "character's handling alone (means of %d keys, %d runs each way in turn):\n",
                keys, rounds);
    for (const Place& place : places) {
        app.editor().setSelectionStart(place.position);
        app.editor().setSelectionLength(0);
        for (int pauseMs : paces) {
            KeyTimes with, without;
            double exactAfter = 0;
            // Each run of keys types into a paragraph of its own, and the two ways take turns
            // in going first, so neither types into longer paragraphs than the other.
            for (int run = 0; run < 2 * rounds; ++run) {
                const bool hearing = (run % 4 == 1 || run % 4 == 2);
                app.editor().setSelectedText("\r\n");
                // Whatever the label has to count from the last run is counted before the keys.
                loopUntilLabelShows(app, expected);
                setLabelHearing(app, hearing);
                append(hearing ? with : without, typeKeys(app, keys, pauseMs));
                expected += keys;
                if (!hearing) continue;
                const double lastKey = seconds();
                loopUntilLabelShows(app, expected);
                exactAfter = std::max(exactAfter, seconds() - lastKey);
            }
            std::printf("  %-13s a key every %4d ms: waits %6.2f without the label, %6.2f with "
                        "it (%.2f); handling %5.2f and %5.2f (%.2f); exact %.2f s after the "
                        "last key at most\n",
                        place.name, pauseMs, mean(without.waited) * 1e3, mean(with.waited) * 1e3,
                        mean(with.waited) / mean(without.waited), mean(without.handled) * 1e3,
                        mean(with.handled) * 1e3, mean(with.handled) / mean(without.handled),
                        exactAfter);
        }
    }
    return 0;
}
