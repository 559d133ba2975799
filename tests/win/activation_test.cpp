// The real program with its real boxes and dialogs: where the keyboard focus is whenever the main
// window is active, and which window owns each box.

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "app/app.h"
#include "tests/win/keys.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/file_dialog_driver.h"
#include "tests/win/gbk.h"
#include "tests/win/pump.h"

namespace wendrill {
namespace {

constexpr wchar_t kAboutTitle[] = L"\u5173\u4E8EWendrill";  // 关于Wendrill
constexpr wchar_t kUntitled[] = L"\u4FE1\u606F\uFF1A";      // 信息：
constexpr wchar_t kCloseTitle[] = L"\u63D0\u793A\uFF1A";    // 提示：

// The program as it runs: its questions are the platform's boxes.
class ActivationTest : public ::testing::Test {
  protected:
    void startApp() {
        app = std::make_unique<App>(questions, u"wendrill.exe");
        ASSERT_TRUE(app->start());
        pump();
    }
    test::Translator translator() {
        return [this](MSG& msg) { return main() && app->translateKeys(msg); };
    }
    void pump() { test::pumpPending(translator()); }
    HWND main() const { return app->window().handle(); }
    HWND editorControl() { return app->editor().window(); }

    PlatformQuestions questions;
    std::unique_ptr<App> app;
};

TEST_F(ActivationTest, TheEditorHasTheFocusWhenTheWindowFirstShows) {
    startApp();
    EXPECT_EQ(GetActiveWindow(), main());
    EXPECT_EQ(GetFocus(), editorControl());
    pressKeys('A');
    ASSERT_TRUE(test::pumpUntilInputHandled(translator()));
    EXPECT_EQ(app->editor().getText(), "a") << "typed keys reach the document";
}

TEST_F(ActivationTest, TheFocusComesBackWhenTheWindowIsActiveAgain) {
    startApp();
    struct Case {
        const char* pin;
        bool inSearchEdit;  // else in the Editor
        std::function<void()> leaveAndComeBack;
    } cases[] = {
        {"a message box closed", true,
         [&] {
             test::BoxDriver driver(kAboutTitle,
                                    [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); });
             app->runCommand(Command::showAbout);
         }},
        {"the save dialog cancelled", false,
         [&] {
             test::FileDialogDriver driver(main(), L"");
             app->runCommand(Command::saveDocument);
             EXPECT_TRUE(driver.found());
         }},
        {"another program's window activated and closed", true, [&] { test::TestWindow other; }},
        // A long text goes into a fresh control while the window is inactive.
        {"the Editor's control replaced meanwhile", false,
         [&] {
             test::TestWindow other;
             app->editor().setText(test::longChineseText(3000));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pin);
        const HWND before = c.inSearchEdit ? app->window().searchEdit() : editorControl();
        SetFocus(before);
        pump();
        c.leaveAndComeBack();
        pump();
        EXPECT_EQ(GetActiveWindow(), main());
        EXPECT_EQ(GetFocus(), c.inSearchEdit ? app->window().searchEdit() : editorControl());
    }
}

// What a box saw of the program while it showed.
struct BoxSeen {
    std::atomic<HWND> owner{nullptr};
    std::atomic<bool> ownerEnabled{true};
    std::atomic<bool> aboveOwner{false};
};

bool isAbove(HWND window, HWND other) {
    for (HWND below = GetWindow(window, GW_HWNDNEXT); below;
         below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == other) return true;
    }
    return false;
}

TEST_F(ActivationTest, EveryBoxIsOwnedByTheTopmostWindowAndShowsAboveIt) {
    startApp();
    app->runCommand(Command::toggleAlwaysOnTop);
    ASSERT_NE(GetWindowLongW(main(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    struct Case {
        const char* pin;
        const wchar_t* title;
        int button;
        std::function<void()> ask;
    } cases[] = {
        {"the about box", kAboutTitle, IDOK, [&] { app->runCommand(Command::showAbout); }},
        {"New's question", kUntitled, IDNO,
         [&] {
             app->editor().setText("text");
             app->runCommand(Command::newDocument);
         }},
        {"the input box", test::kReplaceBoxTitle, IDCANCEL,
         [&] { app->runCommand(Command::replaceWords); }},
        // Last: its No closes the window.
        {"the close question", kCloseTitle, IDNO,
         [&] {
             app->editor().setText("unsaved");
             PostMessageW(main(), WM_CLOSE, 0, 0);
             EXPECT_TRUE(test::pumpUntil([&] { return main() == nullptr; }, translator()));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pin);
        BoxSeen seen;
        const HWND window = main();
        {
            test::BoxDriver driver(c.title, [&](HWND box) {
                seen.owner = GetWindow(box, GW_OWNER);
                seen.ownerEnabled = IsWindowEnabled(window) != 0;
                seen.aboveOwner = isAbove(box, window);
                PostMessageW(box, WM_COMMAND, c.button, 0);
            });
            c.ask();
            EXPECT_NE(driver.box(), nullptr) << "no box";
        }
        EXPECT_EQ(seen.owner.load(), window);
        EXPECT_FALSE(seen.ownerEnabled) << "the window takes no input while the box shows";
        EXPECT_TRUE(seen.aboveOwner);
    }
}

}  // namespace
}  // namespace wendrill
