#include "editor/rich_stream.h"

#include <richedit.h>

#include <cstring>
#include <new>
#include <string>

#include "text/code_page.h"

namespace wendrill {
namespace {

// UTF-16 converted here: the control's own conversion would write "?" for every character code
// page 936 lacks.
constexpr WPARAM kPlainUtf16 = SF_TEXT | SF_UNICODE;

struct InStream {
    std::u16string_view text;
    size_t next = 0;
};

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// The control takes each chunk on its own, so a chunk must not end between the two units of a
// surrogate pair nor between the CR and the LF of a line break (that would make two breaks).
size_t chunkEnd(std::u16string_view text, size_t begin, size_t end) {
    if (end >= text.size()) return text.size();
    const char16_t last = text[end - 1];
    const bool splitsBreak = last == u'\r' && text[end] == u'\n';
    return end - begin > 1 && (splitsBreak || isHighSurrogate(last)) ? end - 1 : end;
}

DWORD CALLBACK readChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto& in = *reinterpret_cast<InStream*>(cookie);
    const size_t units = static_cast<size_t>(wanted) / sizeof(char16_t);
    const size_t end = chunkEnd(in.text, in.next, in.next + units);
    const size_t count = end - in.next;
    std::memcpy(buffer, in.text.data() + in.next, count * sizeof(char16_t));
    in.next = end;
    *given = static_cast<LONG>(count * sizeof(char16_t));
    return 0;
}

// Any other value ends the stream; the control hands it back in the stream's dwError.
constexpr DWORD kOutOfMemory = ERROR_NOT_ENOUGH_MEMORY;

// No exception may pass through the control: a failed allocation ends the stream instead.
DWORD CALLBACK writeChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
    try {
        reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                       static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        *taken = 0;
        return kOutOfMemory;
    }
    *taken = count;
    return 0;
}

struct PieceStream {
    const std::function<bool(std::u16string_view)>& take;
    std::u16string piece;
    bool carriesByte = false;  // the control gave an odd number of bytes: the unit's first half
    char carried = 0;
    bool stopped = false;
};

DWORD CALLBACK writePiece(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
    auto& out = *reinterpret_cast<PieceStream*>(cookie);
    std::string bytes;
    if (out.carriesByte) bytes += out.carried;
    bytes.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(count));
    out.piece.resize(bytes.size() / sizeof(char16_t));
    std::memcpy(out.piece.data(), bytes.data(), out.piece.size() * sizeof(char16_t));
    out.carriesByte = bytes.size() % sizeof(char16_t) != 0;
    if (out.carriesByte) out.carried = bytes.back();
    *taken = count;
    out.stopped = !out.take(out.piece);
    return out.stopped ? 1 : 0;  // any other value than 0 ends the stream
}

}  // namespace

bool streamIn(HWND control, std::string_view text, WPARAM extraFlags) {
    const std::u16string utf16 = utf16FromDoc(text);
    InStream in{utf16};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&in), 0, readChunk};
    SendMessageW(control, EM_STREAMIN, kPlainUtf16 | extraFlags,
                 reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0 && in.next == utf16.size();
}

DocText streamOut(HWND control, WPARAM extraFlags) {
    std::string bytes;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&bytes), 0, writeChunk};
    SendMessageW(control, EM_STREAMOUT, kPlainUtf16 | extraFlags,
                 reinterpret_cast<LPARAM>(&stream));
    // Half a text must never pass for the document: the failure goes on to the command.
    if (stream.dwError == kOutOfMemory) throw std::bad_alloc();
    std::u16string utf16(bytes.size() / sizeof(char16_t), u'\0');
    std::memcpy(utf16.data(), bytes.data(), utf16.size() * sizeof(char16_t));
    return docFromUtf16(utf16);
}

bool streamOutPieces(HWND control, WPARAM extraFlags,
                     const std::function<bool(std::u16string_view)>& take) {
    PieceStream out{take, {}};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, writePiece};
    SendMessageW(control, EM_STREAMOUT, kPlainUtf16 | extraFlags,
                 reinterpret_cast<LPARAM>(&stream));
    return !out.stopped;
}

}  // namespace wendrill
