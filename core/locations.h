// Where the game's data and saves are: chosen once at start-up, before any
// picture is loaded, and handed to the platform's file layer.
#pragma once

#include <string>
#include <vector>

// One folder the game data may be taken from.
struct DataCandidate {
    std::string path;
    const char* source;   // how it was found, for the message when none holds the data
    bool installed;       // a shared install beside the program: never written to
};

// The folders to try, in order. An explicit choice (the --data option, else
// the environment variable) is the only one tried: a folder the player named
// is never quietly replaced by another. Null or empty arguments are skipped.
std::vector<DataCandidate> DataCandidates(const char* option, const char* environment,
                                          const char* workingFolder, const char* executableFolder);

// The folders the program's own place offers, in order, appended to list.
// The layout differs per system, so each has its file: locations_posix.cpp
// (a run folder beside the program, an install under ../share) and
// locations_win32.cpp (the program's folder itself, then its run folder).
void AddProgramCandidates(const std::string& executableFolder, std::vector<DataCandidate>* list);

// True when the folder carries the mark of an installed, shared game (on
// Windows the empty file `installed` the installer puts beside the program):
// it is then never written to, whichever way it was found.
bool MarkedInstalled(const std::string& folder);

// True when the folder holds the game's pictures (its bmp_cube folder).
bool HoldsGameData(const std::string& folder);

// Index of the first candidate that holds the game's data, or -1.
int FirstWithGameData(const std::vector<DataCandidate>& candidates);

// Where the slots go for this data folder: its own map folder when it may be
// written (a build tree, a copied run folder), else the player's own save
// folder (PlayerFolderPath; null when there is none). Sets *createOnUse for
// a folder that is made on the first save.
std::string SaveFolderFor(const DataCandidate& data, bool writable, const char* playerSaves, bool* createOnUse);

// Chooses the data and save folders from the option, the environment and
// the program's place, and sets them in the file layer. When no folder holds
// the data, says which were tried (stderr and a message box) and returns false.
bool ChooseFolders(const char* dataOption);
