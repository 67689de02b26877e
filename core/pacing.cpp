// Frame pacing on the platform's high-resolution clock: the bulk of the wait
// is one ordinary millisecond sleep, the last stretch short fine sleeps up
// to the deadline.
#include "core/pacing.h"

#include "machine/platform.h"

int FrameRateLimit = DefaultFrameRate;
int64_t nextFrameDeadline = 0;

constexpr int64_t NsPerSecond = 1000000000;
constexpr int64_t NsPerMs = 1000000;
// A millisecond sleep may overrun by about a millisecond on a busy system:
// it stops this far short of the deadline and fine sleeps finish the wait.
constexpr int64_t FineMargin = 2 * NsPerMs;
// Where the display sets the beat, the swap is handed over this long before
// the refresh it waits for, time for the driver's own share of the swap.
constexpr int64_t SwapLead = 2 * NsPerMs;

void ResetPacing() { nextFrameDeadline = 0; }

bool ValidFrameRate(long rate) { return rate == 0 || (rate >= MinFrameRate && rate <= MaxFrameRate); }

static void WaitUntil(int64_t deadline) {
    int64_t now = PlatformClockNs();
    const int coarseMs = static_cast<int>((deadline - now - FineMargin) / NsPerMs);
    if (coarseMs > 0) {
        PlatformSleep(coarseMs);
        now = PlatformClockNs();
    }
    while (deadline - now > 0) {
        PlatformSleepNs(deadline - now);
        now = PlatformClockNs();
    }
}

// The frame's period in whole display refreshes when the swap waits for a
// display whose refreshes fit the limit's period (within 3%: a 59.94 Hz
// display at 60, 120 Hz at 60 as two refreshes); 0 when the swap sets no beat
// the limit can keep (no vsync, or 144 Hz at 60).
static int64_t DisplayPeriod(int64_t period) {
    const int64_t refresh = PlatformSwapRefreshNs();
    if (refresh <= 0) return 0;
    const int64_t refreshes = (period + refresh / 2) / refresh;
    const int64_t displayPeriod = refreshes * refresh;
    if (refreshes < 1 || (displayPeriod > period ? displayPeriod - period : period - displayPeriod) * 100 > period * 3) return 0;
    return displayPeriod;
}

void PaceAndSwap(void (*swap)()) {
    if (FrameRateLimit <= 0) {
        swap();
        return;
    }
    const int64_t limitPeriod = NsPerSecond / FrameRateLimit;
    const int64_t displayPeriod = DisplayPeriod(limitPeriod);
    const int64_t period = displayPeriod > 0 ? displayPeriod : limitPeriod;
    const int64_t now = PlatformClockNs();
    // The first frame, or one whose picture was finished a whole period or
    // more behind its deadline, starts the schedule from now.
    if (nextFrameDeadline == 0 || now - nextFrameDeadline >= period) nextFrameDeadline = now;
    WaitUntil(nextFrameDeadline);
    swap();
    // A swap that waits for the display returns at a refresh: the next one
    // is counted from there, so the schedule follows the display's own clock.
    if (displayPeriod > 0) nextFrameDeadline = PlatformClockNs() + displayPeriod - SwapLead;
    else nextFrameDeadline += period;
}
