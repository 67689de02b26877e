// Small helpers the unit suites share: whole-file reads and writes, a
// temporary working folder, a private ImageTable, and the headless window
// set-up every platform suite starts from.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

#include "core/startup.h"
#include "machine/headless/headless.h"
#include "platform/window.h"
#include "render/bitmap.h"
#include "render/overlay.h"
#include "render/view_target.h"

using Bytes = std::vector<uint8_t>;

inline Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under /tmp, the working directory for the object's life and
// removed with it, so that no test sees another's files.
class TempFolder {
public:
    TempFolder() : old(std::filesystem::current_path()) {
        char pattern[] = "/tmp/dungeon-test-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        path = pattern;
        std::filesystem::current_path(path);
    }
    ~TempFolder() {
        std::filesystem::current_path(old);
        std::filesystem::remove_all(path);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path old, path;
};

// An empty ImageTable of full size stands in for the game's while the object lives.
class ScratchImages {
public:
    ScratchImages() : saved(ImageTable) { ImageTable = static_cast<ImageSlot*>(std::calloc(ImageSlotCount, sizeof(ImageSlot))); }
    ~ScratchImages() {
        ReleaseImages();
        std::free(ImageTable);
        ImageTable = saved;
    }
    ScratchImages(const ScratchImages&) = delete;
    ScratchImages& operator=(const ScratchImages&) = delete;

private:
    ImageSlot* saved;
};

// Gives the slot a copy of these RGB pixels (released by ReleaseImages).
inline void SetSlot(int slot, uint32_t width, uint32_t height, const Bytes& rgb) {
    ImageSlot& s = ImageTable[slot];
    std::free(s.pixels);
    s = ImageSlot{static_cast<uint8_t*>(std::malloc(rgb.size())), width, height, 3};
    std::memcpy(s.pixels, rgb.data(), rgb.size());
}

// The slot's pixels; empty while it holds none.
inline Bytes SlotPixels(int slot) {
    const ImageSlot& s = ImageTable[slot];
    return s.pixels ? Bytes(s.pixels, s.pixels + size_t(s.width) * s.height * s.channels) : Bytes{};
}

// The open window's size, or {0, 0} without one.
inline std::pair<int, int> WindowSize() {
    int w = 0, h = 0;
    return HeadlessWindowSize(&w, &h) ? std::pair{w, h} : std::pair{0, 0};
}

// The RGB of window pixel (x, y), y counted from the bottom, in a picture as the window shows it.
inline Bytes ShownAt(const Bytes& picture, int windowWidth, int x, int y) {
    const uint8_t* p = &picture[4 * (static_cast<size_t>(y) * windowWidth + x)];
    return Bytes(p, p + 3);
}

// One frame's window keys with exactly these keys held.
inline void WindowKeysWith(std::initializer_list<int> held) {
    for (int key : held) HeadlessSetKey(key, true);
    HandleWindowKeys();
    HeadlessReleaseAllKeys();
}

// The headless back end as a fresh process finds it: no window, a 320 x 240
// overlay and window scale 2, restored after the test too.
class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        SetOverlaySize(320, 240);
        windowScale = 2;
        windowLost = 0;
    }
    void TearDown() override {
        HeadlessReset();
        windowScale = 2;
        viewTargetOn = true;
    }
};
