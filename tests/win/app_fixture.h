#pragma once
// The real App in-process, with its questions answered by the test.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "editor/codepage.h"
#include "tests/win/menu_driver.h"
#include "tests/win/pump.h"

namespace wendrill::test {

struct AskedQuestion {
    std::u16string text;
    int style;
    std::u16string title;
};

class ScriptedQuestions : public Questions {
  public:
    int messageBox(std::u16string_view text, int style, std::u16string_view title) override {
        asked.push_back({std::u16string(text), style, std::u16string(title)});
        if (whileAsking) whileAsking();
        if (answers.empty()) return kAnswerOk;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    InputAnswer inputBox(HWND, std::u16string_view prompt, std::u16string_view title) override {
        asked.push_back({std::u16string(prompt), 0, std::u16string(title)});
        InputAnswer answer;
        if (!inputs.empty()) {
            answer = inputs.front();
            inputs.pop_front();
        }
        return answer;
    }

    std::deque<int> answers;
    std::deque<InputAnswer> inputs;
    std::vector<AskedQuestion> asked;
    std::function<void()> whileAsking;  // runs while each message box would be showing
};

class AppFixture : public ::testing::Test {
  protected:
    // commandLine: as the process would get it, program path first.
    void startApp(const std::u16string& commandLine = u"wendrill.exe") {
        app = std::make_unique<App>(questions, commandLine);
        ASSERT_TRUE(app->start());
        SetForegroundWindow(app->window().handle());
        SetFocus(app->editor().window());
        pump();
    }

    Translator translator() {
        return [this](MSG& msg) { return app->window().handle() && app->translateKeys(msg); };
    }
    void pump() { pumpPending(translator()); }
    bool handleInput() { return pumpUntilInputHandled(translator()); }
    bool windowOpen() const { return app->window().handle() != nullptr; }

    Editor& editor() { return app->editor(); }
    void select(int32_t start, int32_t length) {
        editor().setSelectionStart(start);
        editor().setSelectionLength(length);
    }
    // A command may inject keys of its own: the second round waits for those too.
    void settle() {
        ASSERT_TRUE(handleInput());
        ASSERT_TRUE(handleInput());
    }
    void choose(std::u16string_view item) {
        ASSERT_TRUE(chooseMenuItem(app->window().handle(), item));
        settle();
    }

    std::u16string caption() const {
        wchar_t text[1024] = {};
        GetWindowTextW(app->window().handle(), text, 1024);
        return std::u16string(reinterpret_cast<const char16_t*>(text));
    }
    // A document text, or a path, as the window shows it.
    static std::u16string wide(const DocText& text) {
        const std::wstring w = wideFromDoc(text);
        return std::u16string(w.begin(), w.end());
    }
    static std::u16string wide(const std::wstring& path) { return std::u16string(utf16View(path)); }

    ScriptedQuestions questions;
    std::unique_ptr<App> app;
};

}  // namespace wendrill::test
