#include "files/document_encoding.h"

#include <algorithm>
#include <utility>

#include "text/code_page.h"
#include "text/surrogates.h"
#include "text/utf8.h"

namespace wendrill {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::u16string utf16FromBytes(std::string_view bytes, bool bigEndian) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return text;
}

std::string bytesFromUtf16(std::u16string_view text, bool bigEndian) {
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto high = static_cast<char>(text[i] >> 8);
        const auto low = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i] = bigEndian ? high : low;
        bytes[2 * i + 1] = bigEndian ? low : high;
    }
    return bytes;
}

bool hasLoneSurrogate(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            ++i;
        } else if (isSurrogate(unit)) {
            return true;
        }
    }
    return false;
}

// The text up to its first NUL character; true if there was one.
template <class Text>
bool cutAtNul(Text& text) {
    const size_t nul = text.find(typename Text::value_type{0});
    if (nul == Text::npos) return false;
    text.resize(nul);
    return true;
}

DocumentFile fromUnicode(std::u16string text, FileEncoding encoding, bool unreadable) {
    const bool cut = cutAtNul(text);
    return {docFromUtf16(text), encoding, cut || unreadable};
}

}  // namespace

FileEncoding detectEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return FileEncoding::utf8WithMark;
    if (bytes.starts_with(kUtf16LittleEndianMark)) return FileEncoding::utf16LittleEndian;
    if (bytes.starts_with(kUtf16BigEndianMark)) return FileEncoding::utf16BigEndian;
    if (!isAscii(bytes) && isStrictUtf8(bytes)) return FileEncoding::utf8;
    return FileEncoding::documentCodePage;
}

DocumentFile decodeDocumentFile(std::string file) {
    std::string_view bytes = file;
    const FileEncoding encoding = detectEncoding(bytes);
    switch (encoding) {
        case FileEncoding::utf8:
        case FileEncoding::utf8WithMark: {
            if (encoding == FileEncoding::utf8WithMark) bytes.remove_prefix(kUtf8Mark.size());
            return fromUnicode(utf16FromUtf8(bytes), encoding, !isStrictUtf8(bytes));
        }
        case FileEncoding::utf16LittleEndian:
        case FileEncoding::utf16BigEndian: {
            bytes.remove_prefix(kUtf16LittleEndianMark.size());
            std::u16string text =
                utf16FromBytes(bytes, encoding == FileEncoding::utf16BigEndian);
            const bool unreadable = bytes.size() % 2 != 0 || hasLoneSurrogate(text);
            return fromUnicode(std::move(text), encoding, unreadable);
        }
        case FileEncoding::documentCodePage:
            break;
    }
    DocText text = std::move(file);
    const bool cut = cutAtNul(text);
    const bool unreadable = !isDecodable(text);
    return {std::move(text), encoding, cut || unreadable};
}

std::string encodeDocumentFile(DocText text, FileEncoding encoding) {
    switch (encoding) {
        case FileEncoding::utf8:
            return utf8FromUtf16(utf16FromDoc(text));
        case FileEncoding::utf8WithMark:
            return std::string(kUtf8Mark) + utf8FromUtf16(utf16FromDoc(text));
        case FileEncoding::utf16LittleEndian:
            return std::string(kUtf16LittleEndianMark) + bytesFromUtf16(utf16FromDoc(text), false);
        case FileEncoding::utf16BigEndian:
            return std::string(kUtf16BigEndianMark) + bytesFromUtf16(utf16FromDoc(text), true);
        case FileEncoding::documentCodePage:
            break;
    }
    return text;
}

}  // namespace wendrill
