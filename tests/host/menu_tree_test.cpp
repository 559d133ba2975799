#include "app/menu_tree.h"

#include <gtest/gtest.h>

namespace wendrill {
namespace {

TEST(MenuTreeTest, ShortcutNames) {
    EXPECT_EQ(shortcutName(Shortcut{true, 'N'}), u"Ctrl+N");
    EXPECT_EQ(shortcutName(Shortcut{false, kKeyF10}), u"F10");
    EXPECT_EQ(shortcutName(Shortcut{false, kKeyF11}), u"F11");
    EXPECT_EQ(shortcutName(Shortcut{}), u"");
}

TEST(MenuTreeTest, TheBlockMenuIsNeverShownAndItsItemNeverChosen) {
    const MenuTree tree = initialMenuTree();
    const size_t block = findMenu(tree, kBlockMenu);
    ASSERT_LT(block, tree.size());
    for (size_t menu : shownMenus(tree)) EXPECT_NE(menu, block);
    EXPECT_TRUE(shownItems(tree, block).empty());  // its popup holds nothing
    for (const ShortcutEntry& entry : shortcutTable(tree)) EXPECT_NE(entry.item, block + 1);
}

TEST(MenuTreeTest, ShortcutTableHoldsEachShownShortcutOnce) {
    MenuTree tree = initialMenuTree();
    const std::vector<ShortcutEntry> table = shortcutTable(tree);
    EXPECT_EQ(table.size(), 16u);
    for (size_t i = 0; i < table.size(); ++i) {
        for (size_t j = i + 1; j < table.size(); ++j) {
            EXPECT_FALSE(table[i].shortcut == table[j].shortcut);
        }
    }
    // A hidden item takes its shortcut with it.
    tree[findCommand(tree, Command::deleteBlankLines)].visible = false;
    EXPECT_EQ(shortcutTable(tree).size(), 15u);
}

TEST(MenuTreeTest, ShownTextAddsTheShortcutAfterATab) {
    const MenuTree tree = initialMenuTree();
    EXPECT_EQ(shownText(tree[findCommand(tree, Command::newDocument)]), u"新建\tCtrl+N");
    EXPECT_EQ(shownText(tree[findCommand(tree, Command::deleteAtCaret)]), u"删除");
    EXPECT_TRUE(tree[findCommand(tree, Command::toggleWordWrap)].checked);
    EXPECT_FALSE(tree[findCommand(tree, Command::toggleAlwaysOnTop)].checked);
}

}  // namespace
}  // namespace wendrill
