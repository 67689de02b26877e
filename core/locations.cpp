// Choosing the data folder and the save folder. A build tree, a copied run
// folder and an installed game each keep working from any working directory:
// the data is looked for in a fixed order, and saves go where the player may
// write without touching an installed, shared folder.
#include "core/locations.h"

#include <cstdio>
#include <cstdlib>

#include "machine/platform.h"

std::vector<DataCandidate> DataCandidates(const char* option, const char* environment,
                                          const char* workingFolder, const char* executableFolder) {
    auto given = [](const char* s) { return s != nullptr && *s != 0; };
    if (given(option)) return {{option, "--data", false}};
    if (given(environment)) return {{environment, "VOXEL_DUNGEON_DATA", false}};
    std::vector<DataCandidate> list;
    if (given(workingFolder)) list.push_back({workingFolder, "the working directory", false});
    if (given(executableFolder)) AddProgramCandidates(executableFolder, &list);
    return list;
}

bool HoldsGameData(const std::string& folder) { return FolderExists((folder + "/bmp_cube").c_str()); }

int FirstWithGameData(const std::vector<DataCandidate>& candidates) {
    for (size_t i = 0; i < candidates.size(); ++i)
        if (HoldsGameData(candidates[i].path)) return static_cast<int>(i);
    return -1;
}

std::string SaveFolderFor(const DataCandidate& data, bool writable, const char* playerSaves, bool* createOnUse) {
    *createOnUse = false;
    if (writable && !data.installed) return data.path + "/map";
    // No home at all: saving fails in the data folder like in a read-only run folder.
    if (playerSaves == nullptr || *playerSaves == 0) return data.path + "/map";
    *createOnUse = true;
    return playerSaves;
}

bool ChooseFolders(const char* dataOption) {
    char working[4096] = "", executable[4096] = "";
    WorkingFolder(working, sizeof working);
    ExecutableFolder(executable, sizeof executable);
    const std::vector<DataCandidate> candidates =
        DataCandidates(dataOption, std::getenv("VOXEL_DUNGEON_DATA"), working, executable);
    const int chosen = FirstWithGameData(candidates);
    if (chosen < 0) {
        std::string text = "The game data (the bmp_cube folder and the others) was not found. Looked in:\n";
        for (const DataCandidate& c : candidates) text += "  " + c.path + "  (" + c.source + ")\n";
        if (candidates.empty()) text += "  no folder at all\n";
        std::fprintf(stderr, "voxel_dungeon: %s", text.c_str());
        PlatformMessageBox("ERROR", text.c_str(), false);
        return false;
    }
    DataCandidate data = candidates[chosen];
    data.installed = data.installed || MarkedInstalled(data.path);
    const bool writable = !data.installed && FolderWritable(data.path.c_str());
    bool createOnUse = false;
    char player[4096] = "";
    const bool hasPlayerFolder = PlayerFolderPath(PlayerFolder::Saves, player, sizeof player);
    const std::string saves = SaveFolderFor(data, writable, hasPlayerFolder ? player : nullptr, &createOnUse);
    SetDataFolder(data.path.c_str(), writable);
    SetSaveFolder(saves.c_str(), createOnUse);
    return true;
}
