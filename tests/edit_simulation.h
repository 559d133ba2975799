#pragma once
// A document changed the ways the Rich Edit control changes it at the selection, read as the
// control gives it out, and counted as the 字数 label counts it: from what EditFollower reports.
// The host tests and the fuzz target drive it; countRight() says whether the count followed.

#include <algorithm>
#include <optional>
#include <string>

#include "editor/edit_follower.h"
#include "text/character_count.h"
#include "text/surrogates.h"

namespace wendrill::test {

class FollowedDocument {
  public:
    explicit FollowedDocument(std::u16string text)
        : text_(std::move(text)),
          total_(nonSpaceCharacterCount(text_)),
          follower_([this](const Stretch& s) {
              ++reads_;
              return text_.substr(static_cast<size_t>(s.from), static_cast<size_t>(s.to - s.from));
          }) {}

    int32_t length() const { return static_cast<int32_t>(text_.size()); }
    int32_t caret() const { return start_; }
    int reads() const { return reads_; }
    bool composing() const { return composition_.has_value(); }
    bool countRight() const { return total_ == nonSpaceCharacterCount(text_); }

    // `at` and `length` are taken modulo what the text allows; the selection may reach one past
    // the end, as select-all does.
    void select(int32_t at, int32_t length) {
        start_ = std::clamp(at, 0, this->length());
        end_ = std::min(start_ + std::max(length, 0), this->length() + 1);
    }
    void type(char16_t unit) {
        edit({EditKind::typed, unit}, start_, end(), std::u16string(1, unit), true);
    }
    // Backspace and Delete as the control does them: the selection, or one character.
    void backspace() {
        int32_t from = start_;
        if (from == end() && from > 0) from -= pairEndsAt(from) ? 2 : 1;
        edit({EditKind::backspace}, from, end(), u"", false);
    }
    void forwardDelete() {
        int32_t to = end();
        if (start_ == to && to < length()) to += pairEndsAt(to + 2) ? 2 : 1;
        edit({EditKind::forwardDelete}, start_, to, u"", false);
    }
    // A word deleted with Ctrl, or a cut.
    void deleteBack(int32_t units) {
        const int32_t from = start_ == end() ? std::max(start_ - std::max(units, 0), 0) : start_;
        edit({EditKind::other}, from, end(), u"", false);
    }
    void paste(const std::u16string& text) { edit({EditKind::other}, start_, end(), text, true); }
    // The input method's composition, begun at the selection, replaced by `next`; the caret at
    // its end or its start.
    void compose(const std::u16string& next, bool last, bool caretAtEnd) {
        if (!composition_) {
            composition_ = start_;
            edit({EditKind::startComposing}, start_, end(), next, true);
        } else {
            edit({last ? EditKind::endComposing : EditKind::composing}, *composition_,
                 *composition_ + composed_, next, last || caretAtEnd);
        }
        composed_ = static_cast<int32_t>(next.size());
        if (last) composition_.reset();
    }
    // Keys that do more or less than they usually do: a key that does nothing, typing over the
    // next units (the overwrite mode), Backspace deleting forward, Delete deleting back.
    void surprise(int kind, char16_t unit, int32_t units) {
        units = std::max(units, 1);
        if (kind % 4 == 0) {
            edit({EditKind::typed, u'\r'}, start_, start_, u"", true);
        } else if (kind % 4 == 1 && end() + units <= length()) {
            edit({EditKind::typed, unit}, start_, end() + units, std::u16string(1, unit), true);
        } else if (kind % 4 == 2 && end() + units <= length()) {
            edit({EditKind::backspace}, start_, end() + units, u"", false);
        } else if (start_ >= units) {
            edit({EditKind::forwardDelete}, start_ - units, end(), u"", false);
        }
    }
    // A change the follower hears of only by the control's change event.
    void changeElsewhere(int32_t at, int32_t units, const std::u16string& with) {
        at = std::clamp(at, 0, length());
        change(at, std::min(at + std::max(units, 0), length()), with, true);
        follower_.forget();
        composition_.reset();
        total_ = nonSpaceCharacterCount(text_);
    }

    // One edit of any kind, as `choose` picks: choose.number(n) gives 0 to n - 1,
    // choose.units() a count of units (mostly small, now and then beyond the follower's
    // margins), choose.unit() one UTF-16 unit and choose.text() a text of them (spaces, letters,
    // Chinese characters, line breaks, surrogate pairs and their halves).
    template <class Chooser>
    void editAsChosen(Chooser& choose) {
        const int op = choose.number(10);
        const char16_t unit = choose.unit();
        if (composing()) {
            compose(choose.text(), op % 3 == 0, op % 2 == 0);
            return;
        }
        switch (op) {
            case 0:
                select(choose.number(length() + 1), choose.units());
                break;
            case 1:
                backspace();
                break;
            case 2:
                forwardDelete();
                break;
            case 3:
                deleteBack(choose.units());
                break;
            case 4:
                paste(choose.text());
                break;
            case 5:
                compose(choose.text(), false, true);
                break;
            case 6:
                changeElsewhere(choose.number(length() + 1), choose.units(), choose.text());
                break;
            case 7:
                surprise(choose.number(4), unit, choose.units());
                break;
            default:
                type(unit);
        }
    }

  private:
    int32_t end() const { return std::min(end_, length()); }
    bool pairEndsAt(int32_t position) const {
        if (position < 2 || position > length()) return false;
        return isHighSurrogate(text_[static_cast<size_t>(position - 2)]) &&
               isLowSurrogate(text_[static_cast<size_t>(position - 1)]);
    }
    void edit(EditMessage message, int32_t from, int32_t to, const std::u16string& with,
              bool caretAfter) {
        const bool followed = follower_.begin({length(), start_, end_}, message);
        change(from, to, with, caretAfter);
        const std::optional<TextEdit> edit =
            followed ? follower_.end({length(), start_, end_}) : std::nullopt;
        if (edit) {
            total_ += nonSpaceCharacterCount(edit->came) - nonSpaceCharacterCount(edit->gone);
        } else {
            total_ = nonSpaceCharacterCount(text_);  // counted anew
        }
    }
    void change(int32_t from, int32_t to, const std::u16string& with, bool caretAfter) {
        text_.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), with);
        start_ = end_ = caretAfter ? from + static_cast<int32_t>(with.size()) : from;
    }

    std::u16string text_;
    int64_t total_;
    int32_t start_ = 0, end_ = 0;
    std::optional<int32_t> composition_;  // where it began
    int32_t composed_ = 0;
    int reads_ = 0;
    EditFollower follower_;
};

}  // namespace wendrill::test
