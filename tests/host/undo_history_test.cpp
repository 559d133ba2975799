#include "editor/undo_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wendrill {
namespace {

UndoStep step(size_t bytes, char fill, int32_t start = 0, int32_t length = 0) {
    return {DocText(bytes, fill), start, length};
}

// The fills of the steps taken back one by one, newest first.
std::string takeAll(UndoHistory& history) {
    std::string fills;
    while (const auto taken = history.takeLast()) fills += taken->text.empty() ? '-' : taken->text[0];
    return fills;
}

TEST(UndoHistoryTest, GivesStepsBackNewestFirstWithTheirSelection) {
    UndoHistory history;
    EXPECT_FALSE(history.takeLast());
    history.record(step(3, 'a'));
    history.record(step(0, ' '));  // the empty document is a step like any other
    history.record(step(5, 'c', 7, 2));
    const auto newest = history.takeLast();
    ASSERT_TRUE(newest);
    EXPECT_EQ(newest->text, "ccccc");
    EXPECT_EQ(newest->selectionStart, 7);
    EXPECT_EQ(newest->selectionLength, 2);
    EXPECT_EQ(takeAll(history), "-a");
    EXPECT_EQ(history.memoryUsed(), 0u);
}

TEST(UndoHistoryTest, TheLimitDropsTheOldestStepsAndKeepsTheNewestWhateverItsSize) {
    constexpr size_t kLimit = 10000;
    const size_t overhead = sizeof(UndoStep);
    struct Case {
        const char* what;
        std::vector<size_t> sizes;  // recorded in this order, filled 'a', 'b', 'c'…
        std::string kept;           // newest first
    } cases[] = {
        {"all fit", {3000, 3000, 3000}, "cba"},
        {"the oldest goes", {4000, 4000, 4000}, "cb"},
        {"one big step pushes out all before it", {1000, 1000, 9500}, "c"},
        {"a step beyond the limit alone is still kept", {1000, 20000}, "b"},
        {"small steps after a big one push it out", {20000, 100, 100}, "cb"},
        {"exactly at the limit stays", {kLimit - 2 * overhead - 1000, 1000}, "ba"},
    };
    for (const Case& c : cases) {
        UndoHistory history(kLimit);
        char fill = 'a';
        for (size_t size : c.sizes) history.record(step(size, fill++));
        EXPECT_EQ(takeAll(history), c.kept) << c.what;
    }
}

TEST(UndoHistoryTest, AKeptStepCostsOneCopyOfItsText) {
    DocText read;
    read.reserve(2 << 20);  // as a text read from the control in growing pieces may be
    read.assign(1 << 20, 'x');
    UndoHistory history;
    history.record({std::move(read), 0, 0});
    EXPECT_LT(history.memoryUsed(), (1u << 20) + 4096);
}

TEST(UndoHistoryTest, ClearForgetsEverything) {
    UndoHistory history;
    history.record(step(10, 'a'));
    history.record(step(10, 'b'));
    history.clear();
    EXPECT_EQ(history.stepCount(), 0u);
    EXPECT_EQ(history.memoryUsed(), 0u);
    EXPECT_FALSE(history.takeLast());
}

}  // namespace
}  // namespace wendrill
