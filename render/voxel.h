// The 3D view: the cells within MVD of the cursor as textured cubes, read
// back and copied into the OverlayBuffer behind the HUD.
#pragma once

#include <cstdint>

#include <GL/gl.h>

extern uint8_t KeyColour[3];   // the background as the framebuffer returns the clear colour; measured per context
extern long long renderedFaces;   // quads drawn since the last reset: cube faces, panels and marker faces

enum class Renderer { Reference, Fast };
extern Renderer activeRenderer;   // which renderer ViewFrame uses; the fast one by default

// Draw, move (walk, collide, cross), composite, then mouse look. The loop
// hands in this frame's input: Z held, and the pointer in overlay pixels.
void ViewFrame(bool walkBack, int pointerX, int pointerY);

// Draws the view with the renderer that is active.
void DrawView();

// The immediate-mode renderer: every visible face its own begin/end pair.
void DrawVisibleCells();
void DrawCell(int x, int y, int z);
void DrawObjectiveMarker(int x, int y, int z);

// Reads the 3D picture back and copies every non-background pixel into the overlay.
void CompositeView();

// Sets the camera on the current matrix: pitch, yaw, the turn to world axes and the eye's place in its cell.
void ApplyCamera();

// Per-context state (the key colour, the blueprint-mark textures); made again
// whenever a new OpenGL context has appeared.
void PrepareContext();
