// The 3D view's own framebuffer: ViewWidth x ViewHeight colour with a 16-bit
// depth buffer, apart from the window. Clearing a whole framebuffer is the
// one clear software OpenGL does without drawing, and a view that has a
// framebuffer to itself never shares the window's scaled one.
#pragma once

// Makes the view framebuffer current, first making it for this context.
// False where OpenGL has no framebuffer objects or the driver refuses this
// one: the view is then drawn in the window's bottom-left corner, as before.
bool BindViewTarget();

// Makes the window's framebuffer current again.
void BindWindowTarget();

// Whether the view goes to its own framebuffer; on by default, turned off
// only by tests and benchmarks that compare the two.
extern bool viewTargetOn;
