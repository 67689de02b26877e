// The game's files on a POSIX file system. Open-always semantics (create
// empty when missing, never truncate) are O_CREAT without O_TRUNC: a missing
// folder still fails. Readers open existing files read-only.
#include "../platform.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static int AccessFlags(FileAccess access) {
    switch (access) {
        case FileAccess::Read: return O_RDONLY;
        case FileAccess::Write: return O_WRONLY;
        case FileAccess::ReadWrite: break;
    }
    return O_RDWR;
}

static int OpenWith(const char* gameName, int flags) {
    char path[1024];
    HostPath(gameName, path, sizeof path);
    int fd;
    do fd = open(path, flags | O_CLOEXEC, 0644);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    // Only plain files are game files: a folder or device of that name fails like a missing folder.
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

int OpenAlways(const char* gameName, FileAccess access) {
    return OpenWith(gameName, AccessFlags(access) | O_CREAT);
}

int OpenExisting(const char* gameName, FileAccess access) {
    return OpenWith(gameName, AccessFlags(access));
}

int OpenForReading(const char* gameName) {
    const int file = OpenWith(gameName, O_RDONLY);
    if (file >= 0 || errno != ENOENT || !DataFolderMayCreate()) return file;
    // Missing: created empty as an open-always open would, where the folder
    // lets us; in a read-only folder the open just fails and reads as nothing.
    return OpenWith(gameName, O_RDONLY | O_CREAT);
}

long long FileRead(int file, void* buffer, size_t bytes) {
    char* p = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < bytes) {
        ssize_t n = read(file, p + done, bytes - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return done ? static_cast<long long>(done) : -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<long long>(done);
}

long long FileWrite(int file, const void* buffer, size_t bytes) {
    // Past a file-size limit (ulimit -f) a write would raise SIGXFSZ and end
    // the game on the spot; ignored, the write fails with EFBIG instead and
    // the save reports its failure like a full disk.
    static const bool fileSizeSignalIgnored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)fileSizeSignalIgnored;
    const char* p = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < bytes) {
        ssize_t n = write(file, p + done, bytes - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return done ? static_cast<long long>(done) : -1;
        done += static_cast<size_t>(n);
    }
    return static_cast<long long>(done);
}

int CreateNewFile(const char* gameName) {
    return OpenWith(gameName, O_WRONLY | O_CREAT | O_EXCL);
}

bool MakeFolder(const char* gameName) {
    char path[1024];
    HostPath(gameName, path, sizeof path);
    if (mkdir(path, 0755) != 0 && errno != EEXIST) return false;
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileFlush(int file) { return fsync(file) == 0; }

bool FileClose(int file) { return close(file) == 0; }

long long FileSize(const char* gameName) {
    char path[1024];
    HostPath(gameName, path, sizeof path);
    struct stat st;
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long long>(st.st_size);
}

bool FileRename(const char* fromGameName, const char* toGameName) {
    char from[1024], to[1024];
    HostPath(fromGameName, from, sizeof from);
    HostPath(toGameName, to, sizeof to);
    return rename(from, to) == 0;
}

bool FileRemove(const char* gameName) {
    char path[1024];
    HostPath(gameName, path, sizeof path);
    return unlink(path) == 0 || errno == ENOENT;
}

bool FlushFolderOf(const char* gameName) {
    char path[1024];
    HostPath(gameName, path, sizeof path);
    char* slash = std::strrchr(path, '/');
    if (slash) *slash = 0;
    else std::strcpy(path, ".");
    int fd = open(slash && path[0] == 0 ? "/" : path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}
