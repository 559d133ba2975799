#pragma once
// The arguments of a command line, taken as code page 936 bytes. Double quotes group an
// argument; backslashes are ordinary bytes and nothing is escaped.

#include <string_view>
#include <vector>

#include "text/doc_text.h"

namespace wendrill {

// The arguments after the program path, in order; a quoted argument may be empty.
std::vector<DocText> splitCommandLine(std::string_view commandLine);

}  // namespace wendrill
