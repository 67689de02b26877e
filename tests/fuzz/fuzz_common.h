// Shared set-up of the fuzz targets: a game with its tables in a private
// temporary folder, on the headless back end (pauses cost nothing).
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/game.h"
#include "core/startup.h"
#include "machine/headless/headless.h"
#include "platform/window.h"
#include "render/overlay.h"

// Starts the game once per process in a fresh folder with an empty map folder.
inline void StartFuzzGame(bool withWindow) {
    static bool started = false;
    if (started) return;
    started = true;
    char pattern[] = "/tmp/dungeon-fuzz-XXXXXX";
    const char* folder = mkdtemp(pattern);
    if (!folder) std::abort();
    std::filesystem::current_path(folder);
    std::filesystem::create_directories("map");
    std::filesystem::create_directories("pictures");
    SetOverlaySize(320, 240);
    InitGame();
    if (withWindow && !OpenMainWindow()) std::abort();
}

// Writes the bytes to a file of the folder, replacing what it held.
inline void WriteFileBytes(const char* path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path, "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}
