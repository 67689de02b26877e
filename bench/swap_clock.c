/* LD_PRELOAD shim for bench/real_window.sh: wraps SDL_GL_SwapWindow and, every
 * 100 swaps, writes the mean milliseconds between swaps to stderr as
 * "swap-clock: <ms>", so a script can read the real window's frame time
 * without touching the game. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <time.h>

typedef struct SDL_Window SDL_Window;

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void SDL_GL_SwapWindow(SDL_Window* window) {
    static void (*real)(SDL_Window*) = 0;
    static double start = 0.0;
    static int swaps = 0;
    if (!real) real = (void (*)(SDL_Window*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(window);
    if (swaps == 0) start = Now();
    if (++swaps == 101) {
        const double now = Now();
        fprintf(stderr, "swap-clock: %.3f\n", (now - start) / 100.0);
        start = now;
        swaps = 1;
    }
}
