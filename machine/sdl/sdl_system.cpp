// Message boxes, pauses and the calendar clock for the SDL back end.
#include <SDL.h>

#include <cstdio>
#include <ctime>
#include <time.h>

#include "../platform.h"

void PlatformMessageBox(const char* caption, const char* text, bool information) {
    Uint32 flags = information ? SDL_MESSAGEBOX_INFORMATION : SDL_MESSAGEBOX_WARNING;
    // Without a display the box cannot be shown; the text must still reach someone.
    if (SDL_ShowSimpleMessageBox(flags, caption, text, nullptr) != 0) fprintf(stderr, "%s: %s\n", caption, text);
}

void PlatformSleep(int ms) {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

int64_t PlatformTimeSeconds() { return static_cast<int64_t>(time(nullptr)); }

int64_t PlatformClockNs() {
    // The performance counter is SDL's monotonic high-resolution clock.
    static const Uint64 frequency = SDL_GetPerformanceFrequency();
    Uint64 ticks = SDL_GetPerformanceCounter();
    return static_cast<int64_t>(ticks / frequency * 1000000000ull + ticks % frequency * 1000000000ull / frequency);
}

void PlatformSleepNs(int64_t ns) {
    if (ns <= 0) return;
    // SDL sleeps in whole milliseconds only; the frame pacing needs finer steps.
    timespec wait{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    while (nanosleep(&wait, &wait) != 0) {
    }
}
