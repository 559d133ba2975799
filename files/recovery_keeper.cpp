#include "files/recovery_keeper.h"

#include <shlobj.h>

#include <memory>
#include <new>
#include <system_error>
#include <vector>

#include "editor/codepage.h"
#include "files/document_file.h"
#include "files/known_folders.h"

// Failures here are not reported: a recovery file that cannot be written or removed costs only
// the copy, and the document in the window is untouched either way.

namespace wendrill {
namespace {

constexpr wchar_t kRecoveryFolder[] = L"Wendrill\\recovery\\";
constexpr wchar_t kRecoveryPattern[] = L"wendrill-*.recovery";

uint64_t fileTimeValue(const FILETIME& time) {
    return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

std::optional<uint64_t> creationTime(HANDLE process) {
    FILETIME creation{}, exit{}, kernel{}, user{};
    if (!GetProcessTimes(process, &creation, &exit, &kernel, &user)) return std::nullopt;
    return fileTimeValue(creation);
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ProcessHandle = std::unique_ptr<void, HandleCloser>;

// A process that exists but may not be looked at, or whose start cannot be read, counts as
// running: a file of a window that is still open is never offered to another.
bool isRunning(RecoveryOwner owner) {
    ProcessHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, owner.processId));
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    const auto started = creationTime(process.get());
    if (!started) return true;
    // A process that has ended stays known while someone holds a handle to it.
    return *started == owner.creationTime && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

RecoveryOwner thisProgram() {
    return RecoveryOwner{GetCurrentProcessId(), creationTime(GetCurrentProcess()).value_or(0)};
}

// The names of the files that look like recovery files; only plain ASCII names can be.
std::vector<std::string> candidateNames(const std::wstring& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + kRecoveryPattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring_view name = found.cFileName;
        std::string ascii;
        for (const wchar_t c : name) {
            if (c > 0x7F) break;
            ascii += static_cast<char>(c);
        }
        if (ascii.size() == name.size() &&
            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(std::move(ascii));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

int64_t now() { return static_cast<int64_t>(GetTickCount64()); }

}  // namespace

std::wstring recoveryFolder() {
    const std::wstring base = specialFolder(SpecialFolder::localApplicationData);
    return base.empty() ? std::wstring() : base + kRecoveryFolder;
}

RecoveryKeeper::RecoveryKeeper(std::wstring folder) : folder_(std::move(folder)) {
    if (!folder_.empty()) {
        const std::string name = recoveryFileName(thisProgram());
        ownFile_ = folder_ + std::wstring(name.begin(), name.end());
    }
}

RecoveryKeeper::~RecoveryKeeper() { stop(); }

void RecoveryKeeper::attach(HWND window, Snapshot snapshot) {
    window_ = window;
    snapshot_ = std::move(snapshot);
}

void RecoveryKeeper::noteChange() {
    if (ownFile_.empty() || !window_) return;
    lastChange_ = now();
    if (timerSet_) return;
    firstChange_ = lastChange_;
    setTimer(kRecoveryPauseMs);
}

void RecoveryKeeper::discard() {
    killTimer();
    if (fileMayExist_) hand(Job{});
    fileMayExist_ = false;
}

void RecoveryKeeper::stop() {
    discard();
    window_ = nullptr;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    if (writer_.joinable()) writer_.join();
}

std::optional<RecoveryKeeper::Found> RecoveryKeeper::findRecoverable() const {
    if (folder_.empty()) return std::nullopt;
    for (const std::string& name : recoveryFilesToOffer(candidateNames(folder_), isRunning)) {
        const std::wstring file = folder_ + std::wstring(name.begin(), name.end());
        if (auto record = parseRecoveryFile(readWholeFile(file))) {
            return Found{file, std::move(*record)};
        }
    }
    return std::nullopt;
}

void RecoveryKeeper::adopt(const Found& found) {
    // If another program took it first, this one still writes its own once the timer fires.
    if (MoveFileExW(found.file.c_str(), ownFile_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        fileMayExist_ = true;
    }
}

void RecoveryKeeper::remove(const Found& found) const { DeleteFileW(found.file.c_str()); }

void RecoveryKeeper::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !busy_; });
}

// The timer's id is the keeper itself, so the callback finds it without any global table.
void CALLBACK RecoveryKeeper::timerFired(HWND, UINT, UINT_PTR id, DWORD) {
    try {
        reinterpret_cast<RecoveryKeeper*>(id)->onTimer();
    } catch (const std::bad_alloc&) {
        // No memory for a copy of the text: the document is kept at the next change.
    }
}

void RecoveryKeeper::setTimer(int64_t ms) {
    timerSet_ = SetTimer(window_, reinterpret_cast<UINT_PTR>(this), static_cast<UINT>(ms),
                         &RecoveryKeeper::timerFired) != 0;
}

void RecoveryKeeper::killTimer() {
    if (timerSet_) KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
    timerSet_ = false;
}

void RecoveryKeeper::onTimer() {
    killTimer();
    const int64_t wait = msUntilRecoveryWrite(firstChange_, lastChange_, now());
    if (wait > 0) {
        setTimer(wait);
        return;
    }
    keepNow();
}

void RecoveryKeeper::keepNow() {
    killTimer();
    std::optional<RecoveryRecord> record = snapshot_ ? snapshot_() : std::nullopt;
    if (!record) {
        discard();
        return;
    }
    fileMayExist_ = true;
    hand(Job{std::move(record)});
}

void RecoveryKeeper::hand(Job job) {
    {
        std::lock_guard lock(mutex_);
        pending_ = std::move(job);
        try {
            if (!writer_.joinable()) writer_ = std::thread([this] { work(); });
        } catch (const std::system_error&) {
            pending_.reset();  // no thread to write with: nothing is kept
        }
    }
    wake_.notify_one();
}

void RecoveryKeeper::work() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return pending_ || quit_; });
            if (!pending_) return;
            job = std::move(*pending_);
            pending_.reset();
            busy_ = true;
        }
        try {
            run(job);
        } catch (const std::bad_alloc&) {
            // The file stays as it was; the next change tries again.
        }
        {
            std::lock_guard lock(mutex_);
            busy_ = false;
        }
        idle_.notify_all();
    }
}

void RecoveryKeeper::run(const Job& job) const {
    if (!job.record) {
        DeleteFileW(ownFile_.c_str());
        return;
    }
    SHCreateDirectoryExW(nullptr, folder_.c_str(), nullptr);
    writeWholeFile(ownFile_, formatRecoveryFile(*job.record));
}

}  // namespace wendrill
