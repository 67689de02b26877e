// The generated asset pack in RUN_DIR: every picture the sets name is there
// in the classic BMP layout and loads, is not blank and avoids the renderer's
// key colour; the set loaders fill their slots from it without creating
// files; the cube textures suit OpenGL; map 1 has real landforms; and the
// generator writes the same bytes on every run.
#include <algorithm>
#include <set>
#include <string>

#include "png_read.h"
#include "render/asset_sets.h"
#include "test_util.h"

namespace {

namespace fs = std::filesystem;

const fs::path RunDir = RUN_DIR;
const fs::path Generator = RunDir.parent_path() / "make_assets";

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

fs::path PicturePath(const AssetSet& set, int i) { return RunDir / set.folder / (std::string(set.entries[i].file) + ".bmp"); }

bool Load(const fs::path& p, int slot) { return LoadBitmap(p.string().c_str(), slot); }

// Runs the generator with these arguments, each quoted; true when it exits with 0.
bool RunGenerator(std::initializer_list<std::string> arguments) {
    std::string command("\"");
    command.append(Generator.string()).append("\"");
    for (const std::string& part : arguments) command.append(" \"").append(part).append("\"");
    return std::system(command.c_str()) == 0;
}

class AssetPack : public ::testing::Test {
protected:
    TempFolder temp;
    ScratchImages images;
};

TEST_F(AssetPack, EveryNamedPictureIsAClassicBmpWithRealContent) {
    std::set<fs::path> distinct;
    for (int r = 0; r < AssetSetCount; ++r)
        for (int i = 0; i < AssetSets[r].count; ++i) {
            const fs::path p = PicturePath(AssetSets[r], i);
            if (!distinct.insert(p).second) continue;
            SCOPED_TRACE(p.string());
            const Bytes b = ReadBytes(p);
            ASSERT_GE(b.size(), 54u);
            const uint32_t width = Le32(&b[18]), height = Le32(&b[22]);
            // The layout even the plainest reader loads exactly.
            EXPECT_EQ(Le32(&b[10]), 54u);
            EXPECT_EQ(Le32(&b[14]), 40u);
            EXPECT_EQ(b[28], 24);
            EXPECT_EQ(Le32(&b[30]), 0u);
            EXPECT_GT(int32_t(height), 0);
            EXPECT_EQ(width % 4, 0u);
            EXPECT_EQ(b.size(), 54 + size_t(width) * height * 3);
            ASSERT_TRUE(Load(p, 1));
            EXPECT_EQ(ImageTable[1].width, width);
            EXPECT_EQ(ImageTable[1].height, height);
            // More than one colour, and none of the key the composite leaves out.
            const Bytes px = SlotPixels(1);
            std::set<uint32_t> colours;
            int keyPixels = 0;
            for (size_t k = 0; k < px.size(); k += 3) {
                colours.insert(uint32_t(px[k]) << 16 | px[k + 1] << 8 | px[k + 2]);
                keyPixels += px[k] == 255 && px[k + 1] == 0 && (px[k + 2] == 229 || px[k + 2] == 230);
            }
            EXPECT_GT(colours.size(), 1u);
            EXPECT_EQ(keyPixels, 0);
        }
    EXPECT_EQ(distinct.size(), 199u);   // every picture the generator writes
}

TEST_F(AssetPack, SetLoadersFillTheirSlotsAndCreateNoFiles) {
    fs::copy(RunDir, temp.path, fs::copy_options::recursive);
    auto countFiles = [&] {
        size_t n = 0;
        for (const auto& e : fs::recursive_directory_iterator(temp.path)) n += e.is_regular_file();
        return n;
    };
    const size_t filesBefore = countFiles();
    for (auto loader : {LoadCrossSet, LoadUnitSet, LoadLandSet, LoadDungeonSet, LoadStructureSet, LoadItemSet, LoadIntroSet, LoadCubeSet})
        loader();
    EXPECT_EQ(countFiles(), filesBefore);

    // Each slot holds the picture of the last entry naming it (1210 ends as
    // the slime); slots no entry names stay empty.
    std::vector<fs::path> lastFile(ImageSlotCount);
    for (int r = 0; r < AssetSetCount; ++r)
        for (int i = 0; i < AssetSets[r].count; ++i) lastFile[AssetSets[r].entries[i].slot] = PicturePath(AssetSets[r], i);
    constexpr int Scratch = ImageSlotCount - 1;   // named by no set
    ASSERT_TRUE(lastFile[Scratch].empty());
    for (int slot = 0; slot < Scratch; ++slot) {
        SCOPED_TRACE(slot);
        if (lastFile[slot].empty()) {
            EXPECT_EQ(ImageTable[slot].pixels, nullptr);
            continue;
        }
        ASSERT_TRUE(Load(lastFile[slot], Scratch)) << lastFile[slot];
        EXPECT_EQ(ImageTable[slot].width, ImageTable[Scratch].width);
        EXPECT_EQ(ImageTable[slot].height, ImageTable[Scratch].height);
        EXPECT_EQ(SlotPixels(slot), SlotPixels(Scratch));
    }
    EXPECT_NE(ImageTable[130].pixels, ImageTable[160].pixels);   // one file, two copies

    // OpenGL 1.x textures: square with a power-of-two side.
    for (int slot : {1201, 1202, 1203, 1204, 1205, 1206, 1209}) {
        const uint32_t w = ImageTable[slot].width;
        EXPECT_EQ(w, ImageTable[slot].height) << slot;
        EXPECT_TRUE(w >= 16 && (w & (w - 1)) == 0) << slot << ": " << w;
    }
}

TEST_F(AssetPack, OverworldHasSmoothHillsAndValleys) {
    const Bytes map = ReadBytes(RunDir / "map" / "1.overworld");
    ASSERT_EQ(map.size(), 65536u);
    // Low ground, dirt, grass and raised rock each cover a real share of the map.
    int share[4] = {};
    for (uint8_t v : map) ++share[v < 10 ? 0 : v == 10 ? 1 : v <= 18 ? 2 : 3];
    for (int cls = 0; cls < 4; ++cls) EXPECT_GT(share[cls], 65536 / 20) << "class " << cls;

    // Smooth, not noise: neighbours differ by a step or two nearly everywhere.
    int pairs = 0, steep = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int v = map[y * 256 + x];
            if (x < 255) ++pairs, steep += std::abs(v - map[y * 256 + x + 1]) > 2;
            if (y < 255) ++pairs, steep += std::abs(v - map[(y + 1) * 256 + x]) > 2;
        }
    EXPECT_LT(steep, pairs / 100);
}

TEST_F(AssetPack, GeneratorWritesTheSameBytesEveryRun) {
    ASSERT_TRUE(RunGenerator({(temp.path / "a").string()}));
    ASSERT_TRUE(RunGenerator({(temp.path / "b").string()}));
    size_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(temp.path / "a")) {
        if (!e.is_regular_file()) continue;
        const fs::path relative = fs::relative(e.path(), temp.path / "a");
        const Bytes bytes = ReadBytes(e.path());
        EXPECT_EQ(bytes, ReadBytes(temp.path / "b" / relative)) << relative;
        EXPECT_EQ(bytes, ReadBytes(RunDir / relative)) << relative;
        ++files;
    }
    EXPECT_EQ(files, 199u + 1);   // the distinct pictures and the map
}

// The contact sheet decodes as a PNG: the sheet's background in its margin,
// a picture's frame right inside it.
TEST_F(AssetPack, ContactSheetIsAValidPng) {
    const fs::path sheet = temp.path / "sheet.png";
    ASSERT_TRUE(RunGenerator({"--contact-sheet", sheet.string()}));
    const Bytes png = ReadBytes(sheet);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    DecodedPng picture;
    ASSERT_TRUE(DecodePng(png, &picture));
    ASSERT_GT(picture.width, 16 * 34);   // sixteen framed 32-pixel pictures a row at least
    ASSERT_GT(picture.height, 34);
    EXPECT_EQ(Bytes(picture.At(0, 0), picture.At(0, 0) + 3), (Bytes{28, 28, 34}));
    EXPECT_EQ(Bytes(picture.At(2, 2), picture.At(2, 2) + 3), (Bytes{150, 150, 160}));
    EXPECT_EQ(Bytes(picture.At(2, 30), picture.At(2, 30) + 3), (Bytes{150, 150, 160}));
}

}  // namespace
