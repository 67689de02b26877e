// mkdtemp for the Windows tests: "/tmp/..." is taken on the current drive,
// whose \tmp is made when missing.
#include "posix_compat.h"

#include <direct.h>
#include <io.h>

#include <cstring>
#include <string>

char* mkdtemp(char* pattern) {
    if (const char* slash = std::strrchr(pattern, '/'); slash && slash != pattern) _mkdir(std::string(pattern, static_cast<size_t>(slash - pattern)).c_str());
    // _mktemp names the copy after the process and a letter not yet taken in that folder.
    return _mktemp(pattern) && _mkdir(pattern) == 0 ? pattern : nullptr;
}
