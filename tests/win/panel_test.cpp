// The side panel on real windows: the right-click hook against a browser window chain of our own,
// the WebBrowser control in the real main window, the notice page inside wendrill.exe, and the
// search through the shell.

#include "panel/notice_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "app/menu_tree.h"
#include "tests/win/keys.h"
#include "panel/search_address.h"
#include "tests/win/app_fixture.h"
#include "tests/win/pump.h"

namespace wendrill {
namespace {

namespace fs = std::filesystem;

// The browser's window chain, outermost first, made of our own windows with empty titles.
constexpr const char* kChainClasses[] = {"Shell Embedding", "Shell DocObject View",
                                         "Internet Explorer_Server"};
constexpr size_t kInnermost = 2;
// What the innermost window's own procedure answers to input, so a caller sees it was reached.
constexpr LRESULT kReached = 0x5EE;

// What the innermost window's own procedure saw.
struct Seen {
    std::vector<UINT> messages;
    LONG_PTR procedureAtDestroy = 0;
    bool saw(UINT message) const {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }
};

LRESULT CALLBACK innermostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* seen = reinterpret_cast<Seen*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
        seen->messages.push_back(message);
        if (message == WM_DESTROY) {
            seen->procedureAtDestroy = GetWindowLongPtrA(window, GWLP_WNDPROC);
        }
    }
    const bool input = (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
                       (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
                       message == WM_CONTEXTMENU;
    return input ? kReached : DefWindowProcA(window, message, wParam, lParam);
}

void registerChainClasses() {
    static const bool registered = [] {
        for (size_t i = 0; i < std::size(kChainClasses); ++i) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = i == kInnermost ? innermostProcedure : DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
            wc.lpszClassName = kChainClasses[i];
            if (!RegisterClassA(&wc)) return false;
        }
        return true;
    }();
    ASSERT_TRUE(registered);
}

// Windows of the given chain classes, each the only child of the one before, filling `parent`
// and on top of its other children.
class OwnChain {
  public:
    explicit OwnChain(HWND parent, std::vector<size_t> classes = {0, 1, 2}) {
        registerChainClasses();
        RECT area{};
        GetClientRect(parent, &area);
        HWND under = parent;
        for (size_t c : classes) {
            under =
                CreateWindowExA(0, kChainClasses[c], "", WS_CHILD | WS_VISIBLE, 0, 0, area.right,
                                area.bottom, under, nullptr, GetModuleHandleA(nullptr), nullptr);
            windows_.push_back(under);
            if (c == kInnermost)
                SetWindowLongPtrA(under, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));
        }
        if (!windows_.empty()) {
            SetWindowPos(windows_.front(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
    }
    ~OwnChain() {
        if (!windows_.empty() && IsWindow(windows_.front())) DestroyWindow(windows_.front());
    }
    OwnChain(const OwnChain&) = delete;
    OwnChain& operator=(const OwnChain&) = delete;

    HWND outermost() const { return windows_.front(); }
    HWND innermost() const { return windows_.back(); }

    Seen seen;

  private:
    std::vector<HWND> windows_;
};

WNDPROC procedureOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

LPARAM atPoint(int x, int y) { return MAKELPARAM(x, y); }

void sendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
}

// The hook on a window of our own standing in for NoticeView; the "载入完毕" event is the call
// of hookBrowserWindow itself.
class PanelHookTest : public ::testing::Test {
  protected:
    void SetUp() override { panel.attach(window.handle(), nullptr); }

    test::TestWindow window;
    int blockMenus = 0;
    NoticePanel panel{[this] { ++blockMenus; }};
};

TEST_F(PanelHookTest, RightButtonIsWithheldAndEveryOtherMessagePassesOn) {
    OwnChain chain(window.handle());
    panel.hookBrowserWindow();
    ASSERT_EQ(panel.browserHooked(), 1);
    EXPECT_EQ(panel.browserWindow(), chain.innermost());
    EXPECT_EQ(panel.oldBrowserProc(), &innermostProcedure);

    HWND inner = chain.innermost();
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool reaches;
        int blockMenus;
    };
    const Case cases[] = {
        {"right button down", WM_RBUTTONDOWN, MK_RBUTTON, atPoint(5, 5), false, 0},
        {"right button up shows BlockMenu", WM_RBUTTONUP, 0, atPoint(5, 5), false, 1},
        {"left button down", WM_LBUTTONDOWN, MK_LBUTTON, atPoint(5, 5), true, 0},
        {"left button up", WM_LBUTTONUP, 0, atPoint(5, 5), true, 0},
        {"left double click", WM_LBUTTONDBLCLK, MK_LBUTTON, atPoint(5, 5), true, 0},
        {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), atPoint(5, 5), true, 0},
        {"a key", WM_KEYDOWN, 'A', 1, true, 0},
        {"a typed character", WM_CHAR, 'a', 1, true, 0},
        {"the context-menu key", WM_KEYDOWN, VK_APPS, 1, true, 0},
        {"the context menu it asks for", WM_CONTEXTMENU, reinterpret_cast<WPARAM>(inner), -1, true,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chain.seen.messages.clear();
        blockMenus = 0;
        const LRESULT result = SendMessageA(inner, c.message, c.wParam, c.lParam);
        EXPECT_EQ(chain.seen.saw(c.message), c.reaches);
        EXPECT_EQ(result, c.reaches ? kReached : 0);
        EXPECT_EQ(blockMenus, c.blockMenus);
    }
}

TEST_F(PanelHookTest, RealRightClickNeverReachesThePageWhileLeftClickAndKeysDo) {
    OwnChain chain(window.handle());
    panel.hookBrowserWindow();
    ASSERT_EQ(panel.browserHooked(), 1);
    POINT middle{100, 100};
    ClientToScreen(chain.innermost(), &middle);
    ASSERT_TRUE(SetCursorPos(middle.x, middle.y));
    sendMouse(MOUSEEVENTF_RIGHTDOWN);
    sendMouse(MOUSEEVENTF_RIGHTUP);
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    sendMouse(MOUSEEVENTF_LEFTUP);
    SetFocus(chain.innermost());
    pressKeys(VK_APPS);
    ASSERT_TRUE(test::pumpUntilInputHandled());
    EXPECT_FALSE(chain.seen.saw(WM_RBUTTONDOWN));
    EXPECT_FALSE(chain.seen.saw(WM_RBUTTONUP));
    EXPECT_TRUE(chain.seen.saw(WM_LBUTTONDOWN));
    EXPECT_TRUE(chain.seen.saw(WM_LBUTTONUP));
    EXPECT_TRUE(chain.seen.saw(WM_KEYDOWN));
    EXPECT_EQ(blockMenus, 1);
}

TEST_F(PanelHookTest, LaterDownloadsLeaveAnEstablishedHookAlone) {
    OwnChain first(window.handle());
    panel.hookBrowserWindow();
    ASSERT_EQ(panel.browserHooked(), 1);
    OwnChain second(window.handle());
    // A new lookup would now find the second chain.
    ASSERT_EQ(FindWindowExA(window.handle(), nullptr, kChainClasses[0], nullptr),
              second.outermost());

    panel.hookBrowserWindow();
    EXPECT_EQ(panel.browserWindow(), first.innermost());
    EXPECT_EQ(panel.oldBrowserProc(), &innermostProcedure);
    EXPECT_EQ(procedureOf(second.innermost()), &innermostProcedure);
    // Still one hook deep: messages reach the page once, and right clicks still do not.
    EXPECT_EQ(SendMessageA(first.innermost(), WM_LBUTTONDOWN, MK_LBUTTON, atPoint(5, 5)), kReached);
    EXPECT_EQ(SendMessageA(first.innermost(), WM_RBUTTONDOWN, MK_RBUTTON, atPoint(5, 5)), 0);
    EXPECT_FALSE(first.seen.saw(WM_RBUTTONDOWN));
}

TEST_F(PanelHookTest, IncompleteChainLeavesTheFlagDownUntilALaterDownloadFindsIt) {
    struct Case {
        const char* name;
        std::vector<size_t> classes;
    };
    const Case cases[] = {
        {"no browser windows yet", {}},        {"only the embedding", {0}},
        {"no document window yet", {0, 1}},    {"the input window without its parents", {2}},
        {"the middle window missing", {0, 2}}, {"the embedding missing", {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnChain partial(window.handle(), c.classes);
        panel.hookBrowserWindow();
        EXPECT_EQ(panel.browserHooked(), 0);
        EXPECT_EQ(panel.browserWindow(), nullptr);
        EXPECT_EQ(panel.oldBrowserProc(), nullptr);
        if (!c.classes.empty() && c.classes.back() == kInnermost) {
            EXPECT_EQ(procedureOf(partial.innermost()), &innermostProcedure);
        }
    }
    OwnChain chain(window.handle());
    panel.hookBrowserWindow();
    EXPECT_EQ(panel.browserHooked(), 1);
    EXPECT_EQ(panel.browserWindow(), chain.innermost());
}

TEST_F(PanelHookTest, UnhookRestoresTheOriginalProcedure) {
    OwnChain chain(window.handle());
    panel.hookBrowserWindow();
    ASSERT_NE(procedureOf(chain.innermost()), &innermostProcedure);
    panel.unhookBrowserWindow();
    EXPECT_EQ(procedureOf(chain.innermost()), &innermostProcedure);
    EXPECT_EQ(SendMessageA(chain.innermost(), WM_RBUTTONDOWN, MK_RBUTTON, atPoint(5, 5)), kReached);
    EXPECT_EQ(panel.browserHooked(), 1);  // the flag never goes back
}

// The real App with COM set up on this thread, as the program's entry point does it.
class PanelAppTest : public test::AppFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override {
        app.reset();  // the browser goes with the window, while COM is still there
        test::pumpPending();
        OleUninitialize();
    }

    HWND noticeView() const { return app->window().noticeView(); }
};

// Every visible top-level window of this thread other than the main window.
std::vector<HWND> otherShownWindows(HWND main) {
    struct Search {
        HWND main;
        std::vector<HWND> found;
    } search{main, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) {
            auto* s = reinterpret_cast<Search*>(context);
            if (window != s->main && IsWindowVisible(window)) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(PanelAppTest, BrowserFillsNoticeViewAtItsPlaceWithoutAnyDialog) {
    startApp();
    ASSERT_TRUE(app->panel().browserEmbedded());
    ASSERT_TRUE(handleInput());
    HWND embedding = FindWindowExA(noticeView(), nullptr, kChainClasses[0], nullptr);
    ASSERT_NE(embedding, nullptr);
    RECT place{};
    GetWindowRect(embedding, &place);
    MapWindowPoints(nullptr, app->window().handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 610);
    EXPECT_EQ(place.top, 80);
    EXPECT_EQ(place.right, 610 + 210);
    EXPECT_EQ(place.bottom, 80 + 360);
    EXPECT_TRUE(IsWindowVisible(embedding));
    EXPECT_EQ(otherShownWindows(app->window().handle()), std::vector<HWND>{});
}

// Records the item count of every popup menu the main window opens.
class PopupWatch {
  public:
    explicit PopupWatch(HWND window) : window_(window) {
        SetPropW(window_, kWatchProperty, this);
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watch)));
    }
    ~PopupWatch() {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        RemovePropW(window_, kWatchProperty);
    }
    PopupWatch(const PopupWatch&) = delete;
    PopupWatch& operator=(const PopupWatch&) = delete;

    std::vector<int> itemCounts;

  private:
    static constexpr wchar_t kWatchProperty[] = L"WendrillPopupWatch";
    static LRESULT CALLBACK watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<PopupWatch*>(GetPropW(window, kWatchProperty));
        if (message == WM_INITMENUPOPUP) {
            self->itemCounts.push_back(GetMenuItemCount(reinterpret_cast<HMENU>(wParam)));
        }
        return CallWindowProcW(self->original_, window, message, wParam, lParam);
    }

    HWND window_;
    WNDPROC original_ = nullptr;
};

TEST_F(PanelAppTest, BrowserDownloadHooksTheChainInNoticeViewUntilTheWindowGoes) {
    startApp();
    ASSERT_TRUE(app->panel().browserEmbedded());
    OwnChain chain(noticeView());
    app->panel().showNoticePage();
    ASSERT_TRUE(test::pumpUntil([&] { return app->panel().browserHooked() == 1; }, translator()));
    EXPECT_EQ(app->panel().browserWindow(), chain.innermost());
    {
        PopupWatch popups(app->window().handle());
        SendMessageA(chain.innermost(), WM_RBUTTONDOWN, MK_RBUTTON, atPoint(5, 5));
        SendMessageA(chain.innermost(), WM_RBUTTONUP, 0, atPoint(5, 5));
        EXPECT_EQ(popups.itemCounts, std::vector<int>{0});  // BlockMenu, with nothing in it
    }
    EXPECT_FALSE(chain.seen.saw(WM_RBUTTONDOWN));
    EXPECT_FALSE(chain.seen.saw(WM_RBUTTONUP));

    app->window().requestDestroy();
    ASSERT_TRUE(test::pumpUntil([&] { return !windowOpen(); }, translator()));
    // The hook was released before NoticeView's windows went.
    EXPECT_EQ(chain.seen.procedureAtDestroy, reinterpret_cast<LONG_PTR>(&innermostProcedure));
}

TEST_F(PanelAppTest, TabLeavesNoticeViewWhenThePageTakesNoKeys) {
    startApp();
    HWND embedding = FindWindowExA(noticeView(), nullptr, kChainClasses[0], nullptr);
    ASSERT_NE(embedding, nullptr);
    SetFocus(embedding);
    pressKeys(VK_TAB);
    ASSERT_TRUE(handleInput());
    EXPECT_EQ(GetFocus(), app->window().searchButton());
}

struct ModuleFree {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

std::u16string wideFromUtf8(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::u16string wide(static_cast<size_t>(count), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, reinterpret_cast<wchar_t*>(wide.data()),
                        count);
    return wide;
}

// The page a res: address finds, as the browser finds it: "res://MODULE/NAME", the module's
// path percent-encoded, NAME an HTML resource of that module.
std::optional<std::string> pageAt(std::u16string_view address) {
    const std::u16string_view scheme = u"res://";
    if (address.substr(0, scheme.size()) != scheme) return std::nullopt;
    const size_t slash = address.find(u'/', scheme.size());
    if (slash == std::u16string_view::npos) return std::nullopt;
    std::wstring module;
    for (size_t i = scheme.size(); i < slash; ++i) {
        if (address[i] == u'%' && i + 2 < slash) {
            const std::string hex(address.begin() + i + 1, address.begin() + i + 3);
            module += static_cast<wchar_t>(std::stoi(hex, nullptr, 16));
            i += 2;
        } else {
            module += static_cast<wchar_t>(address[i]);
        }
    }
    const std::wstring name(address.begin() + slash + 1, address.end());
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFree> program(
        LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!program) return std::nullopt;
    HRSRC found = FindResourceW(program.get(), name.c_str(), MAKEINTRESOURCEW(23));  // RT_HTML
    HGLOBAL loaded = found ? LoadResource(program.get(), found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string(static_cast<const char*>(bytes), SizeofResource(program.get(), found));
}

std::wstring thisModule() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// A folder of the test's own, with a space and Chinese in its name, gone again afterwards.
class CopyFolder {
  public:
    CopyFolder() : path_(fs::temp_directory_path() / L"wendrill \u526F\u672C") {  // 副本
        std::error_code ignored;
        fs::remove_all(path_, ignored);
        fs::create_directories(path_);
    }
    ~CopyFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    // A copy of the file, as a user's browser names a second download.
    std::wstring copyOf(const fs::path& file) const {
        const fs::path copy = path_ / L"wendrill (1).exe";
        fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
        return copy.wstring();
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// The child of the next test runs this in a renamed copy of the tests; here it finds the page
// in the tests themselves.
TEST(NoticePageTest, TheRunningProgramFindsItsPageInItself) {
    EXPECT_TRUE(pageAt(noticePageOfThisProgram()).has_value()) << "in " << fs::path(thisModule());
}

TEST(NoticePageTest, ARenamedCopyOfTheProgramFindsItsPageInItself) {
    CopyFolder folder;
    const std::wstring copy = folder.copyOf(thisModule());
    std::wstring commandLine =
        L"\"" + copy + L"\" --gtest_filter=NoticePageTest.TheRunningProgramFindsItsPageInItself";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, folder.path().c_str(), &startup, &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u) << "the renamed copy did not find its page";
}

TEST(NoticePageTest, ShipsInsideTheProgramWithEveryShortcutOfTheMenus) {
    CopyFolder folder;
    const std::wstring program =
        folder.copyOf(fs::path(thisModule()).parent_path() / L"wendrill.exe");
    const std::optional<std::string> page = pageAt(noticePageAddress(
        std::u16string(reinterpret_cast<const char16_t*>(program.c_str()), program.size())));
    ASSERT_TRUE(page.has_value());
    EXPECT_NE(page->find("<meta charset=\"utf-8\">"), std::string::npos);
    const std::u16string text = wideFromUtf8(*page);
    const MenuTree tree = initialMenuTree();
    for (const ShortcutEntry& entry : shortcutTable(tree)) {
        const std::u16string row = u"<td>" + tree[entry.item].text + u"</td><td class=\"key\">" +
                                   shortcutName(entry.shortcut) + u"</td>";
        EXPECT_NE(text.find(row), std::u16string::npos)
            << std::string(tree[entry.item].text.begin(), tree[entry.item].text.end());
    }
}

// The search button through a seam around the shell call.
class PanelSearchTest : public test::AppFixture {
  protected:
    void startWatched() {
        startApp();
        app->panel().replaceShell(
            [this](const ShellRequest& request) { opened.push_back(request); });
    }
    void search(const wchar_t* text) {
        SetWindowTextW(app->window().searchEdit(), text);
        SendMessageW(app->window().searchButton(), BM_CLICK, 0, 0);
    }

    std::vector<ShellRequest> opened;
};

TEST_F(PanelSearchTest, SearchOpensThePercentEncodedAddressInTheDefaultBrowser) {
    startWatched();
    struct Case {
        const char* name;
        const wchar_t* text;
        std::string query;
    };
    const Case cases[] = {
        {"empty box ends in wd=", L"", ""},
        {"ampersand and space arrive as typed", L"a&b c", "a%26b%20c"},
        {"spaces at the ends are kept", L" x ", "%20x%20"},
        {"a fragment mark is no fragment", L"#1", "%231"},
        {"chinese as utf-8", L"\u7B2C\u4E00\u7AE0", "%E7%AC%AC%E4%B8%80%E7%AB%A0"},  // 第一章
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        opened.clear();
        search(c.text);
        ASSERT_EQ(opened.size(), 1u);
        const ShellRequest& request = opened.front();
        EXPECT_EQ(request.file, std::string(kSearchAddressBase) + c.query);
        EXPECT_STREQ(request.verb, "open");
        EXPECT_EQ(request.parameters, nullptr);
        EXPECT_EQ(request.directory, nullptr);
        EXPECT_EQ(request.show, SW_SHOWNORMAL);
        EXPECT_EQ(request.owner, nullptr);
    }
}

TEST_F(PanelSearchTest, EveryClickOpensAgainOwnedByABrowserFrameIfThereIsOne) {
    startWatched();
    HWND frame = CreateWindowExA(0, "STATIC", "Microsoft Internet Explorer", WS_POPUP, 0, 0, 10, 10,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(frame, nullptr);
    search(L"abc");
    search(L"abc");
    DestroyWindow(frame);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].owner, frame);
    EXPECT_EQ(opened[1].file, opened[0].file);
}

struct KeyClose {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyClose>;

struct HandleClose {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleClose>;

Key createKey(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return nullptr;
    }
    return Key(key);
}

std::optional<std::string> readString(HKEY key, const char* name) {
    char value[2048] = {};
    DWORD size = sizeof value - 1;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(value);
}

bool writeString(HKEY key, const char* name, const std::string& value) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

// The value once another process has written it; none if it has not within the time.
std::optional<std::string> awaitString(HKEY key, const char* name, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const Handle changed(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        if (!changed) return std::nullopt;
        RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed.get(), TRUE);
        if (auto value = readString(key, name)) return value;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return std::nullopt;
        WaitForSingleObject(changed.get(), static_cast<DWORD>(deadline - now));
    }
}

// The https handler of this Wine prefix replaced, for one test, by reg.exe writing the address
// it was given into the registry; the old handler is put back afterwards.
class RecordingHttpsHandler {
  public:
    static constexpr char kRecordKey[] = "Software\\Wendrill\\PanelTest";
    static constexpr char kRecordValue[] = "Address";

    RecordingHttpsHandler() : command_(createKey(HKEY_CLASSES_ROOT, kCommandKey)) {
        if (!command_) return;
        previous_ = readString(command_.get(), nullptr);
        installed_ = writeString(command_.get(), nullptr,
                                 std::string("\"C:\\windows\\system32\\reg.exe\" add \"HKCU\\") +
                                     kRecordKey + "\" /v " + kRecordValue + " /d \"%1\" /f");
    }
    ~RecordingHttpsHandler() {
        if (!command_) return;
        if (previous_) {
            writeString(command_.get(), nullptr, *previous_);
        } else {
            RegDeleteValueA(command_.get(), nullptr);
        }
        RegDeleteKeyA(HKEY_CURRENT_USER, kRecordKey);
    }
    RecordingHttpsHandler(const RecordingHttpsHandler&) = delete;
    RecordingHttpsHandler& operator=(const RecordingHttpsHandler&) = delete;

    bool installed() const { return installed_; }

  private:
    static constexpr char kCommandKey[] = "https\\shell\\open\\command";
    Key command_;
    std::optional<std::string> previous_;
    bool installed_ = false;
};

TEST_F(PanelSearchTest, ShellRunsTheRegisteredHandlerWithTheAddress) {
    RecordingHttpsHandler handler;
    ASSERT_TRUE(handler.installed());
    RegDeleteKeyA(HKEY_CURRENT_USER, RecordingHttpsHandler::kRecordKey);
    const Key record = createKey(HKEY_CURRENT_USER, RecordingHttpsHandler::kRecordKey);
    ASSERT_TRUE(record);
    startApp();
    search(L"a&b c");
    const std::optional<std::string> address =
        awaitString(record.get(), RecordingHttpsHandler::kRecordValue, 30000);
    ASSERT_TRUE(address.has_value());
    EXPECT_EQ(*address, std::string(kSearchAddressBase) + "a%26b%20c");
}

}  // namespace
}  // namespace wendrill
