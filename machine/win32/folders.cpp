// Where the game's files live on Windows: the data folder that game names
// resolve against, the save folder of the slots, and the few questions about
// host folders that choosing them needs. Paths are UTF-8 in the game and
// UTF-16 in every call made here (see wide.h). Nothing here knows which
// files the game has; core/ decides which folders to use.
#include "../platform.h"
#include "../path_text.h"
#include "wide.h"

#include <shlobj.h>

#include <cstring>
#include <string>

namespace {

// "C:\x", "C:x", "\\server\share\x" and "\x" name a place of their own; other names are relative.
bool IsAbsolute(const char* path) {
    const bool drive = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':';
    return drive || IsSeparator(path[0]);
}

// Appends with the host's separator.
void AppendHost(std::string& path, const char* text) {
    for (const char* p = text; *p; ++p) path += IsSeparator(*p) ? '\\' : *p;
}

bool WideFolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Drops the last part of a path; false when there is no separator.
bool StripLastPart(std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return false;
    path.resize(slash == 2 && path[1] == L':' ? 3 : slash);   // "C:\game.exe" keeps "C:\"
    return true;
}

}  // namespace

void HostPath(const char* gameName, char* out, size_t outSize) {
    std::string path;
    const size_t tag = sizeof SaveFolderTag - 1;
    if (std::strncmp(gameName, SaveFolderTag, tag) == 0 && IsSeparator(gameName[tag])) {
        AppendHost(path, SaveFolder());
        path += '\\';
        gameName += tag + 1;
    } else if (!IsAbsolute(gameName)) {
        // ".\map\x" and "map\x" both name a file of the data folder.
        if (gameName[0] == '.' && IsSeparator(gameName[1])) gameName += 2;
        AppendHost(path, DataFolder());
        path += '\\';
    }
    AppendHost(path, gameName);
    CopyOut(path, out, outSize);
}

std::wstring WideHostPath(const char* gameName) {
    char path[4096];
    HostPath(gameName, path, sizeof path);
    return Widen(path);
}

bool FolderExists(const char* hostPath) { return WideFolderExists(Widen(hostPath)); }

bool FolderWritable(const char* hostPath) {
    // Access rules on Windows are lists of rights that a read-only attribute
    // does not show: the one sure answer is to create a file there. It is
    // removed again when its handle closes.
    std::wstring path = Widen(hostPath);
    if (!WideFolderExists(path)) return false;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    path += L".voxel-dungeon-write-test-" + std::to_wstring(GetCurrentProcessId());
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

bool MakeFolders(const char* hostPath) {
    const std::wstring path = Widen(hostPath);
    // Each folder from the top down; a drive ("C:") or a share ("\\server\share")
    // cannot be made and is skipped by its failure. Only the end result counts.
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != L'\\' && path[i] != L'/') continue;
        CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
    return WideFolderExists(path);
}

bool ExecutableFolder(char* out, size_t outSize) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return false;
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);   // cut short: a longer buffer
    }
    if (!StripLastPart(path)) return false;
    CopyOut(Narrow(path.c_str()), out, outSize);
    return true;
}

bool WorkingFolder(char* out, size_t outSize) {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    if (n == 0) return false;
    std::wstring path(n, L'\0');
    const DWORD got = GetCurrentDirectoryW(n, path.data());
    if (got == 0 || got >= n) return false;
    path.resize(got);
    CopyOut(Narrow(path.c_str()), out, outSize);
    return true;
}

bool PlayerFolderPath(PlayerFolder which, char* out, size_t outSize) {
    const bool saves = which == PlayerFolder::Saves;
    // Saved Games may not exist yet on a fresh profile: its path is asked for
    // without checking, and the save folder is made with its parents on use.
    wchar_t* base = nullptr;
    const HRESULT result = SHGetKnownFolderPath(saves ? FOLDERID_SavedGames : FOLDERID_RoamingAppData,
                                                KF_FLAG_DONT_VERIFY, nullptr, &base);
    const bool ok = SUCCEEDED(result) && base != nullptr && base[0] != 0;
    std::string path = ok ? Narrow(base) : std::string();
    CoTaskMemFree(base);
    if (!ok || path.empty()) return false;
    CopyOut(path + "\\Voxel Dungeon", out, outSize);
    return true;
}
