// Message boxes, pauses and the calendar clock for the SDL back end.
#include <SDL.h>

#include <cstdio>
#include <ctime>

#include "platform/platform.h"

void PlatformMessageBox(const char* caption, const char* text, bool information) {
    Uint32 flags = information ? SDL_MESSAGEBOX_INFORMATION : SDL_MESSAGEBOX_WARNING;
    // Without a display the box cannot be shown; the text must still reach someone.
    if (SDL_ShowSimpleMessageBox(flags, caption, text, nullptr) != 0) fprintf(stderr, "%s: %s\n", caption, text);
}

void PlatformSleep(int ms) {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

int64_t PlatformTimeSeconds() { return static_cast<int64_t>(time(nullptr)); }
