// The game's files on Windows. The interface's ints index a table of HANDLEs.
// Open-always semantics (create empty when missing, never truncate) are
// OPEN_ALWAYS: a missing folder still fails. Readers open existing files
// read-only. Every path goes through the wide calls (see wide.h).
#include "../platform.h"
#include "wide.h"

#include <vector>

namespace {

std::vector<HANDLE> openFiles;   // index = the game's file number; INVALID_HANDLE_VALUE when free

int Keep(HANDLE handle) {
    for (size_t i = 0; i < openFiles.size(); ++i)
        if (openFiles[i] == INVALID_HANDLE_VALUE) {
            openFiles[i] = handle;
            return static_cast<int>(i);
        }
    openFiles.push_back(handle);
    return static_cast<int>(openFiles.size() - 1);
}

HANDLE HandleOf(int file) {
    if (file < 0 || static_cast<size_t>(file) >= openFiles.size()) return INVALID_HANDLE_VALUE;
    return openFiles[static_cast<size_t>(file)];
}

DWORD AccessRights(FileAccess access) {
    switch (access) {
        case FileAccess::Read: return GENERIC_READ;
        case FileAccess::Write: return GENERIC_WRITE;
        case FileAccess::ReadWrite: break;
    }
    return GENERIC_READ | GENERIC_WRITE;
}

// Opens with CreateFileW; the error is left in GetLastError. Others may read,
// write, rename and remove the file while it is open, as on POSIX.
int OpenWith(const char* gameName, DWORD rights, DWORD disposition) {
    const std::wstring path = WideHostPath(gameName);
    HANDLE handle = CreateFileW(path.c_str(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return -1;
    // Only plain files are game files: a device of that name (CON, NUL) fails like a missing folder.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        SetLastError(ERROR_PATH_NOT_FOUND);
        return -1;
    }
    return Keep(handle);
}

// Largest single ReadFile/WriteFile transfer (their counts are DWORDs).
constexpr size_t Chunk = size_t(1) << 30;

}  // namespace

int OpenAlways(const char* gameName, FileAccess access) {
    return OpenWith(gameName, AccessRights(access), OPEN_ALWAYS);
}

int OpenExisting(const char* gameName, FileAccess access) {
    return OpenWith(gameName, AccessRights(access), OPEN_EXISTING);
}

int OpenForReading(const char* gameName) {
    const int file = OpenWith(gameName, GENERIC_READ, OPEN_EXISTING);
    if (file >= 0 || GetLastError() != ERROR_FILE_NOT_FOUND || !DataFolderMayCreate()) return file;
    // Missing: created empty as an open-always open would, where the folder
    // lets us; in a folder we may not write the open just fails and reads as nothing.
    return OpenWith(gameName, GENERIC_READ, OPEN_ALWAYS);
}

long long FileRead(int file, void* buffer, size_t bytes) {
    HANDLE handle = HandleOf(file);
    if (handle == INVALID_HANDLE_VALUE) return -1;
    char* p = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < bytes) {
        const DWORD want = static_cast<DWORD>(bytes - done < Chunk ? bytes - done : Chunk);
        DWORD got = 0;
        if (!ReadFile(handle, p + done, want, &got, nullptr)) return done ? static_cast<long long>(done) : -1;
        if (got == 0) break;   // end of file
        done += got;
    }
    return static_cast<long long>(done);
}

long long FileWrite(int file, const void* buffer, size_t bytes) {
    HANDLE handle = HandleOf(file);
    if (handle == INVALID_HANDLE_VALUE) return -1;
    const char* p = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < bytes) {
        const DWORD want = static_cast<DWORD>(bytes - done < Chunk ? bytes - done : Chunk);
        DWORD put = 0;
        // A full disk fails the call (ERROR_DISK_FULL) or moves fewer bytes.
        if (!WriteFile(handle, p + done, want, &put, nullptr) || put == 0)
            return done ? static_cast<long long>(done) : -1;
        done += put;
    }
    return static_cast<long long>(done);
}

int CreateNewFile(const char* gameName) {
    return OpenWith(gameName, GENERIC_WRITE, CREATE_NEW);
}

bool MakeFolder(const char* gameName) {
    const std::wstring path = WideHostPath(gameName);
    if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileFlush(int file) {
    HANDLE handle = HandleOf(file);
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
}

bool FileClose(int file) {
    HANDLE handle = HandleOf(file);
    if (handle == INVALID_HANDLE_VALUE) return false;
    openFiles[static_cast<size_t>(file)] = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
}

long long FileSize(const char* gameName) {
    const std::wstring path = WideHostPath(gameName);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return static_cast<long long>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

bool FileRename(const char* fromGameName, const char* toGameName) {
    const std::wstring from = WideHostPath(fromGameName), to = WideHostPath(toGameName);
    // Write-through: the call returns only once the rename is on the disk.
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FileRemove(const char* gameName) {
    const std::wstring path = WideHostPath(gameName);
    if (DeleteFileW(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool FlushFolderOf(const char* gameName) {
    std::wstring folder = WideHostPath(gameName);
    const size_t slash = folder.find_last_of(L"\\/");
    if (slash == std::wstring::npos) folder = L".";
    else folder.resize(slash + 1);   // "C:\" keeps its backslash
    // A folder opened for writing can be flushed like a file (NTFS, and Wine
    // on a POSIX disk). Where it cannot (a read-only folder, a file system
    // without folder flushes), its creations and removals still reach the
    // disk in order through the metadata journal, and every switch of a slot
    // is a write-through rename: an existing folder is then enough.
    HANDLE handle = CreateFileW(folder.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(handle);
        CloseHandle(handle);
        return true;
    }
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
