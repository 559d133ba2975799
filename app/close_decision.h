#pragma once
// Whether a close request asks "是否保存文章？", and whether the window then closes.

namespace wendrill {

struct CloseInputs {
    bool textEmpty = false;
    bool modified = false;
    bool textEqualsSaved = false;  // byte for byte; no saved text counts as the empty one
    int savedFlag = 0;
};

// The saved flag recomputed for this request: an empty or unmodified text counts as saved, but a
// text that differs from the saved one never does, even an empty one. 0 means: ask.
int savedFlagOnClose(const CloseInputs& inputs);

// After the question: only a Yes whose Save did not save (its dialog cancelled) keeps the window.
bool closesAfterQuestion(bool answeredYes, int savedFlagAfterSave);

}  // namespace wendrill
