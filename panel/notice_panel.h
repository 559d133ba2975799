#pragma once
// The side panel: the notice page in NoticeView, the hook that keeps right clicks from the page,
// and the web search behind SearchButton.

#include <windows.h>

#include <functional>
#include <string>

#include "panel/browser_host.h"

namespace wendrill {

// One call of ShellExecuteA as the search makes it.
struct ShellRequest {
    HWND owner = nullptr;
    const char* verb = nullptr;
    std::string file;
    const char* parameters = nullptr;
    const char* directory = nullptr;
    int show = SW_HIDE;
};
using ShellOpener = std::function<void(const ShellRequest&)>;

void openWithShell(const ShellRequest& request);

// The address of the notice page inside the program that runs.
std::u16string noticePageOfThisProgram();

class NoticePanel {
  public:
    // showBlockMenu shows BlockMenu, the popup that holds no items.
    explicit NoticePanel(std::function<void()> showBlockMenu)
        : showBlockMenu_(std::move(showBlockMenu)) {}
    ~NoticePanel() { unhookBrowserWindow(); }
    NoticePanel(const NoticePanel&) = delete;
    NoticePanel& operator=(const NoticePanel&) = delete;

    // The windows the panel works in; nothing is embedded yet.
    void attach(HWND noticeView, HWND searchEdit);
    // Embeds the browser in NoticeView with the notice page as its initial address.
    void embedBrowser();
    void showNoticePage();
    // The handler of NoticeView's "载入完毕".
    void hookBrowserWindow();
    void unhookBrowserWindow();
    // The browser's objects go before NoticeView does.
    void closeBrowser() { browser_.close(); }
    void searchWeb();
    // When NoticeView or a window inside it has the focus, the page's own keyboard handling
    // gets the key first; true if it took it.
    bool translateKey(MSG& msg);

    int browserHooked() const { return browserHooked_; }
    HWND browserWindow() const { return browserWindow_; }
    WNDPROC oldBrowserProc() const { return oldBrowserProc_; }
    bool browserEmbedded() const { return browser_.isOpen(); }

    // Tests see the shell calls here instead of the shell.
    void replaceShell(ShellOpener shell) { shell_ = std::move(shell); }

  private:
    static LRESULT CALLBACK browserWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
    WNDPROC replaceProcedure(HWND window);

    std::function<void()> showBlockMenu_;
    ShellOpener shell_ = openWithShell;
    HWND noticeView_ = nullptr;
    HWND searchEdit_ = nullptr;
    BrowserHost browser_;
    int browserHooked_ = 0;  // goes to 1 once and stays
    HWND browserWindow_ = nullptr;
    WNDPROC oldBrowserProc_ = nullptr;
};

}  // namespace wendrill
