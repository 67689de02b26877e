#include "core/game.h"
#include "core/locations.h"
#include "core/options.h"
#include "core/settings.h"

int main(int argc, char** argv) {
    const int status = ParseOptions(argc, argv, stdout, stderr);
    if (status != KeepRunning) return status;
    if (!ChooseFolders(Options.dataFolder)) return 1;
    StartSettings();
    return GameMain();
}
