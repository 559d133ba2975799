#pragma once
// The steps "撤销" takes back beyond the control's own undo: the document as it was before each
// whole-text rewrite. The control's own history goes with every such rewrite (its text is put
// into a fresh control), so these steps are always older than anything the control can undo.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

#include "text/doc_text.h"

namespace wendrill {

struct UndoStep {
    DocText text;  // the whole document before the rewrite
    // What is selected once the step is undone: the part a selection rewrite replaced, or the
    // caret at the start after a whole-text rewrite.
    int32_t selectionStart = 0;
    int32_t selectionLength = 0;
};

// Old texts take at most this much memory together; the newest step is kept whatever its size.
inline constexpr size_t kUndoMemoryLimit = size_t{256} << 20;

class UndoHistory {
  public:
    explicit UndoHistory(size_t memoryLimit = kUndoMemoryLimit) : memoryLimit_(memoryLimit) {}

    // Keeps the step as the newest and drops the oldest ones beyond the memory limit.
    void record(UndoStep step);
    // The newest step, taken out of the history; nothing if there is none.
    std::optional<UndoStep> takeLast();
    void clear();

    size_t stepCount() const { return steps_.size(); }
    // What the kept steps cost: their texts and their bookkeeping.
    size_t memoryUsed() const { return memoryUsed_; }

  private:
    static size_t cost(const UndoStep& step);

    size_t memoryLimit_;
    size_t memoryUsed_ = 0;
    std::deque<UndoStep> steps_;
};

}  // namespace wendrill
