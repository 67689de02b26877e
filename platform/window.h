// The game's one window and its OpenGL context, the window-event handling
// and the window keys. Built on the back end of machine/platform.h.
#pragma once

#include "machine/platform.h"

extern int windowScale;   // 1..4; multiplies the window size and is the present zoom. Set to 2 by start-up, changed by F1..F4.
extern int fullscreenOn;   // 1 while the window covers the screen (F11); F1..F4 and F11 again end it
extern int presentScale;   // the zoom the picture is presented at: windowScale, or in fullscreen the largest whole scale that fits
extern int presentLeft, presentBottom;   // window pixels between the picture and the window's left and bottom edges (0 unless fullscreen)
extern int windowLost;     // 1 when a window switch left no window at all; the game then ends with status 1

// Opens the first window ("GAME", OverlayWidth x windowScale by OverlayHeight x windowScale,
// or covering the screen while fullscreenOn) and hides the pointer. 1 on
// success, 0 after the failure's message box.
int OpenMainWindow();

// Creates the window and its context; each failed step destroys what exists,
// shows its message box under "ERROR" and returns false.
bool CreateGameWindow(const char* title, int width, int height, int colourBits);

// The same for a window that covers the screen it is on.
bool CreateFullscreenWindow(const char* title);

// Sets presentScale, presentLeft and presentBottom for the window as it is now.
void LayOutPicture();

// The picture's rectangle in screen pixels (right and bottom exclusive):
// the window's, or in fullscreen the centred part the picture covers. False
// when there is no window.
bool PictureRect(int* left, int* top, int* right, int* bottom);

// Releases the context and the window.
void DestroyGameWindow();

// Viewport (0, 0, ViewWidth, ViewHeight) and the 45-degree projection, whatever the window's size.
void SetupProjection();

// Cube textures, then the fixed GL state; always true.
bool SetupGLState();

// Handles one window event: a close request sets quitRequested, button presses
// are accepted at most once in 13 frames per button.
void HandleWindowEvent(WindowEvent event);

// Takes and handles one pending event: 1 if there was one, else 0.
int PumpOneMessage();

// F1..F4 re-create the window at scale 1..4 (no pause); F11 switches
// fullscreen on or off (300 ms pause); M moves a window that is not
// fullscreen to the pointer. A re-creation that fails (after its message
// box) sets windowLost and quitRequested and handles no further window key.
void HandleWindowKeys();
