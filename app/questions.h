#pragma once
// The program asks the user through this one interface, so tests can answer in its place.

#include <string_view>

#include "app/input_box.h"

namespace wendrill {

// Styles are the platform's button and icon values added up.
inline constexpr int kYesNoQuestion = 36;
inline constexpr int kWarning = 48;
inline constexpr int kInformation = 64;

// Result codes of a message box.
inline constexpr int kAnswerOk = 0;
inline constexpr int kAnswerYes = 5;
inline constexpr int kAnswerNo = 6;

class Questions {
public:
    virtual ~Questions() = default;
    // The window every message box is shown over, above it even when it is topmost, and which
    // takes no input while the box shows. Without one a box is modal for the whole program.
    void setOwner(HWND owner) { owner_ = owner; }
    HWND owner() const { return owner_; }
    // An empty title shows "信息：".
    virtual int messageBox(std::u16string_view text, int style, std::u16string_view title) = 0;
    // One line of input over the owner window.
    virtual InputAnswer inputBox(HWND owner, std::u16string_view prompt,
                                 std::u16string_view title) = 0;

private:
    HWND owner_ = nullptr;
};

// The platform's message box and the program's own input box.
class PlatformQuestions : public Questions {
public:
    int messageBox(std::u16string_view text, int style, std::u16string_view title) override;
    InputAnswer inputBox(HWND owner, std::u16string_view prompt,
                         std::u16string_view title) override {
        return showInputBox(owner, prompt, title);
    }
};

}  // namespace wendrill
