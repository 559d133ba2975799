#include "tests/win/keys.h"

#include <gtest/gtest.h>

#include "editor/editor.h"
#include "tests/win/editor_fixture.h"

namespace wendrill {
namespace {

class KeysTest : public test::EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        ASSERT_EQ(GetFocus(), editor.window());
    }
};

TEST_F(KeysTest, InjectedKeysArriveAfterTheHandlerHasReturned) {
    editor.setText("abc");
    editor.setSelectionStart(0);
    pressKeys(VK_DELETE);
    EXPECT_EQ(editor.getText(), "abc");  // nothing is handled inside the caller
    ASSERT_TRUE(test::pumpUntilInputHandled());
    EXPECT_EQ(editor.getText(), "bc");
}

TEST_F(KeysTest, ChordsPressAndReleaseInOrder) {
    editor.setText("abc");
    editor.setSelectionStart(3);
    pressKeys(VK_SHIFT, VK_HOME);  // Shift held while Home goes down: selects back to the start
    ASSERT_TRUE(test::pumpUntilInputHandled());
    EXPECT_EQ(editor.getSelectionStart(), 0);
    EXPECT_EQ(editor.getSelectionLength(), 3);
    pressKeys(VK_BACK);
    ASSERT_TRUE(test::pumpUntilInputHandled());
    EXPECT_EQ(editor.getText(), "");
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);  // released again
}

TEST_F(KeysTest, TypedTextMarksTheDocumentModifiedAndIsUndoable) {
    pressKeys('X');
    ASSERT_TRUE(test::pumpUntilInputHandled());
    EXPECT_EQ(editor.getText(), "x");
    EXPECT_TRUE(editor.isModified());
    SendMessageW(editor.window(), WM_UNDO, 0, 0);
    EXPECT_EQ(editor.getText(), "");
}

}  // namespace
}  // namespace wendrill
