#pragma once
// The menu tree as data: the menu bar, the popup menus and the shortcut table are all built from
// these rows, and the window's commands are dispatched by them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wendrill {

enum class Command {
    none,
    newDocument,
    openDocument,
    saveDocument,
    quit,
    cutSelection,
    copySelection,
    pasteClipboard,
    selectAll,
    undoLastEdit,
    deleteAtCaret,
    indentParagraphs,
    addBlankLines,
    replaceWords,
    deleteLine,
    trimLines,
    deleteBlankLines,
    deleteSameText,
    joinSelectedLines,
    copyAll,
    insertDivider,
    insertDate,
    insertTime,
    toggleWordWrap,
    toggleAlwaysOnTop,
    showAbout,
};

// Ctrl with a letter key, or a function key alone. Key codes are the platform's virtual keys
// (letters are their capital ASCII code).
struct Shortcut {
    bool ctrl = false;
    uint16_t key = 0;  // 0: none
    bool operator==(const Shortcut&) const = default;
};

inline constexpr uint16_t kKeyF10 = 0x79;
inline constexpr uint16_t kKeyF11 = 0x7A;

struct MenuItem {
    std::u16string text;  // "-" is a separator
    int level = 0;        // 0: a menu of the menu bar, 1: an item in it
    Shortcut shortcut;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    Command command = Command::none;
};

using MenuTree = std::vector<MenuItem>;

inline constexpr std::u16string_view kEditMenu = u"编辑(&E)";
inline constexpr std::u16string_view kBlockMenu = u"屏蔽右键菜单";
inline constexpr std::u16string_view kSeparator = u"-";

MenuTree initialMenuTree();

// "Ctrl+N", "F10"; empty for no shortcut.
std::u16string shortcutName(Shortcut shortcut);

// The text an item shows: its own, then a TAB and the shortcut's name if it has one.
std::u16string shownText(const MenuItem& item);

// The level-1 items of the visible menu headed at `heading` that a menu shows (visible ones,
// separators included), as indices into the tree.
std::vector<size_t> shownItems(const MenuTree& tree, size_t heading);

// The headings of the menu bar: the visible level-0 items.
std::vector<size_t> shownMenus(const MenuTree& tree);

// Index of the level-0 item with that text, or of the item bound to that command; npos if none.
size_t findMenu(const MenuTree& tree, std::u16string_view text);
size_t findCommand(const MenuTree& tree, Command command);

// The shortcut table: every shown item with a shortcut, as (shortcut, item index).
struct ShortcutEntry {
    Shortcut shortcut;
    size_t item;
};
std::vector<ShortcutEntry> shortcutTable(const MenuTree& tree);

}  // namespace wendrill
