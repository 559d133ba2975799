#include "files/document_file.h"

#include <windows.h>

#include <memory>

#include "editor/codepage.h"

namespace wendrill {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle openForReading(std::string_view path) {
    const std::wstring widePath = wideFromDoc(path);
    if (widePath.empty()) return nullptr;
    // Others may read along, but a file someone is writing to is not ours to read.
    HANDLE file = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return FileHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace

DocText readDocumentFile(std::string_view path) {
    FileHandle file = openForReading(path);
    if (!file) return {};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > INT32_MAX) return {};
    DocText bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return {};
    }
    bytes.resize(read);
    const size_t nul = bytes.find('\0');
    if (nul != DocText::npos) bytes.resize(nul);
    return bytes;
}

}  // namespace wendrill
