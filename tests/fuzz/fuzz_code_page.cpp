// libFuzzer targets of the document code page and the file encodings; WENDRILL_FUZZ_CHECK names
// the check this build runs. Each traps when a property fails.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/document_encoding.h"
#include "text/code_page.h"
#include "text/positions.h"
#include "text/utf8.h"

namespace wendrill::fuzz {
namespace {

void require(bool holds) {
    if (!holds) std::abort();
}

// Raw units rarely hit the characters that matter, so each unit takes its high byte from a
// small set: ASCII, Latin, CJK, Hangul, private use, surrogates and the end of the plane.
constexpr char16_t kUnitPages[16] = {0x0000, 0x0000, 0x0000, 0x0100, 0x2000, 0x3000, 0x4E00,
                                     0x9F00, 0xAC00, 0xD800, 0xDC00, 0xD800, 0xE700, 0xE800,
                                     0xF800, 0xFF00};

std::u16string unitsOf(const uint8_t* data, size_t size) {
    std::u16string units;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const bool spelled = (data[i] & 0x80) != 0;
        const auto raw = static_cast<char16_t>(data[i] << 8 | data[i + 1]);
        units += spelled ? static_cast<char16_t>(kUnitPages[data[i] & 0x0F] | data[i + 1]) : raw;
    }
    return units;
}

bool isSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// What docFromUtf16 keeps of a text: its lone surrogates become '?'.
std::u16string withoutLoneSurrogates(std::u16string text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ++i;
        } else if (isSurrogate(text[i])) {
            text[i] = kUnconvertible;
        }
    }
    return text;
}

size_t lineBreaks(std::u16string_view text) {
    size_t count = 0;
    for (size_t at = text.find(u"\r\n"); at != text.npos; at = text.find(u"\r\n", at + 2)) ++count;
    return count;
}

}  // namespace

// Any UTF-16 text goes into the document code page and comes back unchanged.
void checkUtf16RoundTrip(const uint8_t* data, size_t size) {
    const std::u16string text = unitsOf(data, size);
    const std::string bytes = docFromUtf16(text);
    require(utf16FromDoc(bytes) == withoutLoneSurrogates(text));
    require(isDecodable(bytes));
    require(docFromUtf16(utf16FromDoc(bytes)) == bytes);
}

// Any bytes read as document text: read again after one conversion they stay the same; a GBK
// text keeps its bytes; the Editor's positions count the units the control gets.
void checkDocumentBytes(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string text = utf16FromDoc(bytes);
    const std::string written = docFromUtf16(text);
    require(utf16FromDoc(written) == text);
    require(static_cast<size_t>(characterCount(bytes)) == text.size() - lineBreaks(text));
    require(byteOffsetOfPosition(bytes, characterCount(bytes)) == bytes.size());

    std::string gbk;  // the bytes made into GBK characters and ASCII
    for (size_t i = 0; i + 1 < size; i += 2) {
        if (data[i] < 0x80) {
            gbk += static_cast<char>(data[i]);
            continue;
        }
        const int trail = 0x40 + data[i + 1] % 190;
        gbk += static_cast<char>(0x81 + data[i] % 126);
        gbk += static_cast<char>(trail < 0x7F ? trail : trail + 1);
    }
    require(docFromUtf16(utf16FromDoc(gbk)) == gbk);
}

// Any file opens, and a file saved in its encoding opens as the same text (unless its bytes now
// show another encoding: a GBK text cut at a NUL may be UTF-8). Written UTF-8 is always strict.
void checkDocumentFile(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const DocumentFile file = decodeDocumentFile(bytes);
    require(file.text.find('\0') == std::string::npos);
    const DocumentFile again = decodeDocumentFile(encodeDocumentFile(file.text, file.encoding));
    require(again.text == file.text || again.encoding != file.encoding);
    require(isStrictUtf8(utf8FromUtf16(unitsOf(data, size))));
}

}  // namespace wendrill::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    wendrill::fuzz::WENDRILL_FUZZ_CHECK(data, size);
    return 0;
}
