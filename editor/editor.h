#pragma once
// The document's editing control: a Rich Edit control seen through the few operations the
// commands use. Positions count characters from 0 (a two-byte character and a line break count
// one each); texts in and out are code page 936 with CR LF line breaks.
//
// Results of the control's messages are not checked unless the operation reports them: a
// message the control refuses simply leaves its effect out.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "editor/formats.h"
#include "text/doc_text.h"

namespace wendrill {

class Editor {
  public:
    // Creates the control as a child of parent. Returns false if no Rich Edit is available.
    bool create(HWND parent, const RECT& place, int controlId);
    ~Editor();

    HWND window() const { return control_; }

    // setText may replace the control by a new one (see editor.cpp); whoever subclasses the
    // control or registers with it is told of each new window here.
    void onControlCreated(std::function<void(HWND)> handler);
    // Told after each of the Editor's own whole-text writes (setText, setSelectedText): they may
    // go through a fresh control or a stream-in, which the control's change events miss.
    void onTextReplaced(std::function<void()> handler);

    DocText getText() const;
    void setText(std::string_view text);
    DocText getSelectedText() const;
    void setSelectedText(std::string_view text);

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
    void pasteFromClipboard();

  private:
    HWND makeControl() const;
    void configure(HWND control) const;
    void replaceControl(std::string_view text);
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
};

}  // namespace wendrill
