#include "files/document_file.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <string>
#include <utility>


namespace wendrill {
namespace {

// Large writes go in pieces: one WriteFile call takes at most a DWORD's worth.
constexpr size_t kWriteChunk = size_t{1} << 24;
constexpr wchar_t kTemporaryPrefix[] = L"~wdr";
constexpr unsigned kNameAttempts = 100;
// A locked target is tried for about half a second in all.
constexpr int kReplaceAttempts = 10;
constexpr DWORD kReplacePauseMs = 50;
// What a replaced file keeps; read-only files are never replaced.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
    FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle fileHandle(HANDLE file) {
    return FileHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

FileHandle openForReading(const std::wstring& path) {
    if (path.empty()) return nullptr;
    // A file another program has open, even for writing, is read as it is now.
    return fileHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool namesNoFile(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Nothing when the file cannot be opened or read to its end.
std::optional<std::string> readAll(const std::wstring& path) {
    FileHandle file = openForReading(path);
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestDocumentBytes) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);  // shorter when another program has cut the file meanwhile
    return bytes;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto piece = static_cast<DWORD>(std::min(bytes.size(), kWriteChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), piece, &written, nullptr) || written != piece) {
            return false;
        }
        bytes.remove_prefix(piece);
    }
    return true;
}

// The folder a path names, with its final backslash, so that "C:\a.txt" gives "C:\" and not
// the current folder of drive C.
std::wstring folderOf(const std::wstring& path) {
    const size_t backslash = path.find_last_of(L'\\');
    return backslash == std::wstring::npos ? L"." : path.substr(0, backslash + 1);
}

// Another program has the file open without letting it be deleted, so it cannot be replaced now.
// Asked first because Wine's replacement leaves a stray file behind each time it is refused.
bool isHeldElsewhere(const std::wstring& path) {
    const FileHandle probe = fileHandle(
        CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe && GetLastError() == ERROR_SHARING_VIOLATION;
}

// Our own name beside the target, not the platform's temporary name, whose buffer holds only
// MAX_PATH characters: a target in a deeper folder saves like any other.
std::wstring siblingName(const std::wstring& target, unsigned attempt) {
    wchar_t name[64] = {};
    swprintf(name, 64, L"%ls%lx-%lx-%x.tmp", kTemporaryPrefix, GetCurrentProcessId(),
             GetTickCount(), attempt);
    return folderOf(target) + name;
}

// A new file beside the target that is deleted again unless it has taken the target's place.
class SiblingFile {
  public:
    explicit SiblingFile(const std::wstring& target) {
        for (unsigned attempt = 0; attempt < kNameAttempts && !file_; ++attempt) {
            const std::wstring name = siblingName(target, attempt);
            // CREATE_NEW: the file is ours alone, never one that was there before.
            file_ = fileHandle(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_) {
                path_ = name;
            } else if (GetLastError() != ERROR_FILE_EXISTS) {
                return;
            }
        }
    }
    ~SiblingFile() {
        file_.reset();
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;

    // The old file's creation time and attributes, which the platform's replacement keeps on
    // Windows but not under Wine, nor the plain rename anywhere. Without them the file is only
    // less like the old one.
    void keep(const WIN32_FILE_ATTRIBUTE_DATA& old) {
        if (!file_) return;
        SetFileTime(file_.get(), &old.ftCreationTime, nullptr, nullptr);
        attributes_ = old.dwFileAttributes & kKeptAttributes;
    }

    // The bytes, flushed to the disk and closed.
    bool write(std::string_view bytes) {
        if (!file_ || !writeAll(file_.get(), bytes) || !FlushFileBuffers(file_.get())) return false;
        if (!CloseHandle(file_.release())) return false;
        if (attributes_ != 0) SetFileAttributesW(path_.c_str(), attributes_);
        return true;
    }

    // Afterwards the target is either the old file or the new one, never a part. The platform's
    // replacement keeps the old file's attributes, permissions and creation time; where it
    // refuses (no old file, a file system without it) one rename does. A target that another
    // program holds for a moment (a virus scanner) is tried again briefly.
    bool replace(const std::wstring& target) {
        for (int attempt = 0;; ++attempt) {
            if (!isHeldElsewhere(target) &&
                (ReplaceFileW(target.c_str(), path_.c_str(), nullptr,
                              REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                              nullptr, nullptr) ||
                 MoveFileExW(path_.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))) {
                path_.clear();
                return true;
            }
            const DWORD error = GetLastError();
            // Windows says "access denied" for a file open elsewhere without delete sharing.
            const bool heldForAMoment =
                error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
            if (!heldForAMoment || attempt + 1 >= kReplaceAttempts) return false;
            Sleep(kReplacePauseMs);
        }
    }

  private:
    std::wstring path_;
    FileHandle file_;
    DWORD attributes_ = 0;
};

// Renaming over a read-only file is refused on Windows but done by Wine, and Wine's replacement
// even puts a file in a folder's place: both are refused here.
bool refusesReplacement(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

}  // namespace

std::string readWholeFile(const std::wstring& path) { return readAll(path).value_or(std::string()); }

std::optional<DocumentFile> readDocumentFile(const std::wstring& path) {
    std::optional<std::string> bytes = readAll(path);
    if (bytes) return decodeDocumentFile(std::move(*bytes));
    if (namesNoFile(path)) return decodeDocumentFile({});
    return std::nullopt;
}

bool isTooLargeToOpen(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    const int64_t size = (int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    return size > kLargestDocumentBytes;
}

bool writeWholeFile(const std::wstring& target, std::string_view bytes) {
    if (target.empty()) return false;
    WIN32_FILE_ATTRIBUTE_DATA old{};
    const bool exists = GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old) != 0;
    if (exists && refusesReplacement(old.dwFileAttributes)) return false;
    SiblingFile sibling(target);
    if (exists) sibling.keep(old);
    return sibling.write(bytes) && sibling.replace(target);
}

}  // namespace wendrill
