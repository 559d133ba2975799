#pragma once
// The arguments of a command line, taken as the wide text the platform gives. Double quotes
// group an argument; backslashes are ordinary characters and nothing is escaped.

#include <string>
#include <string_view>
#include <vector>

namespace wendrill {

// The arguments after the program path, in order; a quoted argument may be empty.
std::vector<std::u16string> splitCommandLine(std::u16string_view commandLine);

}  // namespace wendrill
