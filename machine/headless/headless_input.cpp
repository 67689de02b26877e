// Scripted keys, pointer and window events, a virtual clock and settable
// calendar time for the headless back end.
#include <deque>

#include "headless.h"

static bool keys[256];                  // held state by virtual-key code
static int pointerX = 0, pointerY = 0;  // global pointer position
static std::deque<WindowEvent> events;
static std::vector<int> pauses;
static int64_t clockNs = 0;   // the virtual clock: pauses and test advances
static int64_t timeSeconds = 0;
static std::function<void(int)> pauseHook;

bool PlatformKeyHeld(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && keys[virtualKey];
}

void PlatformPointer(int* x, int* y) {
    *x = pointerX;
    *y = pointerY;
}

bool PlatformNextEvent(WindowEvent* event) {
    if (events.empty()) return false;
    *event = events.front();
    events.pop_front();
    return true;
}

void PlatformSleep(int ms) {
    pauses.push_back(ms);
    clockNs += static_cast<int64_t>(ms) * 1000000;
    if (pauseHook) pauseHook(ms);
}

int64_t PlatformTimeSeconds() { return timeSeconds; }

int64_t PlatformClockNs() { return clockNs; }

void PlatformSleepNs(int64_t ns) {
    if (ns > 0) clockNs += ns;
}

void HeadlessSetKey(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < 256) keys[virtualKey] = down;
}

void HeadlessReleaseAllKeys() {
    for (bool& k : keys) k = false;
}

void HeadlessSetPointer(int x, int y) {
    pointerX = x;
    pointerY = y;
}

void HeadlessQueueEvent(WindowEvent event) { events.push_back(event); }
int HeadlessQueuedEvents() { return static_cast<int>(events.size()); }
std::vector<int>& HeadlessPauses() { return pauses; }
int64_t HeadlessClockMs() { return clockNs / 1000000; }
void HeadlessAdvanceClockNs(int64_t ns) { clockNs += ns; }
void HeadlessSetTimeSeconds(int64_t seconds) { timeSeconds = seconds; }
void HeadlessOnPause(std::function<void(int ms)> hook) { pauseHook = std::move(hook); }

void HeadlessReset() {
    HeadlessResetWindow();
    HeadlessReleaseAllKeys();
    pointerX = pointerY = 0;
    events.clear();
    pauses.clear();
    clockNs = 0;
    timeSeconds = 0;
    pauseHook = nullptr;
}
