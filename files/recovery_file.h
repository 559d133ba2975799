#pragma once
// Recovery files: while a document has unsaved changes, its window keeps a copy of it on disk,
// so that a crash, a power cut or a killed process does not take the chapter along. Each running
// program has its own file, named after its process; the next start offers the files of programs
// that no longer run.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/document_encoding.h"
#include "text/doc_text.h"

namespace wendrill {

// What a recovery file keeps of a document.
struct RecoveryRecord {
    std::u16string path;  // the file the document belongs to; empty for a new document
    FileEncoding encoding = FileEncoding::documentCodePage;
    DocText text;
};

std::string formatRecoveryFile(const RecoveryRecord& record);
// Nothing for bytes that are not exactly what formatRecoveryFile writes: a damaged or cut-off
// file, or one of another kind, is never taken for a document.
std::optional<RecoveryRecord> parseRecoveryFile(std::string_view bytes);

// The process a recovery file belongs to. The creation time tells it apart from a later process
// that the system has given the same id.
struct RecoveryOwner {
    uint32_t processId = 0;
    uint64_t creationTime = 0;
    bool operator==(const RecoveryOwner& other) const = default;
};

std::string recoveryFileName(RecoveryOwner owner);
// Nothing for a name recoveryFileName does not give.
std::optional<RecoveryOwner> recoveryFileOwner(std::string_view name);

// The recovery files among the names found in the folder whose programs no longer run, the most
// recently started program first.
std::vector<std::string> recoveryFilesToOffer(const std::vector<std::string>& names,
                                              const std::function<bool(RecoveryOwner)>& isRunning);

// A document is written once typing has paused, and no later than kLatestRecoveryWrite after the
// first change not yet written, so that continuous typing is kept too.
inline constexpr int64_t kRecoveryPauseMs = 1000;
inline constexpr int64_t kLatestRecoveryWriteMs = 5000;

// Milliseconds from now until the write, 0 for at once; times are in milliseconds.
int64_t msUntilRecoveryWrite(int64_t firstChange, int64_t lastChange, int64_t now);

}  // namespace wendrill
