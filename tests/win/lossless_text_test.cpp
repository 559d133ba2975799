// Characters GBK lacks, on the real control: they cross every boundary and survive every command.
// The document code page itself is compared here with the platform's code page 936.

#include <gtest/gtest.h>

#include <string>

#include "editor/clipboard.h"
#include "editor/editor.h"
#include "tests/win/app_fixture.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/gbk.h"
#include "text/code_page.h"

namespace wendrill {
namespace {

constexpr UINT kGbk = 936;
constexpr std::u16string_view kSample = u"😀 © • 㐀 𠀀 한글";

std::u16string shown(const DocText& text) { return utf16FromDoc(text); }
DocText doc(std::u16string_view text) { return docFromUtf16(text); }

std::string platformGbk(std::u16string_view text, bool* lacking) {
    char bytes[8] = {};
    BOOL usedDefault = FALSE;
    const int count = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS,
                                          reinterpret_cast<const wchar_t*>(text.data()),
                                          static_cast<int>(text.size()), bytes, sizeof bytes,
                                          nullptr, &usedDefault);
    *lacking = usedDefault != FALSE || count <= 0;
    return std::string(bytes, static_cast<size_t>(count > 0 ? count : 0));
}

std::u16string platformUtf16(const std::string& bytes) {
    wchar_t units[4] = {};
    const int count = MultiByteToWideChar(kGbk, 0, bytes.data(), static_cast<int>(bytes.size()),
                                          units, 4);
    return std::u16string(reinterpret_cast<const char16_t*>(units),
                          static_cast<size_t>(count > 0 ? count : 0));
}

TEST(PlatformCodePageTest, EveryCharacterGbkHasKeepsThePlatformsBytes) {
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const std::u16string character(1, static_cast<char16_t>(c));
        bool lacking = false;
        const std::string platform = platformGbk(character, &lacking);
        const DocText ours = doc(character);
        if (lacking) {
            ASSERT_EQ(ours.size(), 4u) << std::hex << static_cast<uint32_t>(c);
        } else {
            ASSERT_EQ(ours, platform) << std::hex << static_cast<uint32_t>(c);
        }
    }
}

TEST(PlatformCodePageTest, EveryGbkCodeReadsAsThePlatformReadsIt) {
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        const std::string single(1, static_cast<char>(lead));
        if (lead == 0x80 || lead == 0xFF) {
            EXPECT_EQ(shown(single), platformUtf16(single));
        }
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F || lead == 0x80 || lead == 0xFF) continue;
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_EQ(shown(code), platformUtf16(code)) << std::hex << lead << trail;
        }
    }
}

using LosslessEditorTest = test::EditorFixture;

TEST_F(LosslessEditorTest, CharactersGbkLacksCrossEveryBoundaryOfTheControl) {
    const std::u16string sample = std::u16string(kSample) + u"\r\n第二行";
    editor.setText(doc(sample));
    EXPECT_EQ(shown(editor.getText()), sample);
    EXPECT_EQ(shown(editor.lineText(0)), std::u16string(kSample) + u"\r");
    EXPECT_EQ(editor.textLength(), 18) << "😀 and 𠀀 take two positions each";

    editor.setSelectionStart(0);
    editor.setSelectionLength(2);
    EXPECT_EQ(shown(editor.getSelectedText()), u"😀");
    editor.setSelectedText(doc(u"𠀀"));
    EXPECT_EQ(shown(editor.getText()), u"𠀀" + sample.substr(2));

    ASSERT_TRUE(setClipboardText(nullptr, doc(kSample)));
    EXPECT_EQ(clipboardText(), doc(kSample));
    editor.setSelectionLength(-1);
    editor.pasteFromClipboard();
    EXPECT_EQ(shown(editor.getText()), kSample);
}

TEST_F(LosslessEditorTest, ALongTextStreamsInWithoutSplittingACharacter) {
    // Lines of changing length put surrogate pairs, four-byte sequences and CR LF across the
    // boundaries of the stream's chunks.
    const DocText text = test::longChineseText(4000, "第一章😀 ©•㐀𠀀한글。");
    editor.setText(text);
    EXPECT_EQ(editor.getText(), text);
}

TEST(LosslessClipboardTest, OlderProgramsGetCodePage936AndTheLocale) {
    ASSERT_TRUE(setClipboardText(nullptr, doc(u"中😀©")));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE unicode = GetClipboardData(CF_UNICODETEXT);
    HANDLE ansi = GetClipboardData(CF_TEXT);
    HANDLE locale = GetClipboardData(CF_LOCALE);
    ASSERT_TRUE(unicode && ansi && locale);
    const std::u16string wide(static_cast<const char16_t*>(GlobalLock(unicode)));
    const std::string bytes(static_cast<const char*>(GlobalLock(ansi)));
    const LCID lcid = *static_cast<const LCID*>(GlobalLock(locale));
    GlobalUnlock(unicode);
    GlobalUnlock(ansi);
    GlobalUnlock(locale);
    CloseClipboard();
    EXPECT_EQ(wide, u"中😀©");
    EXPECT_EQ(bytes, "\xD6\xD0??");
    EXPECT_EQ(lcid, 0x0804u);
}

class LosslessCommandsTest : public test::AppFixture {
  protected:
    void SetUp() override { startApp(); }
};

TEST_F(LosslessCommandsTest, EveryCommandKeepsWhatItDoesNotChange) {
    const std::u16string text = u"  😀 ©\r\n\r\n• 㐀\r\n𠀀 한글  \r\n";
    struct Case {
        const char16_t* item;
        int32_t selectionStart, selectionLength;
        std::u16string input;  // what the input box answers
        std::u16string expected;
    } cases[] = {
        {u"删除全部空行", 0, 0, u"", u"  😀 ©\r\n• 㐀\r\n𠀀 한글  \r\n"},
        {u"删除所有行首空格", 0, 0, u"", u"😀 ©\r\n• 㐀\r\n𠀀 한글\r\n"},
        {u"首行缩进", 0, 0, u"",
         u"  😀 ©\r\n    \r\n    • 㐀\r\n    𠀀 한글  \r\n    "},
        {u"段后插入空行", 0, 0, u"", u"  😀 ©\r\n\r\n\r\n\r\n• 㐀\r\n\r\n𠀀 한글  \r\n\r\n"},
        {u"删除同类字符", 5, 1, u"", u"  😀 \r\n\r\n• 㐀\r\n𠀀 한글  \r\n"},
        {u"删除选中段落中的换行符", 0, -1, u"", u"  😀 ©• 㐀𠀀 한글  "},
        {u"替换文字", 0, 0, u"한글 𠀀😀", u"  😀 ©\r\n\r\n• 㐀\r\n𠀀 𠀀😀  \r\n"},
        {u"删除一行", 8, 0, u"", u"  😀 ©\r\n\r\n\r\n𠀀 한글  \r\n"},
        {u"全选并复制到剪贴板", 0, 0, u"", text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(doc(c.item)));
        editor().setText(doc(text));
        select(c.selectionStart, c.selectionLength);
        questions.inputs = {InputAnswer{true, c.input}};
        choose(c.item);
        EXPECT_EQ(shown(editor().getText()), c.expected);
    }
    EXPECT_EQ(clipboardText(), doc(text)) << "F10 put the whole text on the clipboard";
}

TEST_F(LosslessCommandsTest, TextPastedFromAnotherProgramKeepsEveryCharacter) {
    const std::u16string pasted = std::u16string(kSample) + u"\r\n";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(char16_t));
    std::char_traits<char16_t>::copy(static_cast<char16_t*>(GlobalLock(memory)), pasted.c_str(),
                                     pasted.size() + 1);
    GlobalUnlock(memory);
    ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, memory));
    CloseClipboard();

    editor().setText(doc(u"正文"));
    select(2, 0);
    choose(u"粘贴");
    EXPECT_EQ(shown(editor().getText()), u"正文" + pasted);
}

}  // namespace
}  // namespace wendrill
