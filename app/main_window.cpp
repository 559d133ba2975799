#include "app/main_window.h"

#include <commctrl.h>
#include <richedit.h>

#include <new>
#include <vector>

#include "app/dpi.h"
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

// Every length here and in kControlRows is at 96 DPI and scaled to the window's DPI by scaled().
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 500;
// A fixed single frame with a title bar: it can be minimised and moved, never resized.
constexpr DWORD kFrameStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kListFieldHeight = 20;
constexpr int kListFrame = 6;  // the usual frame of a list's field, above and below its items
constexpr int kPopupOffset = 3;
constexpr int kEditorId = 100;

constexpr UINT kDestroyRequest = WM_APP + 1;
constexpr UINT kShowEditMenu = WM_APP + 2;
constexpr UINT kRunPosted = WM_APP + 3;
// Menu item i of the tree has the command id kFirstItemId + i.
constexpr UINT kFirstItemId = 1000;

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

struct Place {
    int left, top, width, height;
};

struct ControlRow {
    Control control;
    const wchar_t* windowClass;  // null for the Editor, which makes its own control
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    Place place;  // in the client area at 96 DPI; a list's height includes its dropped-down part
};

constexpr DWORD kTabStop = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kButtonStyle = kTabStop | BS_PUSHBUTTON;
constexpr DWORD kFieldStyle = kTabStop | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kPadStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
// No border, no focus, drawn on the window's own background; the 字数 label fills in its text.
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr wchar_t kSearchButtonText[] = L"\u767E\u5EA6\u4E00\u4E0B";  // 百度一下

// In creation order; DropPad lies directly beneath the Editor.
// clang-format off
const ControlRow kControlRows[] = {
    {Control::colorBox, WC_COMBOBOXW, L"", kListStyle, 0, {111, 2, 48, 160}},
    {Control::sizeBox, WC_COMBOBOXW, L"", kListStyle, 0, {58, 2, 48, 160}},
    {Control::alignBox, WC_COMBOBOXW, L"", kListStyle, 0, {5, 2, 48, 160}},
    {Control::noticeView, kNoticeViewClass, L"", kTabStop, 0, {610, 80, 210, 360}},
    {Control::searchButton, WC_BUTTONW, kSearchButtonText, kButtonStyle, 0, {610, 35, 180, 32}},
    {Control::searchEdit, WC_EDITW, L"", kFieldStyle, WS_EX_CLIENTEDGE, {610, 5, 180, 24}},
    {Control::editor, nullptr, nullptr, 0, 0, {0, 25, 600, 450}},
    {Control::dropPad, kDropPadClass, L"", kPadStyle, 0, {0, 25, 600, 450}},
    {Control::countLabel, WC_STATICW, L"", kLabelStyle, 0, {165, 4, 430, 18}},
};
// clang-format on

RECT scaledPlace(const Place& place, UINT dpi) {
    const int left = scaled(place.left, dpi);
    const int top = scaled(place.top, dpi);
    return RECT{left, top, left + scaled(place.width, dpi), top + scaled(place.height, dpi)};
}

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

template <class Items>
void fillList(HWND list, const Items& items) {
    for (const auto& item : items) {
        const std::wstring text = wideFromDoc(item.text);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
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
    // Placed and sized once the DPI of its monitor is known.
    window_ = CreateWindowExW(0, kWindowClass, kCaption, kFrameStyle, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (!window_) return false;
    dpi_ = windowDpi(window_);
    placeWindow();
    createControls();
    if (!editor_.window()) {
        DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    useFont();
    fillList(colorBox(), kColourItems);
    fillList(sizeBox(), kSizeItems);
    fillList(alignBox(), kAlignItems);
    SendMessageW(searchEdit(), EM_SETLIMITTEXT, 0, 0);  // 0: as long as the control can hold
    layOut();
    buildMenus();
    events_.windowCreated();
    return true;
}

HWND MainWindow::control(Control which) const {
    return which == Control::editor ? editor_.window() : controls_[static_cast<size_t>(which)];
}

// Centred by integer division; on a screen smaller than the window the corner is negative.
void MainWindow::placeWindow() {
    const int width = scaled(kWindowWidth, dpi_);
    const int height = scaled(kWindowHeight, dpi_);
    SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Children are stacked in the order they are made, the first on top, and Tab follows it.
void MainWindow::createControls() {
    for (const ControlRow& row : kControlRows) {
        const RECT place = scaledPlace(row.place, dpi_);
        if (row.control == Control::editor) {
            if (!editor_.create(window_, place, kEditorId)) return;
            continue;
        }
        controls_[static_cast<size_t>(row.control)] =
            CreateWindowExW(row.exStyle, row.windowClass, row.text, row.style, place.left,
                            place.top, place.right - place.left, place.bottom - place.top, window_,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    }
}

// The Editor keeps its own fonts; every other control shows the system's message font.
void MainWindow::useFont() {
    HFONT old = font_;
    font_ = userInterfaceFont(dpi_);
    for (const ControlRow& row : kControlRows) {
        if (row.control == Control::editor) continue;
        SendMessageW(control(row.control), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    if (old) DeleteObject(old);
}

// Every place and size for the window's DPI.
void MainWindow::layOut() {
    for (const ControlRow& row : kControlRows) {
        const RECT place = scaledPlace(row.place, dpi_);
        if (row.control == Control::editor) {
            editor_.setPlace(place);
        } else {
            MoveWindow(control(row.control), place.left, place.top, place.right - place.left,
                       place.bottom - place.top, TRUE);
        }
    }
    fitListFields();
    editor_.setZoom(dpi_, screenDpi());
}

// A list's field is its items' height plus the frame the list draws around them, which differs
// from system to system: measured, so that the field comes out at its given height.
void MainWindow::fitListFields() {
    const int field = scaled(kListFieldHeight, dpi_);
    for (Control list : {Control::colorBox, Control::sizeBox, Control::alignBox}) {
        HWND box = control(list);
        SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field - kListFrame);
        RECT shown{};
        GetWindowRect(box, &shown);
        const int frame = (shown.bottom - shown.top) - (field - kListFrame);
        if (frame != kListFrame) {
            SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field - frame);
        }
    }
}

// The suggested rectangle keeps the window where the user dragged it, at the new size.
void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    useFont();
    layOut();
}

void MainWindow::buildMenus() {
    HMENU old = GetMenu(window_);
    SetMenu(window_, buildMenuBar(tree_));
    if (old) DestroyMenu(old);
    HACCEL oldShortcuts = shortcuts_;
    shortcuts_ = buildShortcutTable(tree_);
    if (oldShortcuts) DestroyAcceleratorTable(oldShortcuts);
}

void MainWindow::setCaption(std::wstring_view text) {
    SetWindowTextW(window_, std::wstring(text).c_str());
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
    const int offset = scaled(kPopupOffset, dpi_);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, cursor.x + offset,
                   cursor.y + offset, 0, window_, nullptr);
    DestroyMenu(popup);
}

void MainWindow::requestDestroy() {
    if (destroyRequested_) return;
    destroyRequested_ = true;
    PostMessageW(window_, kDestroyRequest, 0, 0);
}

// The system shows the reason beside the program while it waits for the answer. Older systems and
// Wine do not show one; the session waits for the answer all the same.
void MainWindow::setShutdownBlockReason(std::u16string_view reason) {
    blockReason_ = reason;
    if (reason.empty()) {
        ShutdownBlockReasonDestroy(window_);
    } else {
        ShutdownBlockReasonCreate(window_, wideText(blockReason_));
    }
}

void MainWindow::post(std::function<void()> action) {
    if (!window_) return;
    posted_.push_back(std::move(action));
    PostMessageW(window_, kRunPosted, 0, 0);
}

void MainWindow::moveFocus(bool backwards) {
    HWND focus = GetFocus();
    while (focus && GetParent(focus) != window_) focus = GetParent(focus);
    HWND next = GetNextDlgTabItem(window_, focus, backwards);
    if (next) SetFocus(next);
}

void MainWindow::runPosted() {
    if (posted_.empty()) return;
    const std::function<void()> action = std::move(posted_.front());
    posted_.pop_front();
    action();
}

// The system gives an activated top-level window the focus itself, where typed keys go nowhere.
void MainWindow::rememberFocus() {
    HWND focus = GetFocus();
    if (!focus || !IsChild(window_, focus)) return;  // keep what the last deactivation saw
    focusWhenActive_ = focus == editor_.window() ? nullptr : focus;
}

void MainWindow::restoreFocus() {
    HWND target = focusWhenActive_;
    // The Editor's control may have been replaced meanwhile, and another may have gone.
    if (!target || !IsWindow(target) || !IsChild(window_, target)) target = editor_.window();
    SetFocus(target);
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
    // No exception may pass through the system's code that called us. Commands handle running
    // out of memory themselves; work after a command says so here.
    try {
        return self->handle(message, wParam, lParam);
    } catch (const std::bad_alloc&) {
        self->events_.outOfMemory();
    } catch (...) {
    }
    return 0;
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
        case kRunPosted:
            runPosted();
            return 0;
        case WM_ACTIVATE:
            // A minimised window gets its focus back when it is restored (WM_SETFOCUS).
            if (LOWORD(wParam) == WA_INACTIVE) {
                rememberFocus();
            } else if (HIWORD(wParam) == 0) {
                restoreFocus();
            }
            return 0;
        case WM_SETFOCUS:
            restoreFocus();
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            events_.closeRequested();
            return 0;
        case WM_QUERYENDSESSION:
            return events_.sessionEnding() ? TRUE : FALSE;
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
        if (code == EN_CHANGE) {
            editor_.changeReported();
            events_.editorChanged();
        }
    } else if (!control) {  // a menu item or a shortcut
        const size_t index = LOWORD(wParam) - size_t{kFirstItemId};
        if (LOWORD(wParam) >= kFirstItemId && index < tree_.size()) {
            events_.commandChosen(tree_[index].command);
        }
    } else if (code == CBN_SELCHANGE) {
        events_.listSelected(control);
    } else if (control == searchButton() && code == BN_CLICKED) {
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
