#include "editor/local_edits.h"

#include <commctrl.h>
#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include <algorithm>

namespace wendrill {
namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(control, message, wParam, lParam);
}

bool keyDown(int key) { return GetKeyState(key) < 0; }

EditMessage keyEdit(WPARAM key) {
    const bool control = keyDown(VK_CONTROL), shift = keyDown(VK_SHIFT);
    switch (key) {
        case VK_RETURN:
            return {EditKind::typed, u'\r'};
        case VK_TAB:
            return {control ? EditKind::none : EditKind::typed, u'\t'};
        case VK_BACK:
            return {control ? EditKind::other : EditKind::backspace};
        case VK_DELETE:
            return {control || shift ? EditKind::other : EditKind::forwardDelete};
        case VK_INSERT:
            return {shift ? EditKind::other : EditKind::none};
        case 'V':
        case 'X':
            return {control ? EditKind::other : EditKind::none};
        default:  // Ctrl+Z and the like undo elsewhere
            return {EditKind::none};
    }
}

// What a message the control gets may change at the selection.
EditMessage editOf(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_CHAR:
            if (wParam == '\b') return {EditKind::backspace};
            // Control characters other than these may be commands of the control.
            if (wParam < 0x20 && wParam != '\t' && wParam != '\r') return {EditKind::none};
            if (wParam == 0x7F) return {EditKind::other};  // Ctrl+Backspace: a word
            return {EditKind::typed, static_cast<char16_t>(wParam)};
        case WM_KEYDOWN:
            return keyEdit(wParam);
        case WM_IME_STARTCOMPOSITION:
            return {EditKind::startComposing};
        case WM_IME_COMPOSITION:
            return {EditKind::composing};
        case WM_IME_ENDCOMPOSITION:
            return {EditKind::endComposing};
        case WM_UNICHAR:
        case WM_IME_CHAR:
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case EM_REPLACESEL:
            return {EditKind::other};
        default:
            return {EditKind::none};
    }
}

// Messages after which nothing known of the text holds.
bool changesEverything(UINT message) {
    return message == EM_STREAMIN || message == EM_SETEVENTMASK || message == WM_SETTEXT ||
           message == EM_SETTEXTEX;
}

EditState stateByMessages(HWND control) {
    GETTEXTLENGTHEX how{GTL_DEFAULT | GTL_NUMCHARS, 1200};
    CHARRANGE selection{};
    send(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return EditState{
        static_cast<int32_t>(send(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how))),
        selection.cpMin, selection.cpMax};
}

// {8CC497C0-A1DF-11CE-8098-00AA0047BE5D}
constexpr IID kTextDocumentId = {
    0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

ITextSelection* selectionObject(HWND control) {
    IRichEditOle* ole = nullptr;
    if (!send(control, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole) {
        return nullptr;
    }
    ITextDocument* document = nullptr;
    const HRESULT found = ole->QueryInterface(kTextDocumentId, reinterpret_cast<void**>(&document));
    ole->Release();
    if (FAILED(found) || !document) return nullptr;
    ITextSelection* selection = nullptr;
    const HRESULT got = document->GetSelection(&selection);
    document->Release();
    return SUCCEEDED(got) ? selection : nullptr;
}

std::u16string readStretch(HWND control, const Stretch& stretch) {
    // The control writes a terminating zero after the text.
    std::u16string text(static_cast<size_t>(stretch.to - stretch.from) + 1, u'\0');
    TEXTRANGEW range{{stretch.from, stretch.to}, reinterpret_cast<wchar_t*>(text.data())};
    const LRESULT copied = send(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, stretch.to - stretch.from)));
    return text;
}

}  // namespace

LocalEdits::LocalEdits()
    : follower_([this](const Stretch& stretch) { return readStretch(control_, stretch); }) {}

LocalEdits::~LocalEdits() { release(); }

void LocalEdits::watch(HWND control) {
    SetWindowSubclass(control, procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    reportsChanges_ = (send(control, EM_GETEVENTMASK) & ENM_CHANGE) != 0;
}

void LocalEdits::changeReported() {
    if (!following_) follower_.forget();
}

void LocalEdits::release() {
    if (selection_) selection_->Release();
    selection_ = nullptr;
    control_ = nullptr;
    follower_.forget();
}

// Each message to the control costs a tenth of a millisecond under Wine, more than the control
// takes for a key: the length and the selection are asked of its text object model instead,
// where there is one. Its story ends in the final paragraph mark, which the messages do not
// count: the difference is taken once for each control.
void LocalEdits::take(HWND control) {
    if (control == control_) return;
    release();
    control_ = control;
    selection_ = selectionObject(control);
    long story = 0;
    if (selection_ && SUCCEEDED(selection_->GetStoryLength(&story))) {
        storyBeyondText_ = story - stateByMessages(control).length;
    }
}

EditState LocalEdits::state() const {
    long start = 0, end = 0, story = 0;
    if (selection_ && SUCCEEDED(selection_->GetStart(&start)) &&
        SUCCEEDED(selection_->GetEnd(&end)) && SUCCEEDED(selection_->GetStoryLength(&story))) {
        return EditState{static_cast<int32_t>(story - storyBeyondText_),
                         static_cast<int32_t>(start), static_cast<int32_t>(end)};
    }
    return stateByMessages(control_);
}

LRESULT CALLBACK LocalEdits::procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    auto* edits = reinterpret_cast<LocalEdits*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, procedure, kSubclassId);
        if (control == edits->control_) edits->release();
    }
    if (message == EM_SETEVENTMASK) edits->reportsChanges_ = (lParam & ENM_CHANGE) != 0;
    if (changesEverything(message)) edits->follower_.forget();
    // A message the control sends itself while making a change is part of that change.
    const EditMessage edit = editOf(message, wParam);
    if (edits->following_ || edit.kind == EditKind::none || !edits->follows()) {
        return DefSubclassProc(control, message, wParam, lParam);
    }
    return edits->follow(control, edit, message, wParam, lParam);
}

LRESULT LocalEdits::follow(HWND control, const EditMessage& edit, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    take(control);
    // Too much to read: the change comes as a plain change event.
    if (!follower_.begin(state(), edit)) {
        return DefSubclassProc(control, message, wParam, lParam);
    }
    following_ = true;
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    following_ = false;
    if (!IsWindow(control)) return result;
    const std::optional<TextEdit> change = follower_.end(state());
    if (!change || change->gone != change->came) listener_(change);
    return result;
}

}  // namespace wendrill
