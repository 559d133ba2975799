#pragma once
// Test texts are written in UTF-8 source and turned into document text here, so no test depends
// on the compiler's execution character set.

#include <string>
#include <string_view>

#include "text/code_page.h"
#include "text/utf8.h"

namespace wendrill::test {

inline DocText gbk(std::string_view utf8) { return docFromUtf16(utf16FromUtf8(utf8)); }

// A text of many lines of two-byte characters, long enough to be streamed in several chunks
// with characters across the chunk boundaries.
inline DocText longChineseText(size_t lines,
                               std::string_view lineUtf8 = "第一章　开头，正文甲乙。") {
    const DocText line = gbk(lineUtf8);
    DocText text;
    for (size_t i = 0; i < lines; ++i) {
        text += line;
        text += static_cast<char>('0' + i % 10);  // shifts the character parity line by line
        text += "\r\n";
    }
    return text;
}

}  // namespace wendrill::test
