// The headless window for the Windows unit tests: the same virtual window,
// screen, message boxes and injected failures as machine/headless, but no
// OpenGL context (OSMesa is not at hand there). The game's gl* calls go to
// opengl32 with no context current, where they do nothing, so these tests
// keep to what needs no picture: swaps are counted, the front buffer stays empty.
#include "machine/headless/headless.h"

namespace {

struct VirtualWindow {
    bool open = false;
    int left = 0, top = 0, width = 0, height = 0;
    std::string title;
    bool fullscreen = false;
};

VirtualWindow win;
WindowFailure failNext = WindowFailure::None;
int failCount = 0;
bool failNextClose = false;
std::vector<HeadlessMessage> messages;
int openCount = 0, swapCount = 0;
bool cursorHidden = false;
int screenWidth = 1600, screenHeight = 1200;

}  // namespace

WindowFailure PlatformOpenWindow(const char* title, int width, int height) {
    PlatformCloseWindow();
    const WindowFailure failure = failCount > 0 ? failNext : WindowFailure::None;
    if (failCount > 0 && --failCount == 0) failNext = WindowFailure::None;
    if (failure == WindowFailure::RegisterClass) return failure;
    win = {failure != WindowFailure::CreateWindow, 0, 0, width, height, title, false};
    if (failure != WindowFailure::None) return failure;
    ++openCount;
    return WindowFailure::None;
}

WindowFailure PlatformOpenFullscreenWindow(const char* title) {
    const WindowFailure failure = PlatformOpenWindow(title, screenWidth, screenHeight);
    win.fullscreen = failure == WindowFailure::None;
    return failure;
}

bool PlatformCloseWindow() {
    const bool released = !(win.open && failNextClose);
    if (win.open) failNextClose = false;
    win.open = false;
    return released;
}

void PlatformMoveWindow(int x, int y) {
    if (!win.open) return;
    win.left = x;
    win.top = y;
}

void PlatformSwapBuffers() {
    if (win.open) ++swapCount;
}

void* PlatformGLProcAddress(const char*) { return nullptr; }
void PlatformHideCursor() { cursorHidden = true; }

bool PlatformWindowRect(int* left, int* top, int* right, int* bottom) {
    if (!win.open) return false;
    *left = win.left;
    *top = win.top;
    *right = win.left + win.width;
    *bottom = win.top + win.height;
    return true;
}

void PlatformMessageBox(const char* caption, const char* text, bool information) {
    messages.push_back({caption, text, information});
}

void HeadlessResetWindow() {
    PlatformCloseWindow();
    win = {};
    failNext = WindowFailure::None;
    failCount = 0;
    failNextClose = false;
    messages.clear();
    openCount = swapCount = 0;
    cursorHidden = false;
    screenWidth = 1600;
    screenHeight = 1200;
}

void HeadlessFailNextOpen(WindowFailure failure, int count) {
    failNext = failure;
    failCount = failure == WindowFailure::None ? 0 : count;
}
void HeadlessFailNextClose() { failNextClose = true; }
std::vector<HeadlessMessage>& HeadlessMessages() { return messages; }
const std::string& HeadlessWindowTitle() { return win.title; }
int HeadlessOpenCount() { return openCount; }
bool HeadlessCursorHidden() { return cursorHidden; }
int HeadlessSwapCount() { return swapCount; }
std::vector<uint8_t> HeadlessFrontPixels() { return {}; }

bool HeadlessWindowSize(int* width, int* height) {
    if (!win.open) return false;
    *width = win.width;
    *height = win.height;
    return true;
}

void HeadlessSetScreenSize(int width, int height) {
    screenWidth = width;
    screenHeight = height;
}

bool HeadlessFullscreen() { return win.open && win.fullscreen; }
