#pragma once
// A real Editor in a visible window, new for every test.

#include <gtest/gtest.h>

#include "editor/editor.h"
#include "tests/win/pump.h"

namespace wendrill::test {

inline constexpr RECT kEditorPlace{0, 25, 600, 475};

class EditorFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(editor.create(window.handle(), kEditorPlace, 100));
        SetFocus(editor.window());
    }

    TestWindow window;
    Editor editor;
};

}  // namespace wendrill::test
