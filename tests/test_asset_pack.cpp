// The generated asset pack in RUN_DIR: every picture the sets name is there
// in the classic BMP layout and loads, the set loaders fill their slots from
// it without creating files, the cube textures suit OpenGL, no picture is
// blank or uses the renderer's key colour, map 1 has real landforms, and the
// generator writes the same bytes on every run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/startup.h"
#include "render/asset_sets.h"
#include "render/bitmap.h"

namespace {

namespace fs = std::filesystem;

const fs::path RunDir = RUN_DIR;
const fs::path Generator = RunDir.parent_path() / "make_assets";

std::vector<uint8_t> ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint32_t Be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

fs::path PicturePath(const AssetSet& set, int i) { return RunDir / set.folder / (std::string(set.entries[i].file) + ".bmp"); }

// Runs the generator with these arguments, each quoted; true when it exits with 0.
bool RunGenerator(std::initializer_list<std::string> arguments) {
    std::string command;
    command.append("\"").append(Generator.string()).append("\"");
    for (const std::string& part : arguments) command.append(" \"").append(part).append("\"");
    return std::system(command.c_str()) == 0;
}

class AssetPack : public ::testing::Test {
protected:
    void SetUp() override {
        oldDirectory = fs::current_path();
        char pattern[] = "/tmp/asset-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        savedTable = ImageTable;
        ImageTable = static_cast<ImageSlot*>(std::calloc(ImageSlotCount, sizeof(ImageSlot)));
    }

    void TearDown() override {
        ReleaseImages();
        std::free(ImageTable);
        ImageTable = savedTable;
        fs::current_path(oldDirectory);
        fs::remove_all(folder);
    }

    static bool Load(const fs::path& p, int slot) { return LoadBitmap(p.string().c_str(), slot); }

    fs::path oldDirectory, folder;
    ImageSlot* savedTable = nullptr;
};

TEST_F(AssetPack, EveryNamedPictureIsAClassicBmpThatLoads) {
    int checked = 0;
    for (int r = 0; r < AssetSetCount; ++r)
        for (int i = 0; i < AssetSets[r].count; ++i) {
            const fs::path p = PicturePath(AssetSets[r], i);
            ASSERT_TRUE(fs::exists(p)) << p;
            const std::vector<uint8_t> b = ReadAll(p);
            ASSERT_GE(b.size(), 54u) << p;
            const uint32_t width = Le32(&b[18]), height = Le32(&b[22]);
            // The layout even the plainest reader loads exactly.
            EXPECT_EQ(Le32(&b[10]), 54u) << p;
            EXPECT_EQ(Le32(&b[14]), 40u) << p;
            EXPECT_EQ(b[28], 24) << p;
            EXPECT_EQ(Le32(&b[30]), 0u) << p;
            EXPECT_GT(int32_t(height), 0) << p;
            EXPECT_EQ(width % 4, 0u) << p;
            EXPECT_EQ(b.size(), 54 + size_t(width) * height * 3) << p;
            ASSERT_TRUE(Load(p, 100)) << p;
            EXPECT_EQ(ImageTable[100].width, width) << p;
            EXPECT_EQ(ImageTable[100].height, height) << p;
            ++checked;
        }
    EXPECT_EQ(checked, 1 + 58 + 27 + 40 + 10 + 56 + 1 + 24);
}

TEST_F(AssetPack, SetLoadersFillTheirSlotsAndCreateNoFiles) {
    fs::copy(RunDir, folder, fs::copy_options::recursive);
    fs::current_path(folder);
    auto countFiles = [&] {
        size_t n = 0;
        for (const auto& e : fs::recursive_directory_iterator(folder)) n += e.is_regular_file();
        return n;
    };
    const size_t filesBefore = countFiles();
    LoadCrossSet();
    LoadUnitSet();
    LoadLandSet();
    LoadDungeonSet();
    LoadStructureSet();
    LoadItemSet();
    LoadIntroSet();
    LoadCubeSet();
    EXPECT_EQ(countFiles(), filesBefore);

    // Each slot holds the picture of the last entry naming it (1210 ends as
    // the slime); slots no entry names stay empty.
    std::vector<fs::path> lastFile(ImageSlotCount);
    for (int r = 0; r < AssetSetCount; ++r)
        for (int i = 0; i < AssetSets[r].count; ++i) lastFile[AssetSets[r].entries[i].slot] = PicturePath(AssetSets[r], i);
    for (int slot = 0; slot < ImageSlotCount; ++slot) {
        if (lastFile[slot].empty()) {
            EXPECT_EQ(ImageTable[slot].pixels, nullptr) << slot;
        }
    }
    constexpr int Scratch = ImageSlotCount - 1;   // named by no set
    ASSERT_TRUE(lastFile[Scratch].empty());
    for (int slot = 0; slot < Scratch; ++slot) {
        if (lastFile[slot].empty()) continue;
        ASSERT_TRUE(Load(lastFile[slot], Scratch)) << lastFile[slot];
        const ImageSlot& direct = ImageTable[Scratch];
        const ImageSlot& loaded = ImageTable[slot];
        ASSERT_NE(loaded.pixels, nullptr) << slot;
        ASSERT_EQ(loaded.width, direct.width) << slot;
        ASSERT_EQ(loaded.height, direct.height) << slot;
        EXPECT_EQ(std::memcmp(loaded.pixels, direct.pixels, size_t(direct.width) * direct.height * 3), 0) << slot;
    }
    EXPECT_NE(ImageTable[130].pixels, ImageTable[160].pixels);   // one file, two copies

    // OpenGL 1.x textures: square with a power-of-two side.
    for (int slot : {1201, 1202, 1203, 1204, 1205, 1206, 1209}) {
        const uint32_t w = ImageTable[slot].width;
        EXPECT_EQ(w, ImageTable[slot].height) << slot;
        EXPECT_TRUE(w >= 16 && (w & (w - 1)) == 0) << slot << ": " << w;
    }
}

TEST_F(AssetPack, NoPictureIsBlankOrUsesTheKeyColour) {
    std::set<fs::path> seen;
    for (int r = 0; r < AssetSetCount; ++r)
        for (int i = 0; i < AssetSets[r].count; ++i) {
            const fs::path p = PicturePath(AssetSets[r], i);
            if (!seen.insert(p).second) continue;
            ASSERT_TRUE(Load(p, 1)) << p;
            const ImageSlot& s = ImageTable[1];
            std::set<uint32_t> colours;
            int keyPixels = 0;
            for (size_t k = 0; k < size_t(s.width) * s.height * 3; k += 3) {
                const uint8_t* px = s.pixels + k;
                colours.insert(uint32_t(px[0]) << 16 | px[1] << 8 | px[2]);
                keyPixels += px[0] == 255 && px[1] == 0 && (px[2] == 229 || px[2] == 230);
            }
            EXPECT_GT(colours.size(), 1u) << p;
            EXPECT_EQ(keyPixels, 0) << p;
        }
    EXPECT_EQ(seen.size(), 1u + 57 + 26 + 39 + 10 + 56 + 1 + 8 + 1);   // distinct files per folder
}

TEST_F(AssetPack, OverworldHasSmoothHillsAndValleys) {
    const std::vector<uint8_t> map = ReadAll(RunDir / "map" / "1.overworld");
    ASSERT_EQ(map.size(), 65536u);
    auto terrainClass = [](uint8_t v) { return v < 10 ? 0 : v == 10 ? 1 : v <= 18 ? 2 : 3; };

    // Every class covers a real share of the map, in at least one big piece.
    int share[4] = {}, largest[4] = {};
    std::vector<bool> seen(map.size());
    for (int start = 0; start < 65536; ++start) {
        ++share[terrainClass(map[start])];
        if (seen[start]) continue;
        const int cls = terrainClass(map[start]);
        std::vector<int> stack = {start};
        seen[start] = true;
        int size = 0;
        while (!stack.empty()) {
            const int cell = stack.back();
            stack.pop_back();
            ++size;
            const int x = cell % 256, y = cell / 256;
            const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[0] > 255 || n[1] < 0 || n[1] > 255) continue;
                const int k = n[1] * 256 + n[0];
                if (!seen[k] && terrainClass(map[k]) == cls) seen[k] = true, stack.push_back(k);
            }
        }
        largest[cls] = std::max(largest[cls], size);
    }
    for (int cls = 0; cls < 4; ++cls) {
        EXPECT_GT(share[cls], 65536 / 20) << "class " << cls;
        EXPECT_GT(largest[cls], 1000) << "class " << cls;
    }

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
    ASSERT_TRUE(fs::exists(Generator)) << Generator;
    ASSERT_TRUE(RunGenerator({(folder / "a").string()}));
    ASSERT_TRUE(RunGenerator({(folder / "b").string()}));
    size_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(folder / "a")) {
        if (!e.is_regular_file()) continue;
        const fs::path relative = fs::relative(e.path(), folder / "a");
        const std::vector<uint8_t> bytes = ReadAll(e.path());
        EXPECT_EQ(bytes, ReadAll(folder / "b" / relative)) << relative;
        EXPECT_EQ(bytes, ReadAll(RunDir / relative)) << relative;
        ++files;
    }
    EXPECT_EQ(files, 199u + 1);   // the distinct pictures and the map
}

// The contact sheet is written without zlib; check it against the PNG rules
// with an independent, table-driven CRC and a plain Adler-32.
uint32_t TableCrc(const uint8_t* data, size_t n) {
    static uint32_t table[256];
    if (table[1] == 0)
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
    uint32_t crc = ~0u;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 255] ^ (crc >> 8);
    return ~crc;
}

uint32_t PlainAdler(const std::vector<uint8_t>& d) {
    uint64_t a = 1, b = 0;
    for (uint8_t v : d) a = (a + v) % 65521, b = (b + a) % 65521;
    return uint32_t(b << 16 | a);
}

TEST_F(AssetPack, ContactSheetIsAValidStoredPng) {
    ASSERT_EQ(TableCrc(reinterpret_cast<const uint8_t*>("123456789"), 9), 0xCBF43926u);   // the standard check value
    const fs::path sheet = folder / "sheet.png";
    ASSERT_TRUE(RunGenerator({"--contact-sheet", sheet.string()}));
    const std::vector<uint8_t> png = ReadAll(sheet);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    EXPECT_LT(png.size(), 1600u * 1024);

    uint32_t width = 0, height = 0;
    std::vector<uint8_t> zlib;
    bool ended = false;
    for (size_t at = 8; at + 12 <= png.size() && !ended;) {
        const uint32_t length = Be32(&png[at]);
        ASSERT_LE(at + 12 + length, png.size());
        const std::string type(reinterpret_cast<const char*>(&png[at + 4]), 4);
        EXPECT_EQ(Be32(&png[at + 8 + length]), TableCrc(&png[at + 4], length + 4)) << type;
        if (type == "IHDR") {
            width = Be32(&png[at + 8]);
            height = Be32(&png[at + 12]);
            EXPECT_EQ(png[at + 16], 8);   // bits per channel
            EXPECT_EQ(png[at + 17], 2);   // RGB
        }
        if (type == "IDAT") zlib.insert(zlib.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
        ended = type == "IEND";
        at += 12 + length;
    }
    ASSERT_TRUE(ended);
    ASSERT_GT(width * height, 0u);

    // zlib header, then stored blocks (LEN, ~LEN, bytes) up to the final one.
    ASSERT_GE(zlib.size(), 6u);
    EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0);
    std::vector<uint8_t> raw;
    size_t at = 2;
    for (bool last = false; !last;) {
        ASSERT_LE(at + 5, zlib.size());
        last = zlib[at] & 1;
        ASSERT_EQ(zlib[at] >> 1, 0) << "only stored blocks";
        const uint32_t len = zlib[at + 1] | zlib[at + 2] << 8, nlen = zlib[at + 3] | zlib[at + 4] << 8;
        ASSERT_EQ(len ^ 0xffff, nlen);
        ASSERT_LE(at + 5 + len, zlib.size());
        raw.insert(raw.end(), zlib.begin() + at + 5, zlib.begin() + at + 5 + len);
        at += 5 + len;
    }
    ASSERT_EQ(at + 4, zlib.size());
    EXPECT_EQ(Be32(&zlib[at]), PlainAdler(raw));
    ASSERT_EQ(raw.size(), size_t(height) * (width * 3 + 1));
    for (uint32_t y = 0; y < height; ++y) ASSERT_EQ(raw[y * (width * 3 + 1)], 0) << "filter of row " << y;
}

}  // namespace
