#pragma once
// The App owns everything the program keeps: the main window with its Editor, the document
// state, and the way it asks the user. Tests build one in-process.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/count_label.h"
#include "app/document_state.h"
#include "app/main_window.h"
#include "app/questions.h"
#include "files/document_commands.h"
#include "files/drop_target.h"
#include "files/editor_drop_callback.h"
#include "files/file_dialog.h"
#include "files/recovery_keeper.h"
#include "panel/notice_panel.h"

namespace wendrill {

class App : private MainWindowEvents {
  public:
    // commandLine: the process's command line as the platform gives it. recoveryFolder: where
    // the unsaved document is kept against a crash (recoveryFolder()); with none, it is not.
    App(Questions& questions, std::u16string commandLine, std::wstring recoveryFolder = {});

    // Creates the window and runs the start-up steps. False if the window could not be made.
    bool start();
    // The message loop, until the window is gone.
    int run();
    // The keyboard steps every message passes before it is dispatched; true if one took it.
    bool translateKeys(MSG& msg);

    MainWindow& window() { return window_; }
    Editor& editor() { return window_.editor(); }
    DocumentState& document() { return document_; }
    NoticePanel& panel() { return panel_; }
    FileDialog& fileDialog() { return fileDialog_; }
    DropTarget& dropTarget() { return dropTarget_; }
    EditorDropCallback& editorDropCallback() { return editorDropCallback_; }
    RecoveryKeeper& recovery() { return recovery_; }
    // What the file commands work on.
    DocumentPlace documentPlace();
    int messageBox(std::u16string_view text, int style, std::u16string_view title = {});
    // The typed text in code page 936, empty when cancelled.
    DocText inputBox(std::u16string_view prompt, std::u16string_view title);

    void runCommand(Command command);
    // Tests see every command that runs.
    void watchCommands(std::function<bool(Command)> watcher) {
        commandWatcher_ = std::move(watcher);
    }

    void markSaved();

  private:
    void windowCreated() override;
    void closeRequested() override;
    bool sessionEnding() override;
    void windowDestroying() override;
    void commandChosen(Command command) override { runCommand(command); }
    void listSelected(HWND list) override;
    void searchClicked() override;
    void editorRightButton() override;
    void editorChanged() override;
    void editorEdited(const std::optional<TextEdit>& edit);
    void editorSelectionChanged() override { countLabel_.selectionChanged(); }
    void outOfMemory() override;

    void openCommandLineFile();
    std::optional<RecoveryRecord> recoverySnapshot();
    void offerRecovery();
    // The close decision: asks about unsaved text and saves on "是"; false keeps the document.
    bool documentMayGo();

    Questions& questions_;
    std::u16string commandLine_;
    // Before the window: it is still there while the window is destroyed.
    NoticePanel panel_{[this] { window_.showPopupMenu(kBlockMenu); }};
    // Before the window, for the same reason: its windows are unregistered as they go, and its
    // Editor's controls hold the callback until they go.
    DropTarget dropTarget_;
    EditorDropCallback editorDropCallback_;
    // Before the window: its timer and its snapshots end with the window.
    RecoveryKeeper recovery_;
    MainWindow window_{*this};
    CountLabel countLabel_{window_.editor()};
    FileDialog fileDialog_;
    DocumentState document_;
    std::function<bool(Command)> commandWatcher_;
    bool running_ = false;  // run() has started the message loop
};

// Handlers of the menu commands that need more than the Editor, bound in bindings.cpp.
void showAbout(App& app);
void quitProgram(App& app);
void undoLastEdit(App& app);
void toggleWordWrap(App& app);
void toggleAlwaysOnTop(App& app);

}  // namespace wendrill
