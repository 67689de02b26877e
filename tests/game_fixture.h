// A whole game on the headless back end, in a fresh temporary folder that
// holds an empty map folder and no pictures.
#pragma once

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <numeric>

#include "console/console.h"
#include "core/game.h"
#include "core/pacing.h"
#include "core/shaping.h"
#include "platform/input.h"
#include "platform/present.h"
#include "render/camera.h"
#include "render/overlay.h"
#include "test_util.h"
#include "world/volume.h"

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories("map");
        HeadlessReset();
        FreshProcessState();
        SetOverlaySize(320, 240);
        InitGame();
        ASSERT_EQ(OpenMainWindow(), 1);
        HeadlessPauses().clear();
        // Frames run unpaced, so that a frame's pauses are its keys' alone.
        FrameRateLimit = 0;
    }

    void TearDown() override {
        FrameRateLimit = DefaultFrameRate;
        ResetPacing();
        ShutdownGame();
        HeadlessReset();
    }

    // The run, the window and the console as a fresh process has them.
    static void FreshProcessState() {
        ResetRunState();
        windowScale = 2;
        fullscreenOn = windowLost = 0;
        viewTargetOn = true;
        consoleOpen = lineReady = lineLength = 0;
        lineText[0] = 0;
    }

    static int PausedMs() { return std::accumulate(HeadlessPauses().begin(), HeadlessPauses().end(), 0); }

    // Runs one frame with these keys held (and let go after it); returns the frame's pauses.
    static std::vector<int> Tap(std::initializer_list<int> keys = {}) {
        for (int key : keys) HeadlessSetKey(key, true);
        HeadlessPauses().clear();
        RunFrame();
        for (int key : keys) HeadlessSetKey(key, false);
        return HeadlessPauses();
    }

    // Whether the last presented picture (scale 2) shows `text` in this font
    // and colour anywhere: every pixel of its glyphs in the colour, no other
    // pixel of its box (the rows a glyph of the font may use).
    static bool Shows(const char* text, bool small, const uint8_t* rgb) {
        std::memset(OverlayBuffer, 0, 320 * 240 * 4);
        FormatText("%s", text);
        small ? DrawSmallText(0, 7, 255, 255, 255) : DrawBigText(0, 12, 255, 255, 255);   // rows 0 and up
        const int rows = small ? 9 : 12;
        auto glyph = [](int x, int y) { return OverlayBuffer[4 * (y * 320 + x) + 3] == 255; };
        int width = 0;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < 320; ++x) width = glyph(x, y) ? std::max(width, x + 1) : width;
        const Bytes shown = HeadlessFrontPixels();
        auto is = [&](int x, int y) { return std::memcmp(&shown[4 * (2 * y * 640 + 2 * x)], rgb, 3) == 0; };
        for (int top = 0; top + rows <= 240; ++top)
            for (int left = 0; left + width <= 320; ++left) {
                bool match = true;
                for (int y = 0; match && y < rows; ++y)
                    for (int x = 0; match && x < width; ++x) match = glyph(x, y) == is(left + x, top + y);
                if (match) return true;
            }
        return false;
    }
    static constexpr uint8_t Yellow[3] = {255, 255, 0}, White[3] = {255, 255, 255};

    TempFolder temp;
};
