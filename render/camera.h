// The player as a free camera: the walk along the line of sight, the push
// away from solid cells, the head bob, the cell crossing and the mouse look.
#pragma once

// The camera's angles, the cursor and the player's offset are in world/run_state.h.

// The World value of the cell at the cursor plus (floor(fx), floor(fy), floor(fz)).
// Cells outside the volume read as solid rock, so the walk never carries the
// cursor out of it.
int ProbeCell(float fx, float fy, float fz);

// Pushes the eye away from solid cells; (u, v, w) is the position inside the
// cursor cell along the world axes.
void CollidePlayer(float u, float v, float w);

// Walk forward (while WalkOn) and back (while walkBack: Z is held), collide,
// cross cell borders: the motion of one frame.
void MovePlayer(bool walkBack);

// Sets the angles from the pointer, in overlay pixels, while mouse look is on.
void MouseLook(int pointerX, int pointerY);
