#pragma once
// "插入分割线", "插入当前日期", "插入当前时间": through the clipboard, at the caret.

namespace wendrill {

class AfterCommand;
class Editor;

// The caret then moves one character on, once the command has returned, as the Right key would.
void insertDivider(Editor& editor, AfterCommand& after);
void insertDate(Editor& editor);
void insertTime(Editor& editor);

}  // namespace wendrill
