// The data folders a program's place offers on Windows: an unzipped or
// installed game keeps its data beside the .exe, a build tree in `run`
// beside it. The installer leaves an empty file `installed` beside the .exe,
// so that the game never writes under Program Files and saves go to the
// player's Saved Games instead.
#include "core/locations.h"

#include "machine/platform.h"

void AddProgramCandidates(const std::string& executableFolder, std::vector<DataCandidate>* list) {
    list->push_back({executableFolder, "the program's folder", false});
    list->push_back({executableFolder + "\\run", "the run folder beside the program", false});
}

bool MarkedInstalled(const std::string& folder) { return FileSize((folder + "\\installed").c_str()) >= 0; }
