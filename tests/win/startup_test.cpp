// Start-up with a file on the command line, the document state and the close question.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor/codepage.h"
#include "tests/win/keys.h"
#include "tests/win/app_fixture.h"
#include "tests/win/file_dialog_driver.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

using test::gbk;

class StartupTest : public test::AppFixture {
  protected:
    // A file in the temporary folder, or in a folder of its own there.
    std::wstring writeFile(const std::wstring& name, const DocText& bytes,
                           const std::wstring& folderName = L"") {
        wchar_t temporary[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temporary);
        std::wstring folder = temporary;
        if (!folderName.empty()) {
            folder += folderName + L"\\";
            CreateDirectoryW(folder.c_str(), nullptr);
            folders.push_back(folder);
        }
        const std::wstring path = folder + name;
        std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
        written.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const std::wstring& path : written) DeleteFileW(path.c_str());
        for (const std::wstring& folder : folders) RemoveDirectoryW(folder.c_str());
    }

    void requestClose() {
        PostMessageW(app->window().handle(), WM_CLOSE, 0, 0);
        pump();
    }
    void typeText() {
        pressKeys('X');
        ASSERT_TRUE(handleInput());
    }

    std::vector<std::wstring> written;
    std::vector<std::wstring> folders;
};

TEST_F(StartupTest, OpensTheFileNamedOnTheCommandLine) {
    const DocText text = gbk("第一章\r\n正文");
    const std::wstring path = writeFile(L"第一章.txt", text);
    startApp(u"\"C:\\wendrill.exe\" \"" + wide(path) + u"\" ignored.txt");
    EXPECT_EQ(app->editor().getText(), text);
    EXPECT_EQ(caption(), u"Wendrill" + wide(path));
    EXPECT_EQ(app->document().savedFlag, 1);
    requestClose();  // unchanged: no question
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_FALSE(windowOpen());
}

TEST_F(StartupTest, APathWithCharactersGbkLacksOpens) {
    const DocText text = gbk("한글 😀\r\n正文");
    const std::wstring path = writeFile(L"第一章😀.txt", text, L"한글 원고");
    startApp(u"wendrill.exe \"" + wide(path) + u"\"");
    EXPECT_EQ(app->editor().getText(), text);
    EXPECT_EQ(caption(), u"Wendrill" + wide(path));
}

TEST_F(StartupTest, AMissingFileOpensAsTheEmptyDocument) {
    startApp(u"wendrill.exe C:\\nowhere\\missing.txt");
    EXPECT_EQ(app->editor().getText(), "");
    EXPECT_EQ(caption(), u"WendrillC:\\nowhere\\missing.txt");
    requestClose();
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_FALSE(windowOpen());
}

TEST_F(StartupTest, AFileIsReadUpToItsFirstNul) {
    const std::wstring path = writeFile(L"with-nul.txt", DocText("ab\0cd", 5));
    startApp(u"wendrill.exe " + wide(path));
    EXPECT_EQ(app->editor().getText(), "ab");
}

TEST_F(StartupTest, AnEmptyQuotedArgumentOpensNothing) {
    startApp(u"wendrill.exe \"\"");
    EXPECT_EQ(caption(), u"Wendrill");
    EXPECT_EQ(app->document().savedFlag, 0);
}

TEST_F(StartupTest, ClosingAnUntouchedWindowAsksNothing) {
    startApp();
    requestClose();
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_FALSE(windowOpen());
}

TEST_F(StartupTest, EscAsksWhetherToSaveAndNoCloses) {
    startApp();
    typeText();
    questions.answers = {kAnswerNo};
    pressKeys(VK_ESCAPE);
    ASSERT_TRUE(test::pumpUntil([&] { return !windowOpen(); }, translator()));
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, u"是否保存文章？");
    EXPECT_EQ(questions.asked[0].style, kYesNoQuestion);
    EXPECT_EQ(questions.asked[0].title, u"提示：");
    EXPECT_FALSE(windowOpen());
}

TEST_F(StartupTest, YesThenSaveCancelledKeepsTheWindowOpen) {
    startApp();
    typeText();
    questions.answers = {kAnswerYes};
    {
        test::FileDialogDriver cancel(app->window().handle(), L"");
        requestClose();
        EXPECT_TRUE(cancel.found());
    }
    EXPECT_EQ(questions.asked.size(), 1u);
    EXPECT_TRUE(windowOpen());
    EXPECT_EQ(app->editor().getText(), "x");
}

TEST_F(StartupTest, QuitEndsWithoutAQuestion) {
    startApp();
    typeText();
    pressKeys(VK_CONTROL, 'Q');
    ASSERT_TRUE(test::pumpUntil([&] { return !windowOpen(); }, translator()));
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_FALSE(windowOpen());
}

}  // namespace
}  // namespace wendrill
