#pragma once
// Where a change the user makes at the selection can reach, so that the text around the
// selection, read before and after the change, holds all of it.
//
// A key, a paste or a cut changes the text at the selection: it replaces the selection, or
// deletes a little before or after the caret (Backspace, Delete, a word with Ctrl), and leaves
// the caret at the end of what came or where the text went. An input method replaces its
// composition, which began at the selection, with each new one. The stretch is the selection
// (and the composition) with a margin on both sides; afterwards the change is taken to lie inside
// it only if the new selection does, which a deletion reaching past the margin never leaves it.
// Positions count UTF-16 units, as the control does.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wendrill {

struct EditState {
    int32_t length = 0;  // of the whole text
    int32_t selectionStart = 0;
    int32_t selectionEnd = 0;  // may lie one past the end (everything selected)

    // Where the selected text ends.
    int32_t selectedEnd() const { return std::min(selectionEnd, length); }
    bool hasSelection() const { return selectionStart < selectedEnd(); }
};

// A composition of the input method: where it began, and the state when it began.
struct Composition {
    EditState atStart;
};

struct Stretch {
    int32_t from = 0;
    int32_t to = 0;
};

// Characters read on each side of the selection.
inline constexpr int32_t kEditMargin = 512;
// A stretch longer than this is not read: reading the whole document costs what counting anew
// costs.
inline constexpr int32_t kLongestStretch = int32_t{1} << 20;

// The stretch to read before the change; nothing if it would be too long.
std::optional<Stretch> stretchBefore(const EditState& before,
                                     const std::optional<Composition>& composition);
// The same stretch after the change, if the change stayed inside it.
std::optional<Stretch> stretchAfter(const Stretch& before, const EditState& was,
                                    const EditState& now);
// A stretch is read with one unit more on each side where the document has one, so that its
// ends can be seen between two characters or in the middle of a surrogate pair.
Stretch readAround(const Stretch& stretch, int32_t length);
// Whether `position` falls inside a surrogate pair of the text `read` from `readFrom`.
bool splitsPair(int32_t position, int32_t readFrom, std::u16string_view read);
// The stretch widened so that neither end falls inside a surrogate pair.
Stretch wholeCharacters(Stretch stretch, int32_t readFrom, std::u16string_view read);
std::u16string_view textOf(const Stretch& stretch, int32_t readFrom, std::u16string_view read);

}  // namespace wendrill
