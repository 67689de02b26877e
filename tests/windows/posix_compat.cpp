// mkdtemp for the Windows tests: "/tmp/..." is taken on the current drive,
// whose \tmp is made when missing.
#include "posix_compat.h"

#include <direct.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

char* mkdtemp(char* pattern) {
    const size_t length = std::strlen(pattern);
    if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) return nullptr;
    if (const char* slash = std::strrchr(pattern, '/'); slash && slash != pattern) _mkdir(std::string(pattern, static_cast<size_t>(slash - pattern)).c_str());
    unsigned seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < 100; ++attempt) {
        seed = seed * 1103515245u + 12345u;
        std::snprintf(pattern + length - 6, 7, "%06x", (seed >> 8) & 0xFFFFFFu);
        if (_mkdir(pattern) == 0) return pattern;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}
