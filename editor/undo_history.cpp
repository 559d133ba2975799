#include "editor/undo_history.h"

#include <utility>

namespace wendrill {

size_t UndoHistory::cost(const UndoStep& step) { return sizeof(UndoStep) + step.text.capacity(); }

void UndoHistory::record(UndoStep step) {
    // A text read from the control in pieces has grown its buffer by doubling; a kept step costs
    // one copy of the text, not that slack.
    step.text.shrink_to_fit();
    memoryUsed_ += cost(step);
    steps_.push_back(std::move(step));
    while (steps_.size() > 1 && memoryUsed_ > memoryLimit_) {
        memoryUsed_ -= cost(steps_.front());
        steps_.pop_front();
    }
}

std::optional<UndoStep> UndoHistory::takeLast() {
    if (steps_.empty()) return std::nullopt;
    memoryUsed_ -= cost(steps_.back());
    UndoStep step = std::move(steps_.back());
    steps_.pop_back();
    return step;
}

void UndoHistory::clear() {
    steps_.clear();
    memoryUsed_ = 0;
}

}  // namespace wendrill
