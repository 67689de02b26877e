// The contact sheet: every distinct picture of the pack on one PNG, grouped
// by folder (one band each, in loading order), each in a thin frame, so the
// whole art set can be reviewed at a glance.
#include <algorithm>
#include <string>

#include "render/asset_sets.h"
#include "tools/art.h"

namespace {

constexpr Rgb SheetBackground = {28, 28, 34};
constexpr Rgb FrameColour = {150, 150, 160};
constexpr int SheetColumns = 16;   // of 32-pixel pictures
constexpr int Margin = 2;          // around the sheet
constexpr int BandGap = 4;         // between folders

struct Picture {
    std::string folder;
    Canvas canvas;
};

std::vector<Picture> CollectPictures() {
    std::vector<std::string> folders;
    for (int r = 0; r < AssetSetCount; ++r)
        if (std::find(folders.begin(), folders.end(), AssetSets[r].folder) == folders.end())
            folders.push_back(AssetSets[r].folder);

    std::vector<Picture> pictures;
    for (const std::string& folder : folders) {
        std::vector<std::string> seen;
        for (int r = 0; r < AssetSetCount; ++r) {
            if (folder != AssetSets[r].folder) continue;
            for (int i = 0; i < AssetSets[r].count; ++i) {
                const std::string name = AssetSets[r].entries[i].file;
                if (std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
                seen.push_back(name);
                Picture p{folder, {}};
                if (PaintPicture(folder, name, p.canvas)) pictures.push_back(std::move(p));
            }
        }
    }
    return pictures;
}

// Draws `src` enlarged `scale` times with a one-pixel frame around it.
void Place(Canvas& sheet, const Canvas& src, int left, int top, int scale) {
    FrameRect(sheet, left, top, left + src.width * scale + 1, top + src.height * scale + 1, FrameColour);
    for (int y = 0; y < src.height * scale; ++y)
        for (int x = 0; x < src.width * scale; ++x)
            SetPixel(sheet, left + 1 + x, top + 1 + y, GetPixel(src, x / scale, y / scale));
}

}  // namespace

bool WriteContactSheet(const std::string& path, int scale) {
    const std::vector<Picture> pictures = CollectPictures();
    int sheetWidth = SheetColumns * (32 * scale + 2) + 2 * Margin;
    for (const Picture& p : pictures) sheetWidth = std::max(sheetWidth, p.canvas.width * scale + 2 + 2 * Margin);

    // Two passes over the same flow layout: the first measures, the second draws.
    Canvas sheet;
    for (int pass = 0; pass < 2; ++pass) {
        int x = Margin, y = Margin, rowHeight = 0;
        std::string band = pictures.empty() ? "" : pictures[0].folder;
        for (const Picture& p : pictures) {
            const int w = p.canvas.width * scale + 2, h = p.canvas.height * scale + 2;
            if (p.folder != band) {   // each folder starts its own band
                band = p.folder;
                x = Margin;
                y += rowHeight + BandGap;
                rowHeight = 0;
            } else if (x + w + Margin > sheetWidth) {
                x = Margin;
                y += rowHeight;
                rowHeight = 0;
            }
            if (pass == 1) Place(sheet, p.canvas, x, y, scale);
            x += w;   // neighbouring frames touch
            rowHeight = std::max(rowHeight, h);
        }
        if (pass == 0) NewCanvas(sheet, sheetWidth, y + rowHeight + Margin, SheetBackground);
    }
    const std::vector<uint8_t> png = EncodePng(sheet);
    return !png.empty() && WriteFileBytes(path, png);
}
