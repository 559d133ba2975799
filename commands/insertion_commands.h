#pragma once
// "插入分割线", "插入当前日期", "插入当前时间": through the clipboard, at the caret.

namespace wendrill {

class Editor;

void insertDivider(Editor& editor);
void insertDate(Editor& editor);
void insertTime(Editor& editor);

}  // namespace wendrill
