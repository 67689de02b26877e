#include "swap_timing.h"

#include <algorithm>

#include "platform.h"

int64_t TimeSwapRefresh(int refreshHz, void (*clearAndSwap)()) {
    if (refreshHz <= 0) return 0;
    constexpr int Swaps = 8;
    int64_t ends[Swaps];
    for (int i = 0; i < Swaps; ++i) {
        clearAndSwap();
        ends[i] = PlatformClockNs();
    }
    // The first swaps may return at once while the driver's queue fills.
    int64_t gaps[Swaps - 3];
    for (int i = 3; i < Swaps; ++i) gaps[i - 3] = ends[i] - ends[i - 1];
    std::sort(gaps, gaps + Swaps - 3);
    const int64_t gap = gaps[(Swaps - 3) / 2];
    const int64_t refresh = 1000000000 / refreshHz;   // the rate is whole Hz: 59.94 reads as 59 or 60
    // Swaps tied to the refresh come back on its clock to within a few
    // percent; slow swaps on a busy machine that only happen to take about
    // as long scatter far more.
    const bool steady = gaps[0] * 10 > gap * 9 && gaps[Swaps - 4] * 10 < gap * 11;
    // The measured gap is the display's own clock, which the whole-Hz rate only approximates.
    return steady && gap > refresh * 3 / 4 && gap < refresh * 5 / 4 ? gap : 0;
}
