#include "commands/line_cleanup_commands.h"

#include <gtest/gtest.h>

#include "editor/editor.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

using test::gbk;

using LineCleanupCommandsTest = test::EditorFixture;

TEST_F(LineCleanupCommandsTest, DeleteBlankLinesRewritesTheWholeDocument) {
    editor.setText(gbk("第一章\r\n\r\n1\r\n　\r\n正文"));
    editor.setSelectionStart(2);
    editor.setSelectionLength(1);  // a selection does not limit the command
    deleteBlankLines(editor);
    EXPECT_EQ(editor.getText(), gbk("第一章\r\n　\r\n正文\r\n"));
}

TEST_F(LineCleanupCommandsTest, TrimLinesTrimsBothKindsOfSpace) {
    editor.setText(gbk("　　正文  \r\n\t\t\r\n  \r\nx\r\n 第二段 "));
    trimLines(editor);
    EXPECT_EQ(editor.getText(), gbk("正文\r\n\t\t\r\n\r\n第二段\r\n"));
}

TEST_F(LineCleanupCommandsTest, AnEmptyDocumentStaysEmpty) {
    deleteBlankLines(editor);
    EXPECT_EQ(editor.getText(), "");
    trimLines(editor);
    EXPECT_EQ(editor.getText(), "");
}

}  // namespace
}  // namespace wendrill
