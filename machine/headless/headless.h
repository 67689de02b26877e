// Test controls of the headless back end: scripted keys, pointer and window
// events, a virtual clock whose pauses cost no time, recorded message boxes,
// injected window failures, and the picture shown at the last buffer swap of
// the off-screen OSMesa context.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../platform.h"

// One message box the game showed.
struct HeadlessMessage {
    std::string caption;
    std::string text;
    bool information;
};

// Closes the window and forgets all scripted input, pauses, messages, the
// pause hook and any injected failure; the clock and the time go back to 0.
void HeadlessReset();
void HeadlessResetWindow();   // the window half of HeadlessReset (headless_window.cpp)

// ---- Scripted input ----
void HeadlessSetKey(int virtualKey, bool down);   // codes 0..255; others are ignored
void HeadlessReleaseAllKeys();
void HeadlessSetPointer(int x, int y);            // global screen position
void HeadlessQueueEvent(WindowEvent event);       // taken in order by PlatformNextEvent
int HeadlessQueuedEvents();                       // events still waiting

// ---- Clock and pauses ----
std::vector<int>& HeadlessPauses();               // every PlatformSleep, in ms, in order
int64_t HeadlessClockMs();                        // the virtual clock in ms: all pauses (and advances) since the reset
void HeadlessAdvanceClockNs(int64_t ns);          // time spent working, as a frame's drawing would
void HeadlessSetTimeSeconds(int64_t seconds);     // what PlatformTimeSeconds returns
// Called at every PlatformSleep (after it is recorded), so that a test can
// change keys between pauses. An empty function removes the hook.
void HeadlessOnPause(std::function<void(int ms)> hook);

// ---- Window ----
void HeadlessFailNextOpen(WindowFailure failure, int count = 1); // the next `count` opens fail at that step (None: no failure)
void HeadlessFailNextClose();                     // the next close of a context reports a failed release
std::vector<HeadlessMessage>& HeadlessMessages(); // message boxes, in order
bool HeadlessWindowSize(int* width, int* height); // false when no window is open
void HeadlessSetScreenSize(int width, int height); // the virtual screen a fullscreen window covers (1600 x 1200 after a reset)
bool HeadlessFullscreen();                        // the open window was opened as a fullscreen one
const std::string& HeadlessWindowTitle();         // title of the open (or last) window
int HeadlessOpenCount();                          // windows opened successfully since the reset
bool HeadlessCursorHidden();                      // PlatformHideCursor was called since the reset
int HeadlessSwapCount();                          // buffer swaps since the reset
// A display the swaps wait for: each swap then moves the virtual clock on to
// the next whole multiple of `ns` (0, after a reset: swaps never wait).
void HeadlessSetSwapRefreshNs(int64_t ns);
// The colour buffer as it was at the last swap: width x height RGBA pixels,
// rows bottom-up. Empty before the first swap of the current window.
std::vector<uint8_t> HeadlessFrontPixels();
