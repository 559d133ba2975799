#include "app/main_window.h"

#include <commctrl.h>
#include <richedit.h>

#include <vector>

#include "app/count_label_text.h"
#include "app/ui_text.h"
#include "commands/format_tables.h"
#include "editor/codepage.h"
#include "res/resource_ids.h"

namespace wendrill {
namespace {

constexpr wchar_t kWindowClass[] = L"WendrillMainWindow";
constexpr wchar_t kNoticeViewClass[] = L"WendrillNoticeView";
constexpr wchar_t kDropPadClass[] = L"WendrillDropPad";
constexpr wchar_t kCaption[] = L"Wendrill";

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 500;
// A fixed single frame with a title bar: it can be minimised and moved, never resized.
constexpr DWORD kFrameStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Places in the client area; a list's height includes its dropped-down part.
constexpr RECT kColorBoxPlace{111, 2, 111 + 48, 2 + 160};
constexpr RECT kSizeBoxPlace{58, 2, 58 + 48, 2 + 160};
constexpr RECT kAlignBoxPlace{5, 2, 5 + 48, 2 + 160};
constexpr RECT kNoticeViewPlace{610, 80, 610 + 210, 80 + 360};
constexpr RECT kSearchButtonPlace{610, 35, 610 + 180, 35 + 32};
constexpr RECT kSearchEditPlace{610, 5, 610 + 180, 5 + 24};
constexpr RECT kEditorPlace{0, 25, 0 + 600, 25 + 450};
constexpr RECT kDropPadPlace = kEditorPlace;
constexpr RECT kCountLabelPlace{165, 4, 165 + 430, 4 + 18};
constexpr int kListFieldHeight = 20;
constexpr int kEditorId = 100;

constexpr UINT kDestroyRequest = WM_APP + 1;
constexpr UINT kShowEditMenu = WM_APP + 2;
// Menu item i of the tree has the command id kFirstItemId + i.
constexpr UINT kFirstItemId = 1000;
constexpr int kPopupOffset = 3;

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

ATOM registerClass(const wchar_t* name, WNDPROC procedure, HBRUSH background, HICON icon) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    return RegisterClassExW(&wc);
}

bool registerClasses(WNDPROC mainProcedure) {
    static const bool registered = [mainProcedure] {
        HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                   MAKEINTRESOURCEW(WENDRILL_ICON), IMAGE_ICON, 0,
                                                   0, LR_DEFAULTSIZE | LR_SHARED));
        const auto face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        return registerClass(kWindowClass, mainProcedure, face, icon) &&
               registerClass(kNoticeViewClass, DefWindowProcW, face, nullptr) &&
               registerClass(kDropPadClass, DefWindowProcW, white, nullptr);
    }();
    return registered;
}

HFONT userInterfaceFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return nullptr;
    }
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

template <class Items>
void fillList(HWND list, const Items& items) {
    for (const auto& item : items) {
        const std::wstring text = wideFromDoc(item.text);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kListFieldHeight - 6);
    // Showing the first item sends no selection event, so no format command runs.
    SendMessageW(list, CB_SETCURSEL, 0, 0);
}

UINT itemId(size_t index) { return kFirstItemId + static_cast<UINT>(index); }

// Separators, greyed items, check marks and shortcut names, as a menu shows them.
void appendItems(HMENU menu, const MenuTree& tree, size_t heading) {
    for (size_t i : shownItems(tree, heading)) {
        const MenuItem& item = tree[i];
        if (item.text == kSeparator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT flags =
            MF_STRING | (item.enabled ? 0 : MF_GRAYED) | (item.checked ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuW(menu, flags, itemId(i), wideText(shownText(item)));
    }
}

HMENU buildMenuBar(const MenuTree& tree) {
    HMENU bar = CreateMenu();
    for (size_t heading : shownMenus(tree)) {
        HMENU popup = CreatePopupMenu();
        appendItems(popup, tree, heading);
        const UINT flags = MF_POPUP | (tree[heading].enabled ? 0 : MF_GRAYED);
        AppendMenuW(bar, flags, reinterpret_cast<UINT_PTR>(popup), wideText(tree[heading].text));
    }
    return bar;
}

HACCEL buildShortcutTable(const MenuTree& tree) {
    std::vector<ACCEL> entries;
    for (const ShortcutEntry& entry : shortcutTable(tree)) {
        const BYTE modifiers = FVIRTKEY | (entry.shortcut.ctrl ? FCONTROL : 0);
        entries.push_back(
            ACCEL{modifiers, entry.shortcut.key, static_cast<WORD>(itemId(entry.item))});
    }
    if (entries.empty()) return nullptr;
    return CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size()));
}

}  // namespace

MainWindow::~MainWindow() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    if (shortcuts_) DestroyAcceleratorTable(shortcuts_);
    if (font_) DeleteObject(font_);
}

bool MainWindow::create() {
    if (!registerClasses(windowProc)) return false;
    // Centred by integer division; on a screen smaller than the window the corner is negative.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
    window_ = CreateWindowExW(0, kWindowClass, kCaption, kFrameStyle, left, top, kWindowWidth,
                              kWindowHeight, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!window_) return false;
    font_ = userInterfaceFont();
    createControls();
    if (!editor_.window()) {
        DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    buildMenus();
    events_.windowCreated();
    return true;
}

HWND MainWindow::createChild(const wchar_t* windowClass, const wchar_t* text, DWORD style,
                             DWORD exStyle, const RECT& place) {
    HWND child = CreateWindowExW(exStyle, windowClass, text, style, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, window_,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    if (child && font_) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
}

// Children are stacked in the order they are made, the first on top, and Tab follows it.
void MainWindow::createControls() {
    colorBox_ = createChild(WC_COMBOBOXW, L"", kListStyle, 0, kColorBoxPlace);
    sizeBox_ = createChild(WC_COMBOBOXW, L"", kListStyle, 0, kSizeBoxPlace);
    alignBox_ = createChild(WC_COMBOBOXW, L"", kListStyle, 0, kAlignBoxPlace);
    fillList(colorBox_, kColourItems);
    fillList(sizeBox_, kSizeItems);
    fillList(alignBox_, kAlignItems);
    noticeView_ =
        createChild(kNoticeViewClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, kNoticeViewPlace);
    searchButton_ =
        createChild(WC_BUTTONW, L"\u767E\u5EA6\u4E00\u4E0B",  // 百度一下
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, kSearchButtonPlace);
    searchEdit_ =
        createChild(WC_EDITW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                    WS_EX_CLIENTEDGE, kSearchEditPlace);
    SendMessageW(searchEdit_, EM_SETLIMITTEXT, 0, 0);  // 0: as long as the control can hold
    if (!editor_.create(window_, kEditorPlace, kEditorId)) return;
    dropPad_ =
        createChild(kDropPadClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, kDropPadPlace);
    // A static control takes no focus and draws on the window's own background.
    countLabel_ = createChild(WC_STATICW, wideText(countLabelText(0, std::nullopt)),
                              WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0,
                              kCountLabelPlace);
}

void MainWindow::buildMenus() {
    HMENU old = GetMenu(window_);
    SetMenu(window_, buildMenuBar(tree_));
    if (old) DestroyMenu(old);
    HACCEL oldShortcuts = shortcuts_;
    shortcuts_ = buildShortcutTable(tree_);
    if (oldShortcuts) DestroyAcceleratorTable(oldShortcuts);
}

void MainWindow::setCaption(std::string_view text) {
    SetWindowTextW(window_, wideFromDoc(text).c_str());
}

void MainWindow::setWindowVisible(bool on) { ShowWindow(window_, on ? SW_SHOW : SW_HIDE); }

void MainWindow::setAlwaysOnTop(bool on) {
    SetWindowPos(window_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool MainWindow::isMenuChecked(Command command) const {
    const size_t i = findCommand(tree_, command);
    return i < tree_.size() && tree_[i].checked;
}

void MainWindow::setMenuChecked(Command command, bool on) {
    const size_t i = findCommand(tree_, command);
    if (i >= tree_.size()) return;
    tree_[i].checked = on;
    buildMenus();
}

void MainWindow::showPopupMenu(std::u16string_view menuText) {
    const size_t heading = findMenu(tree_, menuText);
    if (heading >= tree_.size()) return;
    HMENU popup = CreatePopupMenu();
    appendItems(popup, tree_, heading);
    POINT cursor{};
    GetCursorPos(&cursor);
    // A chosen item arrives as WM_COMMAND, the same way as from the menu bar.
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, cursor.x + kPopupOffset,
                   cursor.y + kPopupOffset, 0, window_, nullptr);
    DestroyMenu(popup);
}

void MainWindow::requestDestroy() {
    if (destroyRequested_) return;
    destroyRequested_ = true;
    PostMessageW(window_, kDestroyRequest, 0, 0);
}

void MainWindow::moveFocus(bool backwards) {
    HWND control = GetFocus();
    while (control && GetParent(control) != window_) control = GetParent(control);
    HWND next = GetNextDlgTabItem(window_, control, backwards);
    if (next) SetFocus(next);
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return onCommand(wParam, lParam);
        case WM_NOTIFY:
            return onNotify(lParam);
        case kShowEditMenu:
            events_.editorRightButton();
            return 0;
        case WM_CLOSE:
            events_.closeRequested();
            return 0;
        case kDestroyRequest:
            DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            events_.windowDestroying();
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    const auto control = reinterpret_cast<HWND>(lParam);
    const WORD code = HIWORD(wParam);
    if (control && control == editor_.window()) {
        if (code == EN_CHANGE) events_.editorChanged();
    } else if (!control) {  // a menu item or a shortcut
        const size_t index = LOWORD(wParam) - size_t{kFirstItemId};
        if (LOWORD(wParam) >= kFirstItemId && index < tree_.size()) {
            events_.commandChosen(tree_[index].command);
        }
    } else if (code == CBN_SELCHANGE) {
        events_.listSelected(control);
    } else if (control == searchButton_ && code == BN_CLICKED) {
        events_.searchClicked();
    }
    return 0;
}

LRESULT MainWindow::onNotify(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != editor_.window()) return 0;
    if (header->code == EN_SELCHANGE) events_.editorSelectionChanged();
    if (header->code == EN_MSGFILTER &&
        reinterpret_cast<const MSGFILTER*>(lParam)->msg == WM_RBUTTONDOWN) {
        // The popup runs its own loop: run it after the control has finished with the click.
        PostMessageW(window_, kShowEditMenu, 0, 0);
    }
    return 0;
}

}  // namespace wendrill
