#pragma once
// "删除全部空行" and "删除所有行首空格": the whole document, rebuilt line by line, written once.

namespace wendrill {

class Editor;

void deleteBlankLines(Editor& editor);
void trimLines(Editor& editor);

}  // namespace wendrill
