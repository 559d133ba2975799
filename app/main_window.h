#pragma once
// MainWindow: the one top-level window, its controls in their fixed places, the menu bar and
// shortcut table built from the menu tree, and the window services the commands use.

#include <windows.h>

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "app/menu_tree.h"
#include "editor/after_command.h"
#include "editor/editor.h"
#include "text/doc_text.h"

namespace wendrill {

// What the window reports; the App handles it.
class MainWindowEvents {
  public:
    virtual ~MainWindowEvents() = default;
    virtual void windowCreated() = 0;
    virtual void closeRequested() = 0;
    // The session is ending (log off, restart, shut down); false keeps it from ending.
    virtual bool sessionEnding() = 0;
    virtual void windowDestroying() = 0;
    virtual void commandChosen(Command command) = 0;
    virtual void listSelected(HWND list) = 0;
    virtual void searchClicked() = 0;
    virtual void editorRightButton() = 0;
    // The text may have changed (by the user or the control: typing, undo, a drop of text).
    virtual void editorChanged() = 0;
    virtual void editorSelectionChanged() = 0;
    // Something could not get the memory it needed and was left undone.
    virtual void outOfMemory() = 0;
};

// The controls in creation order, which is also their stacking and Tab order.
enum class Control : size_t {
    colorBox,
    sizeBox,
    alignBox,
    noticeView,
    searchButton,
    searchEdit,
    editor,
    dropPad,
    countLabel,
    count
};

class MainWindow : public AfterCommand {
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
    HWND control(Control which) const;
    HWND colorBox() const { return control(Control::colorBox); }
    HWND sizeBox() const { return control(Control::sizeBox); }
    HWND alignBox() const { return control(Control::alignBox); }
    HWND noticeView() const { return control(Control::noticeView); }
    HWND searchButton() const { return control(Control::searchButton); }
    HWND searchEdit() const { return control(Control::searchEdit); }
    HWND dropPad() const { return control(Control::dropPad); }
    HWND countLabel() const { return control(Control::countLabel); }
    HACCEL shortcuts() const { return shortcuts_; }
    const MenuTree& menuTree() const { return tree_; }

    void setCaption(std::wstring_view text);
    void setWindowVisible(bool on);
    void setAlwaysOnTop(bool on);
    bool isMenuChecked(Command command) const;
    void setMenuChecked(Command command, bool on);
    void showPopupMenu(std::u16string_view menuText);
    void requestDestroy();
    // Tells the system why the session should not end while the user decides; empty: no reason.
    void setShutdownBlockReason(std::u16string_view reason);
    const std::u16string& shutdownBlockReason() const { return blockReason_; }
    // Runs the action once the current message has been handled, in the order posted; actions
    // still waiting when the window goes are dropped.
    void post(std::function<void()> action) override;

    // Tab and Shift+Tab: the next or previous control that takes the focus.
    void moveFocus(bool backwards);

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onNotify(LPARAM lParam);
    void placeWindow();
    void createControls();
    void useFont();
    void layOut();
    void fitListFields();
    void onDpiChanged(UINT dpi, const RECT& suggested);
    void rememberFocus();
    void restoreFocus();
    void runPosted();
    void buildMenus();

    MainWindowEvents& events_;
    HWND window_ = nullptr;
    std::array<HWND, static_cast<size_t>(Control::count)> controls_{};  // the Editor's is its own
    UINT dpi_ = 96;
    HFONT font_ = nullptr;
    HACCEL shortcuts_ = nullptr;
    Editor editor_;
    MenuTree tree_ = initialMenuTree();
    bool destroyRequested_ = false;
    // The control to get the focus back when the window is active again; null: the Editor,
    // whichever control it has then.
    HWND focusWhenActive_ = nullptr;
    std::deque<std::function<void()>> posted_;
    std::u16string blockReason_;
};

}  // namespace wendrill
