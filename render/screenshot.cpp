// Screenshots as PNG files through the platform's file calls.
#include "render/screenshot.h"

#include <cstdio>
#include <ctime>
#include <vector>

#include "machine/platform.h"
#include "render/overlay.h"
#include "render/png_encode.h"

// Two screenshots in one second get a numbered suffix; this many in one
// second means something else is wrong.
constexpr int MaxAttempts = 100;

// Beside the save slots, wherever the game keeps them.
const char* ScreenshotFolder() { return "@saves\\screenshots"; }

void ScreenshotName(int64_t seconds, int attempt, char* out, size_t outSize) {
    time_t t = static_cast<time_t>(seconds);
    tm local{};
    localtime_r(&t, &local);
    char stamp[32];
    strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    if (attempt <= 1) std::snprintf(out, outSize, "%s", stamp);
    else std::snprintf(out, outSize, "%s_%d", stamp, attempt);
}

// The one line a failed screenshot leaves; the game goes on.
static bool Fail(const char* why, const char* gameName) {
    char path[1024];
    HostPath(gameName, path, sizeof path);
    std::fprintf(stderr, "Screenshot not saved: %s%s%s\n", why, path[0] ? " " : "", path);
    return false;
}

bool SaveScreenshot(int scale, std::string* written) {
    if (!OverlayBuffer || scale < 1) return Fail("no picture to save", "");
    const char* folder = ScreenshotFolder();
    if (!PrepareSaveFolder() || !MakeFolder(folder)) return Fail("cannot create the folder", folder);

    // The overlay's rows run bottom-up, a PNG's top-down; every overlay pixel
    // becomes a scale x scale square, its alpha byte dropped as on screen.
    const int width = OverlayWidth * scale, height = OverlayHeight * scale;
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = OverlayBuffer + static_cast<size_t>(OverlayHeight - 1 - y / scale) * OverlayWidth * 4;
        uint8_t* row = &rgb[static_cast<size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) row[x * 3 + c] = source[(x / scale) * 4 + c];
    }
    std::vector<uint8_t> png;
    if (!EncodePngRgb(rgb.data(), width, height, &png)) return Fail("the PNG encoder failed for", folder);

    char stamp[48], name[256];
    int file = -1;
    const int64_t now = PlatformTimeSeconds();
    for (int attempt = 1; attempt <= MaxAttempts && file < 0; ++attempt) {
        ScreenshotName(now, attempt, stamp, sizeof stamp);
        std::snprintf(name, sizeof name, "%s\\%s.png", folder, stamp);
        file = CreateNewFile(name);
        if (file < 0 && FileSize(name) < 0) break;   // not taken, just not creatable
    }
    if (file < 0) return Fail("cannot create a file in", folder);
    bool ok = FileWrite(file, png.data(), png.size()) == static_cast<long long>(png.size());
    ok = FileClose(file) && ok;
    if (!ok) {
        FileRemove(name);   // no half-written picture
        return Fail("cannot write", name);
    }
    if (written) *written = name;
    return true;
}
