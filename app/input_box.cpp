#include "app/input_box.h"

#include <vector>

namespace wendrill {
namespace {

// The box is laid out in dialog units and built in memory, so it needs no resource.
struct ItemLayout {
    DWORD style;
    short x, y, width, height;
    WORD id;
    WORD windowClass;  // the predefined class atoms
    std::u16string_view text;
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

constexpr short kBoxWidth = 220;
constexpr short kBoxHeight = 84;

class TemplateWriter {
  public:
    void word(WORD value) { words_.push_back(value); }
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void text(std::u16string_view value) {
        for (char16_t c : value) word(static_cast<WORD>(c));
        word(0);
    }
    void alignToDword() {
        if (words_.size() % 2 != 0) word(0);
    }
    const WORD* data() const { return words_.data(); }

  private:
    std::vector<WORD> words_;
};

std::vector<ItemLayout> layout(std::u16string_view prompt) {
    return {
        {kChild | SS_LEFT, 7, 7, 206, 28, kInputPromptId, kStaticClass, prompt},
        {kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 40, 206, 14, kInputFieldId,
         kEditClass, u""},
        {kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 90, 62, 60, 15, IDOK, kButtonClass,
         u"确认输入(&O)"},
        {kChild | WS_TABSTOP | BS_PUSHBUTTON, 153, 62, 60, 15, IDCANCEL, kButtonClass, u"取消(&C)"},
    };
}

TemplateWriter buildTemplate(std::u16string_view prompt, std::u16string_view title) {
    const std::vector<ItemLayout> items = layout(prompt);
    TemplateWriter t;
    t.dword(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.dword(0);
    t.word(static_cast<WORD>(items.size()));
    for (short value : {short{0}, short{0}, kBoxWidth, kBoxHeight})
        t.word(static_cast<WORD>(value));
    t.word(0);  // no menu
    t.word(0);  // the standard dialog class
    t.text(title);
    t.word(9);
    t.text(u"MS Shell Dlg");
    for (const ItemLayout& item : items) {
        t.alignToDword();
        t.dword(item.style);
        t.dword(0);
        for (short value : {item.x, item.y, item.width, item.height}) {
            t.word(static_cast<WORD>(value));
        }
        t.word(item.id);
        t.word(0xFFFF);
        t.word(item.windowClass);
        t.text(item.text);
        t.word(0);  // no creation data
    }
    return t;
}

std::u16string fieldText(HWND box) {
    HWND field = GetDlgItem(box, kInputFieldId);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    const int length = GetWindowTextW(field, text.data(), static_cast<int>(text.size()));
    return std::u16string(text.begin(), text.begin() + length);
}

INT_PTR CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(box, DWLP_USER, lParam);
            SetFocus(GetDlgItem(box, kInputFieldId));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto* answer = reinterpret_cast<InputAnswer*>(GetWindowLongPtrW(box, DWLP_USER));
                *answer = {true, fieldText(box)};
                EndDialog(box, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {  // also Esc and the close box
                EndDialog(box, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

InputAnswer showInputBox(HWND owner, std::u16string_view prompt, std::u16string_view title) {
    const TemplateWriter box = buildTemplate(prompt, title);
    InputAnswer answer;
    // A box that cannot be shown leaves the answer unconfirmed and empty, like a cancel.
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                            reinterpret_cast<const DLGTEMPLATE*>(box.data()), owner, boxProc,
                            reinterpret_cast<LPARAM>(&answer));
    return answer;
}

}  // namespace wendrill
