#include "app/menu_tree.h"

namespace wendrill {
namespace {

// A source read in the wrong character set would garble every menu text.
static_assert(std::u16string_view(u"新建").size() == 2, "sources must be read as UTF-8");

constexpr size_t npos = static_cast<size_t>(-1);

Shortcut ctrl(char letter) { return Shortcut{true, static_cast<uint16_t>(letter)}; }
Shortcut key(uint16_t code) { return Shortcut{false, code}; }

MenuItem menu(std::u16string text) {
    MenuItem row;
    row.text = std::move(text);
    row.level = 0;
    return row;
}

MenuItem item(std::u16string text, Command command, Shortcut shortcut = {}) {
    MenuItem row;
    row.text = std::move(text);
    row.level = 1;
    row.shortcut = shortcut;
    row.command = command;
    return row;
}

MenuItem separator() { return item(std::u16string(kSeparator), Command::none); }

}  // namespace

MenuTree initialMenuTree() {
    using C = Command;
    MenuTree tree{
        menu(u"文件(&F)"),
        item(u"新建", C::newDocument, ctrl('N')),
        item(u"打开", C::openDocument, ctrl('O')),
        item(u"保存", C::saveDocument, ctrl('S')),
        separator(),
        item(u"退出", C::quit, ctrl('Q')),
        menu(std::u16string(kEditMenu)),
        item(u"剪切", C::cutSelection, ctrl('X')),
        item(u"复制", C::copySelection, ctrl('C')),
        item(u"粘贴", C::pasteClipboard, ctrl('V')),
        item(u"全选", C::selectAll, ctrl('A')),
        separator(),
        item(u"撤销", C::undoLastEdit, ctrl('Z')),
        item(u"删除", C::deleteAtCaret),
        separator(),
        item(u"首行缩进", C::indentParagraphs),
        item(u"段后插入空行", C::addBlankLines),
        item(u"替换文字", C::replaceWords, ctrl('F')),
        separator(),
        item(u"删除一行", C::deleteLine, ctrl('Y')),
        item(u"删除所有行首空格", C::trimLines),
        item(u"删除全部空行", C::deleteBlankLines, ctrl('R')),
        item(u"删除同类字符", C::deleteSameText),
        item(u"删除选中段落中的换行符", C::joinSelectedLines),
        menu(u"工具(&I)"),
        item(u"全选并复制到剪贴板", C::copyAll, key(kKeyF10)),
        separator(),
        item(u"插入分割线", C::insertDivider, key(kKeyF11)),
        item(u"插入当前日期", C::insertDate, ctrl('D')),
        item(u"插入当前时间", C::insertTime, ctrl('T')),
        separator(),
        item(u"是否自动折行", C::toggleWordWrap),
        item(u"是否总在最前", C::toggleAlwaysOnTop),
        menu(u"关于(&H)"),
        item(u"关于Wendrill", C::showAbout),
        menu(std::u16string(kBlockMenu)),
        item(u"嘿嘿", C::none),
    };
    tree[findCommand(tree, C::toggleWordWrap)].checked = true;
    const size_t block = findMenu(tree, kBlockMenu);
    tree[block].visible = false;
    tree[block + 1].visible = false;
    tree[block + 1].enabled = false;
    return tree;
}

std::u16string shortcutName(Shortcut shortcut) {
    if (shortcut.key == 0) return {};
    if (shortcut.ctrl) return u"Ctrl+" + std::u16string(1, static_cast<char16_t>(shortcut.key));
    if (shortcut.key >= 0x70 && shortcut.key <= 0x87) {  // F1 to F24
        const int number = shortcut.key - 0x70 + 1;
        std::u16string name = u"F";
        if (number >= 10) name += static_cast<char16_t>(u'0' + number / 10);
        name += static_cast<char16_t>(u'0' + number % 10);
        return name;
    }
    return {};
}

std::u16string shownText(const MenuItem& item) {
    const std::u16string name = shortcutName(item.shortcut);
    return name.empty() ? item.text : item.text + u"\t" + name;
}

std::vector<size_t> shownItems(const MenuTree& tree, size_t heading) {
    std::vector<size_t> items;
    for (size_t i = heading + 1; i < tree.size() && tree[i].level == 1; ++i) {
        if (tree[i].visible) items.push_back(i);
    }
    return items;
}

std::vector<size_t> shownMenus(const MenuTree& tree) {
    std::vector<size_t> menus;
    for (size_t i = 0; i < tree.size(); ++i) {
        if (tree[i].level == 0 && tree[i].visible) menus.push_back(i);
    }
    return menus;
}

size_t findMenu(const MenuTree& tree, std::u16string_view text) {
    for (size_t i = 0; i < tree.size(); ++i) {
        if (tree[i].level == 0 && tree[i].text == text) return i;
    }
    return npos;
}

size_t findCommand(const MenuTree& tree, Command command) {
    for (size_t i = 0; i < tree.size(); ++i) {
        if (tree[i].command == command) return i;
    }
    return npos;
}

std::vector<ShortcutEntry> shortcutTable(const MenuTree& tree) {
    std::vector<ShortcutEntry> table;
    for (size_t heading : shownMenus(tree)) {
        for (size_t i : shownItems(tree, heading)) {
            if (tree[i].shortcut.key != 0 && tree[i].text != kSeparator) {
                table.push_back({tree[i].shortcut, i});
            }
        }
    }
    return table;
}

}  // namespace wendrill
