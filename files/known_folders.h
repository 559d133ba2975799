#pragma once
// The shell's folders the file commands start in, each ending with a backslash; the empty text
// when the platform names none.

#include <string>

namespace wendrill {

enum class SpecialFolder { documents, temporaryFiles, localApplicationData };

std::wstring specialFolder(SpecialFolder kind);

}  // namespace wendrill
