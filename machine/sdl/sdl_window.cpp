// The SDL2 window and its OpenGL context: the window half of platform.h.
#include <SDL.h>
#include <SDL_opengl.h>

#include "../platform.h"
#include "../swap_timing.h"

static SDL_Window* window = nullptr;       // the one game window; null while closed
static SDL_GLContext context = nullptr;    // its OpenGL context, current on the main thread
static bool videoStarted = false;          // SDL's video subsystem is started once and kept
static bool fullscreenNext = false;        // the next PlatformOpenWindow covers a screen
static SDL_Rect fullscreenBounds;          // the screen it covers
static int64_t swapRefreshNs = 0;          // the refresh period the swaps wait for; 0: they do not

static bool StartVideo() {
    if (videoStarted) return true;
    // The first click on the window must reach the game, not only focus it.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    // With no display SDL falls back to drivers that draw nowhere. A window
    // nobody sees takes no keys either, so the game could never be ended:
    // count them as no windowing system at all.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    // The game runs for long stretches without input while the player watches.
    SDL_DisableScreenSaver();
    videoStarted = true;
    return true;
}

// Colour bits a channel, best first: 8 where the display has them, else the
// 16-bit formats the game needs at the least (5 + 6 + 5).
constexpr int ChannelBits[][3] = {{8, 8, 8}, {5, 6, 5}};

// One try at the window and its context with these colour bits.
static WindowFailure TryOpenWindow(const char* title, int width, int height, const int bits[3]) {
    // Left at SDL's defaults (no version, no profile) the context is a
    // legacy one with the fixed-function pipeline the game draws with.
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, bits[0]);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, bits[1]);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, bits[2]);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    // Borderless, so the window's rectangle is its client area. A fullscreen
    // window is also made at the screen's place and size, because without a
    // window manager nobody else would resize it.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN;
    int x = 0, y = 0;
    if (fullscreenNext) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        x = fullscreenBounds.x;
        y = fullscreenBounds.y;
        fullscreenNext = false;
    }
    window = SDL_CreateWindow(title, x, y, width, height, flags);
    if (!window) return WindowFailure::CreateWindow;
    context = SDL_GL_CreateContext(window);
    if (!context) return WindowFailure::CreateContext;
    if (SDL_GL_MakeCurrent(window, context) != 0) return WindowFailure::MakeCurrent;
    return WindowFailure::None;
}

static void ClearAndSwap() {
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
}

// Whether the swaps of the new window really wait for the display: only
// with a swap interval set and a known refresh rate.
static int64_t MeasureSwapRefresh() {
    SDL_DisplayMode mode;
    if (SDL_GL_GetSwapInterval() == 0 || SDL_GetWindowDisplayMode(window, &mode) != 0) return 0;
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    return TimeSwapRefresh(mode.refresh_rate, ClearAndSwap);
}

int64_t PlatformSwapRefreshNs() { return swapRefreshNs; }

WindowFailure PlatformOpenWindow(const char* title, int width, int height) {
    if (!StartVideo()) return WindowFailure::RegisterClass;
    PlatformCloseWindow();

    WindowFailure failure = WindowFailure::None;
    for (const int* bits : ChannelBits) {
        failure = TryOpenWindow(title, width, height, bits);
        if (failure == WindowFailure::None) break;
        PlatformCloseWindow();
    }
    if (failure != WindowFailure::None) return failure;
    SDL_GL_SetSwapInterval(1);   // a driver without vsync control just runs unthrottled
    swapRefreshNs = MeasureSwapRefresh();

    // Without a window manager nobody else hands out the keyboard focus, and
    // the keys are read from SDL's keyboard state, which needs it.
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
    return WindowFailure::None;
}

WindowFailure PlatformOpenFullscreenWindow(const char* title) {
    if (!StartVideo()) return WindowFailure::RegisterClass;
    int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
    if (display < 0 || SDL_GetDisplayBounds(display, &fullscreenBounds) != 0) return WindowFailure::CreateWindow;
    fullscreenNext = true;
    return PlatformOpenWindow(title, fullscreenBounds.w, fullscreenBounds.h);
}

bool PlatformCloseWindow() {
    bool released = true;
    if (context) {
        released = SDL_GL_MakeCurrent(window, nullptr) == 0;
        SDL_GL_DeleteContext(context);
        context = nullptr;
    }
    if (window) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    swapRefreshNs = 0;
    return released;
}

void PlatformMoveWindow(int x, int y) {
    if (window) SDL_SetWindowPosition(window, x, y);
}

void PlatformSwapBuffers() {
    if (window) SDL_GL_SwapWindow(window);
}

void* PlatformGLProcAddress(const char* name) { return window ? SDL_GL_GetProcAddress(name) : nullptr; }

void PlatformHideCursor() {
    if (videoStarted) SDL_ShowCursor(SDL_DISABLE);
}

bool PlatformWindowRect(int* left, int* top, int* right, int* bottom) {
    if (!window) return false;
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window, &x, &y);
    SDL_GetWindowSize(window, &w, &h);
    *left = x;
    *top = y;
    *right = x + w;
    *bottom = y + h;
    return true;
}
