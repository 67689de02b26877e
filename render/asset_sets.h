// The eight picture sets: which file fills which ImageTable slot.
#pragma once

struct AssetEntry {
    int slot;
    const char* file;   // without the ".bmp" extension
};

struct AssetSet {
    const char* folder;
    const AssetEntry* entries;
    int count;
};

// The sets in loading order; the cube set is two sets (bmp_cube, then bmp_unit).
extern const AssetSet AssetSets[];
extern const int AssetSetCount;

void LoadCrossSet();
void LoadUnitSet();
void LoadLandSet();
void LoadDungeonSet();
void LoadStructureSet();
void LoadItemSet();
void LoadIntroSet();
void LoadCubeSet();
