// The few OSMesa calls machine/headless/headless_window.cpp makes, for the
// Windows unit tests, where OSMesa is not at hand: see osmesa_none.cpp.
#pragma once

#include <GL/gl.h>

typedef struct osmesa_context* OSMesaContext;
typedef void (*OSMESAproc)();
#define OSMESA_RGBA GL_RGBA

OSMesaContext OSMesaCreateContextExt(GLenum format, GLint depthBits, GLint stencilBits, GLint accumBits,
                                     OSMesaContext sharelist);
GLboolean OSMesaMakeCurrent(OSMesaContext context, void* buffer, GLenum type, GLsizei width, GLsizei height);
void OSMesaDestroyContext(OSMesaContext context);
OSMESAproc OSMesaGetProcAddress(const char* name);
