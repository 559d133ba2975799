#pragma once
// The changes the user makes at the selection, followed as they happen: typed characters,
// Backspace and Delete, Enter, the control's own paste and cut, the input method's compositions
// and the Editor's short replacements. For each, the text around the selection before and after
// is known (editor/edit_follower.h), so whoever keeps figures about the text can follow the
// change without reading the whole document again. Any other change (the control's undo, text
// dragged about, a whole-text write) comes only as the control's change event.
//
// Changes are followed only while the control reports its changes (ENM_CHANGE in its event
// mask), and only while someone listens.

#include <windows.h>

#include <functional>
#include <optional>

#include "editor/edit_follower.h"

struct ITextSelection;

namespace wendrill {

class LocalEdits {
  public:
    // Told after each followed change that changed something; nothing when the change could not
    // be followed after all (it reached beyond what was read), so the whole text must be looked
    // at again.
    using Listener = std::function<void(const std::optional<TextEdit>&)>;

    LocalEdits();
    ~LocalEdits();
    LocalEdits(const LocalEdits&) = delete;
    LocalEdits& operator=(const LocalEdits&) = delete;

    void listen(Listener listener) { listener_ = std::move(listener); }
    // Follows the changes of this control from now on, until it is destroyed.
    void watch(HWND control);
    // Whether the changes of the watched control are followed now.
    bool follows() const { return listener_ && reportsChanges_; }
    // True while a followed change is made: the control's change events then belong to it.
    bool following() const { return following_; }
    // The control reported a change: one made outside a followed change may lie anywhere.
    void changeReported();

  private:
    static LRESULT CALLBACK procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT follow(HWND control, const EditMessage& edit, UINT message, WPARAM wParam,
                   LPARAM lParam);

    void take(HWND control);
    void release();
    EditState state() const;

    Listener listener_;
    bool following_ = false;
    bool reportsChanges_ = false;  // the watched control's event mask has ENM_CHANGE
    HWND control_ = nullptr;       // the one the follower knows the text of
    ITextSelection* selection_ = nullptr;
    long storyBeyondText_ = 0;
    EditFollower follower_;
};

}  // namespace wendrill
