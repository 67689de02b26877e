// Frame timedemo: a fixed seed and map, fixed places and views. Prints six
// tables, the first four of median milliseconds a frame:
//   1. the 3D view per place and MVD: the immediate-mode reference, the fast
//      renderer without and with culling (face list kept), a frame that crosses
//      into the next cell, a frame whose list is collected afresh; faces drawn
//      and overlay pixels that differ from the reference (and culled vs not);
//   2. PresentFrame at window scales 1..4 through both present paths;
//   3. the whole frame (clear, view, HUD, present) at scales 2 and 4, MVD 6 and 30;
//   4. one culled frame at dungeon MVD 30 split into its stages at scales 1, 2, 4;
//   5. the timedemo: one fixed path (from the start through the dungeon with
//      turns, up a shaft into the sky, across it past an objective that is
//      picked up) replayed at scales 2 and 4, MVD 6 and 30, with no limit:
//      the median, 99th percentile and largest frame, each stage's median and
//      99th percentile, and the stages of the slowest frames one by one;
//   6. the timedemo's path at MVD 6 and 30 drawn culled and unculled: the
//      pixels the culling changed (none) and the faces it kept.
//
//   build/bench_frame [frames] [view|present|whole|stages|demo [CSV]|exact]   (one table, or all six;
//   run from anywhere, it uses the generated run directory; the demo ignores frames and writes
//   every frame's stages to CSV when named)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#include "console/console.h"
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
#include "world/run_state.h"
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

// ---- The timedemo ----

// One frame of the path: where the eye is (world cells, a cell's centre at
// whole numbers) and where it looks.
struct DemoFrame {
    float eye[3];
    float yaw, pitch;
};

constexpr float DemoStep = 0.05f;   // cells a frame: the walk at cycleStep 2

// The shortest way over open cells of layer `z` from (x0, y0) to the nearest
// cell under an open shaft (layers 28..38 open above it) that lies at least
// `least` steps away; empty when none.
std::vector<std::pair<int, int>> PathToShaft(int x0, int y0, int z, int least) {
    auto open = [&](int x, int y, int layer) { return World[CellIndex(x, y, layer)] == 0; };
    auto shaft = [&](int x, int y) {
        for (int layer = 28; layer <= z; ++layer)
            if (!open(x, y, layer)) return false;
        return true;
    };
    std::vector<int> from(WorldSide * WorldSide, -1), steps(WorldSide * WorldSide, 0);
    std::vector<int> queue = {y0 * WorldSide + x0};
    from[queue[0]] = queue[0];
    for (size_t head = 0; head < queue.size(); ++head) {
        const int at = queue[head], x = at % WorldSide, y = at / WorldSide;
        if (steps[at] >= least && shaft(x, y)) {
            std::vector<std::pair<int, int>> path;
            for (int c = at; c != from[c]; c = from[c]) path.push_back({c % WorldSide, c / WorldSide});
            path.push_back({x0, y0});
            std::reverse(path.begin(), path.end());
            return path;
        }
        static const int Steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& d : Steps) {
            const int nx = x + d[0], ny = y + d[1];
            if (nx < 2 || ny < 2 || nx > WorldSide - 3 || ny > WorldSide - 3 || !open(nx, ny, z)) continue;
            if (from[ny * WorldSide + nx] >= 0) continue;
            from[ny * WorldSide + nx] = at;
            steps[ny * WorldSide + nx] = steps[at] + 1;
            queue.push_back(ny * WorldSide + nx);
        }
    }
    return {};
}

// The yaw that looks along (dx, dy) at level view: 0 toward smaller y, 90 toward larger x.
float YawAlong(float dx, float dy) { return std::atan2(dx, -dy) * 57.29578f; }

// The whole path: walk the cells to the shaft with the view turning toward
// each leg (at most 4 degrees a frame) and swinging 25 degrees either way as
// a mouse look would; rise up the shaft to layer 22 looking a little up; walk
// 25 cells through the sky over the terrain, turning through a half circle.
std::vector<DemoFrame> DemoPath(float* pickup) {
    const int startX = 64, startY = 64, startZ = 39;
    std::vector<DemoFrame> frames;
    const auto cells = PathToShaft(startX, startY, startZ, 30);
    float eye[3] = {static_cast<float>(startX), static_cast<float>(startY), static_cast<float>(startZ)};
    float heading = 30.0f;
    auto add = [&](float swingTurn, float pitch) {
        const float swing = 25.0f * std::sin(static_cast<float>(frames.size()) * 0.05f);
        frames.push_back({{eye[0], eye[1], eye[2]}, heading + swing * swingTurn, pitch});
    };
    for (size_t i = 1; i < cells.size(); ++i) {
        const float to[2] = {static_cast<float>(cells[i].first), static_cast<float>(cells[i].second)};
        const float want = YawAlong(to[0] - eye[0], to[1] - eye[1]);
        while (std::fabs(to[0] - eye[0]) + std::fabs(to[1] - eye[1]) > 1e-4f) {
            float turn = std::remainder(want - heading, 360.0f);
            heading += std::clamp(turn, -4.0f, 4.0f);
            for (int a = 0; a < 2; ++a) {
                const float d = to[a] - eye[a];
                eye[a] += std::clamp(d, -DemoStep, DemoStep);
            }
            add(1.0f, -95.0f);
        }
    }
    while (eye[2] > 22.0f) {
        eye[2] -= DemoStep;
        add(1.0f, -120.0f);
    }
    const float startHeading = heading;
    for (int f = 0; f < 500; ++f) {
        heading = startHeading + 180.0f * f / 500.0f;
        eye[0] += DemoStep * std::sin(heading / 57.29578f);
        eye[1] -= DemoStep * std::cos(heading / 57.29578f);
        if (f == 250) {
            for (int a = 0; a < 3; ++a) pickup[a] = eye[a];
        }
        add(0.5f, -70.0f);
    }
    return frames;
}

// Puts the camera at the frame's eye: the cursor is the cell that holds it,
// the offsets what is left, as the motion step keeps them.
void PutDemoCamera(const DemoFrame& f) {
    SX = static_cast<int>(std::floor(f.eye[0] + 0.5f));
    SY = static_cast<int>(std::floor(f.eye[1] + 0.5f));
    SZ = static_cast<int>(std::floor(f.eye[2] + 0.5f));
    Player().cellOffset[0] = SX + 0.5f - f.eye[0];
    Player().cellOffset[1] = f.eye[1] + 0.5f - SY;
    Player().cellOffset[2] = SZ + 0.5f - f.eye[2];
    Yaw = f.yaw, Pitch = f.pitch;
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(std::ceil(p * v.size()));
    return v[std::min(v.size() - 1, i > 0 ? i - 1 : 0)];
}

constexpr int DemoReplays = 3;

enum DemoStage { Begin, Submit, Raster, Composite, Hud, Finish, Swap, StageCount };
const char* const StageNames[StageCount] = {"begin", "submit", "raster", "composite", "hud", "finish", "swap"};

void DemoTable(const char* csvName) {
    FILE* csv = csvName ? std::fopen(csvName, "w") : nullptr;
    if (csv) std::fprintf(csv, "scale,mvd,frame,ms,begin,submit,raster,composite,hud,finish,swap,fill,blocks\n");
    float pickup[3] = {};
    const std::vector<DemoFrame> path = DemoPath(pickup);
    std::printf("\nTimedemo: %zu frames from the start through the dungeon, up a shaft, across the sky, one pickup;\n"
                "no limit, ms a frame, each frame the fastest of %d replays (stages: each one's median / 99th percentile)\n",
                path.size(), DemoReplays);
    std::printf("%-5s %4s %7s %7s %7s %6s", "scale", "MVD", "median", "99th", "largest", "p99/med");
    for (const char* name : StageNames) std::printf(" %13s", name);
    std::printf("\n");
    activeRenderer = Renderer::Fast;
    viewCulling = true;
    presentPath = PresentPath::Texture;
    struct Slow {
        double ms;
        int frame;
        double stage[StageCount];
        long long fill, blocks;
    };
    std::vector<std::pair<const char*, std::vector<Slow>>> slowest;
    for (int scale : {2, 4}) {
        OpenAtScale(scale);
        for (int mvd : {6, 30}) {
            MVD = mvd;
            const int pickupCell = CellIndex(static_cast<int>(std::floor(pickup[0] + 0.5f)), static_cast<int>(std::floor(pickup[1] + 0.5f)),
                                             static_cast<int>(std::floor(pickup[2] + 0.5f)));
            WritableFlagmap()[pickupCell] = ObjectiveFlag;
            const int found = objectivesFound;
            // Each frame's figures are the fastest of DemoReplays timed replays after
            // one that warms every path up: what the frame itself costs, with
            // the stalls that other work on the machine puts into one replay or
            // another left out.
            std::vector<Slow> best(path.size(), Slow{1e300, 0, {}, 0, 0});
            for (int round = 0; round <= DemoReplays; ++round) {
                // The objective back in place, and the first frame drawn once
                // untimed, so that its placing costs no timed frame.
                WritableFlagmap()[pickupCell] = ObjectiveFlag;
                PutDemoCamera(path[0]);
                ViewOnly();
                for (size_t i = 0; i < path.size(); ++i) {
                    PutDemoCamera(path[i]);
                    const long long fill0 = sightFillCells, blocks0 = collectedBlocks;
                    double t[StageCount + 1];
                    t[0] = Now();
                    BeginFrame();
                    glLoadIdentity();
                    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                    Sync();
                    t[1] = Now();
                    DrawView();
                    t[2] = Now();
                    Sync();
                    t[3] = Now();
                    CompositeView();
                    t[4] = Now();
                    DrawHud();
                    RunConsole();
                    DrawCursorCross(160, 120);
                    if (InsideVolume(SX, SY, SZ) && Flagmap[CellIndex(SX, SY, SZ)] == ObjectiveFlag) {
                        WritableFlagmap()[CellIndex(SX, SY, SZ)] = 0;
                        ++objectivesFound;
                    }
                    t[5] = Now();
                    FinishPicture();
                    t[6] = Now();
                    ShowPicture();
                    t[7] = Now();
                    if (round == 0 || t[7] - t[0] >= best[i].ms) continue;
                    Slow& slow = best[i];
                    slow = {t[7] - t[0], static_cast<int>(i), {}, sightFillCells - fill0, collectedBlocks - blocks0};
                    for (int k = 0; k < StageCount; ++k) slow.stage[k] = t[k + 1] - t[k];
                }
            }
            std::vector<double> total, stage[StageCount];
            for (const Slow& slow : best) {
                total.push_back(slow.ms);
                for (int k = 0; k < StageCount; ++k) stage[k].push_back(slow.stage[k]);
                if (csv) {
                    std::fprintf(csv, "%d,%d,%d,%.3f", scale, mvd, slow.frame, slow.ms);
                    for (double v : slow.stage) std::fprintf(csv, ",%.3f", v);
                    std::fprintf(csv, ",%lld,%lld\n", slow.fill, slow.blocks);
                }
            }
            std::vector<Slow> frames = best;
            if (objectivesFound != found + 1 + DemoReplays) std::printf("  (the objective was not picked up)\n");
            const double median = Percentile(total, 0.5), p99 = Percentile(total, 0.99);
            std::printf("%-5d %4d %5.2fms %5.2fms %5.2fms %6.2f", scale, mvd, median, p99, Percentile(total, 1.0), p99 / median);
            for (int k = 0; k < StageCount; ++k) std::printf(" %6.2f/%6.2f", Percentile(stage[k], 0.5), Percentile(stage[k], 0.99));
            std::printf("\n");
            std::sort(frames.begin(), frames.end(), [](const Slow& a, const Slow& b) { return a.ms > b.ms; });
            frames.resize(std::min<size_t>(frames.size(), 6));
            static char labels[4][32];
            char* label = labels[slowest.size()];
            std::snprintf(label, 32, "scale %d MVD %d", scale, mvd);
            slowest.push_back({label, frames});
        }
    }
    if (csv) std::fclose(csv);
    std::printf("\nThe slowest frames: ms, each stage, cells the sight fill visited, blocks collected\n");
    for (const auto& [label, frames] : slowest) {
        std::printf("%s\n", label);
        for (const Slow& f : frames) {
            std::printf("  frame %5d %6.2fms", f.frame, f.ms);
            for (int k = 0; k < StageCount; ++k) std::printf("  %s %5.2f", StageNames[k], f.stage[k]);
            std::printf("  fill %lld  blocks %lld\n", f.fill, f.blocks);
        }
    }
}

// Every frame of the timedemo path at MVD 6 and 30, culled against unculled:
// the pixels the culling changed (which must be none) and the faces it kept.
void DemoExactTable() {
    float pickup[3] = {};
    const std::vector<DemoFrame> path = DemoPath(pickup);
    std::printf("\nCulling over the timedemo path (%zu frames): pixels changed, faces drawn\n", path.size());
    for (int mvd : {6, 30}) {
        MVD = mvd;
        long long pixels = 0, frames = 0, culledFaces = 0, allFaces = 0;
        std::vector<uint8_t> unculled, culled;
        for (const DemoFrame& frame : path) {
            PutDemoCamera(frame);
            allFaces += Picture(Renderer::Fast, false, &unculled);
            culledFaces += Picture(Renderer::Fast, true, &culled);
            const int changed = Differ(unculled, culled);
            pixels += changed;
            frames += changed > 0;
        }
        std::printf("MVD %2d: %lld pixels changed in %lld frames; %lld faces drawn culled, %lld unculled\n", mvd, pixels,
                    frames, culledFaces, allFaces);
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
    if (!*only || !std::strcmp(only, "demo")) DemoTable(argc > 3 ? argv[3] : nullptr);
    if (!*only || !std::strcmp(only, "exact")) DemoExactTable();
    ShutdownGame();
    return 0;
}
