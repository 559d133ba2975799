#include "commands/line_cleanup_commands.h"

#include "commands/line_cleanup.h"
#include "editor/editor.h"

namespace wendrill {

void deleteBlankLines(Editor& editor) { editor.setText(withoutBlankLines(editor.getText())); }

void trimLines(Editor& editor) { editor.setText(withTrimmedLines(editor.getText())); }

}  // namespace wendrill
