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

namespace {

uint32_t soakState = 12345;
int Next(int n) {
    soakState = soakState * 1103515245u + 12345u;
    return static_cast<int>((soakState >> 8) % static_cast<uint32_t>(n));
}

}  // namespace

class Soak : public GameFixture {};

TEST_F(Soak, RandomPlayStaysInsideTheVolume) {
    const char* env = std::getenv("DUNGEON_SOAK_FRAMES");
    int frames = env ? std::atoi(env) : SOAK_FRAMES_DEFAULT;
    BuildWorld(99);
    // Start cells: the dungeon start, the open sky, and next to each face of the volume.
    const int starts[][3] = {{SX, SY, SZ}, {128, 128, 10}, {1, 100, 10},  {254, 100, 10},
                             {100, 1, 10}, {100, 254, 10}, {100, 100, 1}, {60, 60, 170}};
    const int keys[] = {Key::Z, Key::KeypadPlus, Key::KeypadMinus, Key::LeftBracket, Key::RightBracket};
    int perStart = frames / static_cast<int>(std::size(starts));
    for (const auto& start : starts) {
        SX = start[0], SY = start[1], SZ = start[2];
        WalkOn = 1;
        MouseLookOn = 1;
        for (int f = 0; f < perStart; ++f) {
            HeadlessReleaseAllKeys();
            if (Next(4) == 0) HeadlessSetKey(keys[Next(5)], true);
            if (Next(30) == 0) HeadlessQueueEvent(Next(2) ? WindowEvent::LeftButton : WindowEvent::RightButton);
            if (Next(10) == 0) HeadlessSetPointer(Next(700) - 30, Next(540) - 30);
            if (Next(50) == 0) MVD = 1 + Next(30);
            RunFrame();
            ASSERT_TRUE(InsideVolume(SX, SY, SZ)) << SX << "," << SY << "," << SZ << " frame " << f;
            for (float o : Player().cellOffset) ASSERT_TRUE(std::isfinite(o) && o >= 0.0f && o <= 1.0f) << o;
            ASSERT_GE(MVD, 1);
            ASSERT_LE(MVD, 30);
        }
    }
}
