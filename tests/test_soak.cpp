// A long random run of whole frames: walking, turning, layer keys and view
// distance changes from several start cells, including walks at every face
// of the volume. Built with the sanitizers this is the memory-safety soak;
// DUNGEON_SOAK_FRAMES sets its length: 20,000 frames by default in the
// sanitizer build, 4,000 in the everyday one.
#include <cmath>
#include <cstdlib>

#include "game_fixture.h"
#include "platform/input.h"

#ifndef SOAK_FRAMES_DEFAULT
#define SOAK_FRAMES_DEFAULT 4000
#endif

using Soak = GameFixture;

TEST_F(Soak, RandomPlayStaysInsideTheVolume) {
    const char* env = std::getenv("DUNGEON_SOAK_FRAMES");
    const int frames = env ? std::atoi(env) : SOAK_FRAMES_DEFAULT;
    uint32_t state = 12345;
    const auto next = [&](int n) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % static_cast<uint32_t>(n));
    };
    BuildWorld(99);
    // Start cells: the dungeon start, the open sky, and next to each face of the volume.
    const int starts[][3] = {{SX, SY, SZ}, {128, 128, 10}, {1, 100, 10},  {254, 100, 10},
                             {100, 1, 10}, {100, 254, 10}, {100, 100, 1}, {60, 60, 170}};
    const int keys[] = {Key::Z, Key::KeypadPlus, Key::KeypadMinus, Key::LeftBracket, Key::RightBracket};
    for (const auto& start : starts) {
        SX = start[0], SY = start[1], SZ = start[2];
        WalkOn = MouseLookOn = 1;
        for (int f = 0; f < frames / static_cast<int>(std::size(starts)); ++f) {
            HeadlessReleaseAllKeys();
            if (next(4) == 0) HeadlessSetKey(keys[next(5)], true);
            if (next(30) == 0) HeadlessQueueEvent(next(2) ? WindowEvent::LeftButton : WindowEvent::RightButton);
            if (next(10) == 0) HeadlessSetPointer(next(700) - 30, next(540) - 30);
            if (next(50) == 0) MVD = 1 + next(30);
            RunFrame();
            ASSERT_TRUE(InsideVolume(SX, SY, SZ)) << SX << "," << SY << "," << SZ << " frame " << f;
            for (float o : Player().cellOffset) ASSERT_TRUE(std::isfinite(o) && o >= 0.0f && o <= 1.0f) << o;
            ASSERT_TRUE(MVD >= 1 && MVD <= 30) << MVD;
        }
    }
}
