// The eight set loaders: each walks its rows of AssetSets and loads every
// entry into its slot, in list order. Results are not looked at: a picture
// that fails leaves its slot as the reader left it and start-up goes on.
#include "render/asset_sets.h"

#include <cstdio>

#include "render/bitmap.h"

namespace {

// Which rows of AssetSets each loader walks. The cube set is two rows because
// its second half comes from the unit folder.
struct RowRange {
    int first;
    int count;
};

constexpr RowRange CrossRows = {0, 1};
constexpr RowRange UnitRows = {1, 1};
constexpr RowRange LandRows = {2, 1};
constexpr RowRange DungeonRows = {3, 1};
constexpr RowRange StructureRows = {4, 1};
constexpr RowRange ItemRows = {5, 1};
constexpr RowRange IntroRows = {6, 1};
constexpr RowRange CubeRows = {7, 2};

void LoadRows(RowRange rows) {
    for (int r = rows.first; r < rows.first + rows.count && r < AssetSetCount; ++r) {
        const AssetSet& set = AssetSets[r];
        for (int i = 0; i < set.count; ++i) {
            // The game's own path form; the platform file layer turns the
            // backslashes into the host's separator.
            char path[256];
            std::snprintf(path, sizeof path, ".\\%s\\%s.bmp", set.folder, set.entries[i].file);
            LoadBitmap(path, set.entries[i].slot);
        }
    }
}

}  // namespace

void LoadCrossSet() { LoadRows(CrossRows); }
void LoadUnitSet() { LoadRows(UnitRows); }
void LoadLandSet() { LoadRows(LandRows); }
void LoadDungeonSet() { LoadRows(DungeonRows); }
void LoadStructureSet() { LoadRows(StructureRows); }
void LoadItemSet() { LoadRows(ItemRows); }
void LoadIntroSet() { LoadRows(IntroRows); }
void LoadCubeSet() { LoadRows(CubeRows); }
