// The headless window: a virtual rectangle on a virtual screen with an
// off-screen OSMesa context of the same size, made per window and dropped on close.
#include <GL/osmesa.h>

#include <cstring>

#include "headless.h"

struct VirtualWindow {
    bool open;
    int left, top, width, height;
    std::string title;
    bool fullscreen;
    OSMesaContext context;
    std::vector<uint8_t> colour;   // the context's colour buffer, width x height RGBA
    std::vector<uint8_t> front;    // a copy of it at the last swap
};

static VirtualWindow win;                          // the one window
static WindowFailure failNext = WindowFailure::None;
static bool failNextClose = false;
static int failCount = 0;   // how many opens in a row fail at failNext
static std::vector<HeadlessMessage> messages;
static int openCount = 0;
static int swapCount = 0;
static int64_t swapRefreshNs = 0;   // the simulated display the swaps wait for; 0: none
static bool cursorHidden = false;
static int screenWidth = 1600, screenHeight = 1200;   // the virtual screen

WindowFailure PlatformOpenWindow(const char* title, int width, int height) {
    PlatformCloseWindow();
    WindowFailure failure = failCount > 0 ? failNext : WindowFailure::None;
    if (failCount > 0 && --failCount == 0) failNext = WindowFailure::None;
    if (failure == WindowFailure::RegisterClass) return failure;

    // The steps before the failing one leave their part behind, as a real
    // window system would, so that the caller's clean-up is exercised.
    win.open = true;
    win.left = 0;
    win.top = 0;
    win.width = width;
    win.height = height;
    win.title = title;
    win.fullscreen = false;
    win.front.clear();
    if (failure == WindowFailure::CreateWindow) {
        win.open = false;
        return failure;
    }
    if (failure == WindowFailure::DeviceContext || failure == WindowFailure::ChooseFormat ||
        failure == WindowFailure::SetFormat || failure == WindowFailure::CreateContext)
        return failure;

    win.context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    if (!win.context) return WindowFailure::CreateContext;
    if (failure == WindowFailure::MakeCurrent) return failure;
    win.colour.assign(static_cast<size_t>(width) * height * 4, 0);
    if (!OSMesaMakeCurrent(win.context, win.colour.data(), GL_UNSIGNED_BYTE, width, height))
        return WindowFailure::MakeCurrent;
    ++openCount;
    return WindowFailure::None;
}

WindowFailure PlatformOpenFullscreenWindow(const char* title) {
    WindowFailure failure = PlatformOpenWindow(title, screenWidth, screenHeight);
    win.fullscreen = failure == WindowFailure::None;
    return failure;
}

bool PlatformCloseWindow() {
    bool released = true;
    if (win.context) {
        released = !failNextClose;
        failNextClose = false;
        OSMesaDestroyContext(win.context);
        win.context = nullptr;
    }
    win.open = false;
    win.colour.clear();
    win.front.clear();
    return released;
}

void PlatformMoveWindow(int x, int y) {
    if (!win.open) return;
    win.left = x;
    win.top = y;
}

void PlatformSwapBuffers() {
    if (!win.context) return;
    glFinish();
    win.front = win.colour;
    ++swapCount;
    if (swapRefreshNs > 0) {
        const int64_t now = PlatformClockNs();
        HeadlessAdvanceClockNs((now / swapRefreshNs + 1) * swapRefreshNs - now);
    }
}

int64_t PlatformSwapRefreshNs() { return swapRefreshNs; }
void HeadlessSetSwapRefreshNs(int64_t ns) { swapRefreshNs = ns; }

void* PlatformGLProcAddress(const char* name) {
    return win.context ? reinterpret_cast<void*>(OSMesaGetProcAddress(name)) : nullptr;
}

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
    win.title.clear();
    failNext = WindowFailure::None;
    failNextClose = false;
    failCount = 0;
    messages.clear();
    openCount = 0;
    swapCount = 0;
    swapRefreshNs = 0;
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
std::vector<uint8_t> HeadlessFrontPixels() { return win.front; }

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
