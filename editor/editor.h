#pragma once
// The document's editing control: a Rich Edit control seen through the few operations the
// commands use. Positions count characters from 0 (a two-byte character and a line break count
// one each); texts in and out are code page 936 with CR LF line breaks.
//
// Results of the control's messages are not checked unless the operation reports them: a
// message the control refuses simply leaves its effect out.

#include <windows.h>
#include <richedit.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "editor/formats.h"
#include "editor/local_edits.h"
#include "editor/undo_history.h"
#include "text/doc_text.h"

struct IRichEditOleCallback;

namespace wendrill {

class Editor {
  public:
    // Creates the control as a child of parent. Returns false if no Rich Edit is available.
    bool create(HWND parent, const RECT& place, int controlId);
    ~Editor();

    HWND window() const { return control_; }
    // The window the control lies in, which also owns what the program puts on the clipboard.
    HWND parentWindow() const { return parent_; }

    // Every whole-text write puts the text into a fresh control in place of the present one (see
    // editor.cpp); whoever subclasses the control or registers with it is told of each new window
    // here, before the text goes in.
    void onControlCreated(std::function<void(HWND)> handler);
    // Told after each of the Editor's own writes of text that is not followed as a local edit:
    // a whole-text write goes in by a stream-in, which the control's change event may not report.
    void onTextReplaced(std::function<void()> handler);
    // Told of each change the user makes at the selection, and of the Editor's short
    // replacements there (editor/local_edits.h); while one is made, followingLocalEdit() is true
    // and the control's change events belong to it.
    void onLocalEdit(LocalEdits::Listener listener) { localEdits_.listen(std::move(listener)); }
    bool followingLocalEdit() const { return localEdits_.following(); }
    // The control reported a change of its text (its change event reached the window).
    void changeReported() { localEdits_.changeReported(); }

    // Settings every control the Editor makes gets, the fresh ones of setText included.
    // The callback must outlive the Editor's controls.
    void setOleCallback(IRichEditOleCallback* callback);
    void setPlace(const RECT& place);
    // Text drawn at numerator / denominator of its size: the monitor's DPI over the one the
    // control lays text out at, so the points stay points on every monitor.
    void setZoom(UINT numerator, UINT denominator);

    DocText getText() const;
    // A whole-text rewrite, which undo() takes back in one step. False if the control did not
    // take the text: the document is then as it was.
    bool setText(std::string_view text);
    // The same for a caller that has just read the text with getText(), with nothing changed
    // since: `current` is kept for undo() as it is, without reading the control a second time.
    bool setText(std::string_view text, DocText current);
    // A new document (New, Open, a drop): nothing before it can be undone.
    bool loadText(std::string_view text);
    DocText getSelectedText() const;
    // A short selection is replaced inside the control, which undoes it itself; a long one, or
    // the whole text, is a whole-text rewrite.
    void setSelectedText(std::string_view text);
    // As selecting everything and setSelectedText(text), with `current` as for setText: the caret
    // ends behind the new text, and undo() selects the old text again.
    void replaceAllText(std::string_view text, DocText current);

    int32_t getSelectionStart() const;
    int32_t getSelectionLength() const;
    void setSelectionStart(int32_t start);
    void setSelectionLength(int32_t length);  // -1: the whole text

    bool isModified() const;
    bool getWordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);

    int32_t currentLine() const;
    DocText lineText(int32_t line) const;
    int32_t lineStart(int32_t line) const;
    int32_t lineLength(int32_t line) const;  // characters, without the line break
    int32_t textLength() const;  // in characters
    void clearSelection();

    CharFormat getCharFormat() const;
    void setCharFormat(const CharFormat& format);
    ParagraphFormat getParagraphFormat() const;
    void setParagraphFormat(const ParagraphFormat& format);

    void cutToClipboard();
    void copyToClipboard();
    // Plain text only, in the format at the caret, in place of the selection (as setSelectedText).
    void pasteFromClipboard();

    // "撤销": the control's own last edit (typing, a cut, a short replacement) while it has one,
    // else the last whole-text rewrite.
    void undo();

  private:
    HWND makeControl() const;
    void configure(HWND control);
    bool rewrite(std::string_view text, UndoStep before, CHARRANGE after);
    bool replaceWhole(std::string_view text, std::string_view previous, CHARRANGE after);
    // `current` is the whole text, `length` its characters.
    void replaceEverything(std::string_view text, DocText current, int32_t length);
    bool putIntoFreshControl(std::string_view text);
    void applySelection();

    HWND parent_ = nullptr;
    RECT place_{};
    int controlId_ = 0;
    HWND control_ = nullptr;
    bool wordWrap_ = true;
    int32_t storedStart_ = 0;
    int32_t storedLength_ = 0;
    std::function<void(HWND)> controlCreated_;
    std::function<void()> textReplaced_;
    IRichEditOleCallback* oleCallback_ = nullptr;
    UINT zoomNumerator_ = 0;  // 0: never zoomed
    UINT zoomDenominator_ = 0;
    UndoHistory history_;
    LocalEdits localEdits_;
};

}  // namespace wendrill
