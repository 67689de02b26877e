// The Win32 window and its WGL context: the window half of platform.h.
// A borderless popup of class "OpenGL" at the screen's top-left corner, a
// double-buffered RGBA pixel format with a 16-bit depth buffer, and a legacy
// (fixed-function) context made current on the one thread.
#include <windows.h>

#include <GL/gl.h>

#include "../platform.h"
#include "../swap_timing.h"
#include "win32.h"

constexpr char ClassName[] = "OpenGL";
// The game's icon in the .exe's resources (voxel_dungeon.rc).
constexpr int IconResource = 1;

static HINSTANCE appInstance = nullptr;   // the program's own module, for the class
static HWND mainWindow = nullptr;         // the one game window; null while closed
static HDC deviceContext = nullptr;       // its device context (CS_OWNDC: kept for the window's life)
static HGLRC renderContext = nullptr;     // the OpenGL context, current on the main thread
static bool classRegistered = false;
static bool fullscreenNext = false;       // the next PlatformOpenWindow covers a monitor
static RECT fullscreenBounds;             // the monitor it covers
static int64_t swapRefreshNs = 0;         // the refresh period the swaps wait for; 0: they do not

static bool RegisterWindowClass() {
    if (classRegistered) return true;
    appInstance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    wc.lpfnWndProc = GameWindowProc;
    wc.hInstance = appInstance;
    wc.hIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IconResource));
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32517));   // IDI_WINLOGO
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32515));               // IDC_CROSS
    wc.lpszClassName = ClassName;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    classRegistered = true;
    return true;
}

// The pixel format asked for: drawn to a window by OpenGL, double-buffered
// RGBA with 8 bits a channel and a 16-bit depth buffer. ChoosePixelFormat
// gives the closest the driver has, 16-bit colour on a 16-bit display.
static PIXELFORMATDESCRIPTOR GameFormat() {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

// Asks for vsync where the driver offers WGL_EXT_swap_control; without it
// the game's own pacing holds the rate alone.
static void AskForVsync() {
    using SwapInterval = BOOL(WINAPI*)(int);
    auto setInterval = reinterpret_cast<SwapInterval>(PlatformGLProcAddress("wglSwapIntervalEXT"));
    if (setInterval) setInterval(1);
}

static void ClearAndSwap() {
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers(deviceContext);
}

// Whether the swaps really wait for the display: only with a swap interval
// set and a known refresh rate (0 and 1 mean the hardware's default rate).
static int64_t MeasureSwapRefresh() {
    using GetInterval = int(WINAPI*)();
    auto getInterval = reinterpret_cast<GetInterval>(PlatformGLProcAddress("wglGetSwapIntervalEXT"));
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!getInterval || getInterval() == 0 || !EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) ||
        mode.dmDisplayFrequency <= 1)
        return 0;
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    return TimeSwapRefresh(static_cast<int>(mode.dmDisplayFrequency), ClearAndSwap);
}

int64_t PlatformSwapRefreshNs() { return swapRefreshNs; }

WindowFailure PlatformOpenWindow(const char* title, int width, int height) {
    PlatformCloseWindow();
    if (!RegisterWindowClass()) return WindowFailure::RegisterClass;

    int x = 0, y = 0;
    if (fullscreenNext) {
        x = fullscreenBounds.left;
        y = fullscreenBounds.top;
        fullscreenNext = false;
    }
    const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    const DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);   // a popup has no frame: the client area is the window
    mainWindow = CreateWindowExA(exStyle, ClassName, title, style, x, y, rect.right - rect.left,
                                 rect.bottom - rect.top, nullptr, nullptr, appInstance, nullptr);
    if (!mainWindow) return WindowFailure::CreateWindow;
    deviceContext = GetDC(mainWindow);
    if (!deviceContext) return WindowFailure::DeviceContext;
    const PIXELFORMATDESCRIPTOR pfd = GameFormat();
    const int format = ChoosePixelFormat(deviceContext, &pfd);
    if (format == 0) return WindowFailure::ChooseFormat;
    if (!SetPixelFormat(deviceContext, format, &pfd)) return WindowFailure::SetFormat;
    renderContext = wglCreateContext(deviceContext);
    if (!renderContext) return WindowFailure::CreateContext;
    if (!wglMakeCurrent(deviceContext, renderContext)) return WindowFailure::MakeCurrent;
    AskForVsync();

    ShowWindow(mainWindow, SW_SHOW);
    swapRefreshNs = MeasureSwapRefresh();
    SetForegroundWindow(mainWindow);
    SetFocus(mainWindow);
    return WindowFailure::None;
}

WindowFailure PlatformOpenFullscreenWindow(const char* title) {
    // The monitor the current window is on, else the primary one.
    HMONITOR monitor = mainWindow ? MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST)
                                  : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info)) return WindowFailure::CreateWindow;
    fullscreenBounds = info.rcMonitor;
    fullscreenNext = true;
    // A borderless window exactly over the monitor is what Windows shows as
    // fullscreen; the display mode is never changed.
    return PlatformOpenWindow(title, fullscreenBounds.right - fullscreenBounds.left,
                              fullscreenBounds.bottom - fullscreenBounds.top);
}

bool PlatformCloseWindow() {
    bool released = true;
    swapRefreshNs = 0;
    if (renderContext) {
        released = wglMakeCurrent(nullptr, nullptr) != FALSE;
        wglDeleteContext(renderContext);
        renderContext = nullptr;
    }
    if (deviceContext) {
        ReleaseDC(mainWindow, deviceContext);
        deviceContext = nullptr;
    }
    if (mainWindow) {
        // Destroyed while it counts as visible, the window is hidden first,
        // and under Wine with no window manager that hide waits two seconds
        // for a manager's answer on every F1..F4. Dropping the visible style
        // first lets it go at once; destroying it takes it off the screen anyway.
        SetWindowLongA(mainWindow, GWL_STYLE, GetWindowLongA(mainWindow, GWL_STYLE) & ~WS_VISIBLE);
        DestroyWindow(mainWindow);
        mainWindow = nullptr;
    }
    if (classRegistered) {
        UnregisterClassA(ClassName, appInstance);
        classRegistered = false;
    }
    return released;
}

void PlatformMoveWindow(int x, int y) {
    RECT rect;
    if (!mainWindow || !GetWindowRect(mainWindow, &rect)) return;
    MoveWindow(mainWindow, x, y, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void PlatformSwapBuffers() {
    if (deviceContext) SwapBuffers(deviceContext);
}

void* PlatformGLProcAddress(const char* name) {
    if (!renderContext) return nullptr;
    PROC proc = wglGetProcAddress(name);
    // Some drivers answer a missing entry point with a small number instead of null.
    const auto value = reinterpret_cast<intptr_t>(proc);
    if (value >= -1 && value <= 3) proc = nullptr;
    // wglGetProcAddress knows only what lies beyond OpenGL 1.1; the rest is exported by opengl32.dll.
    if (!proc) {
        HMODULE gl = GetModuleHandleA("opengl32.dll");
        if (gl) proc = GetProcAddress(gl, name);
    }
    return reinterpret_cast<void*>(proc);
}

void PlatformHideCursor() {
    // Each call lowers the display count; nothing raises it again, so the
    // pointer stays hidden over the window for the whole run.
    ShowCursor(FALSE);
}

bool PlatformWindowRect(int* left, int* top, int* right, int* bottom) {
    RECT rect;
    if (!mainWindow || !GetWindowRect(mainWindow, &rect)) return false;
    *left = rect.left;
    *top = rect.top;
    *right = rect.right;
    *bottom = rect.bottom;
    return true;
}
