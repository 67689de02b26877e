// The player as a free camera: the walk along the line of sight, the push
// away from solid cells, the head bob, the cell crossing and the mouse look.
#pragma once

extern int cycleStep;   // motion divisor 1..36: a frame moves 0.1 / cycleStep of a cell; set by the console, saved
extern float Yaw;       // degrees; at a level view 0 looks toward smaller y, 90 toward larger x
extern float Pitch;     // degrees; -90 level, 0 straight down, -180 straight up

// Degrees to radians with the game's own factor (pi cut after nine decimals).
constexpr double DegreesToRadians = 0.017453292516666667;

// The World value of the cell at the cursor plus (floor(fx), floor(fy), floor(fz)).
// Cells outside the volume read as solid rock, so the walk never carries the
// cursor out of it.
int ProbeCell(float fx, float fy, float fz);

// Pushes the eye away from solid cells; (u, v, w) is the position inside the
// cursor cell along the world axes.
void CollidePlayer(float u, float v, float w);

// Walk forward and back, collide, cross cell borders: the motion of one frame.
void MovePlayer();

// Sets the angles from the pointer while mouse look is on.
void MouseLook();
