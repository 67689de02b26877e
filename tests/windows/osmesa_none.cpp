// The headless window's off-screen context for the Windows unit tests: one
// that draws nothing. The game's gl* calls go to opengl32 with no context
// current, where they do nothing, so these tests keep to what needs no
// picture; the front buffer a swap copies stays blank.
#include <GL/osmesa.h>

OSMesaContext OSMesaCreateContextExt(GLenum, GLint, GLint, GLint, OSMesaContext) {
    static int none;
    return reinterpret_cast<OSMesaContext>(&none);
}
GLboolean OSMesaMakeCurrent(OSMesaContext, void*, GLenum, GLsizei, GLsizei) { return GL_TRUE; }
void OSMesaDestroyContext(OSMesaContext) {}
OSMESAproc OSMesaGetProcAddress(const char*) { return nullptr; }
