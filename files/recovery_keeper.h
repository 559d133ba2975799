#pragma once
// Keeps the unsaved document in this program's recovery file (files/recovery_file.h) and finds
// the files that crashed programs left behind. The writing is done by a thread of its own, one
// write at a time, so the window only waits for the text to be read.

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "files/recovery_file.h"

namespace wendrill {

// %LOCALAPPDATA%\Wendrill\recovery\, or the empty text when the platform names no such folder.
std::wstring recoveryFolder();

class RecoveryKeeper {
  public:
    // The document as it is now, or nothing when it has no unsaved changes.
    using Snapshot = std::function<std::optional<RecoveryRecord>()>;

    // folder ends with a backslash; with an empty one nothing is ever kept or found.
    explicit RecoveryKeeper(std::wstring folder);
    ~RecoveryKeeper();
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    // window: whose timer waits for typing to pause.
    void attach(HWND window, Snapshot snapshot);
    // The text may have changed; it is read and written once typing pauses.
    void noteChange();
    // Reads the document now and hands it to the writing thread (what the timer does).
    void keepNow();
    // The document was saved or given up: the file goes.
    void discard();
    // A clean exit: the file goes, and the writing thread ends.
    void stop();

    struct Found {
        std::wstring file;
        RecoveryRecord record;
    };
    // The document of the most recently started program that no longer runs.
    std::optional<Found> findRecoverable() const;
    // The found document is this program's now: its file becomes this program's file.
    void adopt(const Found& found);
    void remove(const Found& found) const;

    std::wstring ownFile() const { return ownFile_; }
    // Until every write and removal handed over so far is done.
    void waitUntilIdle();

  private:
    struct Job {
        std::optional<RecoveryRecord> record;  // nothing: remove the file
    };
    static void CALLBACK timerFired(HWND window, UINT message, UINT_PTR id, DWORD time);
    void onTimer();
    void setTimer(int64_t ms);
    void killTimer();
    void hand(Job job);
    void work();
    void run(const Job& job) const;

    std::wstring folder_;
    std::wstring ownFile_;
    HWND window_ = nullptr;
    Snapshot snapshot_;
    bool timerSet_ = false;
    int64_t firstChange_ = 0;  // of the changes not yet written
    int64_t lastChange_ = 0;
    bool fileMayExist_ = false;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<Job> pending_;  // only the latest counts
    bool busy_ = false;
    bool quit_ = false;
    std::thread writer_;
};

}  // namespace wendrill
