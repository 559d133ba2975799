#pragma once
// Follows the changes made at the selection (editor/edit_stretch.h) with as little reading of the
// control as it can: it keeps the text around the caret it last read or worked out, and for the
// changes whose result the new length and caret show beyond doubt (a typed character, Backspace
// or Delete of one character) it works the new text out instead of reading it. A control that
// finds a position by walking its text from the start (Wine's does) then reads only when the
// caret has moved away, not for each key.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "editor/edit_stretch.h"

namespace wendrill {

// The same stretch of text before and after a change that lies inside it; each end of the
// stretch falls between two characters.
struct TextEdit {
    std::u16string_view gone;
    std::u16string_view came;
};

enum class EditKind {
    none,           // changes nothing at the selection
    typed,          // one UTF-16 unit in place of the selection: a key, Enter, Tab
    backspace,      // the selection, or the character before the caret
    forwardDelete,  // the selection, or the character after the caret
    startComposing,
    composing,
    endComposing,
    other,  // anything else at the selection (a paste, a cut): read afterwards
};

struct EditMessage {
    EditKind kind = EditKind::other;
    char16_t unit = 0;  // the typed unit
};

class EditFollower {
  public:
    using Reader = std::function<std::u16string(const Stretch&)>;
    explicit EditFollower(Reader read) : read_(std::move(read)) {}

    // Before the change; false if it is not followed (the selection is too long to read).
    bool begin(const EditState& before, const EditMessage& message);
    // After it: the change, or nothing if it could not be followed after all, so the whole text
    // must be looked at again. `gone` and `came` are equal when nothing changed; they stay valid
    // until the next begin().
    std::optional<TextEdit> end(const EditState& after);
    // The text may have changed anywhere: what was known of it is read anew when next needed.
    void forget() { known_.reset(); }

  private:
    struct Known {
        int32_t from = 0;
        int32_t length = 0;  // of the whole text when this was true
        std::u16string text;
    };
    bool knows(const Stretch& stretch, int32_t length) const;
    // Reads the stretch and more around it.
    void learn(const Stretch& stretch, int32_t length);
    std::optional<std::u16string> worked(const EditState& after) const;
    void keepNear(int32_t caret);

    Reader read_;
    std::optional<Known> known_;
    std::optional<Composition> composition_;
    EditMessage message_;
    EditState before_;
    Stretch stretch_;
    std::u16string gone_, came_;
};

}  // namespace wendrill
