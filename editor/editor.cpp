#include "editor/editor.h"

#include <richedit.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "editor/clipboard.h"
#include "editor/codepage.h"
#include "editor/rich_stream.h"
#include "text/positions.h"

namespace wendrill {
namespace {

constexpr DWORD kControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL |
                                WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL |
                                ES_WANTRETURN;
constexpr LONG kNoLengthLimit = 0x7FFFFFFE;
constexpr int32_t kMaxLineBytes = 8187;
constexpr LONG kTwipsPerPoint = 20;
constexpr wchar_t kDefaultFont[] = L"\u5B8B\u4F53";  // 宋体
constexpr LONG kDefaultHeight = 9 * kTwipsPerPoint;

// Replacing a text deletes the old one inside the control, which Wine's control does in roughly
// quadratic time (a 54,000-character chapter takes 1.6 s, 27,000 characters 0.4 s), and undoing
// it deletes the new one. So a whole-text replacement is undoable only between texts of at most
// this many characters; beyond it the text goes into a fresh control.
constexpr int32_t kUndoableReplaceLimit = 32 * 1024;

LRESULT send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(control, message, wParam, lParam);
}

int32_t clampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

LONG twipsFromPoints(int32_t points) { return clampToInt32(int64_t{points} * kTwipsPerPoint); }
int32_t pointsFromTwips(LONG twips) { return twips / kTwipsPerPoint; }

CHARRANGE selection(HWND control) {
    CHARRANGE range{};
    send(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void select(HWND control, LONG from, LONG to) {
    CHARRANGE range{from, to};
    send(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void replaceSelectionUndoably(HWND control, std::string_view text) {
    const std::wstring wide = wideFromDoc(text);
    send(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

CHARFORMAT2W defaultCharFormat() {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                    CFM_STRIKEOUT | CFM_PROTECTED | CFM_OFFSET | CFM_CHARSET;
    format.dwEffects = CFE_AUTOCOLOR;
    format.yHeight = kDefaultHeight;
    format.bCharSet = GB2312_CHARSET;
    std::wcscpy(format.szFaceName, kDefaultFont);
    return format;
}

WORD platformAlignment(int32_t alignment) {
    switch (alignment) {
        case kAlignCentre:
            return PFA_CENTER;
        case kAlignRight:
            return PFA_RIGHT;
        default:
            return PFA_LEFT;
    }
}

int32_t alignmentFromPlatform(WORD alignment) {
    switch (alignment) {
        case PFA_CENTER:
            return kAlignCentre;
        case PFA_RIGHT:
            return kAlignRight;
        default:
            return kAlignLeft;
    }
}

bool loadRichEdit() {
    static const bool loaded = LoadLibraryW(L"riched20.dll") != nullptr;
    return loaded;
}

}  // namespace

bool Editor::create(HWND parent, const RECT& place, int controlId) {
    if (!loadRichEdit()) return false;
    parent_ = parent;
    place_ = place;
    controlId_ = controlId;
    control_ = makeControl();
    if (!control_) return false;
    configure(control_);
    // Setting the formats counts as an edit to the control; a new Editor starts unmodified.
    send(control_, EM_SETMODIFY, FALSE);
    ShowWindow(control_, SW_SHOW);
    return true;
}

Editor::~Editor() {
    if (control_ && IsWindow(control_)) DestroyWindow(control_);
}

void Editor::onControlCreated(std::function<void(HWND)> handler) {
    controlCreated_ = std::move(handler);
    if (controlCreated_ && control_) controlCreated_(control_);
}

void Editor::onTextReplaced(std::function<void()> handler) { textReplaced_ = std::move(handler); }

HWND Editor::makeControl() const {
    return CreateWindowExW(0, RICHEDIT_CLASSW, L"", kControlStyle & ~WS_VISIBLE, place_.left,
                           place_.top, place_.right - place_.left, place_.bottom - place_.top,
                           parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId_)),
                           GetModuleHandleW(nullptr), nullptr);
}

void Editor::configure(HWND control) const {
    // Without this the control refuses typed and pasted text beyond 32,767 characters.
    send(control, EM_EXLIMITTEXT, 0, kNoLengthLimit);
    // The window offers its own popup menu on the right button, and keeps the 字数 label up to
    // date with the changes of the text and the selection.
    send(control, EM_SETEVENTMASK, 0, ENM_MOUSEEVENTS | ENM_CHANGE | ENM_SELCHANGE);
    // The control's own default is "System" bold; the document is 宋体 9 pt in automatic colour.
    CHARFORMAT2W format = defaultCharFormat();
    send(control, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    send(control, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    send(control, EM_SETTARGETDEVICE, 0, wordWrap_ ? 0 : 1);
    send(control, EM_SHOWSCROLLBAR, SB_HORZ, wordWrap_ ? FALSE : TRUE);
}

DocText Editor::getText() const { return streamOut(control_); }

// A whole-text replacement is one undoable step while both texts are at most
// kUndoableReplaceLimit characters. Otherwise the old text is never deleted inside the control: an
// empty control streams the new text in, a full one is replaced by a fresh control holding the new
// text, and "撤销" has nothing to undo afterwards. Either way the modified flag is set and the
// caret is at the start.
void Editor::setText(std::string_view text) {
    const int32_t oldLength = textLength();
    // The byte count bounds the character count from above.
    if (oldLength <= kUndoableReplaceLimit && text.size() <= size_t{kUndoableReplaceLimit}) {
        select(control_, 0, -1);
        replaceSelectionUndoably(control_, text);
    } else if (oldLength == 0) {
        streamIn(control_, text);
    } else {
        replaceControl(text);
    }
    send(control_, EM_SETMODIFY, TRUE);
    select(control_, 0, 0);
    if (textReplaced_) textReplaced_();
}

void Editor::replaceControl(std::string_view text) {
    HWND fresh = makeControl();
    if (!fresh) {
        streamIn(control_, text);
        return;
    }
    configure(fresh);
    streamIn(fresh, text);
    const bool hadFocus = GetFocus() == control_;
    // Take the old control's place in the stacking and Tab order before it goes.
    SetWindowPos(fresh, control_, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HWND old = control_;
    control_ = fresh;
    if (hadFocus) SetFocus(fresh);
    if (controlCreated_) controlCreated_(fresh);
    DestroyWindow(old);
}

DocText Editor::getSelectedText() const {
    DocText text = streamOut(control_, SFF_SELECTION);
    // A selection that reaches past the end holds the final paragraph mark, which is not text.
    if (selection(control_).cpMax > textLength() && text.size() >= 2 &&
        text.compare(text.size() - 2, 2, "\r\n") == 0) {
        text.resize(text.size() - 2);
    }
    return text;
}

// A long selection would be deleted inside the control, far too slowly for a novel: then the
// whole text is rebuilt around the new part and goes in by the route of setText.
void Editor::setSelectedText(std::string_view text) {
    const CHARRANGE range = selection(control_);
    if (range.cpMax - range.cpMin <= kUndoableReplaceLimit) {
        replaceSelectionUndoably(control_, text);
        if (textReplaced_) textReplaced_();
        return;
    }
    const DocText whole = getText();
    const size_t from = byteOffsetOfPosition(whole, range.cpMin);
    const size_t to = byteOffsetOfPosition(whole, range.cpMax);
    setText(joinTexts(
        {std::string_view(whole).substr(0, from), text, std::string_view(whole).substr(to)}));
    // The caret ends behind the new part, as after a replacement in place.
    const LONG caret = clampToInt32(int64_t{range.cpMin} + characterCount(text));
    select(control_, caret, caret);
}

int32_t Editor::getSelectionStart() const { return selection(control_).cpMin; }

int32_t Editor::getSelectionLength() const {
    // Select-all reads back one past the end (the final paragraph mark); it is not text.
    const CHARRANGE range = selection(control_);
    return std::min<int32_t>(range.cpMax, textLength()) - range.cpMin;
}

void Editor::setSelectionStart(int32_t start) {
    storedStart_ = std::max(start, 0);
    applySelection();
}

void Editor::setSelectionLength(int32_t length) {
    storedLength_ = std::max(length, -1);
    applySelection();
}

void Editor::applySelection() {
    if (storedLength_ == -1) {
        select(control_, 0, -1);
    } else {
        select(control_, storedStart_, clampToInt32(int64_t{storedStart_} + storedLength_));
    }
}

bool Editor::isModified() const { return send(control_, EM_GETMODIFY) != 0; }

void Editor::setWordWrap(bool on) {
    wordWrap_ = on;
    send(control_, EM_SETTARGETDEVICE, 0, on ? 0 : 1);
    send(control_, EM_SHOWSCROLLBAR, SB_HORZ, on ? FALSE : TRUE);
}

int32_t Editor::currentLine() const {
    return static_cast<int32_t>(send(control_, EM_EXLINEFROMCHAR, 0, selection(control_).cpMin));
}

DocText Editor::lineText(int32_t line) const {
    const auto lineCount = static_cast<int32_t>(send(control_, EM_GETLINECOUNT));
    if (line < 0 || line >= lineCount) return {};
    std::wstring buffer(kMaxLineBytes, L'\0');
    buffer[0] = static_cast<wchar_t>(kMaxLineBytes);  // the control reads its size from here
    const auto count =
        send(control_, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&buffer[0]));
    buffer.resize(static_cast<size_t>(std::clamp<LRESULT>(count, 0, kMaxLineBytes)));
    // The last line never ends in a line break, although the control reports its final
    // paragraph mark there.
    if (line == lineCount - 1 && !buffer.empty() && buffer.back() == L'\r') buffer.pop_back();
    DocText bytes = docFromWide(buffer);
    if (bytes.size() > kMaxLineBytes) bytes.resize(kMaxLineBytes);
    return bytes;
}

int32_t Editor::lineStart(int32_t line) const {
    return static_cast<int32_t>(send(control_, EM_LINEINDEX, static_cast<WPARAM>(line)));
}

int32_t Editor::lineLength(int32_t line) const {
    const int32_t start = lineStart(line);
    if (start < 0) return 0;
    return static_cast<int32_t>(send(control_, EM_LINELENGTH, static_cast<WPARAM>(start)));
}

int32_t Editor::textLength() const {
    GETTEXTLENGTHEX how{GTL_DEFAULT | GTL_NUMCHARS, 1200};
    return static_cast<int32_t>(send(control_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how)));
}

void Editor::clearSelection() { send(control_, WM_CLEAR); }

CharFormat Editor::getCharFormat() const {
    CHARFORMAT2W platform{};
    platform.cbSize = sizeof platform;
    send(control_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&platform));
    CharFormat format;
    format.fontName = docFromWide(platform.szFaceName);
    if (format.fontName.size() > kMaxFontNameBytes) format.fontName.resize(kMaxFontNameBytes);
    format.size = pointsFromTwips(platform.yHeight);
    format.offset = pointsFromTwips(platform.yOffset);
    format.effects = static_cast<int32_t>(platform.dwEffects & 0x1F);
    format.colour =
        (platform.dwEffects & CFE_AUTOCOLOR) ? kAutomaticColour : (platform.crTextColor & 0xFFFFFF);
    return format;
}

void Editor::setCharFormat(const CharFormat& format) {
    CHARFORMAT2W platform{};
    platform.cbSize = sizeof platform;
    platform.dwMask = CFM_FACE | CFM_SIZE | CFM_OFFSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC |
                      CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_CHARSET;
    const std::wstring face =
        wideFromDoc(std::string_view(format.fontName).substr(0, kMaxFontNameBytes));
    face.copy(platform.szFaceName, LF_FACESIZE - 1);
    platform.bCharSet = GB2312_CHARSET;
    platform.yHeight = twipsFromPoints(format.size);
    platform.yOffset = twipsFromPoints(format.offset);
    platform.dwEffects = static_cast<DWORD>(format.effects & 0x1F);
    if (format.colour == kAutomaticColour) {
        platform.dwEffects |= CFE_AUTOCOLOR;
    } else {
        platform.crTextColor = format.colour & 0xFFFFFF;
    }
    send(control_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&platform));
}

ParagraphFormat Editor::getParagraphFormat() const {
    PARAFORMAT2 platform{};
    platform.cbSize = sizeof platform;
    send(control_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&platform));
    ParagraphFormat format;
    format.bullets = platform.wNumbering != 0 ? 1 : 0;
    format.startIndent = pointsFromTwips(platform.dxStartIndent);
    format.nextLineOffset = pointsFromTwips(platform.dxOffset);
    format.rightIndent = pointsFromTwips(platform.dxRightIndent);
    format.alignment = alignmentFromPlatform(platform.wAlignment);
    return format;
}

void Editor::setParagraphFormat(const ParagraphFormat& format) {
    PARAFORMAT2 platform{};
    platform.cbSize = sizeof platform;
    platform.dwMask =
        PFM_NUMBERING | PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT | PFM_ALIGNMENT;
    platform.wNumbering = format.bullets != 0 ? PFN_BULLET : 0;
    platform.dxStartIndent = twipsFromPoints(format.startIndent);
    platform.dxOffset = twipsFromPoints(format.nextLineOffset);
    platform.dxRightIndent = twipsFromPoints(format.rightIndent);
    platform.wAlignment = platformAlignment(format.alignment);
    send(control_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&platform));
}

void Editor::cutToClipboard() { send(control_, WM_CUT); }
void Editor::copyToClipboard() { send(control_, WM_COPY); }
// A paste over the whole of a long text, or of a long text over everything, would delete or later
// undo inside the control, which is too slow for a novel: it takes the route of setText instead.
void Editor::pasteFromClipboard() {
    const int32_t length = textLength();
    const bool wholeText = getSelectionStart() == 0 && getSelectionLength() == length;
    if (wholeText) {
        const std::optional<DocText> text = clipboardText();
        if (text &&
            (length > kUndoableReplaceLimit || text->size() > size_t{kUndoableReplaceLimit})) {
            setText(*text);
            const int32_t end = textLength();
            select(control_, end, end);  // the caret ends behind the pasted text, as after a paste
            return;
        }
    }
    send(control_, WM_PASTE);
}

}  // namespace wendrill
