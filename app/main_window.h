#pragma once
// MainWindow: the one top-level window, its controls in their fixed places, the menu bar and
// shortcut table built from the menu tree, and the window services the commands use.

#include <windows.h>

#include <functional>
#include <string_view>

#include "app/menu_tree.h"
#include "editor/editor.h"
#include "text/doc_text.h"

namespace wendrill {

// What the window reports; the App handles it.
class MainWindowEvents {
  public:
    virtual ~MainWindowEvents() = default;
    virtual void windowCreated() = 0;
    virtual void closeRequested() = 0;
    virtual void windowDestroying() = 0;
    virtual void commandChosen(Command command) = 0;
    virtual void listSelected(HWND list) = 0;
    virtual void searchClicked() = 0;
    virtual void editorRightButton() = 0;
    // The text may have changed (by the user or the control: typing, undo, a drop of text).
    virtual void editorChanged() = 0;
    virtual void editorSelectionChanged() = 0;
};

class MainWindow {
  public:
    explicit MainWindow(MainWindowEvents& events) : events_(events) {}
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls, builds the menus and raises windowCreated. False if
    // the window or the Editor could not be made.
    bool create();

    HWND handle() const { return window_; }
    Editor& editor() { return editor_; }
    HWND colorBox() const { return colorBox_; }
    HWND sizeBox() const { return sizeBox_; }
    HWND alignBox() const { return alignBox_; }
    HWND noticeView() const { return noticeView_; }
    HWND searchButton() const { return searchButton_; }
    HWND searchEdit() const { return searchEdit_; }
    HWND dropPad() const { return dropPad_; }
    HWND countLabel() const { return countLabel_; }
    HACCEL shortcuts() const { return shortcuts_; }
    const MenuTree& menuTree() const { return tree_; }

    void setCaption(std::string_view text);
    void setWindowVisible(bool on);
    void setAlwaysOnTop(bool on);
    bool isMenuChecked(Command command) const;
    void setMenuChecked(Command command, bool on);
    void showPopupMenu(std::u16string_view menuText);
    void requestDestroy();

    // Tab and Shift+Tab: the next or previous control that takes the focus.
    void moveFocus(bool backwards);

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onNotify(LPARAM lParam);
    void createControls();
    HWND createChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle,
                     const RECT& place);
    void buildMenus();

    MainWindowEvents& events_;
    HWND window_ = nullptr;
    HWND colorBox_ = nullptr;
    HWND sizeBox_ = nullptr;
    HWND alignBox_ = nullptr;
    HWND noticeView_ = nullptr;
    HWND searchButton_ = nullptr;
    HWND searchEdit_ = nullptr;
    HWND dropPad_ = nullptr;
    HWND countLabel_ = nullptr;
    HFONT font_ = nullptr;
    HACCEL shortcuts_ = nullptr;
    Editor editor_;
    MenuTree tree_ = initialMenuTree();
    bool destroyRequested_ = false;
};

}  // namespace wendrill
