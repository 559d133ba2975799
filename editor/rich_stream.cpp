#include "editor/rich_stream.h"

#include <richedit.h>

#include <cstring>
#include <new>
#include <string>

#include "text/code_page.h"
#include "text/surrogates.h"

namespace wendrill {
namespace {

// UTF-16 converted here: the control's own conversion would write "?" for every character code
// page 936 lacks.
constexpr WPARAM kPlainUtf16 = SF_TEXT | SF_UNICODE;

struct InStream {
    std::u16string_view text;
    size_t next = 0;
};

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

// The control gives out bytes, and a call may end between the two bytes of a unit.
struct Utf16Out {
    std::u16string units;
    bool carriesByte = false;  // the first half of a unit the next call completes
    unsigned char carried = 0;

    void append(const BYTE* bytes, size_t count) {
        if (count > 0 && carriesByte) {
            const unsigned char pair[2] = {carried, bytes[0]};
            char16_t unit;
            std::memcpy(&unit, pair, sizeof unit);
            units.push_back(unit);
            carriesByte = false;
            ++bytes;
            --count;
        }
        const size_t at = units.size();
        units.resize(at + count / sizeof(char16_t));
        std::memcpy(units.data() + at, bytes, (units.size() - at) * sizeof(char16_t));
        carriesByte = count % sizeof(char16_t) != 0;
        if (carriesByte) carried = bytes[count - 1];
    }
};

// No exception may pass through the control: a failed allocation ends the stream instead.
DWORD CALLBACK writeChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
    try {
        reinterpret_cast<Utf16Out*>(cookie)->append(buffer, static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        *taken = 0;
        return kOutOfMemory;
    }
    *taken = count;
    return 0;
}

struct PieceStream {
    const std::function<bool(std::u16string_view)>& take;
    Utf16Out piece;
    bool stopped = false;
};

DWORD CALLBACK writePiece(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
    auto& out = *reinterpret_cast<PieceStream*>(cookie);
    out.piece.units.clear();
    out.piece.append(buffer, static_cast<size_t>(count));
    *taken = count;
    out.stopped = !out.take(out.piece.units);
    return out.stopped ? 1 : 0;  // any other value than 0 ends the stream
}

// What the whole text streams out to, in UTF-16 units with CR LF breaks, so that it is read
// into room made once.
size_t wholeTextUnits(HWND control) {
    GETTEXTLENGTHEX how{GTL_USECRLF | GTL_NUMCHARS, 1200};
    const LRESULT units =
        SendMessageW(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
    return units > 0 ? static_cast<size_t>(units) : 0;
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
    Utf16Out out;
    if ((extraFlags & SFF_SELECTION) == 0) out.units.reserve(wholeTextUnits(control));
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, writeChunk};
    SendMessageW(control, EM_STREAMOUT, kPlainUtf16 | extraFlags,
                 reinterpret_cast<LPARAM>(&stream));
    // Half a text must never pass for the document: the failure goes on to the command.
    if (stream.dwError == kOutOfMemory) throw std::bad_alloc();
    return docFromUtf16(out.units);
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
