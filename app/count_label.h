#pragma once
// The 字数 label: how many characters of the document are not white space, and of the selection
// while there is one.
//
// A change the user makes at the selection (typing, Backspace, a paste, the input method) comes
// with the stretch of text it changed, and the label counts that stretch alone. Any other change
// (opening a file, a clean-up command, undo) means counting the whole text again, which means
// reading it out of the control: for a novel that takes a noticeable time (10 MB: about half a
// second under Wine), so the label never does it while the user types. A timer ticks while there
// is something to count; the label counts once the user has paused for a moment, counting each
// piece as the control gives it out, and gives way at once to any key or click that comes in
// meanwhile, to try again at the next pause. The figures are therefore exact shortly after the
// user pauses.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "editor/editor.h"

namespace wendrill {

class CountLabel {
  public:
    explicit CountLabel(Editor& editor) : editor_(editor) {}
    ~CountLabel();
    CountLabel(const CountLabel&) = delete;
    CountLabel& operator=(const CountLabel&) = delete;

    // The label window to keep up to date; it is counted for from the start.
    void attach(HWND label);
    // Any change of the text: the whole text is counted again at the next pause.
    void textChanged();
    // A change that lies inside a stretch of text: `gone` was there before, `came` is there now.
    void textEdited(std::u16string_view gone, std::u16string_view came);
    void selectionChanged();

  private:
    static void CALLBACK timerTicked(HWND label, UINT message, UINT_PTR timer, DWORD time);
    void noteChange();
    void tick();
    bool count();
    void show();
    bool countText();
    bool countSelection();

    Editor& editor_;
    HWND label_ = nullptr;
    bool ticking_ = false;
    LONGLONG lastChange_ = 0;  // ms
    int quietTicks_ = 0;
    bool textCounted_ = false;
    bool selectionCounted_ = false;
    int64_t total_ = 0;
    std::optional<int64_t> selected_;
    std::u16string shown_;
};

}  // namespace wendrill
