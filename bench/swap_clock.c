/* LD_PRELOAD shim for bench/real_window.sh: wraps SDL_GL_SwapWindow and
 * writes the time each swap returned, in milliseconds on the monotonic
 * clock, as one line to the file named by SWAP_CLOCK_LOG, so that a script
 * can read the real window's swap intervals without touching the game. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef struct SDL_Window SDL_Window;

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void SDL_GL_SwapWindow(SDL_Window* window) {
    static void (*real)(SDL_Window*) = 0;
    static FILE* log = 0;
    if (!real) {
        real = (void (*)(SDL_Window*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
        const char* name = getenv("SWAP_CLOCK_LOG");
        log = fopen(name ? name : "/dev/null", "w");
    }
    real(window);
    /* One short line a frame, handed to the kernel at once so that the
     * script can count the swaps while the game runs. */
    if (log) {
        fprintf(log, "%.3f\n", Now());
        fflush(log);
    }
}
