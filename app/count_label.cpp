#include "app/count_label.h"

#include "app/count_label_text.h"
#include "app/ui_text.h"
#include "editor/text_reading.h"
#include "text/character_count.h"

namespace wendrill {
namespace {

constexpr UINT_PTR kTickTimer = 1;
// A key comes every 100 to 300 ms while a writer types, and the figures of a 10 MB novel must
// be exact within a second under Wine: the count starts 150 to 300 ms after the last change.
constexpr UINT kTickMs = 150;
// Then the timer stops, so an idle program is not woken for nothing. Setting it again costs a
// round trip to the system, which the first change after a long pause alone pays.
constexpr int kQuietTicksBeforeStop = 100;

// Whether a key or a click waits: the user comes first. Asking is itself a round trip to the
// system under Wine (0.2 ms on a busy machine), so it is asked at most once a millisecond rather
// than for each few kilobytes the control gives.
class InputWatch {
  public:
    bool operator()() {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        if (now.QuadPart - lastAsked_ < ticksPerMillisecond_) return false;
        lastAsked_ = now.QuadPart;
        return HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) != 0;
    }

  private:
    static LONGLONG ticksPerMillisecond() {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart / 1000;
    }
    LONGLONG ticksPerMillisecond_ = ticksPerMillisecond();
    LONGLONG lastAsked_ = 0;
};

}  // namespace

CountLabel::~CountLabel() {
    if (!label_ || !IsWindow(label_)) return;
    KillTimer(label_, kTickTimer);
    SetWindowLongPtrW(label_, GWLP_USERDATA, 0);
}

void CountLabel::attach(HWND label) {
    label_ = label;
    SetWindowLongPtrW(label_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    textChanged();
}

void CountLabel::textChanged() {
    textCounted_ = false;
    selectionCounted_ = false;  // the selected text may have changed with it
    noteChange();
}

void CountLabel::selectionChanged() {
    selectionCounted_ = false;
    noteChange();
}

// Called for every key, twice: it only sets flags unless the timer has stopped.
void CountLabel::noteChange() {
    changedSinceTick_ = true;
    if (label_ && !ticking_) ticking_ = SetTimer(label_, kTickTimer, kTickMs, timerTicked) != 0;
}

void CALLBACK CountLabel::timerTicked(HWND label, UINT, UINT_PTR, DWORD) {
    auto* self = reinterpret_cast<CountLabel*>(GetWindowLongPtrW(label, GWLP_USERDATA));
    if (self) self->tick();
}

void CountLabel::tick() {
    if (changedSinceTick_) {
        changedSinceTick_ = false;
        quietTicks_ = 0;
        return;
    }
    if (!textCounted_ || !selectionCounted_) {
        // Given way to the user: wait for the next pause, even if the input changed nothing.
        if (!count()) changedSinceTick_ = true;
        return;
    }
    if (++quietTicks_ < kQuietTicksBeforeStop) return;
    KillTimer(label_, kTickTimer);
    ticking_ = false;
}

bool CountLabel::count() {
    if (!countText() || !countSelection()) return false;
    std::u16string text = countLabelText(total_, selected_);
    if (text != shown_) {
        shown_ = std::move(text);
        SetWindowTextW(label_, wideText(shown_));
    }
    return true;
}

bool CountLabel::countText() {
    if (textCounted_) return true;
    const std::optional<std::u16string> text = readTextUnless(editor_, InputWatch());
    if (!text) return false;
    total_ = nonSpaceCharacterCount(*text);
    textCounted_ = true;
    return true;
}

bool CountLabel::countSelection() {
    if (selectionCounted_) return true;
    const int32_t length = editor_.getSelectionLength();
    if (length <= 0) {
        selected_.reset();
    } else if (length == editor_.textLength()) {
        selected_ = total_;  // everything: no second reading
    } else {
        const std::optional<std::u16string> text = readSelectionUnless(editor_, InputWatch());
        if (!text) return false;
        selected_ = nonSpaceCharacterCount(*text);
    }
    selectionCounted_ = true;
    return true;
}

}  // namespace wendrill
