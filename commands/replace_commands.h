#pragma once
// The replace-and-repaste commands over the real Editor.

#include <string_view>

namespace wendrill {

class AfterCommand;
class Editor;

// The new text replaces the whole document once the command has returned, as "全选" and "粘贴"
// would; it is also left on the clipboard.
void indentParagraphs(Editor& editor, AfterCommand& after);
void addBlankLines(Editor& editor, AfterCommand& after);
void deleteSameText(Editor& editor, AfterCommand& after);
void joinSelectedLines(Editor& editor);
// input: what the user typed into the box, "苹果 香蕉".
void replaceWords(Editor& editor, std::string_view input);

// What "替换文字" asks.
inline constexpr std::u16string_view kReplacePrompt =
    u"请输入需要替换的文字，并用半角空格隔开。\r\n    例如：苹果 香蕉";
inline constexpr std::u16string_view kReplaceTitle = u"查找替换";

}  // namespace wendrill
