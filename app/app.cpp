#include "app/app.h"

#include "app/close_decision.h"
#include "app/command_line.h"
#include "app/maker.h"
#include "commands/format_bar_commands.h"
#include "editor/codepage.h"

namespace wendrill {
namespace {

bool keyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

App::App(Questions& questions, DocText commandLine)
    : questions_(questions), commandLine_(std::move(commandLine)) {}

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
    return docFromWide(std::wstring(answer.text.begin(), answer.text.end()));
}

DocumentPlace App::documentPlace() {
    return DocumentPlace{editor(), fileDialog_, questions_, window_.handle(),
                         [this](std::string_view caption) { window_.setCaption(caption); },
                         [this] { markSaved(); }, document_.encoding};
}

void App::markSaved() {
    document_.savedText = editor().getText();
    document_.savedFlag = 1;
}

void App::windowCreated() {
    questions_.setOwner(window_.handle());
    window_.setWindowVisible(true);
    document_.savedFlag = 0;
    // A drop opens its file after the drop has returned: the source waits for the drop, and the
    // opening may ask the user.
    configureFileDrop(
        dropTarget_, editorDropCallback_, window_.dropPad(), editor(),
        [this](const DocText& paths) {
            window_.post([this, paths] { openDroppedFile(documentPlace(), paths); });
        });
    openCommandLineFile();
    // The control starts on the notice page as its initial address; showNoticePage loads it anew.
    panel_.attach(window_.noticeView(), window_.searchEdit());
    panel_.embedBrowser();
    panel_.showNoticePage();
}

void App::openCommandLineFile() {
    const std::vector<DocText> arguments = splitCommandLine(commandLine_);
    if (arguments.empty() || arguments.front().empty()) return;
    openDocumentFile(documentPlace(), arguments.front(), kPlainCaption);
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
    return mayEnd;
}

void App::windowDestroying() {
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
