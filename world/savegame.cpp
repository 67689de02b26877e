// Saving writes the four files of a slot as temporary files beside the old
// ones, flushes them, writes a small switch marker, renames them into place
// and removes the marker. A crash before the marker leaves the old slot; a
// crash after it leaves complete new files that RecoverSlot puts in place.
#include "world/savegame.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "machine/platform.h"
#include "world/run_state.h"
#include "world/volume.h"

uint8_t* LoadBackup = nullptr;

constexpr int StepBytes = 1000000;
constexpr int StepPause = 100;
constexpr int FilePause = 1000;

enum SlotFile { MainMap, FlagMap, Units, Variables, SlotFileCount };

struct SlotFileInfo {
    const char* kind;
    const char* saveText;
    const char* loadText;
    long long size;
};
constexpr SlotFileInfo SlotFiles[SlotFileCount] = {
    {"mainmap", "Saving dungeon maps", "Loading dungeon maps", VolumeFileSize},
    {"flagmap", "Saving flagmap maps", "Loading flagmap maps", VolumeFileSize},
    {"unit", "Saving units", "Loading units", UnitFileSize},
    {"variables", "Saving variables", "Loading variables", VariablesFileSize},
};

// The saved run variables, in file order.
static int* const SavedVariables[8] = {&frameCounter, &cycleStep, &MVD, &SX, &SY, &SZ, &objectivesTotal, &objectivesFound};

struct FileName {
    char text[64];
};

static FileName SlotFileName(int slot, int file, const char* suffix = "") {
    FileName name;
    std::snprintf(name.text, sizeof name.text, "@saves\\SAVEGAME%d.%s%s", slot, SlotFiles[file].kind, suffix);
    return name;
}

static FileName SwitchMarkerName(int slot) {
    FileName name;
    std::snprintf(name.text, sizeof name.text, "@saves\\SAVEGAME%d.switch", slot);
    return name;
}

static ProgressScreen showScreen = nullptr;   // the caller's screen for the save or load under way

static void ShowProgress(const char* text, int percent) {
    if (showScreen) showScreen(text, percent);
}

static void ShowMessage(const char* text) {
    ShowProgress(text, -1);
    PlatformSleep(1000);
}

// Moves a volume in 1,000,000-byte steps, each behind its progress screen;
// the last step stops one byte short of the end, so the last cell never moves.
static bool TransferVolume(int file, uint8_t* volume, const char* text, bool writing) {
    for (long long o = 0; o < VolumeSize; o += StepBytes) {
        long long length = o + StepBytes < VolumeSize ? StepBytes : VolumeSize - o - 1;
        ShowProgress(text, static_cast<int>(static_cast<double>(o) / VolumeSize * 100.0));
        PlatformSleep(StepPause);
        long long moved = writing ? FileWrite(file, volume + o, length) : FileRead(file, volume + o, length);
        PlatformSleep(StepPause);
        if (moved != length) return false;
    }
    return true;
}

static bool TransferUnits(int file, const char* text, bool writing) {
    ShowProgress(text, -1);
    PlatformSleep(FilePause);
    long long moved = writing ? FileWrite(file, UnitTable, UnitFileSize) : FileRead(file, UnitTable, UnitFileSize);
    PlatformSleep(FilePause);
    return moved == UnitFileSize;
}

static void PutLittleEndian(uint8_t* p, int32_t value) {
    uint32_t u = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

static int32_t GetLittleEndian(const uint8_t* p) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(p[i]) << (8 * i);
    return static_cast<int32_t>(u);
}

static bool TransferVariables(int file, const char* text, bool writing) {
    ShowProgress(text, -1);
    PlatformSleep(FilePause);
    bool ok = true;
    for (int* variable : SavedVariables) {
        uint8_t bytes[4];
        if (writing) {
            PutLittleEndian(bytes, *variable);
            ok = ok && FileWrite(file, bytes, 4) == 4;
        } else if (FileRead(file, bytes, 4) == 4) {
            *variable = GetLittleEndian(bytes);
        } else {
            ok = false;
        }
    }
    PlatformSleep(FilePause);
    return ok;
}

static bool TransferFile(int which, int file, bool writing) {
    const char* text = writing ? SlotFiles[which].saveText : SlotFiles[which].loadText;
    switch (which) {
        case MainMap: return TransferVolume(file, writing ? World : WritableWorld(), text, writing);
        case FlagMap: return TransferVolume(file, writing ? Flagmap : WritableFlagmap(), text, writing);
        case Units: return TransferUnits(file, text, writing);
        default: return TransferVariables(file, text, writing);
    }
}

static void RemoveTemporaries(int slot) {
    for (int f = 0; f < SlotFileCount; ++f) FileRemove(SlotFileName(slot, f, ".tmp").text);
}

void RecoverSlot(int slot) {
    FileName marker = SwitchMarkerName(slot);
    if (FileSize(marker.text) >= 0) {
        // The new files were complete before the marker was written: finish the
        // switch. A temporary that is gone was renamed already. Should a rename
        // fail, marker and temporaries stay for the next try.
        bool switched = true;
        for (int f = 0; f < SlotFileCount; ++f) {
            FileName temporary = SlotFileName(slot, f, ".tmp");
            if (FileSize(temporary.text) < 0) continue;
            switched = FileRename(temporary.text, SlotFileName(slot, f).text) && switched;
        }
        if (!switched) return;
        FlushFolderOf(marker.text);
        FileRemove(marker.text);
    }
    RemoveTemporaries(slot);
}

static bool WriteTemporaries(int slot) {
    for (int f = 0; f < SlotFileCount; ++f) {
        FileName temporary = SlotFileName(slot, f, ".tmp");
        int file = OpenAlways(temporary.text, FileAccess::Write);
        if (file < 0) return false;
        bool ok = TransferFile(f, file, true) && FileFlush(file);
        if (!FileClose(file) || !ok) return false;
    }
    return true;
}

static bool SwitchToTemporaries(int slot) {
    FileName marker = SwitchMarkerName(slot);
    int file = OpenAlways(marker.text, FileAccess::Write);
    if (file < 0) return false;
    bool ok = FileFlush(file);
    if (!FileClose(file) || !ok) {
        FileRemove(marker.text);
        return false;
    }
    FlushFolderOf(marker.text);   // the marker is on disk before any file is replaced
    for (int f = 0; f < SlotFileCount; ++f)
        if (!FileRename(SlotFileName(slot, f, ".tmp").text, SlotFileName(slot, f).text)) return false;
    FlushFolderOf(marker.text);   // the renames are on disk before the marker goes
    FileRemove(marker.text);
    FlushFolderOf(marker.text);
    return true;
}

void SaveGame(int slot, ProgressScreen show) {
    showScreen = show;
    // A save folder of the player's own is made on the first save.
    PrepareSaveFolder();
    // RecoverSlot leaves no temporaries behind, so the new ones start empty;
    // only a switch it could not finish keeps its marker, and then the slot
    // must not be written over until that switch is done.
    RecoverSlot(slot);
    if (FileSize(SwitchMarkerName(slot).text) >= 0) {
        ShowMessage("Save failed");
        return;
    }
    if (!WriteTemporaries(slot)) {
        RemoveTemporaries(slot);
        ShowMessage("Save failed");
        return;
    }
    // Once the marker is on disk the switch is finished by RecoverSlot if it is cut short here.
    if (!SwitchToTemporaries(slot)) {
        RecoverSlot(slot);
        ShowMessage("Save failed");
    }
}

// Whether the game can run with these saved variables (file order) and this
// player record.
static bool ValuesSound(const int32_t v[8], const UnitRecord& player) {
    int32_t step = v[1], mvd = v[2], sx = v[3], sy = v[4], sz = v[5], total = v[6], found = v[7];
    if (step < 1 || step > 36 || mvd < 1 || mvd > 30) return false;
    if (!InsideVolume(sx, sy, sz)) return false;
    if (total < 0 || total > 20 || found < 0 || found > total) return false;
    for (float o : player.cellOffset)
        if (!std::isfinite(o) || o < 0.0f || o > 1.0f) return false;
    return true;
}

// Reads the variables and the player's offsets from the slot's files and
// checks that the game can run with them.
static bool SlotValuesSound(int slot) {
    uint8_t bytes[VariablesFileSize];
    int file = OpenExisting(SlotFileName(slot, Variables).text, FileAccess::Read);
    if (file < 0) return false;
    bool read = FileRead(file, bytes, sizeof bytes) == VariablesFileSize;
    FileClose(file);
    if (!read) return false;
    int32_t v[8];
    for (int i = 0; i < 8; ++i) v[i] = GetLittleEndian(bytes + 4 * i);

    // The player's record comes first in the unit file after record 0.
    UnitRecord records[playerUnit + 1];
    file = OpenExisting(SlotFileName(slot, Units).text, FileAccess::Read);
    if (file < 0) return false;
    read = FileRead(file, records, sizeof records) == static_cast<long long>(sizeof records);
    FileClose(file);
    return read && ValuesSound(v, records[playerUnit]);
}

// A load is all or nothing: what it replaces is kept in LoadBackup until
// every read has succeeded, and put back when one has not.
static void KeepLiveState(int32_t variables[8]) {
    std::memcpy(LoadBackup, World, VolumeSize);
    std::memcpy(LoadBackup + VolumeSize, Flagmap, VolumeSize);
    std::memcpy(LoadBackup + 2 * VolumeSize, UnitTable, UnitFileSize);
    for (int i = 0; i < 8; ++i) variables[i] = *SavedVariables[i];
}

static void RestoreLiveState(const int32_t variables[8]) {
    std::memcpy(WritableWorld(), LoadBackup, VolumeSize);
    std::memcpy(WritableFlagmap(), LoadBackup + VolumeSize, VolumeSize);
    std::memcpy(UnitTable, LoadBackup + 2 * VolumeSize, UnitFileSize);
    for (int i = 0; i < 8; ++i) *SavedVariables[i] = variables[i];
}

// Reads all four files over the live game; false when any read fell short
// or the values read are not ones the game can run with (a file changed
// since it was checked).
static bool ReadSlot(int slot) {
    for (int f = 0; f < SlotFileCount; ++f) {
        int file = OpenExisting(SlotFileName(slot, f).text, FileAccess::Read);
        if (file < 0) return false;
        bool read = TransferFile(f, file, false);
        FileClose(file);
        if (!read) return false;
    }
    int32_t v[8];
    for (int i = 0; i < 8; ++i) v[i] = *SavedVariables[i];
    return ValuesSound(v, Player());
}

void LoadGame(int slot, ProgressScreen show) {
    showScreen = show;
    RecoverSlot(slot);
    int present = 0;
    bool sizesRight = true;
    for (int f = 0; f < SlotFileCount; ++f) {
        long long size = FileSize(SlotFileName(slot, f).text);
        if (size >= 0) ++present;
        sizesRight = sizesRight && size == SlotFiles[f].size;
    }
    char text[64];
    if (present == 0) {
        std::snprintf(text, sizeof text, "Slot %d is empty", slot);
        ShowMessage(text);
        return;
    }
    // A switch that recovery could not finish leaves new and old files side
    // by side: such a slot is refused until a later recovery completes it.
    bool switchPending = FileSize(SwitchMarkerName(slot).text) >= 0;
    std::snprintf(text, sizeof text, "Slot %d is damaged", slot);
    if (switchPending || !sizesRight || !SlotValuesSound(slot)) {
        ShowMessage(text);
        return;
    }
    int32_t variables[8];
    KeepLiveState(variables);
    if (!ReadSlot(slot)) {
        RestoreLiveState(variables);
        ShowMessage(text);
        return;
    }
}
