#include "editor/text_reading.h"

#include <richedit.h>

#include "editor/rich_stream.h"

namespace wendrill {

bool readTextInPieces(const Editor& editor, const PieceTaker& take) {
    return streamOutPieces(editor.window(), 0, take);
}

bool readSelectionInPieces(const Editor& editor, const PieceTaker& take) {
    return streamOutPieces(editor.window(), SFF_SELECTION, take);
}

}  // namespace wendrill
