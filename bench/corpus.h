#pragma once
// A made-up GBK novel for benchmarks: the same seed and size give the same bytes everywhere.

#include <cstddef>
#include <cstdint>
#include <string>

namespace wendrill {

// Paragraphs of Chinese prose joined by CR LF, with the indentation, blank lines, lines of
// spaces and trailing spaces real documents have. Exactly `bytes` long, never ending inside a
// character.
std::string makeNovelCorpus(size_t bytes, uint32_t seed);

}  // namespace wendrill
