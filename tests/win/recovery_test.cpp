// The unsaved document kept in a recovery file, and offered back after the program was killed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/document_commands.h"
#include "files/document_file.h"
#include "files/recovery_file.h"
#include "tests/win/app_fixture.h"
#include "tests/win/file_dialog_driver.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

using test::gbk;

// 第一章 CR LF in UTF-8, so the document's encoding is not the default one.
constexpr char kUtf8Chapter[] = "\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0\r\n";
constexpr char16_t kOfferText[] = u"发现上次未保存的文章，是否恢复？";

bool exists(const std::wstring& file) {
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Read without standing in the way of the writer, which puts a new file in this one's place.
std::optional<RecoveryRecord> recordIn(const std::wstring& file) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes(GetFileSize(handle, nullptr), '\0');
    DWORD read = 0;
    const bool whole =
        ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
        read == bytes.size();
    CloseHandle(handle);
    return whole ? parseRecoveryFile(bytes) : std::nullopt;
}

// Polls another process's progress, which no message of ours can tell, for up to 10 s.
template <typename Check>
auto waitFor(Check check) {
    for (int tries = 0; tries < 200; ++tries) {
        if (auto result = check()) return result;
        Sleep(50);
    }
    return decltype(check())();
}

class RecoveryTest : public test::AppFixture {
  protected:
    void SetUp() override {
        wchar_t temporary[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temporary);
        work_ = std::filesystem::path(temporary) /
                ("wendrill-recovery-test-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::remove_all(work_);
        std::filesystem::create_directories(work_ / "kept");
        chapter = docFromWide((work_ / L"第一章.txt").wstring());
        std::ofstream(work_ / L"第一章.txt", std::ios::binary) << kUtf8Chapter;
        rememberedBefore_ = readWholeFile(rememberedFolderFile());
    }
    void TearDown() override {
        app.reset();
        // Saving remembers its folder; the one remembered before comes back.
        if (rememberedBefore_.empty()) {
            DeleteFileW(rememberedFolderFile().c_str());
        } else {
            writeWholeFile(rememberedFolderFile(), rememberedBefore_);
        }
        std::error_code ignored;
        std::filesystem::remove_all(work_, ignored);
    }

    // The App keeping its recovery files in folder.
    void startKeeping(const std::wstring& folder, const std::u16string& commandLine = u"wendrill.exe") {
        app = std::make_unique<App>(questions, commandLine, folder);
        ASSERT_TRUE(app->start());
        SetForegroundWindow(app->window().handle());
        SetFocus(app->editor().window());
        pump();
    }
    std::wstring testFolder() const { return (work_ / "kept").wstring() + L"\\"; }

    void type(const char* keys) {
        for (const char* key = keys; *key; ++key) {
            PostMessageW(editor().window(), WM_CHAR, static_cast<WPARAM>(*key), 0);
        }
        ASSERT_TRUE(handleInput());
    }
    // Until the file holds the document as the Editor has it now.
    bool keptAsShown(const std::wstring& file) {
        return test::pumpUntil(
            [&] {
                app->recovery().waitUntilIdle();
                const auto record = recordIn(file);
                return record && record->text == editor().getText();
            },
            translator());
    }
    void chooseAndEnd(std::u16string_view item) {
        ASSERT_TRUE(test::chooseMenuItem(app->window().handle(), item));
        ASSERT_TRUE(test::pumpUntil([&] { return !windowOpen(); }, translator()));
    }

    DocText chapter;

  private:
    std::filesystem::path work_;
    std::string rememberedBefore_;
};

TEST_F(RecoveryTest, TypingKeepsTheDocumentWithItsFileAndEncoding) {
    startKeeping(testFolder(), u"wendrill.exe \"" + wide(chapter) + u"\"");
    const std::wstring kept = app->recovery().ownFile();
    EXPECT_FALSE(exists(kept)) << "a document just opened is in its file";

    type("ab");
    ASSERT_TRUE(keptAsShown(kept));
    const auto record = recordIn(kept);
    EXPECT_EQ(record->text, "ab" + gbk("第一章\r\n"));  // typed at the start
    EXPECT_EQ(record->path, wide(chapter));
    EXPECT_EQ(record->encoding, FileEncoding::utf8);

    type("c\r\r");
    EXPECT_TRUE(keptAsShown(kept)) << "each change is kept";
    choose(u"删除全部空行");
    EXPECT_TRUE(keptAsShown(kept)) << "and a whole new text a command put in";
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(RecoveryTest, TheFileGoesWhenTheDocumentIsSavedOrGivenUp) {
    const DocText savedAs = chapter + ".saved.txt";
    struct Case {
        const char* pin;
        std::function<void()> act;
    } cases[] = {
        {"saved",
         [&] {
             test::FileDialogDriver driver(app->window().handle(), wideFromDoc(savedAs));
             ASSERT_TRUE(test::chooseMenuItem(app->window().handle(), u"保存"));
             pump();
         }},
        {"opened another",
         [&] {
             test::FileDialogDriver driver(app->window().handle(), wideFromDoc(chapter));
             ASSERT_TRUE(test::chooseMenuItem(app->window().handle(), u"打开"));
             pump();
         }},
        {"新建, not saved",
         [&] {
             questions.answers = {kAnswerNo};
             choose(u"新建");
         }},
        {"every character deleted",
         [&] {
             select(0, -1);
             choose(u"删除");
         }},
        {"closed, not saved",
         [&] {
             questions.answers = {kAnswerNo};
             PostMessageW(app->window().handle(), WM_CLOSE, 0, 0);
             ASSERT_TRUE(test::pumpUntil([&] { return !windowOpen(); }, translator()));
         }},
        {"退出", [&] { chooseAndEnd(u"退出"); }},
    };
    for (Case& c : cases) {
        startKeeping(testFolder());
        const std::wstring kept = app->recovery().ownFile();
        type("xy");
        ASSERT_TRUE(keptAsShown(kept)) << c.pin;
        c.act();
        // An emptied document gives its file up once typing pauses, like any other change.
        EXPECT_TRUE(test::pumpUntil(
            [&] {
                if (windowOpen()) app->recovery().waitUntilIdle();
                return !exists(kept);
            },
            translator()))
            << c.pin;
        app.reset();
        questions.answers.clear();
        questions.asked.clear();
    }
}

// The real program, killed while it holds unsaved text, as a crash or a power cut would end it.
class CrashRecoveryTest : public RecoveryTest {
  protected:
    void SetUp() override {
        RecoveryTest::SetUp();
        // Files that crashed runs left behind would be offered first.
        RecoveryKeeper leftovers(recoveryFolder());
        while (const auto found = leftovers.findRecoverable()) leftovers.remove(*found);
    }
    void TearDown() override {
        if (child_.hProcess) {
            TerminateProcess(child_.hProcess, 1);
            CloseHandle(child_.hProcess);
            CloseHandle(child_.hThread);
        }
        RecoveryTest::TearDown();
    }

    // wendrill.exe beside the tests, started on the chapter, typed at, and killed once its
    // recovery file holds what was typed. Gives that file.
    std::wstring crashWhileTyping(const char* keys) {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        const std::wstring program = std::filesystem::path(self).replace_filename("wendrill.exe");
        std::wstring commandLine = L"\"" + program + L"\" \"" + wideFromDoc(chapter) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, nullptr, &startup, &child_)) {
            ADD_FAILURE() << "wendrill.exe did not start";
            return {};
        }
        WaitForInputIdle(child_.hProcess, 10000);
        HWND text = waitFor([&] { return childEditor(); });
        if (!text) {
            ADD_FAILURE() << "no window of wendrill.exe";
            return {};
        }
        for (const char* key = keys; *key; ++key) {
            PostMessageW(text, WM_CHAR, static_cast<WPARAM>(*key), 0);
        }
        FILETIME creation{}, exit{}, kernel{}, user{};
        GetProcessTimes(child_.hProcess, &creation, &exit, &kernel, &user);
        const std::string name =
            recoveryFileName({child_.dwProcessId,
                              (uint64_t{creation.dwHighDateTime} << 32) | creation.dwLowDateTime});
        const std::wstring kept = recoveryFolder() + std::wstring(name.begin(), name.end());
        const bool written = waitFor([&] {
            const auto record = recordIn(kept);
            return record && record->text == keys + gbk("第一章\r\n");
        });
        EXPECT_TRUE(written) << "the typed text was not kept";
        TerminateProcess(child_.hProcess, 1);
        WaitForSingleObject(child_.hProcess, 10000);
        return kept;
    }

    // Killed while "ab" was unsaved, then started again with the offer answered. Gives the
    // killed program's file.
    std::wstring restartAfterCrash(int answer) {
        const std::wstring crashed = crashWhileTyping("ab");
        questions.answers = {answer};
        startKeeping(recoveryFolder());
        EXPECT_EQ(questions.asked.size(), 1u);
        if (!questions.asked.empty()) {
            EXPECT_EQ(questions.asked[0].text, kOfferText);
            EXPECT_EQ(questions.asked[0].title, u"提示：");
            EXPECT_EQ(questions.asked[0].style, kYesNoQuestion);
        }
        return crashed;
    }

  private:
    HWND childEditor() const {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"WendrillMainWindow", nullptr))) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == child_.dwProcessId && IsWindowVisible(window)) {
                return FindWindowExW(window, nullptr, RICHEDIT_CLASSW, nullptr);
            }
        }
        return HWND{};
    }

    PROCESS_INFORMATION child_{};
};

TEST_F(CrashRecoveryTest, TheNextStartOffersTheTextBackAndYesRestoresIt) {
    const std::wstring crashed = restartAfterCrash(kAnswerYes);
    EXPECT_EQ(editor().getText(), "ab" + gbk("第一章\r\n"));
    EXPECT_EQ(caption(), u"Wendrill" + wide(chapter));
    EXPECT_EQ(app->document().encoding, FileEncoding::utf8);
    EXPECT_FALSE(exists(crashed)) << "the file is this window's now";
    EXPECT_TRUE(exists(app->recovery().ownFile()));

    questions.answers = {kAnswerNo};
    PostMessageW(app->window().handle(), WM_CLOSE, 0, 0);
    pump();
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[1].text, u"是否保存文章？") << "the restored text is unsaved";
    EXPECT_FALSE(windowOpen());
    EXPECT_FALSE(exists(app->recovery().ownFile()));
}

TEST_F(CrashRecoveryTest, NoDeletesTheOfferedFile) {
    const std::wstring crashed = restartAfterCrash(kAnswerNo);
    EXPECT_EQ(editor().getText(), "");
    EXPECT_EQ(caption(), u"Wendrill");
    EXPECT_FALSE(exists(crashed));
}

TEST_F(RecoveryTest, ARunningProgramsFileIsNotOffered) {
    startKeeping(testFolder());
    type("ab");
    ASSERT_TRUE(keptAsShown(app->recovery().ownFile()));
    RecoveryKeeper another(testFolder());
    EXPECT_FALSE(another.findRecoverable().has_value());
}

// This process's id with another start time: a program that ended, whose id the system gave to
// this one. A damaged file of a later program is passed over and left alone.
TEST_F(RecoveryTest, TheFileOfAProgramWhoseIdWasReusedIsOfferedPastADamagedOne) {
    const auto place = [&](uint64_t creationTime) {
        const std::string name = recoveryFileName({GetCurrentProcessId(), creationTime});
        return testFolder() + std::wstring(name.begin(), name.end());
    };
    const std::wstring damaged = place(3);
    const std::wstring good = place(2);
    std::string file = formatRecoveryFile({u"", FileEncoding::documentCodePage, gbk("正文")});
    ASSERT_TRUE(writeWholeFile(good, file));
    file.pop_back();
    ASSERT_TRUE(writeWholeFile(damaged, file));

    questions.answers = {kAnswerYes};
    startKeeping(testFolder());
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, kOfferText);
    EXPECT_EQ(editor().getText(), gbk("正文"));
    EXPECT_EQ(caption(), u"Wendrill");
    EXPECT_TRUE(exists(damaged));
    EXPECT_FALSE(exists(good));
}

}  // namespace
}  // namespace wendrill
