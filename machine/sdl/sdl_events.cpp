// The pointer and the window events the game handles, from SDL.
#include <SDL.h>

#include "../platform.h"

void PlatformPointer(int* x, int* y) {
    // The global position, so that the pointer counts also outside the window.
    SDL_GetGlobalMouseState(x, y);
}

static WindowEvent Translate(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT: return WindowEvent::Close;
        case SDL_WINDOWEVENT:
            return e.window.event == SDL_WINDOWEVENT_CLOSE ? WindowEvent::Close : WindowEvent::Other;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button == SDL_BUTTON_LEFT) return WindowEvent::LeftButton;
            if (e.button.button == SDL_BUTTON_RIGHT) return WindowEvent::RightButton;
            return WindowEvent::Other;
        default: return WindowEvent::Other;
    }
}

bool PlatformNextEvent(WindowEvent* event) {
    SDL_Event e;
    if (!SDL_PollEvent(&e)) return false;
    *event = Translate(e);
    return true;
}
