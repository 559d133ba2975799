#include "editor/key_effects.h"

#include <richedit.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "text/surrogates.h"

namespace wendrill {
namespace {

enum class ControlKind { richEdit, field, other };

ControlKind kindOf(HWND control) {
    wchar_t name[32] = {};
    if (!control || GetClassNameW(control, name, 32) == 0) return ControlKind::other;
    if (_wcsicmp(name, L"Edit") == 0) return ControlKind::field;
    if (_wcsnicmp(name, L"RichEdit", 8) == 0) return ControlKind::richEdit;
    return ControlKind::other;
}

struct Range {
    LONG from = 0;
    LONG to = 0;
};

Range selectionOf(HWND control) {
    DWORD from = 0;
    DWORD to = 0;
    SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    return {static_cast<LONG>(from), static_cast<LONG>(to)};
}

// In the control's own positions: a Rich Edit counts a line break as one, a field as two.
LONG lengthOf(HWND control, ControlKind kind) {
    if (kind == ControlKind::field) return GetWindowTextLengthW(control);
    GETTEXTLENGTHEX how{GTL_DEFAULT | GTL_NUMCHARS, 1200};
    return static_cast<LONG>(
        SendMessageW(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

// The UTF-16 units from `from` up to `to`, fewer at either end of the text.
std::wstring unitsBetween(HWND control, ControlKind kind, LONG from, LONG to) {
    from = std::max<LONG>(from, 0);
    if (to <= from) return {};
    if (kind == ControlKind::field) {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
        if (static_cast<size_t>(from) >= text.size()) return {};
        return text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
    }
    std::wstring units(static_cast<size_t>(to - from) + 1, L'\0');
    TEXTRANGEW range{{from, to}, units.data()};
    units.resize(static_cast<size_t>(
        SendMessageW(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
    return units;
}

// How many units the character beginning at the pair's first unit, or ending at its last, takes.
LONG pairWidth(const std::wstring& pair) {
    if (pair.size() < 2) return static_cast<LONG>(pair.size());
    const bool surrogates = isHighSurrogate(pair[0]) && isLowSurrogate(pair[1]);
    const bool lineBreak = pair[0] == L'\r' && pair[1] == L'\n';
    return surrogates || lineBreak ? 2 : 1;
}

LONG stepForward(HWND control, ControlKind kind, LONG at) {
    if (at >= lengthOf(control, kind)) return 0;
    const std::wstring units = unitsBetween(control, kind, at, at + 2);
    return units.size() < 2 ? static_cast<LONG>(units.size()) : pairWidth(units);
}

LONG stepBackward(HWND control, ControlKind kind, LONG at) {
    if (at <= 0) return 0;
    if (at == 1) return 1;
    const std::wstring units = unitsBetween(control, kind, at - 2, at);
    return units.size() < 2 ? static_cast<LONG>(units.size()) : pairWidth(units);
}

void clearRange(HWND control, LONG from, LONG to) {
    if (to <= from) return;
    SendMessageW(control, EM_SETSEL, static_cast<WPARAM>(from), to);
    SendMessageW(control, WM_CLEAR, 0, 0);
}

enum class Direction { forward, backward };

void deleteIn(HWND control, Direction direction) {
    const ControlKind kind = kindOf(control);
    if (kind == ControlKind::other) return;
    const Range selected = selectionOf(control);
    if (selected.to > selected.from) {
        SendMessageW(control, WM_CLEAR, 0, 0);
        return;
    }
    const LONG at = selected.from;
    if (direction == Direction::forward) {
        clearRange(control, at, at + stepForward(control, kind, at));
    } else {
        clearRange(control, at - stepBackward(control, kind, at), at);
    }
}

}  // namespace

void deleteForwardIn(HWND control) { deleteIn(control, Direction::forward); }

void deleteBackwardIn(HWND control) { deleteIn(control, Direction::backward); }

void caretRightIn(HWND control) {
    const ControlKind kind = kindOf(control);
    if (kind == ControlKind::other) return;
    const Range selected = selectionOf(control);
    const LONG caret = selected.to > selected.from
                           ? std::min(selected.to, lengthOf(control, kind))
                           : selected.from + stepForward(control, kind, selected.from);
    SendMessageW(control, EM_SETSEL, static_cast<WPARAM>(caret), caret);
    SendMessageW(control, EM_SCROLLCARET, 0, 0);
}

}  // namespace wendrill
