#include "app/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/keys.h"
#include "tests/win/app_fixture.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

using test::gbk;
using MainWindowTest = test::AppFixture;

std::u16string menuString(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

std::vector<std::u16string> menuStrings(HMENU menu) {
    std::vector<std::u16string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        texts.push_back(separator ? u"-" : menuString(menu, i));
    }
    return texts;
}

TEST_F(MainWindowTest, MenuBarShowsExactlyTheVisibleMenus) {
    startApp();
    HMENU bar = GetMenu(app->window().handle());
    EXPECT_EQ(menuStrings(bar),
              (std::vector<std::u16string>{u"文件(&F)", u"编辑(&E)", u"工具(&I)", u"关于(&H)"}));
    EXPECT_EQ(menuStrings(GetSubMenu(bar, 0)),
              (std::vector<std::u16string>{u"新建\tCtrl+N", u"打开\tCtrl+O", u"保存\tCtrl+S", u"-",
                                           u"退出\tCtrl+Q"}));
    EXPECT_EQ(menuStrings(GetSubMenu(bar, 1)),
              (std::vector<std::u16string>{
                  u"剪切\tCtrl+X", u"复制\tCtrl+C", u"粘贴\tCtrl+V", u"全选\tCtrl+A", u"-",
                  u"撤销\tCtrl+Z", u"删除", u"-", u"首行缩进", u"段后插入空行", u"替换文字\tCtrl+F",
                  u"-", u"删除一行\tCtrl+Y", u"删除所有行首空格", u"删除全部空行\tCtrl+R",
                  u"删除同类字符", u"删除选中段落中的换行符"}));
    EXPECT_EQ(menuStrings(GetSubMenu(bar, 2)),
              (std::vector<std::u16string>{u"全选并复制到剪贴板\tF10", u"-", u"插入分割线\tF11",
                                           u"插入当前日期\tCtrl+D", u"插入当前时间\tCtrl+T", u"-",
                                           u"是否自动折行", u"是否总在最前"}));
    EXPECT_EQ(menuStrings(GetSubMenu(bar, 3)), (std::vector<std::u16string>{u"关于Wendrill"}));
}

TEST_F(MainWindowTest, CheckMarksFollowTheMenuTree) {
    startApp();
    HMENU tools = GetSubMenu(GetMenu(app->window().handle()), 2);
    auto checked = [&](UINT position) {
        return (GetMenuState(tools, position, MF_BYPOSITION) & MF_CHECKED) != 0;
    };
    EXPECT_TRUE(checked(6));   // 是否自动折行
    EXPECT_FALSE(checked(7));  // 是否总在最前
    app->window().setMenuChecked(Command::toggleAlwaysOnTop, true);
    tools = GetSubMenu(GetMenu(app->window().handle()), 2);  // the bar was rebuilt
    EXPECT_TRUE(checked(7));
    EXPECT_TRUE(app->window().isMenuChecked(Command::toggleAlwaysOnTop));
}

TEST_F(MainWindowTest, WindowIsCentredWithItsFixedSizeAndFirstListItems) {
    startApp();
    RECT outer;
    GetWindowRect(app->window().handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 800);
    EXPECT_EQ(outer.bottom - outer.top, 500);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 800) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 500) / 2);
    const auto style = GetWindowLongW(app->window().handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);

    auto shown = [](HWND list) {
        wchar_t text[32] = {};
        GetWindowTextW(list, text, 32);
        return std::wstring(text);
    };
    EXPECT_EQ(shown(app->window().colorBox()), L"\u9ED1\u8272");  // 黑色
    EXPECT_EQ(shown(app->window().sizeBox()), L"8");
    EXPECT_EQ(shown(app->window().alignBox()), L"\u5C45\u4E2D");  // 居中
    EXPECT_EQ(SendMessageW(app->window().sizeBox(), CB_GETCOUNT, 0, 0), 13);
}

TEST_F(MainWindowTest, EveryShortcutRunsItsCommandWhereverTheFocusIs) {
    startApp();
    std::vector<Command> ran;
    app->watchCommands([&](Command command) {
        ran.push_back(command);
        return false;  // only watch: Ctrl+Q would end the test's window
    });
    const MenuTree& tree = app->window().menuTree();
    for (HWND focus :
         {app->editor().window(), app->window().searchEdit(), app->window().sizeBox()}) {
        for (const ShortcutEntry& entry : shortcutTable(tree)) {
            SetFocus(focus);
            ran.clear();
            if (entry.shortcut.ctrl) {
                pressKeys(VK_CONTROL, entry.shortcut.key);
            } else {
                pressKeys(entry.shortcut.key);
            }
            ASSERT_TRUE(handleInput());
            EXPECT_EQ(ran, std::vector<Command>{tree[entry.item].command})
                << "shortcut " << entry.shortcut.key << " with the focus on " << focus;
        }
    }
}

TEST_F(MainWindowTest, TabVisitsTheControlsAndNeverTypesIntoTheEditor) {
    startApp();
    app->editor().setText("abc");
    MainWindow& w = app->window();
    const std::vector<HWND> order{w.colorBox(),          w.sizeBox(),      w.alignBox(),
                                  w.noticeView(),        w.searchButton(), w.searchEdit(),
                                  app->editor().window()};
    SetFocus(app->editor().window());
    for (HWND expected : order) {
        pressKeys(VK_TAB);
        ASSERT_TRUE(handleInput());
        EXPECT_EQ(GetFocus(), expected);
    }
    pressKeys(VK_SHIFT, VK_TAB);
    ASSERT_TRUE(handleInput());
    EXPECT_EQ(GetFocus(), w.searchEdit());
    EXPECT_EQ(app->editor().getText(), "abc");
}

TEST_F(MainWindowTest, EnterInTheEditorIsALineBreak) {
    startApp();
    pressKeys('A');
    pressKeys(VK_RETURN);
    ASSERT_TRUE(handleInput());
    EXPECT_EQ(app->editor().getText(), "a\r\n");
    EXPECT_EQ(GetFocus(), app->editor().window());
}

TEST_F(MainWindowTest, CtrlRCleansTheDocumentFromAnyControl) {
    startApp();
    app->editor().setText(gbk("第一章\r\n\r\n正文"));
    SetFocus(app->window().searchEdit());
    pressKeys(VK_CONTROL, 'R');
    ASSERT_TRUE(handleInput());
    EXPECT_EQ(app->editor().getText(), gbk("第一章\r\n正文\r\n"));
}

TEST_F(MainWindowTest, AboutBoxShowsTheFiveLines) {
    startApp();
    app->runCommand(Command::showAbout);
    ASSERT_EQ(questions.asked.size(), 1u);
    const test::AskedQuestion& about = questions.asked.front();
    EXPECT_EQ(about.style, kInformation);
    EXPECT_EQ(about.title, u"关于Wendrill");
    EXPECT_EQ(about.text.find(u"Wendrill\r\n\r\n作者：Orvane\r\n联系："), 0u);
    EXPECT_NE(about.text.find(u"\r\n网址："), std::u16string::npos);
    EXPECT_TRUE(windowOpen());
}

TEST_F(MainWindowTest, PopupMenuOfTheHiddenBlockMenuHoldsNothing) {
    startApp();
    app->window().showPopupMenu(kBlockMenu);  // returns at once: there is nothing to choose
    EXPECT_TRUE(windowOpen());
}

TEST_F(MainWindowTest, SeveralDestroyRequestsDestroyOnce) {
    startApp();
    app->editor().setText("unsaved");
    app->window().requestDestroy();
    app->window().requestDestroy();
    EXPECT_TRUE(windowOpen());  // only after the current handler
    pump();
    EXPECT_FALSE(windowOpen());
    EXPECT_TRUE(questions.asked.empty());
}

}  // namespace
}  // namespace wendrill
