// The platform's message box as the program shows it: owner-less, modal for every window of the
// program, titled "信息：" when it has no title, answering with the program's result codes.

#include "app/questions.h"

#include <gtest/gtest.h>

#include <atomic>

#include "tests/win/dialog_driver.h"
#include "tests/win/pump.h"

namespace wendrill {
namespace {

constexpr wchar_t kDefaultTitle[] = L"\u4FE1\u606F\uFF1A";  // 信息：

TEST(QuestionsTest, UntitledBoxIsTitledInformationAndYesIsFive) {
    test::TestWindow window;
    std::atomic<bool> windowEnabled{true};
    PlatformQuestions questions;
    int answer = -1;
    {
        test::BoxDriver driver(kDefaultTitle, [&](HWND box) {
            windowEnabled = IsWindowEnabled(window.handle()) != 0;
            SendMessageW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
        });
        answer = questions.messageBox(u"是否保存当前文章？", kYesNoQuestion, u"");
        EXPECT_NE(driver.box(), nullptr);
    }
    EXPECT_EQ(answer, kAnswerYes);
    EXPECT_FALSE(windowEnabled);  // the program took no input while it showed
    EXPECT_TRUE(IsWindowEnabled(window.handle()));
}

TEST(QuestionsTest, NoAndOkGiveTheirCodes) {
    PlatformQuestions questions;
    struct Case {
        int style;
        int button;
        int code;
    } cases[] = {{kYesNoQuestion, IDNO, kAnswerNo}, {kInformation, IDOK, kAnswerOk}};
    for (const Case& c : cases) {
        test::BoxDriver driver(L"\u63D0\u793A\uFF1A", [&](HWND box) {  // 提示：
            SendMessageW(GetDlgItem(box, c.button), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(questions.messageBox(u"问题", c.style, u"提示："), c.code);
    }
}

}  // namespace
}  // namespace wendrill
