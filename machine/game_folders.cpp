// The data folder and the save folder that game names resolve against, the
// same on every system; each file system's HostPath reads them back through
// DataFolder and SaveFolder.
#include <string>

#include "platform.h"

namespace {

std::string dataFolder = ".";        // relative game names resolve against this
bool dataMayCreate = true;           // OpenForReading may create missing files there
std::string saveFolder = "map";      // the slots; "map" is where a run folder keeps them
bool saveCreateOnUse = false;        // PrepareSaveFolder makes it when missing

}  // namespace

void SetDataFolder(const char* hostPath, bool mayCreate) {
    dataFolder = (hostPath && *hostPath) ? hostPath : ".";
    dataMayCreate = mayCreate;
}

const char* DataFolder() { return dataFolder.c_str(); }

bool DataFolderMayCreate() { return dataMayCreate; }

void SetSaveFolder(const char* hostPath, bool createOnUse) {
    saveFolder = (hostPath && *hostPath) ? hostPath : "map";
    saveCreateOnUse = createOnUse;
}

const char* SaveFolder() { return saveFolder.c_str(); }

bool PrepareSaveFolder() {
    if (saveCreateOnUse) return MakeFolders(saveFolder.c_str());
    return FolderExists(saveFolder.c_str());
}
