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

void ResetPacing() { nextFrameDeadline = 0; }

bool ValidFrameRate(long rate) { return rate == 0 || (rate >= MinFrameRate && rate <= MaxFrameRate); }

void PaceFrame() {
    if (FrameRateLimit <= 0) return;
    const int64_t period = NsPerSecond / FrameRateLimit;
    int64_t now = PlatformClockNs();
    // The first frame, or one that ended a whole period or more behind its
    // deadline, starts the schedule from now.
    if (nextFrameDeadline == 0 || now - nextFrameDeadline >= period) nextFrameDeadline = now;
    int64_t left = nextFrameDeadline - now;
    const int coarseMs = static_cast<int>((left - FineMargin) / NsPerMs);
    if (coarseMs > 0) {
        PlatformSleep(coarseMs);
        now = PlatformClockNs();
    }
    while ((left = nextFrameDeadline - now) > 0) {
        PlatformSleepNs(left);
        now = PlatformClockNs();
    }
    nextFrameDeadline += period;
}
