#pragma once
// The shell's folders the file commands start in, as code page 936 texts that always end with a
// backslash; the empty text when the platform names none.

#include "text/doc_text.h"

namespace wendrill {

enum class SpecialFolder { documents, temporaryFiles, localApplicationData };

DocText specialFolder(SpecialFolder kind);

}  // namespace wendrill
