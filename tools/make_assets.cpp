// make_assets: writes the game's default asset pack.
//
//   make_assets RUNDIR                       every picture every set names, as
//                                            24-bit BMP, and map/1.overworld
//   make_assets --contact-sheet OUT.png [N]  every distinct picture on one PNG
//                                            grid, N times enlarged (default 1)
//   make_assets --icon OUT.png               the 64 x 64 desktop icon
//
// The file lists come from render/asset_lists.cpp, the very table the game
// loads from, so the pack cannot miss a file (a missing one would be created
// empty by the game's open-always open and leave its slot without a picture).
// Output is a pure function of this program: same bytes on every run.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "render/asset_sets.h"
#include "tools/art.h"

namespace {

// The renderer treats these exact colours as the empty background of the 3D
// view (the clear colour as the framebuffer may return it); a picture pixel of
// that colour would vanish from the screen.
bool IsKeyColour(const uint8_t* p) { return p[0] == 255 && p[1] == 0 && (p[2] == 229 || p[2] == 230); }

void RemoveKeyColours(Canvas& c) {
    for (size_t i = 0; i < c.rgb.size(); i += 3)
        if (IsKeyColour(&c.rgb[i])) c.rgb[i + 2] = 228;
}

int WriteRunDirectory(const std::filesystem::path& root) {
    std::error_code error;
    std::filesystem::create_directories(root / "map", error);
    for (int r = 0; r < AssetSetCount; ++r) std::filesystem::create_directories(root / AssetSets[r].folder, error);
    if (error) {
        std::fprintf(stderr, "make_assets: cannot create folders under %s\n", root.string().c_str());
        return 1;
    }

    std::set<std::string> written;   // files named by several slots are drawn once
    for (int r = 0; r < AssetSetCount; ++r) {
        const AssetSet& set = AssetSets[r];
        for (int i = 0; i < set.count; ++i) {
            const std::string file = std::string(set.entries[i].file) + ".bmp";
            const std::string path = (root / set.folder / file).string();
            if (!written.insert(path).second) continue;
            Canvas c;
            if (!PaintPicture(set.folder, set.entries[i].file, c)) {
                std::fprintf(stderr, "make_assets: no painter for %s/%s\n", set.folder, file.c_str());
                return 1;
            }
            if (!WriteFileBytes(path, EncodeBmp(c))) {
                std::fprintf(stderr, "make_assets: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    }

    const std::string mapPath = (root / "map" / "1.overworld").string();
    if (!WriteFileBytes(mapPath, MakeOverworld())) {
        std::fprintf(stderr, "make_assets: cannot write %s\n", mapPath.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

bool PaintPicture(const std::string& folder, const std::string& name, Canvas& c) {
    bool known = false;
    if (folder == "bmp_cube") known = PaintCube(name, c);
    else if (folder == "bmp_unit") known = PaintUnit(name, c);
    else if (folder == "bmp_item") known = PaintItem(name, c);
    else if (folder == "bmp_dungeon") known = PaintDungeon(name, c);
    else if (folder == "bmp_land") known = PaintLand(name, c);
    else if (folder == "bmp_structure") known = PaintStructure(name, c);
    else if (folder == "bmp_cross" || folder == "bmp_scr") known = PaintScreen(name, c);
    // Widths stay multiples of 4 so that rows need no padding: the classic
    // layout that even the plainest BMP reader loads exactly.
    if (!known || c.width <= 0 || c.height <= 0 || c.width % 4 != 0) return false;
    RemoveKeyColours(c);
    return true;
}

int main(int argc, char** argv) {
    if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--contact-sheet") {
        const int scale = argc == 4 ? std::atoi(argv[3]) : 1;
        if (scale < 1 || scale > 8) {
            std::fprintf(stderr, "make_assets: scale must be 1..8\n");
            return 2;
        }
        if (!WriteContactSheet(argv[2], scale)) {
            std::fprintf(stderr, "make_assets: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--icon") {
        Canvas icon;
        if (!DrawIcon(icon, 64) || !WriteFileBytes(argv[2], EncodePng(icon))) {
            std::fprintf(stderr, "make_assets: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: make_assets RUNDIR\n       make_assets --contact-sheet OUT.png [SCALE]\n"
                             "       make_assets --icon OUT.png\n");
        return 2;
    }
    return WriteRunDirectory(argv[1]);
}
