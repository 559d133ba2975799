#include "app/questions.h"

#include <windows.h>

#include <string>

#include "app/ui_text.h"

namespace wendrill {

int PlatformQuestions::messageBox(std::u16string_view text, int style, std::u16string_view title) {
    const std::u16string shownTitle(title.empty() ? u"信息：" : title);
    const std::u16string shownText(text);
    // An owned box disables its owner; without one, task-modal disables every window of the
    // program.
    const UINT modality = owner() ? MB_APPLMODAL : MB_TASKMODAL;
    const int pressed = MessageBoxW(owner(), wideText(shownText), wideText(shownTitle),
                                    static_cast<UINT>(style) | modality);
    // IDOK 1 … IDNO 7 become the codes 0 … 6.
    return pressed > 0 ? pressed - 1 : kAnswerOk;
}

}  // namespace wendrill
