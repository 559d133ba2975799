#include "editor/rich_stream.h"

#include <richedit.h>

#include <cstring>

#include "editor/codepage.h"

namespace wendrill {
namespace {

// Plain text in code page 936; the control converts, so it never depends on the ANSI code page.
constexpr WPARAM kPlainDocText = SF_TEXT | SF_USECODEPAGE | (WPARAM{kDocumentCodePage} << 16);

struct InStream {
    std::string_view text;
    size_t next = 0;
};

// The control converts each chunk on its own, so a chunk must not end between the two bytes of
// a character (that character would come out as "?") nor between the CR and the LF of a line
// break (that would make two breaks).
size_t chunkEnd(std::string_view text, size_t begin, size_t end) {
    if (end >= text.size()) return text.size();
    if (end - begin > 1 && text[end - 1] == '\r' && text[end] == '\n') --end;
    size_t runStart = end;
    while (runStart > begin && static_cast<unsigned char>(text[runStart - 1]) >= 0x80) --runStart;
    const bool endsOnLeadByte = (end - runStart) % 2 == 1;
    return endsOnLeadByte && end - begin > 1 ? end - 1 : end;
}

DWORD CALLBACK readChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto& in = *reinterpret_cast<InStream*>(cookie);
    const size_t end = chunkEnd(in.text, in.next, in.next + static_cast<size_t>(wanted));
    const size_t count = end - in.next;
    std::memcpy(buffer, in.text.data() + in.next, count);
    in.next = end;
    *given = static_cast<LONG>(count);
    return 0;
}

struct OutStream {
    DocText text;
    const std::function<bool()>& interrupted;
    bool stopped = false;
};

DWORD CALLBACK writeChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
    auto& out = *reinterpret_cast<OutStream*>(cookie);
    out.text.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(count));
    *taken = count;
    out.stopped = out.interrupted && out.interrupted();
    return out.stopped ? 1 : 0;  // any other value than 0 ends the stream
}

}  // namespace

void streamIn(HWND control, std::string_view text, WPARAM extraFlags) {
    InStream in{text};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&in), 0, readChunk};
    SendMessageW(control, EM_STREAMIN, kPlainDocText | extraFlags,
                 reinterpret_cast<LPARAM>(&stream));
}

DocText streamOut(HWND control, WPARAM extraFlags) {
    return *streamOut(control, extraFlags, {});
}

std::optional<DocText> streamOut(HWND control, WPARAM extraFlags,
                                 const std::function<bool()>& interrupted) {
    OutStream out{{}, interrupted};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, writeChunk};
    SendMessageW(control, EM_STREAMOUT, kPlainDocText | extraFlags,
                 reinterpret_cast<LPARAM>(&stream));
    if (out.stopped) return std::nullopt;
    return std::move(out.text);
}

}  // namespace wendrill
