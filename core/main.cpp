#include "core/game.h"
#include "core/locations.h"
#include "core/options.h"
#include "core/pacing.h"

int main(int argc, char** argv) {
    const int status = ParseOptions(argc, argv, stdout, stderr);
    if (status != KeepRunning) return status;
    if (!ChooseFolders(Options.dataFolder)) return 1;
    if (Options.fps >= 0) FrameRateLimit = Options.fps;
    return GameMain();
}
