#include "editor/edit_follower.h"

#include <algorithm>

#include "text/surrogates.h"

namespace wendrill {
namespace {

// Read on a miss beyond what the change needs, so that the next keys need no reading; kept
// around the caret up to the outer margin.
constexpr int32_t kReadAhead = kEditMargin;
constexpr int32_t kKeptMargin = 4 * kEditMargin;

}  // namespace

bool EditFollower::knows(const Stretch& stretch, int32_t length) const {
    return known_ && known_->length == length && known_->from <= stretch.from &&
           stretch.to <= known_->from + static_cast<int32_t>(known_->text.size());
}

void EditFollower::learn(const Stretch& stretch, int32_t length) {
    const Stretch wide{std::max(stretch.from - kReadAhead, 0),
                       std::min(stretch.to + kReadAhead, length)};
    known_ = Known{wide.from, length, read_(wide)};
}

bool EditFollower::begin(const EditState& before, const EditMessage& message) {
    if (message.kind == EditKind::startComposing) composition_ = Composition{before};
    const std::optional<Stretch> wanted = stretchBefore(before, composition_);
    if (!wanted) {
        known_.reset();
        return false;
    }
    const Stretch needed = readAround(*wanted, before.length);
    if (!knows(needed, before.length)) learn(needed, before.length);
    message_ = message;
    before_ = before;
    stretch_ = wholeCharacters(*wanted, known_->from, known_->text);
    gone_ = textOf(stretch_, known_->from, known_->text);
    return true;
}

std::optional<TextEdit> EditFollower::end(const EditState& after) {
    if (message_.kind == EditKind::endComposing) composition_.reset();
    const std::optional<Stretch> changed = stretchAfter(stretch_, before_, after);
    if (!changed) {
        known_.reset();
        return std::nullopt;
    }
    if (std::optional<std::u16string> text = worked(after)) {
        // Known around the stretch before, so around the changed stretch now.
        Known& known = *known_;
        known.text.replace(static_cast<size_t>(stretch_.from - known.from),
                           static_cast<size_t>(stretch_.to - stretch_.from), *text);
        known.length = after.length;
    } else {
        learn(readAround(*changed, after.length), after.length);
    }
    if (splitsPair(changed->from, known_->from, known_->text) ||
        splitsPair(changed->to, known_->from, known_->text)) {
        known_.reset();
        return std::nullopt;
    }
    came_ = textOf(*changed, known_->from, known_->text);
    keepNear(after.selectionStart);
    return TextEdit{gone_, came_};
}

// The text of the stretch after a change whose result the lengths and the caret show: a unit
// typed in place of the selection, or the selection or one character deleted. Nothing when they
// show something else, or for any other change.
std::optional<std::u16string> EditFollower::worked(const EditState& after) const {
    const int32_t start = before_.selectionStart;
    const int32_t end = before_.selectedEnd();
    const auto at = [&](int32_t position) { return static_cast<size_t>(position - stretch_.from); };
    if (after.selectionStart != after.selectedEnd()) return std::nullopt;
    const int32_t caret = after.selectionStart;
    std::u16string text = gone_;
    const int32_t grown = after.length - before_.length;
    switch (message_.kind) {
        case EditKind::typed:
            if (grown == 0 && caret == start && after.selectionEnd == before_.selectionEnd) {
                return text;  // the key did nothing here
            }
            if (grown != 1 - (end - start) || caret != start + 1) {
                return std::nullopt;
            }
            text.replace(at(start), static_cast<size_t>(end - start), 1, message_.unit);
            return text;
        case EditKind::backspace:
        case EditKind::forwardDelete: {
            if (before_.hasSelection()) {
                if (grown != start - end || caret != start) return std::nullopt;
                text.erase(at(start), static_cast<size_t>(end - start));
                return text;
            }
            if (grown == 0 && caret == start) return text;  // nothing to delete there
            // One character: a unit, or a surrogate pair.
            const int32_t gone = -grown;
            const bool back = message_.kind == EditKind::backspace;
            const int32_t from = back ? start - gone : start;
            if (gone < 1 || gone > 2 || caret != from || from < stretch_.from ||
                from + gone > stretch_.to) {
                return std::nullopt;
            }
            if (gone == 2 &&
                !(isHighSurrogate(text[at(from)]) && isLowSurrogate(text[at(from) + 1]))) {
                return std::nullopt;
            }
            text.erase(at(from), static_cast<size_t>(gone));
            return text;
        }
        default:
            return std::nullopt;
    }
}

void EditFollower::keepNear(int32_t caret) {
    Known& known = *known_;
    const int32_t keepFrom = std::max(known.from, caret - kKeptMargin);
    const int32_t keepTo =
        std::min(known.from + static_cast<int32_t>(known.text.size()), caret + kKeptMargin);
    if (keepTo <= keepFrom) {
        known_.reset();
        return;
    }
    known.text = known.text.substr(static_cast<size_t>(keepFrom - known.from),
                                   static_cast<size_t>(keepTo - keepFrom));
    known.from = keepFrom;
}

}  // namespace wendrill
