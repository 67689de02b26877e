#include "render/view_target.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

#include "machine/platform.h"
#include "render/overlay.h"
#include "render/textures.h"

bool viewTargetOn = true;

// The entry points and names belong to one context, as the textures do.
static int targetContext = -1;
static bool targetMade = false;
static GLuint framebuffer = 0, colourBuffer = 0, depthBuffer = 0;
static PFNGLBINDFRAMEBUFFEREXTPROC bindFramebuffer = nullptr;

static bool HasExtension(const char* name) {
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!list) return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at; at = std::strstr(at + length, name))
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    return false;
}

template <typename Proc>
static Proc Lookup(const char* name) {
    return reinterpret_cast<Proc>(PlatformGLProcAddress(name));
}

static bool MakeTarget() {
    if (!HasExtension("GL_EXT_framebuffer_object")) return false;
    auto genFramebuffers = Lookup<PFNGLGENFRAMEBUFFERSEXTPROC>("glGenFramebuffersEXT");
    auto genRenderbuffers = Lookup<PFNGLGENRENDERBUFFERSEXTPROC>("glGenRenderbuffersEXT");
    auto bindRenderbuffer = Lookup<PFNGLBINDRENDERBUFFEREXTPROC>("glBindRenderbufferEXT");
    auto renderbufferStorage = Lookup<PFNGLRENDERBUFFERSTORAGEEXTPROC>("glRenderbufferStorageEXT");
    auto attach = Lookup<PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC>("glFramebufferRenderbufferEXT");
    auto status = Lookup<PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC>("glCheckFramebufferStatusEXT");
    bindFramebuffer = Lookup<PFNGLBINDFRAMEBUFFEREXTPROC>("glBindFramebufferEXT");
    if (!genFramebuffers || !genRenderbuffers || !bindRenderbuffer || !renderbufferStorage || !attach || !status ||
        !bindFramebuffer)
        return false;
    genFramebuffers(1, &framebuffer);
    genRenderbuffers(1, &colourBuffer);
    genRenderbuffers(1, &depthBuffer);
    bindRenderbuffer(GL_RENDERBUFFER_EXT, colourBuffer);
    renderbufferStorage(GL_RENDERBUFFER_EXT, GL_RGBA8, ViewWidth, ViewHeight);
    bindRenderbuffer(GL_RENDERBUFFER_EXT, depthBuffer);
    renderbufferStorage(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT16, ViewWidth, ViewHeight);
    bindRenderbuffer(GL_RENDERBUFFER_EXT, 0);
    bindFramebuffer(GL_FRAMEBUFFER_EXT, framebuffer);
    attach(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, colourBuffer);
    attach(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depthBuffer);
    const bool complete = status(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
    bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
    // A refused framebuffer leaves an error behind; the window path goes on without it.
    while (glGetError() != GL_NO_ERROR) {
    }
    return complete;
}

bool BindViewTarget() {
    if (targetContext != glContextGeneration) {
        targetContext = glContextGeneration;
        targetMade = MakeTarget();
    }
    if (!targetMade || !viewTargetOn) return false;
    bindFramebuffer(GL_FRAMEBUFFER_EXT, framebuffer);
    return true;
}

void BindWindowTarget() {
    if (targetMade && targetContext == glContextGeneration) bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
}
