// Start-up benchmark: from entering main to the end of the objective pass,
// and to the first presented frame, on the headless back end (whose pauses
// cost no time, so the overworld load's 1 s pause is left out), plus the
// peak resident memory. Five runs, each in a fresh process; medians printed.
//
//   build/bench_startup [runs]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/game.h"
#include "core/startup.h"
#include "machine/headless/headless.h"

namespace {

double Since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// One start in this process; prints "startup_ms first_frame_ms peak_kib".
int RunOnce() {
    auto t0 = std::chrono::steady_clock::now();
    std::filesystem::current_path(RUN_DIR);
    HeadlessSetTimeSeconds(1700000000);
    if (!StartGame()) return 1;
    double started = Since(t0);
    RunFrame();
    double firstFrame = Since(t0);
    ShutdownGame();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f %.3f %ld\n", started, firstFrame, usage.ru_maxrss);
    return 0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--once") == 0) return RunOnce();
    int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    std::vector<double> startup, frame, peak;
    for (int i = 0; i < runs; ++i) {
        char command[4096];
        std::snprintf(command, sizeof command, "'%s' --once", argv[0]);
        FILE* child = popen(command, "r");
        double s = 0, f = 0;
        long kib = 0;
        if (!child || std::fscanf(child, "%lf %lf %ld", &s, &f, &kib) != 3) {
            std::fprintf(stderr, "run %d failed\n", i);
            return 1;
        }
        pclose(child);
        startup.push_back(s), frame.push_back(f), peak.push_back(kib / 1024.0);
    }
    std::printf("start-up to the end of the objective pass: %.1f ms (median of %d)\n", Median(startup), runs);
    std::printf("start-up to the first presented frame:     %.1f ms\n", Median(frame));
    std::printf("peak resident memory:                      %.1f MB\n", Median(peak));
    return 0;
}
