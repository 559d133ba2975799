#include "app/questions.h"

#include <windows.h>

#include <string>

#include "app/ui_text.h"

namespace wendrill {

int PlatformQuestions::messageBox(std::u16string_view text, int style, std::u16string_view title) {
    const std::u16string shownTitle(title.empty() ? u"信息：" : title);
    const std::u16string shownText(text);
    // Task-modal without an owner: every window of the program is disabled while it shows.
    const int pressed = MessageBoxW(nullptr, wideText(shownText), wideText(shownTitle),
                                    static_cast<UINT>(style) | MB_TASKMODAL);
    // IDOK 1 … IDNO 7 become the codes 0 … 6.
    return pressed > 0 ? pressed - 1 : kAnswerOk;
}

}  // namespace wendrill
