#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/game.h"
#include "core/pacing.h"

static int Usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--fps N]   (N = 0 for no limit, or %d..%d; default %d)\n", program,
                 MinFrameRate, MaxFrameRate, DefaultFrameRate);
    return 2;
}

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* value = nullptr;
        if (std::strcmp(argv[i], "--fps") == 0 && i + 1 < argc) value = argv[++i];
        else if (std::strncmp(argv[i], "--fps=", 6) == 0) value = argv[i] + 6;
        else return Usage(argv[0]);
        char* end = nullptr;
        long rate = std::strtol(value, &end, 10);
        if (!*value || *end || !ValidFrameRate(rate)) return Usage(argv[0]);
        FrameRateLimit = static_cast<int>(rate);
    }
    return GameMain();
}
