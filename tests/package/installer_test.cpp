// The installer as a writer meets it: a silent install, the program started from the Start-menu
// shortcut with a chapter, its entries in the installed-programs list and under "Open with", and a
// silent uninstall that leaves the user's profile and registry exactly as they were.
//   installer_test.exe SETUP.EXE [gtest options]
// Run in a Wine prefix of its own (tests/package/installer_test.sh): it installs for real.

#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "wendrill_version.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::wstring setupPath;

constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Wendrill";
constexpr wchar_t kClasses[] = L"Software\\Classes\\";
constexpr wchar_t kProgId[] = L"Wendrill.txt";
constexpr wchar_t kMainWindowClass[] = L"WendrillMainWindow";
// The installer's answer when Wendrill is running and it may not ask.
constexpr DWORD kRefusedWhileRunning = 2;

std::wstring fromUtf8(const std::string& bytes) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                           nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        length);
    return text;
}

std::string utf8(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        length, nullptr, nullptr);
    return bytes;
}

fs::path knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    fs::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
    CoTaskMemFree(path);
    return folder;
}

fs::path installFolder() {
    return knownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Wendrill";
}
fs::path shortcutPath() { return knownFolder(FOLDERID_Programs) / L"Wendrill.lnk"; }

// Waits for a condition, polling; false if it does not come within the time.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::seconds limit = std::chrono::seconds(60)) {
    const auto end = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

struct Process {
    HANDLE handle = nullptr;
    DWORD id = 0;
    ~Process() {
        if (handle) CloseHandle(handle);
    }
};

// Starts a command line; the process handle is kept so the caller can wait for it.
std::unique_ptr<Process> start(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return nullptr;
    }
    CloseHandle(info.hThread);
    auto process = std::make_unique<Process>();
    process->handle = info.hProcess;
    process->id = info.dwProcessId;
    return process;
}

// Runs a command line to its end; its exit code, or nothing if it did not start or end.
std::optional<DWORD> run(const std::wstring& commandLine) {
    const auto process = start(commandLine);
    if (!process || WaitForSingleObject(process->handle, 120000) != WAIT_OBJECT_0) return {};
    DWORD code = 0;
    GetExitCodeProcess(process->handle, &code);
    return code;
}

std::wstring inQuotes(const fs::path& path) { return L"\"" + path.wstring() + L"\""; }

std::optional<DWORD> runSetup() { return run(inQuotes(setupPath) + L" /S"); }

// The uninstaller goes on in a copy of itself, Un.exe in the temporary folder, after the process
// started here has ended; this sees whether either still runs.
bool uninstallerRunning() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return true;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry)) {
        const std::wstring name = entry.szExeFile;
        found = _wcsicmp(name.c_str(), L"Un.exe") == 0 || _wcsicmp(name.c_str(), L"uninstall.exe") == 0;
    }
    CloseHandle(snapshot);
    return found;
}

struct RegValue {
    DWORD type = REG_NONE;
    std::wstring text;
    DWORD number = 0;
};

std::optional<RegValue> readValue(const std::wstring& key, const std::wstring& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.empty() ? nullptr : name.c_str(),
                     RRF_RT_ANY, &type, nullptr, &size) != ERROR_SUCCESS) {
        return {};
    }
    std::vector<BYTE> data(size + sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.empty() ? nullptr : name.c_str(),
                     RRF_RT_ANY, &type, data.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    RegValue value;
    value.type = type;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        value.text = reinterpret_cast<const wchar_t*>(data.data());
    } else if (type == REG_DWORD) {
        value.number = *reinterpret_cast<const DWORD*>(data.data());
    }
    return value;
}

std::wstring readText(const std::wstring& key, const std::wstring& name) {
    const auto value = readValue(key, name);
    return value && value->type == REG_SZ ? value->text : L"<no text value>";
}

bool keyExists(const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

void writeText(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

// What a user's profile holds, by path: every registry key and value under HKEY_CURRENT_USER and
// every file and folder of the application data folders (where programs write; under Wine the
// other profile folders are links into the Linux home). The temporary folder is left out: the
// uninstaller runs from a copy there, which is removed later.
using Snapshot = std::map<std::wstring, std::wstring>;

void addKey(const std::wstring& path, Snapshot& into) {
    into[L"HKCU\\" + path] = L"key";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    std::vector<wchar_t> name(16384);
    std::vector<BYTE> data(1 << 16);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LSTATUS status = RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type,
                                             data.data(), &dataSize);
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) break;
        // A value too large for the buffer is told apart by its size only.
        const std::string bytes(reinterpret_cast<const char*>(data.data()),
                                status == ERROR_SUCCESS ? dataSize : 0);
        into[L"HKCU\\" + path + L" [" + name.data() + L"]"] =
            std::to_wstring(type) + L", " + std::to_wstring(dataSize) + L" bytes, " +
            std::to_wstring(std::hash<std::string>{}(bytes));
    }
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        subkeys.emplace_back(name.data());
    }
    RegCloseKey(key);
    for (const std::wstring& subkey : subkeys) {
        addKey(path.empty() ? subkey : path + L"\\" + subkey, into);
    }
}

std::wstring folderKey(const fs::path& path) {
    std::wstring text = path.wstring();
    while (!text.empty() && text.back() == L'\\') text.pop_back();
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

void addFiles(const fs::path& folder, Snapshot& into) {
    const std::wstring temp = folderKey(fs::temp_directory_path());
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        // Links (Wine's into the Linux home, Windows' old junctions) lead out of the profile.
        const DWORD attributes = GetFileAttributesW(it->path().c_str());
        if (folderKey(it->path()) == temp ||
            (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))) {
            it.disable_recursion_pending();
            continue;
        }
        into[it->path().wstring()] =
            it->is_directory() ? L"folder" : std::to_wstring(it->file_size(error)) + L" bytes";
    }
}

Snapshot profileSnapshot() {
    Snapshot snapshot;
    addKey(L"", snapshot);
    addFiles(knownFolder(FOLDERID_LocalAppData), snapshot);
    addFiles(knownFolder(FOLDERID_RoamingAppData), snapshot);
    return snapshot;
}

// The differences, one line each, for the failure message.
std::string differences(const Snapshot& before, const Snapshot& after) {
    std::wstring lines;
    for (const auto& [path, what] : before) {
        const auto found = after.find(path);
        if (found == after.end()) {
            lines += L"gone: " + path + L"\n";
        } else if (found->second != what) {
            lines += L"changed: " + path + L"\n";
        }
    }
    for (const auto& [path, what] : after) {
        if (!before.count(path)) lines += L"left behind: " + path + L" (" + what + L")\n";
    }
    return utf8(lines);
}

fs::path shortcutTarget(const fs::path& shortcut) {
    IShellLinkW* link = nullptr;
    fs::path target;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&link)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
            link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK) {
            target = path;
        }
        file->Release();
    }
    link->Release();
    return target;
}

// The version resource of an exe, as Windows shows it in the file's properties.
std::vector<BYTE> versionBlock(const fs::path& exe) {
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
    if (block.empty() ||
        !GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) {
        block.clear();
    }
    return block;
}

std::wstring versionText(const std::vector<BYTE>& block, const wchar_t* name) {
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    if (block.empty() || !VerQueryValueW(block.data(), query.c_str(),
                                         reinterpret_cast<void**>(&text), &length)) {
        return L"<missing>";
    }
    return std::wstring(text, length ? length - 1 : 0);
}

std::wstring fixedVersion(const std::vector<BYTE>& block) {
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length)) {
        return L"<missing>";
    }
    return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(info->dwFileVersionLS)) + L"." +
           std::to_wstring(LOWORD(info->dwFileVersionLS));
}

std::string noticePage(const fs::path& exe) {
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    std::string page;
    if (!module) return page;
    if (HRSRC found = FindResourceW(module, L"NOTICE.HTML", MAKEINTRESOURCEW(23))) {
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
        if (bytes) page.assign(bytes, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return page;
}

// The program's main window, once it shows.
HWND mainWindowOf(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (owner != s->processId || !IsWindowVisible(window) ||
                wcscmp(name, kMainWindowClass) != 0) {
                return TRUE;
            }
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring windowText(HWND window) {
    std::wstring text(1 << 16, L'\0');
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &length);
    text.resize(length);
    return text;
}

HWND editorOf(HWND mainWindow) {
    HWND found = nullptr;
    EnumChildWindows(
        mainWindow,
        [](HWND child, LPARAM param) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (_wcsnicmp(name, L"RichEdit", 8) != 0 || !IsWindowVisible(child)) return TRUE;
            *reinterpret_cast<HWND*>(param) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Ends the program as a user would; a question it asks instead is not what is tested here.
void closeProgram(const Process& program, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(program.handle, 15000) != WAIT_OBJECT_0) {
        TerminateProcess(program.handle, 1);
        WaitForSingleObject(program.handle, 15000);
    }
}

class InstallerTest : public testing::Test {
  protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }

    // Uninstalls through the entry in the installed-programs list, as Windows would, and waits
    // until the uninstaller has finished.
    void uninstallQuietly() {
        const std::wstring command = readText(kUninstallKey, L"QuietUninstallString");
        ASSERT_EQ(run(command), 0u) << utf8(command);
        EXPECT_TRUE(waitUntil([] { return !keyExists(kUninstallKey) && !uninstallerRunning(); }))
            << "the uninstaller did not finish";
    }

    fs::path writeChapter(const std::string& bytes) {
        const fs::path folder = fs::temp_directory_path() / L"稿件";
        fs::create_directories(folder);
        const fs::path path = folder / L"第一章.txt";
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

TEST_F(InstallerTest, InstallsAProgramThatOpensAChapterAndUninstallsWithoutATrace) {
    const Snapshot before = profileSnapshot();
    ASSERT_EQ(runSetup(), 0u);

    const fs::path folder = installFolder();
    const fs::path exe = folder / L"wendrill.exe";
    EXPECT_TRUE(fs::exists(exe));
    EXPECT_TRUE(fs::exists(folder / L"uninstall.exe"));

    // What Windows shows in the file's properties, from the one version of the build.
    const std::wstring version = fromUtf8(WENDRILL_VERSION_TEXT);
    const std::vector<BYTE> block = versionBlock(exe);
    const struct {
        const wchar_t* name;
        std::wstring text;
    } properties[] = {
        {L"ProductName", L"Wendrill"},         {L"FileDescription", L"Wendrill 中文文章编辑器"},
        {L"ProductVersion", version},          {L"FileVersion", version},
        {L"CompanyName", L"Orvane"},           {L"LegalCopyright", L"© 2026 Orvane"},
        {L"OriginalFilename", L"wendrill.exe"},
    };
    for (const auto& row : properties) {
        EXPECT_EQ(versionText(block, row.name), row.text) << utf8(row.name);
    }
    EXPECT_EQ(fixedVersion(block), version + L".0");
    EXPECT_NE(fromUtf8(noticePage(exe)).find(L"版本 " + version), std::wstring::npos);

    // The installed-programs list.
    const std::wstring uninstaller = inQuotes(folder / L"uninstall.exe");
    const struct {
        const wchar_t* name;
        std::wstring text;
    } texts[] = {
        {L"DisplayName", L"Wendrill"},
        {L"DisplayVersion", version},
        {L"Publisher", L"Orvane"},
        {L"DisplayIcon", exe.wstring() + L",0"},
        {L"InstallLocation", folder.wstring()},
        {L"UninstallString", uninstaller},
        {L"QuietUninstallString", uninstaller + L" /S"},
    };
    for (const auto& row : texts) EXPECT_EQ(readText(kUninstallKey, row.name), row.text) << row.name;
    for (const wchar_t* flag : {L"NoModify", L"NoRepair"}) {
        const auto value = readValue(kUninstallKey, flag);
        ASSERT_TRUE(value && value->type == REG_DWORD) << flag;
        EXPECT_EQ(value->number, 1u) << flag;
    }
    const auto size = readValue(kUninstallKey, L"EstimatedSize");
    ASSERT_TRUE(size && size->type == REG_DWORD);
    const auto installedBytes = fs::file_size(exe) + fs::file_size(folder / L"uninstall.exe");
    EXPECT_NEAR(size->number, installedBytes / 1024.0, 1.0) << "EstimatedSize is in KB";

    // "Open with" for .txt, without taking the default program over.
    const std::wstring classes = kClasses;
    const std::wstring open = inQuotes(exe) + L" \"%1\"";
    EXPECT_TRUE(readValue(classes + L".txt\\OpenWithProgids", kProgId));
    EXPECT_FALSE(readValue(classes + L".txt", L"")) << "the default program of .txt was set";
    EXPECT_EQ(readText(classes + kProgId + L"\\shell\\open\\command", L""), open);
    EXPECT_EQ(readText(classes + L"Applications\\wendrill.exe\\shell\\open\\command", L""), open);
    EXPECT_TRUE(readValue(classes + L"Applications\\wendrill.exe\\SupportedTypes", L".txt"));

    // The Start-menu shortcut starts the installed program, which opens the chapter it is given.
    ASSERT_TRUE(fs::exists(shortcutPath()));
    const fs::path target = shortcutTarget(shortcutPath());
    EXPECT_EQ(target, exe);
    const fs::path chapter = writeChapter("\xb5\xda\xd2\xbb\xd5\xc2\r\n\xd5\xfd\xce\xc4\r\n");
    const auto program = start(inQuotes(target) + L" " + inQuotes(chapter));
    ASSERT_TRUE(program);
    HWND window = nullptr;
    const std::wstring caption = L"Wendrill" + chapter.wstring();
    EXPECT_TRUE(waitUntil([&] {
        window = mainWindowOf(program->id);
        return window && windowText(window) == caption;
    })) << "caption: " << utf8(window ? windowText(window) : L"<no window>");
    if (window) {
        EXPECT_EQ(windowText(editorOf(window)), L"第一章\r\n正文\r\n");
        closeProgram(*program, window);
    }
    fs::remove_all(chapter.parent_path());

    uninstallQuietly();
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(fs::exists(shortcutPath()));
    EXPECT_EQ(differences(before, profileSnapshot()), "");
}

TEST_F(InstallerTest, WaitsForTheProgramToCloseAndLeavesWhatOthersWrote) {
    // Another program's "Open with" entry, and a recovery file of the user's.
    const std::wstring otherProgram = std::wstring(kClasses) + L".txt\\OpenWithProgids";
    writeText(otherProgram, L"Other.txt", L"");
    const fs::path recovery = knownFolder(FOLDERID_LocalAppData) / L"Wendrill" / L"recovery";
    fs::create_directories(recovery);
    std::ofstream(recovery / L"unsaved.txt", std::ios::binary) << "\xd5\xfd\xce\xc4";
    const Snapshot before = profileSnapshot();

    ASSERT_EQ(runSetup(), 0u);
    const fs::path folder = installFolder();
    const fs::path exe = folder / L"wendrill.exe";
    const auto program = start(inQuotes(exe));
    ASSERT_TRUE(program);
    HWND window = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (window = mainWindowOf(program->id)) != nullptr; }));

    // While it runs, neither the installer nor the uninstaller (run in place, so its exit code is
    // its own) goes on.
    const auto sizeBefore = fs::file_size(exe);
    EXPECT_EQ(runSetup(), kRefusedWhileRunning);
    EXPECT_EQ(run(inQuotes(folder / L"uninstall.exe") + L" /S _?=" + folder.wstring()),
              kRefusedWhileRunning);
    EXPECT_EQ(fs::file_size(exe), sizeBefore);
    EXPECT_TRUE(keyExists(kUninstallKey));
    EXPECT_EQ(WaitForSingleObject(program->handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    closeProgram(*program, window);

    // A file of the user's in the program's folder keeps the folder.
    std::ofstream(folder / L"notes.txt") << "mine";
    uninstallQuietly();
    EXPECT_TRUE(fs::exists(folder / L"notes.txt"));
    EXPECT_FALSE(fs::exists(exe));
    fs::remove_all(folder);
    fs::remove(folder.parent_path());  // as the uninstaller does when nothing keeps it
    EXPECT_EQ(differences(before, profileSnapshot()), "");

    fs::remove_all(recovery.parent_path());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, otherProgram.c_str(), L"Other.txt");
    SHDeleteEmptyKeyW(HKEY_CURRENT_USER, otherProgram.c_str());
    SHDeleteEmptyKeyW(HKEY_CURRENT_USER, (std::wstring(kClasses) + L".txt").c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        fputs("usage: installer_test SETUP.EXE [gtest options]\n", stderr);
        return 2;
    }
    setupPath = argv[1];
    return RUN_ALL_TESTS();
}
