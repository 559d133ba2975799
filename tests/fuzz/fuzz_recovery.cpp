// libFuzzer target of the recovery files: whatever bytes a damaged file holds, reading it never
// goes wrong, and what is read as a document is exactly what writing that document gives.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "files/recovery_file.h"
#include "text/utf8.h"

namespace wendrill::fuzz {
namespace {

void require(bool holds) {
    if (!holds) std::abort();
}

constexpr FileEncoding kEncodings[] = {FileEncoding::documentCodePage, FileEncoding::utf8,
                                       FileEncoding::utf8WithMark, FileEncoding::utf16LittleEndian,
                                       FileEncoding::utf16BigEndian};

// A document made of the bytes: the first picks the encoding, the path runs to the first '|'
// (without the control characters no path has), the text is the rest (without NULs).
RecoveryRecord recordOf(std::string_view bytes) {
    RecoveryRecord record;
    record.encoding = kEncodings[static_cast<uint8_t>(bytes.front()) % std::size(kEncodings)];
    bytes.remove_prefix(1);
    const size_t bar = std::min(bytes.find('|'), bytes.size());
    std::string path;
    for (const char c : bytes.substr(0, bar)) {
        if (static_cast<uint8_t>(c) >= 0x20) path += c;
    }
    record.path = utf16FromUtf8(path);
    for (const char c : bytes.substr(std::min(bar + 1, bytes.size()))) {
        if (c != '\0') record.text += c;
    }
    return record;
}

void checkRecoveryFile(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto record = parseRecoveryFile(bytes)) require(formatRecoveryFile(*record) == bytes);
    if (const auto owner = recoveryFileOwner(bytes)) require(recoveryFileName(*owner) == bytes);
    if (bytes.empty()) return;

    const RecoveryRecord record = recordOf(bytes);
    const std::string file = formatRecoveryFile(record);
    const auto back = parseRecoveryFile(file);
    require(back && back->path == record.path && back->encoding == record.encoding &&
            back->text == record.text);
    // However much of the end a crash or a full disk cut off, nothing is read.
    const size_t cut = 1 + static_cast<uint8_t>(bytes.front()) % file.size();
    require(!parseRecoveryFile(std::string_view(file).substr(0, file.size() - cut)));
}

}  // namespace
}  // namespace wendrill::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    wendrill::fuzz::WENDRILL_FUZZ_CHECK(data, size);
    return 0;
}
