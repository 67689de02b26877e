// The game window and its OpenGL context, on top of the back end in
// machine/platform.h: creation with its failure messages, the fixed GL
// state, the window events and the window keys F1..F4 and M.
#include "platform/window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdint>

#include "platform/input.h"
#include "platform/present.h"
#include "render/overlay.h"
#include "render/textures.h"
#include "world/run_state.h"

int windowScale = 2;
int fullscreenOn = 0;
int presentScale = 2;
int presentLeft = 0, presentBottom = 0;
int windowLost = 0;

// Every failed step of window creation has its own message under "ERROR".
struct FailureMessage {
    WindowFailure failure;
    const char* text;
};

constexpr FailureMessage FailureMessages[] = {
    {WindowFailure::RegisterClass, "Failed To Register The Window Class."},
    {WindowFailure::CreateWindow, "Window Creation Error."},
    {WindowFailure::DeviceContext, "Can't Create A GL Device Context."},
    {WindowFailure::ChooseFormat, "Can't Find A Suitable PixelFormat."},
    {WindowFailure::SetFormat, "Can't Set The PixelFormat."},
    {WindowFailure::CreateContext, "Can't Create A GL Rendering Context."},
    {WindowFailure::MakeCurrent, "Can't Activate The GL Rendering Context."},
};

constexpr const char* SetupFailedText = "Initialization Failed.";
constexpr const char* ReleaseFailedText = "Release Of DC And RC Failed.";

static const char* FailureText(WindowFailure failure) {
    for (const FailureMessage& m : FailureMessages)
        if (m.failure == failure) return m.text;
    return SetupFailedText;
}

int OpenMainWindow() {
    // A start in fullscreen (kept from the last run) that fails falls back to
    // the window at windowScale, after the failure's message box.
    if (fullscreenOn && !CreateFullscreenWindow("GAME")) fullscreenOn = 0;
    if (!fullscreenOn && !CreateGameWindow("GAME", OverlayWidth * windowScale, OverlayHeight * windowScale, 16)) return 0;
    LayOutPicture();
    PlatformHideCursor();
    return 1;
}

// What follows opening the window, for both kinds: the failure's message
// box, or the projection and the fixed state of the new context.
static bool FinishWindow(WindowFailure failure) {
    if (failure != WindowFailure::None) {
        // When the windowing system itself did not start there is nothing to release.
        if (failure != WindowFailure::RegisterClass) DestroyGameWindow();
        PlatformMessageBox("ERROR", FailureText(failure), false);
        return false;
    }
    ++glContextGeneration;
    SetupProjection();
    if (!SetupGLState()) {
        DestroyGameWindow();
        PlatformMessageBox("ERROR", SetupFailedText, false);
        return false;
    }
    return true;
}

bool CreateGameWindow(const char* title, int width, int height, int colourBits) {
    // The back end asks for 8 bits a channel and falls back to 16-bit colour, the least asked for here.
    (void)colourBits;
    return FinishWindow(PlatformOpenWindow(title, width, height));
}

bool CreateFullscreenWindow(const char* title) { return FinishWindow(PlatformOpenFullscreenWindow(title)); }

void DestroyGameWindow() {
    if (!PlatformCloseWindow()) PlatformMessageBox("SHUTDOWN ERROR", ReleaseFailedText, true);
}

void LayOutPicture() {
    int left = 0, top = 0, right = 0, bottom = 0;
    if (!fullscreenOn || !PlatformWindowRect(&left, &top, &right, &bottom)) {
        presentScale = windowScale;
        presentLeft = presentBottom = 0;
        return;
    }
    // The largest whole scale keeps every overlay pixel a square of screen
    // pixels; a screen smaller than the overlay still gets scale 1.
    int width = right - left, height = bottom - top;
    int scale = std::min(width / OverlayWidth, height / OverlayHeight);
    presentScale = std::max(scale, 1);
    presentLeft = std::max((width - OverlayWidth * presentScale) / 2, 0);
    presentBottom = std::max((height - OverlayHeight * presentScale) / 2, 0);
}

bool PictureRect(int* left, int* top, int* right, int* bottom) {
    if (!PlatformWindowRect(left, top, right, bottom)) return false;
    if (!fullscreenOn) return true;   // the picture covers the window
    *left += presentLeft;
    *bottom -= presentBottom;
    *right = *left + OverlayWidth * presentScale;
    *top = *bottom - OverlayHeight * presentScale;
    return true;
}

void SetupProjection() {
    // The 3D view is always rendered at ViewWidth x ViewHeight in the bottom-left corner and
    // read back from there; the window's size only affects the present zoom.
    glViewport(0, 0, ViewWidth, ViewHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // 4/3 and 0.1 are single-precision values widened, exactly as the projection was tuned.
    gluPerspective(45.0, static_cast<double>(4.0f / 3.0f), static_cast<double>(0.1f), 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool SetupGLState() {
    CreateCubeTextures();
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    // The renderer treats pixels of this colour as empty background when it reads the view back.
    glClearColor(1.0f, 0.0f, 0.9f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    // Blending stays off (CreateCubeTextures turned it off); only the function is set.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return true;
}

// A press counts unless the last accepted press of the same button lies 0
// to 12 frames back: one click must not toggle twice. The frames are counted
// apart modulo 2^32, so the rule holds across the counter's wrap; a press
// frame that seems to lie ahead (a loaded game with a lower count, or a press
// more than 2^31 frames old) never blocks a click.
static void AcceptPress(int* pressed, int* pressFrame) {
    int since = FramesSince(*pressFrame);
    if (since < 0 || since > 12) {
        *pressed = 1;
        *pressFrame = frameCounter;
    }
}

void HandleWindowEvent(WindowEvent event) {
    switch (event) {
        case WindowEvent::Close: quitRequested = 1; break;   // the window stays open until the process ends
        case WindowEvent::LeftButton: AcceptPress(&leftPressed, &leftPressFrame); break;
        case WindowEvent::RightButton: AcceptPress(&rightPressed, &rightPressFrame); break;
        case WindowEvent::Other: break;
    }
}

int PumpOneMessage() {
    WindowEvent event;
    if (!PlatformNextEvent(&event)) return 0;
    HandleWindowEvent(event);
    return 1;
}

// F1..F4 give scales 1..4, tested in this order so that the last held key wins.
constexpr int ScaleKeys[] = {Key::F1, Key::F2, Key::F3, Key::F4};
constexpr int FullscreenPause = 300;

// Opens the game window covering the screen, or at windowScale; false after
// the failure's message box.
static bool OpenWindowOfKind(bool fullscreen) {
    return fullscreen ? CreateFullscreenWindow("GAME")
                      : CreateGameWindow("GAME", OverlayWidth * windowScale, OverlayHeight * windowScale, 16);
}

// A game with no window gets no keys, so nothing could end it: it ends after
// this frame, with status 1.
static void LoseWindow() {
    windowLost = 1;
    quitRequested = 1;
}

// Re-creates the window fullscreen or back at windowScale. A switch that
// fails (after its message box) falls back to the kind of window the game
// had; when that cannot be opened either, the window is lost.
static void SwitchFullscreen() {
    const bool wanted = fullscreenOn == 0;
    DestroyGameWindow();
    if (OpenWindowOfKind(wanted)) fullscreenOn = wanted ? 1 : 0;
    else if (!OpenWindowOfKind(!wanted)) LoseWindow();
    LayOutPicture();
    PlatformHideCursor();
}

void HandleWindowKeys() {
    for (int n = 1; n <= 4; ++n) {
        if (!KeyDown(ScaleKeys[n - 1])) continue;
        // The new window gets a new context, and with it new cube textures.
        // It is always an ordinary window: F1..F4 also leave fullscreen.
        DestroyGameWindow();
        windowScale = n;
        fullscreenOn = 0;
        if (!OpenWindowOfKind(false)) {
            LoseWindow();
            return;
        }
        LayOutPicture();
        PlatformHideCursor();
    }
    if (KeyDown(Key::F11)) {
        SwitchFullscreen();
        // A toggle, unlike the scale keys: the pause keeps one press from switching back and forth.
        PlatformSleep(FullscreenPause);
        if (windowLost) return;
    }
    // A fullscreen window stays where the screen is.
    if (KeyDown(Key::M) && !fullscreenOn) {
        // No pause: a held M drags the window along with the pointer.
        int px = 0, py = 0;
        PlatformPointer(&px, &py);
        PlatformMoveWindow(px, py);
        PlatformHideCursor();
    }
}
