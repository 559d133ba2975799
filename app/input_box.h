#pragma once
// A modal box that asks for one line of text: the prompt above an empty field, confirm and cancel.

#include <windows.h>

#include <string>
#include <string_view>

namespace wendrill {

struct InputAnswer {
    bool confirmed = false;
    std::u16string text;  // what was typed; empty when cancelled
};

// Runs the box over `owner`, which takes no input until it closes. Enter confirms; Esc and
// closing the box cancel.
InputAnswer showInputBox(HWND owner, std::u16string_view prompt, std::u16string_view title);

// Control ids, for whoever drives the box.
inline constexpr int kInputFieldId = 100;
inline constexpr int kInputPromptId = 101;

}  // namespace wendrill
