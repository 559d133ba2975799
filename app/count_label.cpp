#include "app/count_label.h"

#include "app/count_label_text.h"
#include "app/ui_text.h"
#include "editor/text_reading.h"
#include "text/character_count.h"

namespace wendrill {
namespace {

constexpr UINT_PTR kTickTimer = 1;
// A writer's keys come 100 to 300 ms apart, and reading a 10 MB novel out of the control takes
// about half a second under Wine, which must be done within a second of the last change: a count
// of the whole text starts after a pause of 100 ms, seen within 50 ms. A figure already known
// (the user's own edits are followed as they come) waits for a longer pause before it is shown,
// so that a fast typist's keys do not each wait for the label to be drawn.
constexpr UINT kTickMs = 50;
constexpr LONGLONG kCountPauseMs = 100;
constexpr LONGLONG kShowPauseMs = 300;
// Then the timer stops, so an idle program is not woken for nothing. Setting it again costs a
// round trip to the system, which the first change after a long pause alone pays.
constexpr int kQuietTicksBeforeStop = 40;

LONGLONG milliseconds() {
    static const LONGLONG perSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart / (perSecond / 1000);
}

// Whether a key or a click waits: the user comes first. Asking is itself a round trip to the
// system under Wine (0.2 ms on a busy machine), so it is asked at most once a millisecond rather
// than for each few kilobytes the control gives.
class InputWatch {
  public:
    bool userWaiting() {
        const LONGLONG now = milliseconds();
        if (now == lastAsked_) return false;
        lastAsked_ = now;
        return HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) != 0;
    }

  private:
    LONGLONG lastAsked_ = 0;
};

// The count of what `read` gives out, or nothing if the user came first.
template <class Read>
std::optional<int64_t> countUnlessInterrupted(Read read) {
    NonSpaceCounter counter;
    InputWatch input;
    const bool whole = read([&](std::u16string_view piece) {
        counter.add(piece);
        return !input.userWaiting();
    });
    if (!whole) return std::nullopt;
    return counter.count();
}

}  // namespace

CountLabel::~CountLabel() {
    if (!label_ || !IsWindow(label_)) return;
    KillTimer(label_, kTickTimer);
    SetWindowLongPtrW(label_, GWLP_USERDATA, 0);
}

void CountLabel::attach(HWND label) {
    label_ = label;
    SetWindowLongPtrW(label_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    show();  // the empty document's
    textChanged();
}

void CountLabel::textChanged() {
    textCounted_ = false;
    selectionCounted_ = false;  // the selected text may have changed with it
    noteChange();
}

void CountLabel::textEdited(std::u16string_view gone, std::u16string_view came) {
    if (textCounted_) total_ += nonSpaceCharacterCount(came) - nonSpaceCharacterCount(gone);
    selectionCounted_ = false;
    noteChange();
}

void CountLabel::selectionChanged() {
    selectionCounted_ = false;
    noteChange();
}

// Called for every key, twice: it only notes the time unless the timer has stopped.
void CountLabel::noteChange() {
    lastChange_ = milliseconds();
    quietTicks_ = 0;
    if (label_ && !ticking_) ticking_ = SetTimer(label_, kTickTimer, kTickMs, timerTicked) != 0;
}

void CALLBACK CountLabel::timerTicked(HWND label, UINT, UINT_PTR, DWORD) {
    auto* self = reinterpret_cast<CountLabel*>(GetWindowLongPtrW(label, GWLP_USERDATA));
    if (self) self->tick();
}

void CountLabel::tick() {
    if (!textCounted_ || !selectionCounted_) {
        const LONGLONG pause = textCounted_ ? kShowPauseMs : kCountPauseMs;
        if (milliseconds() - lastChange_ < pause) return;
        // Given way to the user: wait for the next pause, even if the input changed nothing.
        if (!count()) lastChange_ = milliseconds();
        return;
    }
    if (++quietTicks_ < kQuietTicksBeforeStop) return;
    KillTimer(label_, kTickTimer);
    ticking_ = false;
}

bool CountLabel::count() {
    if (!countText() || !countSelection()) return false;
    show();
    return true;
}

void CountLabel::show() {
    std::u16string text = countLabelText(total_, selected_);
    if (text == shown_) return;
    shown_ = std::move(text);
    SetWindowTextW(label_, wideText(shown_));
}

bool CountLabel::countText() {
    if (textCounted_) return true;
    const std::optional<int64_t> total = countUnlessInterrupted(
        [this](const PieceTaker& take) { return readTextInPieces(editor_, take); });
    if (!total) return false;
    total_ = *total;
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
        const std::optional<int64_t> selected = countUnlessInterrupted(
            [this](const PieceTaker& take) { return readSelectionInPieces(editor_, take); });
        if (!selected) return false;
        selected_ = *selected;
    }
    selectionCounted_ = true;
    return true;
}

}  // namespace wendrill
