// Where the game's files live on the host: the data folder that game names
// resolve against, the save folder of the slots, and the few questions about
// host folders that choosing them needs. Nothing here knows which files the
// game has; core/ decides which folders to use.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "../platform.h"
#include "../path_text.h"

void HostPath(const char* gameName, char* out, size_t outSize) {
    std::string path;
    const size_t tag = sizeof SaveFolderTag - 1;
    if (std::strncmp(gameName, SaveFolderTag, tag) == 0 && IsSeparator(gameName[tag])) {
        path = std::string(SaveFolder()) + '/';
        gameName += tag + 1;
    } else if (gameName[0] != '/') {
        // ".\map\x" and "map\x" both name a file of the data folder.
        if (gameName[0] == '.' && IsSeparator(gameName[1])) gameName += 2;
        path = std::string(DataFolder()) + '/';
    }
    for (const char* p = gameName; *p; ++p) path += (*p == '\\') ? '/' : *p;
    CopyOut(path, out, outSize);
}

bool FolderExists(const char* hostPath) {
    struct stat st;
    return stat(hostPath, &st) == 0 && S_ISDIR(st.st_mode);
}

bool FolderWritable(const char* hostPath) {
    return FolderExists(hostPath) && access(hostPath, W_OK | X_OK) == 0;
}

bool MakeFolders(const char* hostPath) {
    std::string path = hostPath;
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/') continue;
        const std::string part = path.substr(0, i);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return FolderExists(hostPath);
}

bool ExecutableFolder(char* out, size_t outSize) {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return false;
    path[n] = 0;
    char* slash = std::strrchr(path, '/');
    if (slash == nullptr) return false;
    *slash = 0;
    CopyOut(path[0] ? path : "/", out, outSize);
    return true;
}

bool WorkingFolder(char* out, size_t outSize) {
    char path[PATH_MAX];
    if (getcwd(path, sizeof path) == nullptr) return false;
    CopyOut(path, out, outSize);
    return true;
}

bool PlayerFolderPath(PlayerFolder which, char* out, size_t outSize) {
    const bool saves = which == PlayerFolder::Saves;
    const char* xdg = std::getenv(saves ? "XDG_DATA_HOME" : "XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string base;
    if (xdg != nullptr && xdg[0] == '/') base = xdg;
    else if (home != nullptr && home[0] == '/') base = std::string(home) + (saves ? "/.local/share" : "/.config");
    else return false;
    CopyOut(base + "/voxel-dungeon", out, outSize);
    return true;
}
