// Frame timedemo: a fixed seed and map, fixed places and views, three view
// distances; each case renders with the immediate-mode renderer and the fast
// one in the same run and prints the median milliseconds a frame, their
// ratio, the faces drawn and how many overlay pixels the two pictures differ in.
//
//   build/bench_frame [frames]      (run from anywhere; uses the generated run directory)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/game.h"
#include "core/shaping.h"
#include "core/startup.h"
#include "platform/headless/headless.h"
#include "platform/present.h"
#include "platform/window.h"
#include "render/camera.h"
#include "render/voxel.h"
#include "render/voxel_fast.h"
#include "world/overworld.h"
#include "world/volume.h"

namespace {

struct Place {
    const char* name;
    int sx, sy, sz;
    float px, py, pz, yaw, pitch;
};
constexpr Place Places[] = {
    {"dungeon", 64, 64, 39, 0.5f, 0.5f, 0.54f, 30.0f, -95.0f},
    {"surface", 120, 60, 27, 0.5f, 0.5f, 0.5f, 135.0f, -60.0f},
};
constexpr uint32_t Seed = 20261206;

double Now() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One frame of the 3D view: clear, draw, read back and composite.
void ViewOnly() {
    BeginFrame();
    DrawView();
    CompositeView();
}

// Median time of `frames` frames; `rebuild` forgets the fast renderer's face list each frame.
double TimeFrames(Renderer renderer, int frames, bool rebuild) {
    activeRenderer = renderer;
    for (int i = 0; i < 10; ++i) ViewOnly();   // warm up: textures resident, face list collected, drawing paths ready
    std::vector<double> times;
    for (int i = 0; i < frames; ++i) {
        if (rebuild) InvalidateFaceList();
        double t0 = Now();
        ViewOnly();
        times.push_back(Now() - t0);
    }
    return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 30;
    std::filesystem::current_path(RUN_DIR);
    HeadlessReset();
    SetOverlaySize(320, 240);
    windowScale = 2;
    InitGame();
    if (!OpenMainWindow()) return 1;
    LoadOverworld(1);
    BuildWorld(Seed);

    std::printf("%-8s %4s %10s %10s %12s %7s %8s %6s\n", "place", "MVD", "reference", "fast", "fast+rebuild", "ratio",
                "faces", "diff");
    for (const Place& place : Places) {
        for (int mvd : {6, 15, 30}) {
            SX = place.sx, SY = place.sy, SZ = place.sz, MVD = mvd;
            Player().cellOffset[0] = place.px, Player().cellOffset[1] = place.py, Player().cellOffset[2] = place.pz;
            Yaw = place.yaw, Pitch = place.pitch;

            double reference = TimeFrames(Renderer::Reference, std::max(3, frames / 5), false);
            renderedFaces = 0;
            ViewOnly();
            long long referenceFaces = renderedFaces;
            std::vector<uint8_t> referencePicture(OverlayBuffer, OverlayBuffer + 320 * 240 * 4);

            double fast = TimeFrames(Renderer::Fast, frames, false);
            double rebuilt = TimeFrames(Renderer::Fast, std::max(3, frames / 3), true);
            renderedFaces = 0;
            ViewOnly();
            long long fastFaces = renderedFaces;
            int differ = 0;
            for (int i = 0; i < 320 * 240; ++i) differ += std::memcmp(&referencePicture[4 * i], OverlayBuffer + 4 * i, 4) != 0;

            std::printf("%-8s %4d %8.2fms %8.2fms %10.2fms %6.1fx %8lld %6d%s\n", place.name, mvd, reference, fast, rebuilt,
                        reference / fast, fastFaces, differ, fastFaces == referenceFaces ? "" : "  FACE COUNTS DIFFER");
        }
    }
    ShutdownGame();
    return 0;
}
