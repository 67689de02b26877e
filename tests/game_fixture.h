// A whole game on the headless back end, in a fresh temporary folder that
// holds an empty map folder and no pictures.
#pragma once

#include <filesystem>
#include <numeric>

#include "console/console.h"
#include "core/game.h"
#include "core/pacing.h"
#include "core/shaping.h"
#include "render/camera.h"
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

    TempFolder temp;
};
