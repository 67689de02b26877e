// The data folders a program's place offers on Linux: a build tree or a
// copied run folder keeps its data in `run` beside the program; an install
// keeps it in ../share/voxel-dungeon, never written to.
#include "core/locations.h"

void AddProgramCandidates(const std::string& executableFolder, std::vector<DataCandidate>* list) {
    list->push_back({executableFolder + "/run", "the run folder beside the program", false});
    list->push_back({executableFolder + "/../share/voxel-dungeon", "the installed game data", true});
}

// An install is known by its place alone.
bool MarkedInstalled(const std::string&) { return false; }
