// A whole game on the headless back end, in a fresh temporary folder that
// holds an empty map folder (and, on request, the generated asset pack).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/game.h"
#include "core/shaping.h"
#include "core/startup.h"
#include "platform/headless/headless.h"
#include "console/console.h"
#include "platform/window.h"
#include "render/camera.h"
#include "world/volume.h"

class GameFixture : public ::testing::Test {
protected:
    // With assets, start-up loads the generated pictures (cube textures included).
    void StartGameIn(bool withAssets) {
        namespace fs = std::filesystem;
        oldDirectory = fs::current_path();
        char pattern[] = "/tmp/dungeon-test-XXXXXX";
        folder = mkdtemp(pattern);
        if (withAssets) fs::copy(RUN_DIR, folder, fs::copy_options::recursive);
        fs::create_directories(folder / "map");
        fs::current_path(folder);
        HeadlessReset();
        ResetRunState();
        SetOverlaySize(320, 240);
        windowScale = 2;
        InitGame();
        ASSERT_EQ(OpenMainWindow(), 1);
        HeadlessPauses().clear();
    }

    void SetUp() override { StartGameIn(false); }

    void TearDown() override {
        ShutdownGame();
        HeadlessReset();
        std::filesystem::current_path(oldDirectory);
        std::filesystem::remove_all(folder);
    }

    // The run variables as a fresh process has them.
    static void ResetRunState() {
        quitRequested = frameCounter = objectivesTotal = objectivesFound = 0;
        MVD = 6;
        MouseLookOn = WalkOn = leftPressed = rightPressed = leftPressFrame = rightPressFrame = 0;
        cycleStep = 2;
        Yaw = Pitch = 0.0f;
        SX = SY = SZ = 0;
        consoleOpen = lineReady = lineLength = 0;
        lineText[0] = 0;
    }

    int PausedMs() const {
        int sum = 0;
        for (int ms : HeadlessPauses()) sum += ms;
        return sum;
    }

    std::filesystem::path folder;
    std::filesystem::path oldDirectory;
};
