// Message boxes, pauses and the clocks on Win32.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <ctime>

#include "../platform.h"

// Windows sleeps in ticks of the system timer, 15.6 ms unless a program asks
// for finer: one millisecond for the whole run, asked for once on the first pause.
static void FineTimer() {
    static const bool started = timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)started;
}

void PlatformMessageBox(const char* caption, const char* text, bool information) {
    const UINT icon = information ? MB_ICONINFORMATION : MB_ICONEXCLAMATION;
    // A box that cannot be shown (no desktop, as in a service) still leaves the text for someone.
    if (MessageBoxA(nullptr, text, caption, MB_OK | icon) == 0) fprintf(stderr, "%s: %s\n", caption, text);
}

void PlatformSleep(int ms) {
    FineTimer();
    if (ms > 0) Sleep(static_cast<DWORD>(ms));
}

int64_t PlatformTimeSeconds() { return static_cast<int64_t>(time(nullptr)); }

int64_t PlatformClockNs() {
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const int64_t ticks = now.QuadPart;
    return ticks / frequency * 1000000000 + ticks % frequency * 1000000000 / frequency;
}

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// A waitable timer: high resolution (well under a millisecond) on Windows 10
// from 1803 on, else an ordinary one, which the one-millisecond system timer
// above makes fine enough for the last stretch of a frame.
static HANDLE PauseTimer() {
    static const HANDLE timer = [] {
        HANDLE t = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
        return t ? t : CreateWaitableTimerW(nullptr, TRUE, nullptr);
    }();
    return timer;
}

void PlatformSleepNs(int64_t ns) {
    if (ns <= 0) return;
    FineTimer();
    HANDLE timer = PauseTimer();
    // Due times are in 100 ns units, negative for "from now".
    LARGE_INTEGER due;
    due.QuadPart = -((ns + 99) / 100);
    if (timer && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
        WaitForSingleObject(timer, INFINITE);
        return;
    }
    Sleep(static_cast<DWORD>((ns + 999999) / 1000000));
}
