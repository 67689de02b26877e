#include "core/game.h"
#include "core/locations.h"
#include "core/options.h"

int main(int argc, char** argv) {
    const int status = ParseOptions(argc, argv, stdout, stderr);
    if (status != KeepRunning) return status;
    if (!ChooseFolders(Options.dataFolder)) return 1;
    return GameMain();
}
