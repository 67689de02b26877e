// Frame timedemo: a fixed seed and map, fixed places and views. Prints four
// tables of median milliseconds a frame:
//   1. the 3D view per place and MVD: the immediate-mode reference, the fast
//      renderer without and with culling (face list kept), a frame that crosses
//      into the next cell, a frame whose list is collected afresh; faces drawn
//      and overlay pixels that differ from the reference (and culled vs not);
//   2. PresentFrame at window scales 1..4 through both present paths;
//   3. the whole frame (clear, view, HUD, present) at scales 2 and 4, MVD 6 and 30;
//   4. one culled frame at dungeon MVD 30 split into its stages at scales 1, 2, 4.
//
//   build/bench_frame [frames] [view|present|whole|stages]   (one table, or all four; run from
//   anywhere, it uses the generated run directory)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/game.h"
#include "core/shaping.h"
#include "core/startup.h"
#include "machine/headless/headless.h"
#include "platform/present.h"
#include "platform/window.h"
#include "render/camera.h"
#include "render/overlay.h"
#include "render/sight.h"
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

// Median time of `frames` calls of `frame`, after `before` each (untimed) and a warm-up.
double Time(int frames, const std::function<void()>& frame, const std::function<void()>& before = [] {}) {
    for (int i = 0; i < 10; ++i) before(), frame();   // textures resident, faces collected, drawing paths ready
    std::vector<double> times;
    for (int i = 0; i < frames; ++i) {
        before();
        double t0 = Now();
        frame();
        times.push_back(Now() - t0);
    }
    return Median(times);
}

void PutCamera(const Place& place, int mvd) {
    SX = place.sx, SY = place.sy, SZ = place.sz, MVD = mvd;
    Player().cellOffset[0] = place.px, Player().cellOffset[1] = place.py, Player().cellOffset[2] = place.pz;
    Yaw = place.yaw, Pitch = place.pitch;
}

// Draws one view with this renderer and culling; returns the faces and keeps the picture.
long long Picture(Renderer renderer, bool culling, std::vector<uint8_t>* picture) {
    activeRenderer = renderer;
    viewCulling = culling;
    renderedFaces = 0;
    ViewOnly();
    picture->assign(OverlayBuffer, OverlayBuffer + 320 * 240 * 4);
    return renderedFaces;
}

int Differ(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int n = 0;
    for (int i = 0; i < 320 * 240; ++i) n += std::memcmp(&a[4 * i], &b[4 * i], 4) != 0;
    return n;
}

void OpenAtScale(int scale) {
    DestroyGameWindow();
    windowScale = scale;
    CreateGameWindow("GAME", OverlayWidth * scale, OverlayHeight * scale, 16);
}

void ViewTable(int frames) {
    std::printf("3D view (clear, draw, read back, composite), median ms a frame\n");
    std::printf("%-8s %4s %10s %10s %9s %9s %9s %9s %7s %8s %7s %5s %7s %8s\n", "place", "MVD", "reference", "unculled", "culled",
                "crossing", "turning", "rebuilt", "ratio", "faces", "culled", "diff", "on/off", "seen");
    for (const Place& place : Places) {
        for (int mvd : {6, 15, 30}) {
            PutCamera(place, mvd);
            std::vector<uint8_t> reference, unculled, culled;
            long long referenceFaces = Picture(Renderer::Reference, false, &reference);
            double referenceMs = Time(std::max(3, frames / 5), ViewOnly);
            long long unculledFaces = Picture(Renderer::Fast, false, &unculled);
            double unculledMs = Time(frames, ViewOnly);
            const long long fillBefore = sightFillCells;
            long long culledFaces = Picture(Renderer::Fast, true, &culled);
            const long long seenCells = sightFillCells - fillBefore;
            double culledMs = Time(frames, ViewOnly);
            // Every frame steps into a neighbouring cell, round a square, as walking does.
            static const int Steps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
            int step = 0;
            double crossingMs = Time(frames, ViewOnly, [&] {
                SX += Steps[step][0], SY += Steps[step][1];
                step = (step + 1) % 4;
            });
            // Every frame turns the camera a little, as mouse look does: what the view sees is found afresh.
            PutCamera(place, mvd);
            double turningMs = Time(frames, ViewOnly, [&] { Yaw += 0.7f; });
            PutCamera(place, mvd);
            double rebuiltMs = Time(std::max(3, frames / 3), ViewOnly, InvalidateFaceList);
            std::printf("%-8s %4d %8.2fms %8.2fms %7.2fms %7.2fms %7.2fms %7.2fms %6.1fx %8lld %7lld %5d %7d %8lld%s\n", place.name, mvd,
                        referenceMs, unculledMs, culledMs, crossingMs, turningMs, rebuiltMs, referenceMs / culledMs, referenceFaces,
                        culledFaces, Differ(reference, culled), Differ(unculled, culled), seenCells,
                        unculledFaces == referenceFaces ? "" : "  FACE COUNTS DIFFER");
        }
    }
}

void PresentTable(int frames) {
    // "swap alone" is the headless back end's own share: a finish and a copy of the window's pixels.
    std::printf("\nPresentFrame (upload, draw, swap), median ms\n%-6s %11s %9s %11s\n", "scale", "drawpixels", "texture",
                "swap alone");
    PutCamera(Places[0], 30);
    for (int scale = 1; scale <= 4; ++scale) {
        OpenAtScale(scale);
        ViewOnly();   // a real picture in the overlay
        double ms[2];
        const PresentPath paths[2] = {PresentPath::DrawPixels, PresentPath::Texture};
        for (int i = 0; i < 2; ++i) {
            presentPath = paths[i];
            ms[i] = Time(frames, PresentFrame);
        }
        double swap = Time(frames, PlatformSwapBuffers);
        std::printf("%-6d %9.2fms %7.2fms %9.2fms\n", scale, ms[0], ms[1], swap);
    }
    presentPath = PresentPath::Texture;
}

void WholeFrameTable(int frames) {
    std::printf("\nWhole frame (RunFrame: clear, view, HUD, cross, present), dungeon, median ms\n");
    std::printf("%-6s %4s %14s %14s\n", "scale", "MVD", "before", "now");
    for (int scale : {2, 4}) {
        OpenAtScale(scale);
        for (int mvd : {6, 30}) {
            PutCamera(Places[0], mvd);
            // Before: every face in the MVD cube and the zoomed glDrawPixels.
            viewCulling = false;
            presentPath = PresentPath::DrawPixels;
            double before = Time(frames, RunFrame);
            viewCulling = true;
            presentPath = PresentPath::Texture;
            double now = Time(frames, RunFrame);
            std::printf("%-6d %4d %12.2fms %12.2fms\n", scale, mvd, before, now);
        }
    }
}

// Waits for the drawing queued so far, as glReadPixels does, without the
// copy of the whole window that glFinish makes on the headless context.
void Sync() {
    uint8_t pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}

// Where one view frame's time goes: each stage ends with a Sync so that
// llvmpipe's deferred rasterisation is charged to the stage that queued it.
void StageTable(int frames) {
    std::printf("\nView stages at dungeon MVD 30, culled, median ms\n%-6s %9s %9s %9s %9s %9s\n", "scale", "begin",
                "submit", "raster", "composite", "present");
    PutCamera(Places[0], 30);
    activeRenderer = Renderer::Fast;
    viewCulling = true;
    presentPath = PresentPath::Texture;
    for (int scale : {1, 2, 4}) {
        OpenAtScale(scale);
        std::vector<double> t[5];
        for (int i = 0; i < frames + 10; ++i) {
            double t0 = Now();
            BeginFrame();
            Sync();
            double t1 = Now();
            DrawView();
            double t2 = Now();
            Sync();
            double t3 = Now();
            CompositeView();
            double t4 = Now();
            PresentFrame();
            double t5 = Now();
            if (i < 10) continue;
            t[0].push_back(t1 - t0), t[1].push_back(t2 - t1), t[2].push_back(t3 - t2), t[3].push_back(t4 - t3);
            t[4].push_back(t5 - t4);
        }
        std::printf("%-6d %7.2fms %7.2fms %7.2fms %7.2fms %7.2fms\n", scale, Median(t[0]), Median(t[1]), Median(t[2]),
                    Median(t[3]), Median(t[4]));
    }
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
    WalkOn = MouseLookOn = 0;

    const char* only = argc > 2 ? argv[2] : "";
    if (!*only || !std::strcmp(only, "view")) ViewTable(frames);
    if (!*only || !std::strcmp(only, "present")) PresentTable(frames);
    if (!*only || !std::strcmp(only, "whole")) WholeFrameTable(frames);
    if (!*only || !std::strcmp(only, "stages")) StageTable(frames);
    ShutdownGame();
    return 0;
}
