#include "app/app.h"

#include "app/close_decision.h"
#include "app/command_line.h"
#include "app/maker.h"
#include "commands/format_bar_commands.h"
#include "editor/codepage.h"
#include "text/code_page.h"

namespace wendrill {
namespace {

bool keyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

App::App(Questions& questions, std::u16string commandLine, std::wstring recoveryFolder)
    : questions_(questions),
      commandLine_(std::move(commandLine)),
      recovery_(std::move(recoveryFolder)) {}

bool App::start() { return window_.create(); }

int App::run() {
    running_ = true;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (translateKeys(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

// The order is the point: shortcuts win over every control, then the web page, then Tab, then Esc.
bool App::translateKeys(MSG& msg) {
    HWND main = window_.handle();
    if (!main) return false;
    if (window_.shortcuts() && TranslateAcceleratorW(main, window_.shortcuts(), &msg)) return true;
    if (panel_.translateKey(msg)) return true;
    if (msg.message != WM_KEYDOWN) return false;
    const bool alt = keyDown(VK_MENU);
    const bool ctrl = keyDown(VK_CONTROL);
    const bool shift = keyDown(VK_SHIFT);
    if (msg.wParam == VK_TAB && !ctrl && !alt) {
        window_.moveFocus(shift);
        return true;
    }
    if (msg.wParam == VK_ESCAPE && !ctrl && !alt && !shift) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

int App::messageBox(std::u16string_view text, int style, std::u16string_view title) {
    return questions_.messageBox(text, style, title);
}

DocText App::inputBox(std::u16string_view prompt, std::u16string_view title) {
    const InputAnswer answer = questions_.inputBox(window_.handle(), prompt, title);
    return docFromUtf16(answer.text);
}

DocumentPlace App::documentPlace() {
    return DocumentPlace{editor(), fileDialog_, questions_, window_.handle(),
                         [this](std::wstring_view caption) { window_.setCaption(caption); },
                         [this] { markSaved(); }, document_.encoding, document_.path};
}

void App::markSaved() {
    document_.savedText = editor().getText();
    document_.savedFlag = 1;
    recovery_.discard();
}

void App::windowCreated() {
    questions_.setOwner(window_.handle());
    window_.setWindowVisible(true);
    document_.savedFlag = 0;
    editor().onTextReplaced([this] { editorChanged(); });
    editor().onLocalEdit([this](const std::optional<TextEdit>& edit) { editorEdited(edit); });
    countLabel_.attach(window_.countLabel());
    // A drop opens its file after the drop has returned: the source waits for the drop, and the
    // opening may ask the user.
    configureFileDrop(
        dropTarget_, editorDropCallback_, window_.dropPad(), editor(),
        [this](const std::vector<std::wstring>& paths) {
            window_.post([this, paths] { openDroppedFile(documentPlace(), paths); });
        });
    recovery_.attach(window_.handle(), [this] { return recoverySnapshot(); });
    openCommandLineFile();
    // Asked once the window shows, over it.
    window_.post([this] { offerRecovery(); });
    // The control starts on the notice page as its initial address; showNoticePage loads it anew.
    panel_.attach(window_.noticeView(), window_.searchEdit());
    panel_.embedBrowser();
    panel_.showNoticePage();
}

void App::openCommandLineFile() {
    const std::vector<std::u16string> arguments = splitCommandLine(commandLine_);
    if (arguments.empty() || arguments.front().empty()) return;
    openDocumentFile(documentPlace(), wideFromUtf16(arguments.front()), kPlainCaption);
}

std::optional<RecoveryRecord> App::recoverySnapshot() {
    DocText text = editor().getText();
    // An empty text has nothing to lose, and the saved one is in its file.
    if (text.empty() || compareText(text, document_.savedText) == 0) return std::nullopt;
    return RecoveryRecord{std::u16string(utf16View(document_.path)), document_.encoding, std::move(text)};
}

// "是" makes the found text this window's unsaved document, so closing asks to save it; "否"
// gives it up.
void App::offerRecovery() {
    const auto found = recovery_.findRecoverable();
    if (!found) return;
    const int answer = messageBox(u"发现上次未保存的文章，是否恢复？", kYesNoQuestion, u"提示：");
    if (answer == kAnswerNo) recovery_.remove(*found);
    if (answer != kAnswerYes) return;
    const RecoveryRecord& record = found->record;
    editor().loadText(record.text);
    document_.encoding = record.encoding;
    document_.path = wideFromUtf16(record.path);
    document_.savedFlag = 0;
    window_.setCaption(kPlainCaption + document_.path);
    recovery_.adopt(*found);
    recovery_.noteChange();
}

// An emptied document (New, every character deleted) gives its file up at the same pause: a
// command that empties the text on its way to the new one never leaves it without a copy.
void App::editorChanged() {
    if (editor().followingLocalEdit()) return;  // told by editorEdited once it is made
    countLabel_.textChanged();
    recovery_.noteChange();
}

// A change at the selection, followed by the Editor: the label counts what changed only.
void App::editorEdited(const std::optional<TextEdit>& edit) {
    if (edit) {
        countLabel_.textEdited(edit->gone, edit->came);
    } else {
        countLabel_.textChanged();
    }
    recovery_.noteChange();
}

bool App::documentMayGo() {
    const DocText text = editor().getText();
    const CloseInputs inputs{compareText(text, "") == 0, editor().isModified(),
                             compareText(text, document_.savedText) == 0, document_.savedFlag};
    document_.savedFlag = savedFlagOnClose(inputs);
    bool answeredYes = false;
    if (document_.savedFlag == 0) {
        answeredYes = messageBox(u"是否保存文章？", kYesNoQuestion, u"提示：") == kAnswerYes;
        if (answeredYes) runCommand(Command::saveDocument);
    }
    return closesAfterQuestion(answeredYes, document_.savedFlag);
}

void App::closeRequested() {
    if (documentMayGo()) DestroyWindow(window_.handle());
}

// A log-off, restart or shut-down is a close the user did not ask for here: it asks the same.
bool App::sessionEnding() {
    window_.setShutdownBlockReason(u"文章尚未保存");
    const bool mayEnd = documentMayGo();
    window_.setShutdownBlockReason({});
    // The window is not destroyed when the session ends: a text given up goes with its copy here.
    if (mayEnd) recovery_.discard();
    return mayEnd;
}

void App::windowDestroying() {
    recovery_.stop();
    questions_.setOwner(nullptr);
    dropTarget_.unbind();
    panel_.unhookBrowserWindow();
    panel_.closeBrowser();
    if (running_) PostQuitMessage(0);  // the loop ends with the window
}

void App::listSelected(HWND list) {
    const auto item = SendMessageW(list, CB_GETCURSEL, 0, 0);
    const auto length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
    if (item == CB_ERR || length == CB_ERR) return;
    std::wstring text(static_cast<size_t>(length), L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(text.data()));
    const DocText itemText = docFromWide(text);
    if (list == window_.alignBox()) applyAlignment(editor(), itemText);
    if (list == window_.sizeBox()) applyFontSize(editor(), itemText);
    if (list == window_.colorBox()) applyColour(editor(), itemText);
}

void App::searchClicked() { panel_.searchWeb(); }

void App::editorRightButton() { window_.showPopupMenu(kEditMenu); }

void App::outOfMemory() { messageBox(u"内存不足，操作没有完成。", kWarning, {}); }

void showAbout(App& app) {
    const std::u16string text = u"Wendrill\r\n\r\n作者：Orvane\r\n联系：" +
                                std::u16string(kMakerMail) + u"\r\n网址：" +
                                std::u16string(kMakerWebsite);
    app.messageBox(text, kInformation, u"关于Wendrill");
}

void quitProgram(App& app) { app.window().requestDestroy(); }

// Done directly rather than by injecting Ctrl+Z, which the keys the user still holds would
// change; like a key, it acts after this command on the control that then has the focus.
void undoLastEdit(App& app) {
    app.window().post([&app] {
        HWND focus = GetFocus();
        if (focus == app.editor().window()) {
            app.editor().undo();
        } else if (focus && IsChild(app.window().handle(), focus)) {
            SendMessageW(focus, WM_UNDO, 0, 0);
        }
    });
}

// The check mark and the wrapping each switch from their own state.
void toggleWordWrap(App& app) {
    app.editor().setWordWrap(!app.editor().getWordWrap());
    MainWindow& window = app.window();
    window.setMenuChecked(Command::toggleWordWrap, !window.isMenuChecked(Command::toggleWordWrap));
}

void toggleAlwaysOnTop(App& app) {
    MainWindow& window = app.window();
    const bool on = !window.isMenuChecked(Command::toggleAlwaysOnTop);
    window.setMenuChecked(Command::toggleAlwaysOnTop, on);
    window.setAlwaysOnTop(on);
}

}  // namespace wendrill
