#include "files/known_folders.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace wendrill {
namespace {

std::wstring platformFolder(SpecialFolder kind) {
    wchar_t folder[MAX_PATH + 1] = {};
    if (kind == SpecialFolder::temporaryFiles) {
        const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
        return length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : std::wstring();
    }
    const int shellFolder = kind == SpecialFolder::documents ? CSIDL_PERSONAL : CSIDL_LOCAL_APPDATA;
    if (FAILED(SHGetFolderPathW(nullptr, shellFolder, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    return folder;
}

}  // namespace

std::wstring specialFolder(SpecialFolder kind) {
    std::wstring folder = platformFolder(kind);
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

}  // namespace wendrill
