#include "app/close_decision.h"

#include <gtest/gtest.h>

namespace wendrill {
namespace {

TEST(CloseDecisionTest, WhenTheQuestionIsAsked) {
    struct Case {
        const char* pin;
        CloseInputs inputs;
        int savedFlag;  // 0: ask
    } cases[] = {
        {"started, nothing typed", {true, false, true, 0}, 1},
        {"text typed", {false, true, false, 0}, 0},
        {"opened and unchanged", {false, true, true, 1}, 1},
        {"emptied by New after an opening", {true, true, false, 1}, 0},
        {"restored to the saved text after an opening", {false, true, true, 1}, 1},
        {"restored to the saved text after a cancelled Save", {false, true, true, 0}, 0},
        {"typed then deleted again: empty and equal", {true, true, true, 0}, 1},
        {"unmodified yet different (loaded, then compared)", {false, false, false, 1}, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(savedFlagOnClose(c.inputs), c.savedFlag) << c.pin;
}

TEST(CloseDecisionTest, OnlyAYesWithoutASaveKeepsTheWindow) {
    EXPECT_TRUE(closesAfterQuestion(false, 0));  // No
    EXPECT_TRUE(closesAfterQuestion(true, 1));   // Yes, saved
    EXPECT_FALSE(closesAfterQuestion(true, 0));  // Yes, Save cancelled
}

}  // namespace
}  // namespace wendrill
