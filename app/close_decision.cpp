#include "app/close_decision.h"

namespace wendrill {

int savedFlagOnClose(const CloseInputs& inputs) {
    int savedFlag = inputs.savedFlag;
    if (inputs.textEmpty) savedFlag = 1;
    if (!inputs.modified) savedFlag = 1;
    // Last, so that any difference from the saved text asks.
    if (!inputs.textEqualsSaved) savedFlag = 0;
    return savedFlag;
}

bool closesAfterQuestion(bool answeredYes, int savedFlagAfterSave) {
    return !answeredYes || savedFlagAfterSave == 1;
}

}  // namespace wendrill
