// New, Open and Save through the real dialogs, the remembered folder, sound saving, and files
// dropped on the real window.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <thread>

#include "editor/codepage.h"
#include "files/document_commands.h"
#include "files/document_file.h"
#include "files/editor_drop_callback.h"
#include "files/known_folders.h"
#include "tests/win/app_fixture.h"
#include "tests/win/drop_data.h"
#include "tests/win/file_dialog_driver.h"
#include "tests/win/gbk.h"
#include "tests/win/menu_driver.h"
#include "text/code_page.h"
#include "text/utf8.h"

namespace wendrill {
namespace {

using test::gbk;
namespace fs = std::filesystem;

fs::path fsPath(const std::wstring& path) { return fs::path(path); }

std::optional<std::string> bytesOf(const std::wstring& path) {
    std::ifstream file(fsPath(path), std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(fsPath(path), std::ios::binary) << bytes;
}

// A folder of the test's own in the temporary folder, gone again afterwards with all it holds.
class TestFolder {
  public:
    explicit TestFolder(const std::wstring& name = L"wendrill-files")
        : path_(specialFolder(SpecialFolder::temporaryFiles) + name) {
        clear();
        fs::create_directories(fsPath(path_));
    }
    ~TestFolder() { clear(); }
    // As Save remembers it: without the final backslash.
    const std::wstring& path() const { return path_; }
    std::wstring file(std::u16string_view name) const {
        return path_ + L"\\" + wideFromUtf16(name);
    }
    size_t fileCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(fsPath(path_)), {}));
    }

  private:
    void clear() {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(fsPath(path_), ignored)) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        fs::remove_all(fsPath(path_), ignored);
    }
    std::wstring path_;
};

// Another holder of the file that lets nobody else write it, as a program writing it would, or
// with no sharing at all, nobody else even read it.
class HeldForWriting {
  public:
    explicit HeldForWriting(const std::wstring& path, DWORD sharing = FILE_SHARE_READ)
        : file_(CreateFileW(path.c_str(), GENERIC_WRITE, sharing, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldForWriting() {
        if (held()) CloseHandle(file_);
    }
    bool held() const { return file_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE file_;
};

TEST(FileWritingTest, ReplacesTheTargetWithExactlyTheBytes) {
    TestFolder folder;
    const std::wstring target = folder.file(u"章.txt");
    writeBytes(target, "an older and longer text");
    EXPECT_TRUE(writeWholeFile(target, "ab\r\nc"));
    EXPECT_EQ(bytesOf(target), "ab\r\nc");
    EXPECT_TRUE(writeWholeFile(target, ""));
    EXPECT_EQ(bytesOf(target), "");
    EXPECT_EQ(folder.fileCount(), 1u) << "no temporary file is left behind";
}

TEST(FileWritingTest, AFailureLeavesTheOldFileAndNothingElse) {
    TestFolder folder;
    const std::wstring readOnly = folder.file(u"read-only.txt");
    writeBytes(readOnly, "old");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring held = folder.file(u"held.txt");
    writeBytes(held, "old");
    HeldForWriting holder(held);
    ASSERT_TRUE(holder.held());

    EXPECT_FALSE(writeWholeFile(readOnly, "new"));
    EXPECT_FALSE(writeWholeFile(held, "new"));
    EXPECT_FALSE(writeWholeFile(folder.file(u"missing\\new.txt"), "new"));
    EXPECT_FALSE(writeWholeFile(L"", "new"));
    EXPECT_FALSE(writeWholeFile(folder.path(), "new")) << "a folder is no file";
    EXPECT_EQ(bytesOf(readOnly), "old");
    EXPECT_EQ(bytesOf(held), "old");
    EXPECT_EQ(folder.fileCount(), 2u) << "no temporary file is left behind";
}

// The creation time is kept too, but a Linux file system under Wine has none to keep.
TEST(FileWritingTest, TheReplacedFileKeepsItsAttributes) {
    TestFolder folder;
    const std::wstring target = folder.file(u"hidden.txt");
    writeBytes(target, "old");
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(writeWholeFile(target, "new"));
    EXPECT_EQ(bytesOf(target), "new");
    EXPECT_NE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(folder.fileCount(), 1u);
}

TEST(FileWritingTest, ATargetHeldForAMomentIsWrittenOnceItIsFree) {
    TestFolder folder;
    const std::wstring target = folder.file(u"scanned.txt");
    writeBytes(target, "old");
    HANDLE scanner = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(scanner, INVALID_HANDLE_VALUE);
    std::thread letGo([scanner] {
        Sleep(150);
        CloseHandle(scanner);
    });
    const bool written = writeWholeFile(target, "new");
    letGo.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(bytesOf(target), "new");
    EXPECT_EQ(folder.fileCount(), 1u);
}

// The library's folder walk cannot reach deeper than MAX_PATH; the platform's can.
void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// Deeper than MAX_PATH: the temporary file beside the target needs a name of its own.
TEST(FileWritingTest, ATargetInAFolderDeeperThanMaxPathSaves) {
    const std::wstring top =
        specialFolder(SpecialFolder::temporaryFiles) + L"wendrill-deep";
    removeTree(top);
    std::wstring deep = top;
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    while (deep.size() < 300) {
        deep += L"\\" + std::wstring(60, L'\u7AE0');
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr)) << deep.size();
    }
    const std::wstring target = deep + L"\\\u7B2C\u4E00\u7AE0.txt";
    EXPECT_TRUE(writeWholeFile(target, "chapter"));
    EXPECT_EQ(readWholeFile(target), "chapter");
    EXPECT_TRUE(writeWholeFile(target, "chapter, again"));
    EXPECT_EQ(readWholeFile(target), "chapter, again");
    removeTree(top);
}

class FileCommandsTest : public test::AppFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        rememberedBefore_ = bytesOf(rememberedFolderFile());
        DeleteFileW(rememberedFolderFile().c_str());
        startApp();
    }
    void TearDown() override {
        app.reset();  // its drop registrations end while OLE is still there
        OleUninitialize();
        if (rememberedBefore_) {
            writeBytes(rememberedFolderFile(), *rememberedBefore_);
        } else {
            DeleteFileW(rememberedFolderFile().c_str());
        }
    }

    // Chooses the menu item; the file dialog it shows gets the path typed and confirmed, or is
    // cancelled when the path is empty.
    test::DialogSeen chooseWithDialog(std::u16string_view item, const std::wstring& path) {
        test::FileDialogDriver driver(app->window().handle(), path);
        EXPECT_TRUE(test::chooseMenuItem(app->window().handle(), item));
        EXPECT_TRUE(driver.found()) << "no file dialog";
        pump();
        return driver.seen();
    }
    void closeWithDialog(const std::wstring& path) {
        test::FileDialogDriver driver(app->window().handle(), path);
        PostMessageW(app->window().handle(), WM_CLOSE, 0, 0);
        pump();
        EXPECT_TRUE(driver.found()) << "no file dialog";
    }

    std::vector<std::u16string> askedTexts() const {
        std::vector<std::u16string> texts;
        for (const test::AskedQuestion& question : questions.asked) texts.push_back(question.text);
        return texts;
    }

    TestFolder folder;

  private:
    std::optional<std::string> rememberedBefore_;
};

TEST_F(FileCommandsTest, SaveWritesExactlyTheDocumentsBytes) {
    writeBytes(rememberedFolderFile(), docFromWide(folder.path()));
    editor().setText("ab\r\nc");
    const std::wstring path = folder.file(u"第一章.txt");

    const test::DialogSeen seen = chooseWithDialog(u"保存", path);
    EXPECT_EQ(seen.folder, folder.path()) << "starts in the remembered folder";
    EXPECT_EQ(seen.name, L"ab.txt") << "the first line as the name";

    EXPECT_EQ(bytesOf(path), "ab\r\nc");
    EXPECT_EQ(caption(), u"Wendrill" + wide(path));
    EXPECT_EQ(app->document().savedFlag, 1);
    EXPECT_EQ(app->document().savedText, "ab\r\nc");
    EXPECT_EQ(bytesOf(rememberedFolderFile()), docFromWide(folder.path()))
        << "no line break, no NUL";
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(FileCommandsTest, SaveCancelledChangesNothingButKeepsTheSuggestion) {
    editor().setText(gbk("第 一　章\r\n正文"));
    const std::wstring documents = specialFolder(SpecialFolder::documents);
    const test::DialogSeen save = chooseWithDialog(u"保存", L"");
    EXPECT_EQ(save.folder + L"\\", documents) << "no remembered folder: the documents";
    EXPECT_EQ(caption(), u"Wendrill");
    EXPECT_EQ(app->document().savedFlag, 0);
    EXPECT_EQ(folder.fileCount(), 0u);
    EXPECT_FALSE(bytesOf(rememberedFolderFile())) << "nothing remembered";
    // No remembered folder: the suggestion starts with the backslash.
    EXPECT_EQ(app->fileDialog().dialogFileName(), L"\\第一章.txt");

    const test::DialogSeen open = chooseWithDialog(u"打开", L"");
    EXPECT_EQ(open.name, L"第一章.txt") << "Open shows the name Save left";
    EXPECT_EQ(open.folder + L"\\", documents);
}

TEST_F(FileCommandsTest, TheSavedFolderComesBackInTheNextSuggestion) {
    editor().setText("one\r\n");
    chooseWithDialog(u"保存", folder.file(u"one.txt"));
    editor().setText(gbk("第二章\r\n正文"));
    select(0, 2);  // the selection as it is, not the first line

    const test::DialogSeen seen = chooseWithDialog(u"保存", L"");
    EXPECT_EQ(seen.folder, folder.path());
    EXPECT_EQ(app->fileDialog().dialogFileName(), folder.path() + L"\\第二.txt");
}

TEST_F(FileCommandsTest, ANameNoFileCanHaveStillGetsTheDialog) {
    editor().setText("what?\r\nnext");
    select(0, 10);  // a selection with a line break, taken as it is
    chooseWithDialog(u"保存", L"");
    EXPECT_EQ(app->fileDialog().dialogFileName(), L"\\what?\r\nnext.txt");
}

TEST_F(FileCommandsTest, OpenReplacesTheDocumentWithItsOwnCaption) {
    const DocText text = test::longChineseText(50);
    const std::wstring path = folder.file(u"打开.txt");
    writeBytes(path, text);
    editor().setText("unsaved");

    chooseWithDialog(u"打开", path);
    EXPECT_EQ(editor().getText(), text);
    EXPECT_EQ(caption(), u"Wendrillv1.4  -" + wide(path));
    EXPECT_EQ(app->document().savedFlag, 1);
    EXPECT_TRUE(questions.asked.empty()) << "replaced without a question";

    chooseWithDialog(u"打开", L"");  // cancelled: nothing changes
    EXPECT_EQ(editor().getText(), text);
    EXPECT_EQ(caption(), u"Wendrillv1.4  -" + wide(path));
}

TEST_F(FileCommandsTest, NewAsksToSaveAndClearsWhateverTheAnswer) {
    ASSERT_TRUE(test::chooseMenuItem(app->window().handle(), u"新建"));
    EXPECT_TRUE(questions.asked.empty()) << "an empty document asks nothing";

    editor().setText("kept?");
    questions.answers = {kAnswerNo};
    ASSERT_TRUE(test::chooseMenuItem(app->window().handle(), u"新建"));
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, u"是否保存当前文章？");
    EXPECT_EQ(questions.asked[0].style, kYesNoQuestion);
    EXPECT_EQ(questions.asked[0].title, u"");
    EXPECT_EQ(editor().getText(), "");

    editor().setText("saved first");
    questions.answers = {kAnswerYes};
    const std::wstring path = folder.file(u"new.txt");
    chooseWithDialog(u"新建", path);
    EXPECT_EQ(bytesOf(path), "saved first");
    EXPECT_EQ(editor().getText(), "");
    EXPECT_EQ(caption(), u"Wendrill");
    EXPECT_EQ(app->document().savedText, "saved first") << "New leaves the document state";
}

TEST_F(FileCommandsTest, CloseWithUnsavedTextSavesOnYesAndCloses) {
    editor().setText("chapter");
    questions.answers = {kAnswerYes};
    const std::wstring path = folder.file(u"closing.txt");
    closeWithDialog(path);
    EXPECT_EQ(askedTexts(), std::vector<std::u16string>{u"是否保存文章？"});
    EXPECT_EQ(bytesOf(path), "chapter");
    EXPECT_FALSE(windowOpen());
}

TEST_F(FileCommandsTest, AFailedSaveKeepsTheOldFileAndTheWindow) {
    const std::wstring path = folder.file(u"只读.txt");
    writeBytes(path, "old");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    writeBytes(rememberedFolderFile(), "C:\\elsewhere");
    editor().setText("new text");

    chooseWithDialog(u"保存", path);  // the dialog asks to replace it, and Yes is answered
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, u"保存失败：" + wide(path));
    EXPECT_EQ(bytesOf(path), "old");
    EXPECT_EQ(caption(), u"Wendrill");
    EXPECT_EQ(app->document().savedFlag, 0);
    EXPECT_EQ(bytesOf(rememberedFolderFile()), "C:\\elsewhere");

    questions.answers = {kAnswerYes};
    closeWithDialog(path);
    EXPECT_EQ(askedTexts(),
              (std::vector<std::u16string>{u"保存失败：" + wide(path), u"是否保存文章？",
                                           u"保存失败：" + wide(path)}));
    EXPECT_TRUE(windowOpen()) << "a failed save keeps the window, as a cancelled one does";
    EXPECT_EQ(bytesOf(path), "old");
}

TEST_F(FileCommandsTest, ASaveThatDoesNotHappenStopsNew) {
    const std::wstring readOnly = folder.file(u"只读.txt");
    writeBytes(readOnly, "old");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    for (const std::wstring& path : {readOnly, std::wstring()}) {  // the save fails, or is cancelled
        editor().setText("chapter");
        app->window().setCaption(L"Wendrill-before");
        questions.answers = {kAnswerYes};
        chooseWithDialog(u"新建", path);
        EXPECT_EQ(editor().getText(), "chapter") << docFromWide(path);
        EXPECT_EQ(caption(), u"Wendrill-before") << docFromWide(path);
    }
    EXPECT_EQ(bytesOf(readOnly), "old");
}

TEST_F(FileCommandsTest, TheSessionEndsOnlyAsAClosingWindowWould) {
    const std::wstring saved = folder.file(u"session.txt");
    struct Case {
        const char* pin;
        DocText text;
        std::deque<int> answers;
        std::optional<std::wstring> dialogPath;  // the save dialog is answered with this path
        bool mayEnd;
    } cases[] = {
        {"nothing to save: at once", "", {}, std::nullopt, true},
        {"unsaved, 否", "chapter", {kAnswerNo}, std::nullopt, true},
        {"unsaved, 是, the dialog cancelled", "chapter", {kAnswerYes}, std::wstring(), false},
        {"unsaved, 是, saved", "chapter", {kAnswerYes}, saved, true},
    };
    for (const Case& c : cases) {
        startApp();
        editor().setText(c.text);
        questions.asked.clear();
        questions.answers = c.answers;
        std::u16string reasonWhileAsking;
        questions.whileAsking = [&] { reasonWhileAsking = app->window().shutdownBlockReason(); };
        std::optional<test::FileDialogDriver> driver;
        if (c.dialogPath) driver.emplace(app->window().handle(), *c.dialogPath);
        const LRESULT answer = SendMessageW(app->window().handle(), WM_QUERYENDSESSION, 0,
                                            ENDSESSION_LOGOFF);
        driver.reset();
        pump();
        EXPECT_EQ(answer != FALSE, c.mayEnd) << c.pin;
        if (c.text.empty()) {
            EXPECT_TRUE(questions.asked.empty()) << c.pin;
        } else {
            ASSERT_FALSE(questions.asked.empty()) << c.pin;
            EXPECT_EQ(questions.asked[0].text, u"是否保存文章？") << c.pin;
            EXPECT_EQ(reasonWhileAsking, u"文章尚未保存") << c.pin;
        }
        EXPECT_EQ(app->window().shutdownBlockReason(), u"") << c.pin;

        // Another program refused, and the session goes on: so does the document.
        SendMessageW(app->window().handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
        EXPECT_TRUE(windowOpen()) << c.pin;
        EXPECT_EQ(editor().getText(), c.text) << c.pin;
        questions.whileAsking = nullptr;
    }
    EXPECT_EQ(bytesOf(saved), "chapter");
}

class FileDropTest : public FileCommandsTest {
  protected:
    // The target's interface called as the platform calls it; the effect the drag showed.
    DWORD dropDirectly(IDataObject& data, DWORD keys = 0) {
        DropTarget& target = app->dropTarget();
        DWORD shown = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target.DragEnter(&data, keys | MK_LBUTTON, {}, &shown), S_OK);
        DWORD dropped = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target.Drop(&data, keys, {}, &dropped), E_FAIL) << "always answered as failed";
        EXPECT_EQ(dropped, static_cast<DWORD>(DROPEFFECT_NONE));
        pump();
        return shown;
    }
    // The control's callback asked as the control's own drop target asks it (on Windows); the
    // file opens once the posted opening runs.
    void offerToTheControl(IDataObject& data) {
        EditorDropCallback& callback = app->editorDropCallback();
        CLIPFORMAT format = 0;
        EXPECT_EQ(callback.QueryAcceptData(&data, &format, RECO_DROP, FALSE, nullptr), S_FALSE)
            << "dragging a file over the text is allowed";
        EXPECT_TRUE(FAILED(callback.QueryAcceptData(&data, &format, RECO_DROP, TRUE, nullptr)))
            << "the control takes none of it";
    }
    POINT onScreen(HWND window, POINT client) {
        ClientToScreen(window, &client);
        return client;
    }
};

TEST_F(FileDropTest, AFileDraggedOntoTheEditorOpens) {
    const DocText text = gbk("拖进来的\r\n文件");
    const std::wstring path = folder.file(u"拖放.txt");
    writeBytes(path, text);
    // A long text taking the place of another goes into a fresh control: drops still arrive.
    const HWND first = editor().window();
    editor().setText(test::longChineseText(3000));
    editor().setText(test::longChineseText(3001));
    ASSERT_NE(editor().window(), first);

    test::DataObject files = test::fileDrop({path});
    const HWND main = app->window().handle();
    const HRESULT result = test::dragAndDrop(files, onScreen(main, {300, 12}),
                                             onScreen(editor().window(), {300, 200}));
    pump();
    EXPECT_EQ(result, E_FAIL) << "the source hears of a failed drop";
    EXPECT_EQ(editor().getText(), text);
    EXPECT_EQ(caption(), u"Wendrill" + wide(path));
    PostMessageW(main, WM_CLOSE, 0, 0);
    pump();
    EXPECT_TRUE(questions.asked.empty()) << "the dropped file counts as saved";
    EXPECT_FALSE(windowOpen());
}

TEST_F(FileDropTest, WhatADropDoes) {
    const std::wstring first = folder.file(u"a.txt");
    const std::wstring second = folder.file(u"b.txt");
    writeBytes(first, "first");
    writeBytes(second, "second");
    const std::wstring withNul = folder.file(u"with-nul.txt");
    writeBytes(withNul, std::string("ab\0cd", 5));
    const std::wstring held = folder.file(u"held.txt");
    writeBytes(held, "being written");
    HeldForWriting holder(held);
    ASSERT_TRUE(holder.held());

    struct Case {
        const char* pin;
        test::DataObject data;
        DWORD keys;
        DWORD shown;
        DocText text;          // the document afterwards
        std::wstring caption;  // after "Wendrill"
    } cases[] = {
        {"one file", test::fileDrop({first}), 0, DROPEFFECT_COPY, "first", first},
        {"several files open the first", test::fileDrop({second, first}), 0, DROPEFFECT_COPY,
         "second", second},
        {"Shift moves", test::fileDrop({first}), MK_SHIFT, DROPEFFECT_MOVE, "first", first},
        {"up to the first NUL", test::fileDrop({withNul}), 0, DROPEFFECT_COPY, "ab", withNul},
        {"a file held for writing is read as it is", test::fileDrop({held}), 0, DROPEFFECT_COPY,
         "being written", held},
        {"a folder cannot be read", test::fileDrop({folder.path()}), 0, DROPEFFECT_COPY,
         "unchanged", L""},
        {"text is refused", test::textDrop("dragged text"), 0, DROPEFFECT_NONE, "unchanged", L""},
        {"Ctrl and Shift do nothing", test::fileDrop({first}), MK_CONTROL | MK_SHIFT,
         DROPEFFECT_NONE, "unchanged", L""},
    };
    for (Case& c : cases) {
        editor().setText("unchanged");
        app->window().setCaption(L"");
        app->document().savedFlag = 0;
        EXPECT_EQ(dropDirectly(c.data, c.keys), c.shown) << c.pin;
        EXPECT_EQ(editor().getText(), c.text) << c.pin;
        const bool opened = !c.caption.empty();
        EXPECT_EQ(caption(), opened ? u"Wendrill" + wide(c.caption) : u"") << c.pin;
        EXPECT_EQ(app->document().savedFlag, opened ? 1 : 0) << c.pin;
    }
    // Only the file with a NUL was read in part, and says so; the folder says it is unreadable.
    EXPECT_EQ(askedTexts(),
              (std::vector<std::u16string>{
                  u"文件中有无法识别的字节或空字符，只读入了能识别的部分：" + wide(withNul),
                  u"无法读取文件：" + wide(folder.path())}));
}

TEST_F(FileDropTest, AFolderNamedInAnyScriptOpensAndSaves) {
    const TestFolder hangul(L"한글 원고");
    const std::wstring path = hangul.file(u"第一章😀.txt");
    const DocText text = docFromUtf16(u"第一章 😀\r\n正文");
    writeBytes(path, text);

    test::DataObject files = test::fileDrop({path});
    dropDirectly(files);
    EXPECT_EQ(editor().getText(), text) << "dropped on our target";
    EXPECT_EQ(caption(), u"Wendrill" + wide(path));

    editor().setText("");
    offerToTheControl(files);
    pump();
    EXPECT_EQ(editor().getText(), text) << "dropped through the control's callback";

    editor().setText("");
    chooseWithDialog(u"打开", path);
    EXPECT_EQ(editor().getText(), text);
    EXPECT_EQ(caption(), u"Wendrillv1.4  -" + wide(path));

    const std::wstring saved = hangul.file(u"第二章.txt");
    chooseWithDialog(u"保存", saved);
    EXPECT_EQ(bytesOf(saved), text);
    EXPECT_EQ(caption(), u"Wendrill" + wide(saved));
    // The folder is remembered in the document code page, four-byte sequences and all.
    EXPECT_EQ(bytesOf(rememberedFolderFile()), docFromWide(hangul.path()));
    const test::DialogSeen next = chooseWithDialog(u"保存", L"");
    EXPECT_EQ(next.folder, hangul.path());
    EXPECT_EQ(app->fileDialog().dialogFileName(), hangul.path() + L"\\第一章😀.txt");
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(FileCommandsTest, AGbkFolderIsRememberedInItsOwnBytes) {
    const TestFolder chinese(L"稿件");
    editor().setText("text");
    chooseWithDialog(u"保存", chinese.file(u"a.txt"));
    EXPECT_EQ(bytesOf(rememberedFolderFile()),
              docFromWide(specialFolder(SpecialFolder::temporaryFiles)) + "\xB8\xE5\xBC\xFE");
}

// Open, a drop and the command line: a file that is there but cannot be read replaces nothing.
TEST_F(FileDropTest, AFileThatCannotBeReadKeepsTheDocument) {
    const std::wstring path = folder.file(u"锁住.txt");
    writeBytes(path, "locked away");
    HeldForWriting holder(path, 0);
    ASSERT_TRUE(holder.held());
    const std::u16string says = u"无法读取文件：" + wide(path);
    struct Way {
        const char* pin;
        std::function<void()> open;
    } ways[] = {
        {"Open", [&] { chooseWithDialog(u"打开", path); }},
        {"a drop",
         [&] {
             test::DataObject files = test::fileDrop({path});
             dropDirectly(files);
         }},
    };
    for (const Way& way : ways) {
        editor().setText("unsaved chapter");
        app->window().setCaption(L"Wendrill-before");
        app->document().savedFlag = 0;
        questions.asked.clear();
        way.open();
        EXPECT_EQ(askedTexts(), std::vector<std::u16string>{says}) << way.pin;
        EXPECT_EQ(editor().getText(), "unsaved chapter") << way.pin;
        EXPECT_EQ(caption(), u"Wendrill-before") << way.pin;
        EXPECT_EQ(app->document().savedFlag, 0) << way.pin;
    }

    questions.asked.clear();
    startApp(u"wendrill.exe \"" + wide(path) + u"\"");
    EXPECT_EQ(askedTexts(), std::vector<std::u16string>{says}) << "the command line";
    EXPECT_EQ(editor().getText(), "");
    EXPECT_EQ(caption(), u"Wendrill");
}

TEST_F(FileDropTest, AFileTooLargeToOpenChangesNothingAndSaysSo) {
    const std::wstring path = folder.file(u"huge.txt");
    {
        std::ofstream file(fsPath(path), std::ios::binary);
        file.seekp(kLargestDocumentBytes);
        file.put('x');
    }
    editor().setText("kept");
    test::DataObject files = test::fileDrop({path});
    dropDirectly(files);
    EXPECT_EQ(askedTexts(), std::vector<std::u16string>{u"文件太大，无法打开：" + wide(path)});
    EXPECT_EQ(editor().getText(), "kept");
    EXPECT_EQ(caption(), u"Wendrill");
}

// Whichever drop target takes the drop, ours (where the control has none, as under Wine) or the
// control's own through its callback (on Windows), the file opens only after the drop has
// returned: the source waits for the drop, and opening may ask the user.
TEST_F(FileDropTest, ADroppedFileOpensOnlyAfterTheDropHasReturned) {
    const std::wstring path = folder.file(u"拖放.txt");
    writeBytes(path, "dropped");
    const std::wstring huge = folder.file(u"huge.txt");
    {
        std::ofstream file(fsPath(huge), std::ios::binary);
        file.seekp(kLargestDocumentBytes);
        file.put('x');
    }
    struct Way {
        const char* pin;
        std::function<void(IDataObject&)> drop;
    } ways[] = {
        {"our drop target",
         [&](IDataObject& data) {
             DWORD effect = DROPEFFECT_COPY;
             app->dropTarget().DragEnter(&data, MK_LBUTTON, {}, &effect);
             effect = DROPEFFECT_COPY;
             EXPECT_EQ(app->dropTarget().Drop(&data, 0, {}, &effect), E_FAIL);
         }},
        {"the control's own drop target, through its callback",
         [&](IDataObject& data) { offerToTheControl(data); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.pin);
        editor().setText("kept");
        app->window().setCaption(L"");
        app->document().savedFlag = 0;
        questions.asked.clear();

        test::DataObject tooLarge = test::fileDrop({huge});
        way.drop(tooLarge);
        EXPECT_TRUE(questions.asked.empty()) << "no box inside the drop";
        pump();
        EXPECT_EQ(askedTexts(), std::vector<std::u16string>{u"文件太大，无法打开：" + wide(huge)});

        test::DataObject file = test::fileDrop({path});
        way.drop(file);
        EXPECT_EQ(editor().getText(), "kept");
        pump();
        EXPECT_EQ(editor().getText(), "dropped");
        EXPECT_EQ(caption(), u"Wendrill" + wide(path));
        EXPECT_EQ(app->document().savedFlag, 1);
    }
}

// Counts what a drop target of the control's own is asked; it takes nothing.
class OwnDropTarget final : public IDropTarget {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IDropTarget) {
            *object = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        ++entered;
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    int entered = 0;
};

// On Windows the Rich Edit control serves drags itself (moving text inside the document,
// dropping text from a browser); registering ours in its place would take that away.
TEST_F(FileDropTest, AControlWithADropTargetOfItsOwnKeepsIt) {
    const std::wstring path = folder.file(u"a.txt");
    writeBytes(path, "dropped");
    const HWND control = app->window().searchEdit();
    OwnDropTarget own;
    ASSERT_EQ(RegisterDragDrop(control, &own), S_OK);
    app->dropTarget().serveCoveringWindow(control);

    test::DataObject files = test::fileDrop({path});
    const HWND main = app->window().handle();
    test::dragAndDrop(files, onScreen(main, {300, 12}), onScreen(control, {20, 10}));
    pump();
    EXPECT_GT(own.entered, 0);
    EXPECT_EQ(editor().getText(), "") << "our target never saw the drop";
    RevokeDragDrop(control);
}

// What the control takes of dropped data: plain text, never formats, pictures or objects.
TEST(EditorDropCallbackTest, DroppedTextComesInAsPlainTextOnly) {
    const auto rtf = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Rich Text Format"));
    const std::string redText = "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1\\fs72 x}";
    const std::string unicodeText("x\0\0\0", 4);
    struct Case {
        const char* pin;
        test::DataObject::Formats formats;
        DWORD reco;
        bool accepted;
        CLIPFORMAT chosen;  // 0: the control chooses
    } cases[] = {
        {"rich text and text: the Unicode text",
         {{rtf, redText}, {CF_UNICODETEXT, unicodeText}, {CF_TEXT, "x"}},
         RECO_DROP,
         true,
         CF_UNICODETEXT},
        {"text in the code page only", {{CF_TEXT, "x"}}, RECO_DROP, true, CF_TEXT},
        {"rich text alone is refused", {{rtf, redText}}, RECO_DROP, false, 0},
        {"a picture is refused", {{CF_DIB, std::string(64, '\0')}}, RECO_DROP, false, 0},
        {"a paste is left to the control",
         {{rtf, redText}, {CF_UNICODETEXT, unicodeText}},
         RECO_PASTE,
         true,
         0},
    };
    EditorDropCallback callback;
    for (const Case& c : cases) {
        for (BOOL really : {FALSE, TRUE}) {
            SCOPED_TRACE(std::string(c.pin) + (really ? ", dropped" : ", dragged over"));
            test::DataObject data(c.formats);
            CLIPFORMAT format = 0;
            const HRESULT answer =
                callback.QueryAcceptData(&data, &format, c.reco, really, nullptr);
            EXPECT_EQ(answer == S_OK, c.accepted);
            EXPECT_EQ(format, c.chosen);
        }
    }
}

// Files in their own encodings, with characters GBK lacks: opened, shown and saved back.
class FileEncodingTest : public FileDropTest {
  protected:
    void open(const std::wstring& path) {
        test::DataObject files = test::fileDrop({path});
        dropDirectly(files);
    }
    std::u16string shown() { return utf16FromDoc(editor().getText()); }
};

TEST_F(FileEncodingTest, EachEncodingOpensIntactAndIsSavedBackByteForByte) {
    const std::u16string text = u"第一章 😀 © • 㐀 𠀀 한글\r\n正文";
    const std::string utf8 = utf8FromUtf16(text);
    const std::string utf16 =
        encodeDocumentFile(docFromUtf16(text), FileEncoding::utf16LittleEndian);
    struct Case {
        const char* pin;
        std::string bytes;
    } cases[] = {
        {"UTF-8", utf8},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8},
        {"UTF-16 little-endian", utf16},
        {"UTF-16 big-endian", encodeDocumentFile(docFromUtf16(text), FileEncoding::utf16BigEndian)},
        {"GBK with four-byte sequences", docFromUtf16(text)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pin);
        const std::wstring original = folder.file(u"original.txt");
        writeBytes(original, c.bytes);
        open(original);
        EXPECT_EQ(shown(), text);
        const std::wstring saved = folder.file(u"saved.txt");
        chooseWithDialog(u"保存", saved);
        EXPECT_EQ(bytesOf(saved), c.bytes);
        open(saved);
        EXPECT_EQ(shown(), text);
    }
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(FileEncodingTest, NewStartsOverAsTheDocumentsOwnBytes) {
    const std::wstring original = folder.file(u"utf8.txt");
    writeBytes(original, "\xEF\xBB\xBF\xE4\xB8\xAD");
    open(original);
    ASSERT_EQ(shown(), u"中");
    ASSERT_TRUE(test::chooseMenuItem(app->window().handle(), u"新建"));
    editor().setText(docFromUtf16(u"中😀"));
    const std::wstring saved = folder.file(u"new.txt");
    chooseWithDialog(u"保存", saved);
    EXPECT_EQ(bytesOf(saved), "\xD6\xD0\x94\x39\xFC\x36");
}

TEST_F(FileEncodingTest, AFileReadOnlyInPartSaysSoAfterOpening) {
    struct Case {
        const char* pin;
        std::string bytes;
        std::u16string shown;
    } cases[] = {
        {"a NUL byte", std::string("\xD6\xD0\0\xCE\xC4", 5), u"中"},
        {"bytes that make no character", "\xD6\xD0\x81 x", u"中?x"},
        {"UTF-16 with an odd last byte", std::string("\xFF\xFE\x2D\x4E\x41", 5), u"中"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pin);
        const std::wstring path = folder.file(u"part.txt");
        writeBytes(path, c.bytes);
        questions.asked.clear();
        open(path);
        EXPECT_EQ(shown(), c.shown);
        EXPECT_EQ(caption(), u"Wendrill" + wide(path)) << "opened as any file";
        EXPECT_EQ(app->document().savedFlag, 1);
        EXPECT_EQ(askedTexts(),
                  std::vector<std::u16string>{
                      u"文件中有无法识别的字节或空字符，只读入了能识别的部分：" + wide(path)});
        EXPECT_EQ(questions.asked.at(0).style, kWarning);
    }
}

TEST(DropTargetTest, EachAdmittedKindRaisesItsOwnEvent) {
    const auto link = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocator"));
    const auto html = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"HTML Format"));
    const std::vector<std::wstring> files{L"C:\\a.txt", L"C:\\한글\\😀.txt"};
    struct Case {
        const char* pin;
        test::DataObject data;
        DropKind kind;
        DocText text;
        std::vector<std::wstring> paths;
    } cases[] = {
        {"text", test::textDrop("some text"), DropKind::text, "some text", {}},
        {"a link",
         test::DataObject(link, std::string("https://example.com/", 21)),
         DropKind::link,
         "https://example.com/",
         {}},
        {"HTML",
         test::DataObject(html, std::string("<b>x</b>", 9)),
         DropKind::html,
         "<b>x</b>",
         {}},
        {"files, wide and in order", test::fileDrop(files), DropKind::files, "", files},
    };
    for (Case& c : cases) {
        DropTarget target;
        std::vector<DropKind> raised;
        DocText text;
        std::vector<std::wstring> paths;
        for (DropKind kind : {DropKind::text, DropKind::link, DropKind::html}) {
            target.setAccepts(kind, true);
            target.onDropped(kind, [&, kind](const DocText& dropped) {
                raised.push_back(kind);
                text = dropped;
            });
        }
        target.setAccepts(DropKind::files, true);
        target.onFilesDropped([&](const std::vector<std::wstring>& dropped) {
            raised.push_back(DropKind::files);
            paths = dropped;
        });
        DWORD effect = DROPEFFECT_COPY;
        target.DragEnter(&c.data, MK_LBUTTON, {}, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY)) << c.pin;
        effect = DROPEFFECT_COPY;
        target.Drop(&c.data, 0, {}, &effect);
        EXPECT_EQ(raised, std::vector<DropKind>{c.kind}) << c.pin;
        EXPECT_EQ(text, c.text) << c.pin;
        EXPECT_EQ(paths, c.paths) << c.pin;
    }
}

TEST_F(FileDropTest, TheTargetIsBoundOnce) {
    EXPECT_FALSE(app->dropTarget().bindDropWindow(app->window().dropPad()));
    DropTarget unbound;
    EXPECT_TRUE(unbound.bindDropWindow(app->window().searchEdit()));
    EXPECT_FALSE(unbound.bindDropWindow(app->window().searchButton()));
}

}  // namespace
}  // namespace wendrill
