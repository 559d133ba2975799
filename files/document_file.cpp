#include "files/document_file.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "editor/codepage.h"

namespace wendrill {
namespace {

// Large writes go in pieces: one WriteFile call takes at most a DWORD's worth.
constexpr size_t kWriteChunk = size_t{1} << 24;
constexpr wchar_t kTemporaryPrefix[] = L"wdr";

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle fileHandle(HANDLE file) {
    return FileHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

FileHandle openForReading(std::string_view path) {
    const std::wstring widePath = wideFromDoc(path);
    if (widePath.empty()) return nullptr;
    // Others may read along, but a file someone is writing to is not ours to read.
    return fileHandle(CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

// A new file beside the target that is deleted again unless it has taken the target's place.
class SiblingFile {
  public:
    explicit SiblingFile(const std::wstring& target) {
        wchar_t name[MAX_PATH] = {};
        // The platform picks a free name and creates the file, so it is ours alone.
        if (GetTempFileNameW(folderOf(target).c_str(), kTemporaryPrefix, 0, name) != 0) {
            path_ = name;
        }
    }
    ~SiblingFile() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;

    // The bytes, flushed to the disk and closed.
    bool write(std::string_view bytes) const {
        if (path_.empty()) return false;
        FileHandle file =
            fileHandle(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !writeAll(file.get(), bytes) || !FlushFileBuffers(file.get())) return false;
        return CloseHandle(file.release()) != 0;
    }

    // One rename: afterwards the target is either the old file or the new one, never a part.
    bool replace(const std::wstring& target) {
        if (!MoveFileExW(path_.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return false;
        }
        path_.clear();
        return true;
    }

  private:
    std::wstring path_;
};

// Renaming over a read-only file is refused on Windows but done by Wine; it is refused here.
bool isReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace

std::string readWholeFile(std::string_view path) {
    FileHandle file = openForReading(path);
    if (!file) return {};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestDocumentBytes) return {};
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return {};
    }
    bytes.resize(read);
    return bytes;
}

DocumentFile readDocumentFile(std::string_view path) {
    return decodeDocumentFile(readWholeFile(path));
}

bool isTooLargeToOpen(std::string_view path) {
    const std::wstring widePath = wideFromDoc(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (widePath.empty() || !GetFileAttributesExW(widePath.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    const int64_t size = (int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    return size > kLargestDocumentBytes;
}

bool writeWholeFile(std::string_view path, std::string_view bytes) {
    const std::wstring target = wideFromDoc(path);
    if (target.empty() || isReadOnly(target)) return false;
    SiblingFile sibling(target);
    return sibling.write(bytes) && sibling.replace(target);
}

}  // namespace wendrill
