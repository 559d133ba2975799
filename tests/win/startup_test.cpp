// Start-up with a file on the command line, the document state and the close question.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor/codepage.h"
#include "editor/keys.h"
#include "tests/win/app_fixture.h"
#include "tests/win/file_dialog_driver.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

using test::gbk;

class StartupTest : public test::AppFixture {
  protected:
    // A file in the temporary folder, named in code page 936.
    DocText writeFile(const DocText& name, const DocText& bytes) {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        const DocText path = docFromWide(folder) + name;
        std::ofstream(std::filesystem::path(wideFromDoc(path)), std::ios::binary) << bytes;
        written.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const DocText& path : written) DeleteFileW(wideFromDoc(path).c_str());
    }

    void requestClose() {
        PostMessageW(app->window().handle(), WM_CLOSE, 0, 0);
        pump();
    }
    void typeText() {
        pressKeys('X');
        ASSERT_TRUE(handleInput());
    }

    std::vector<DocText> written;
};

TEST_F(StartupTest, OpensTheFileNamedOnTheCommandLine) {
    const DocText text = gbk("第一章\r\n正文");
    const DocText path = writeFile(gbk("第一章.txt"), text);
    startApp("\"C:\\wendrill.exe\" \"" + path + "\" ignored.txt");
    EXPECT_EQ(app->editor().getText(), text);
    EXPECT_EQ(caption(), u"Wendrill" + wide(path));
    EXPECT_EQ(app->document().savedFlag, 1);
    requestClose();  // unchanged: no question
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_FALSE(windowOpen());
}

TEST_F(StartupTest, AMissingFileOpensAsTheEmptyDocument) {
    startApp("wendrill.exe C:\\nowhere\\missing.txt");
    EXPECT_EQ(app->editor().getText(), "");
    EXPECT_EQ(caption(), u"WendrillC:\\nowhere\\missing.txt");
    requestClose();
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_FALSE(windowOpen());
}

TEST_F(StartupTest, AFileIsReadUpToItsFirstNul) {
    const DocText path = writeFile("with-nul.txt", DocText("ab\0cd", 5));
    startApp("wendrill.exe " + path);
    EXPECT_EQ(app->editor().getText(), "ab");
}

TEST_F(StartupTest, AnEmptyQuotedArgumentOpensNothing) {
    startApp("wendrill.exe \"\"");
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
