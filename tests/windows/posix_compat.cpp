// mkdtemp for the Windows tests: "/tmp/..." is taken on the current drive,
// whose \tmp is made when missing.
#include "posix_compat.h"

#include <direct.h>
#include <windows.h>

#include <cerrno>
#include <cstring>

char* mkdtemp(char* pattern) {
    const size_t length = std::strlen(pattern);
    if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) return nullptr;
    if (char* slash = std::strrchr(pattern, '/'); slash && slash != pattern) {
        *slash = 0;
        _mkdir(pattern);
        *slash = '/';
    }
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (size_t i = length - 6; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            pattern[i] = letters[(seed >> 16) % (sizeof letters - 1)];
        }
        if (_mkdir(pattern) == 0) return pattern;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}
