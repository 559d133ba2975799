#include "editor/editor.h"

#include <richedit.h>
#include <richole.h>

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

// A selection of up to this many characters, and a text of up to this many, are replaced inside
// the control, which undoes the replacement itself. The control deletes text in roughly
// quadratic time under Wine (32,000 characters of a 1 MB novel: about 2 s to replace, 2 s to
// undo), so anything longer is a whole-text rewrite.
constexpr int32_t kInPlaceLimit = 32 * 1024;

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
    // Setting the formats counts as an edit to the control; a new Editor starts unmodified,
    // with nothing to undo.
    send(control_, EM_SETMODIFY, FALSE);
    send(control_, EM_EMPTYUNDOBUFFER);
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

void Editor::configure(HWND control) {
    // Without this the control refuses typed and pasted text beyond 32,767 characters.
    send(control, EM_EXLIMITTEXT, 0, kNoLengthLimit);
    // The window offers its own popup menu on the right button, keeps the 字数 label up to date
    // with the changes of the text and the selection, and keeps the unsaved text in its recovery
    // file as it changes.
    send(control, EM_SETEVENTMASK, 0, ENM_MOUSEEVENTS | ENM_CHANGE | ENM_SELCHANGE);
    // The control's own default is "System" bold; the document is 宋体 9 pt in automatic colour.
    CHARFORMAT2W format = defaultCharFormat();
    send(control, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    send(control, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    send(control, EM_SETTARGETDEVICE, 0, wordWrap_ ? 0 : 1);
    send(control, EM_SHOWSCROLLBAR, SB_HORZ, wordWrap_ ? FALSE : TRUE);
    if (oleCallback_) send(control, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(oleCallback_));
    if (zoomNumerator_ != 0) send(control, EM_SETZOOM, zoomNumerator_, zoomDenominator_);
    localEdits_.watch(control);
}

void Editor::setOleCallback(IRichEditOleCallback* callback) {
    oleCallback_ = callback;
    if (control_) send(control_, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callback));
}

void Editor::setPlace(const RECT& place) {
    place_ = place;
    if (control_) {
        MoveWindow(control_, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, TRUE);
    }
}

// A ratio of one is sent as such rather than as "no zoom" (0, 0), which Wine's control ignores.
void Editor::setZoom(UINT numerator, UINT denominator) {
    zoomNumerator_ = numerator;
    zoomDenominator_ = denominator;
    if (control_) send(control_, EM_SETZOOM, numerator, denominator);
}

DocText Editor::getText() const { return streamOut(control_); }

bool Editor::setText(std::string_view text) { return setText(text, getText()); }

bool Editor::setText(std::string_view text, DocText current) {
    return rewrite(text, UndoStep{std::move(current), 0, 0}, CHARRANGE{0, 0});
}

bool Editor::loadText(std::string_view text) {
    if (!replaceWhole(text, getText(), CHARRANGE{0, 0})) return false;
    history_.clear();
    return true;
}

bool Editor::rewrite(std::string_view text, UndoStep before, CHARRANGE after) {
    if (!replaceWhole(text, before.text, after)) return false;
    history_.record(std::move(before));
    return true;
}

// Afterwards the text has the initial formats, the control has no undo of its own, the modified
// flag is set and `after` is selected. If the control does not take the text, `previous` (the
// document as it is) goes back in with its selection and modified flag.
bool Editor::replaceWhole(std::string_view text, std::string_view previous, CHARRANGE after) {
    HWND oldControl = control_;
    const CHARRANGE oldSelection = selection(control_);
    const bool wasModified = isModified();
    if (!putIntoFreshControl(text)) {
        if (control_ != oldControl) putIntoFreshControl(previous);
        send(control_, EM_SETMODIFY, wasModified);
        select(control_, oldSelection.cpMin, oldSelection.cpMax);
        if (textReplaced_) textReplaced_();
        return false;
    }
    send(control_, EM_SETMODIFY, TRUE);
    select(control_, after.cpMin, after.cpMax);
    if (textReplaced_) textReplaced_();
    return true;
}

// The old text is never deleted inside the control (Wine's control takes minutes for a novel),
// and the old control is gone before the new text goes in, so the two never hold a document side
// by side (under Wine a control takes about 190 bytes for each byte of text). A fresh control
// also starts with the initial formats and without undo of its own.
bool Editor::putIntoFreshControl(std::string_view text) {
    HWND fresh = makeControl();
    if (!fresh) return false;
    configure(fresh);
    const bool hadFocus = GetFocus() == control_;
    // Take the old control's place in the stacking and Tab order before it goes.
    SetWindowPos(fresh, control_, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HWND old = control_;
    control_ = fresh;
    if (hadFocus) SetFocus(fresh);
    if (controlCreated_) controlCreated_(fresh);
    DestroyWindow(old);
    const bool complete = streamIn(fresh, text);
    send(fresh, EM_EMPTYUNDOBUFFER);
    return complete;
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

void Editor::setSelectedText(std::string_view text) {
    const CHARRANGE range = selection(control_);
    const int32_t length = textLength();
    const int32_t end = std::min<int32_t>(range.cpMax, length);
    if (range.cpMin == 0 && end == length && length > 0) {
        replaceEverything(text, getText(), length);
        return;
    }
    if (end - range.cpMin <= kInPlaceLimit && text.size() <= size_t{kInPlaceLimit}) {
        replaceSelectionUndoably(control_, text);
        // Followed as the user's own changes at the selection are, when they are followed.
        if (textReplaced_ && !localEdits_.follows()) textReplaced_();
        return;
    }
    DocText whole = getText();
    const size_t from = byteOffsetOfPosition(whole, range.cpMin);
    const size_t to = byteOffsetOfPosition(whole, end);
    const DocText next = joinTexts(
        {std::string_view(whole).substr(0, from), text, std::string_view(whole).substr(to)});
    // The caret ends behind the new part, as after a replacement in place.
    const LONG caret = clampToInt32(int64_t{range.cpMin} + characterCount(text));
    rewrite(next, UndoStep{std::move(whole), range.cpMin, end - range.cpMin},
            CHARRANGE{caret, caret});
}

// Selecting everything first would cost a novel a repaint of the whole selection for nothing.
void Editor::replaceAllText(std::string_view text, DocText current) {
    storedLength_ = -1;
    const int32_t length = textLength();
    if (length == 0) {
        applySelection();
        setSelectedText(text);
        return;
    }
    replaceEverything(text, std::move(current), length);
}

// The caret ends behind the new text, as after a paste.
void Editor::replaceEverything(std::string_view text, DocText current, int32_t length) {
    rewrite(text, UndoStep{std::move(current), 0, length}, CHARRANGE{-1, -1});
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

// The control's own paste would bring the fonts, colours and pictures of rich text along.
void Editor::pasteFromClipboard() {
    if (const std::optional<DocText> text = clipboardText(parent_)) setSelectedText(*text);
}

void Editor::undo() {
    if (send(control_, EM_CANUNDO)) {
        send(control_, EM_UNDO);
        return;
    }
    std::optional<UndoStep> step = history_.takeLast();
    if (!step) return;
    const CHARRANGE after{step->selectionStart, step->selectionStart + step->selectionLength};
    if (!replaceWhole(step->text, getText(), after)) history_.record(std::move(*step));
}

}  // namespace wendrill
