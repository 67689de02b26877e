// The BMP reader: the classic layout loads exactly as it always has, files
// from other writers (padded rows, larger headers, top-down) load as drawn,
// and every rejected file leaves its slot exactly as it was.
#include <functional>
#include <string>
#include <tuple>

#include "test_util.h"

namespace {

namespace fs = std::filesystem;

void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// A 24-bit BMP file: headers with the given info header size and pixel
// offset (the gap after the 54 bytes of headers filled with junk), then
// `pixels` exactly as they should lie in the file (the caller pads rows).
Bytes MakeBmp(int32_t width, int32_t height, const Bytes& pixels, uint32_t infoBytes = 40, uint32_t offset = 54) {
    Bytes b(offset, 0xDD);
    std::fill(b.begin(), b.begin() + 54, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, uint32_t(offset + pixels.size()));
    Put32(b, 10, offset);
    Put32(b, 14, infoBytes);
    Put32(b, 18, uint32_t(width));
    Put32(b, 22, uint32_t(height));
    b[26] = 1;    // planes
    b[28] = 24;   // bits per pixel
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// first, first + 1, ... : every byte tells where it came from.
Bytes Counting(size_t n, uint8_t first = 1) {
    Bytes v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(first + i);
    return v;
}

// The file's blue-green-red triples as the slot should hold them.
Bytes SwapToRgb(Bytes v) {
    for (size_t i = 0; i + 2 < v.size(); i += 3) std::swap(v[i], v[i + 2]);
    return v;
}

auto Fields(const ImageSlot& s) { return std::tuple(s.pixels, s.width, s.height, s.channels); }

class Bitmap : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory("t"); }
    // Writes the file as t/<name> and loads it by its game name.
    static bool Load(const std::string& name, const Bytes& file, int slot) {
        WriteBytes(fs::path("t") / name, file);
        return LoadBitmap((".\\t\\" + name).c_str(), slot);
    }
    TempFolder temp;
    ScratchImages images;
};

TEST_F(Bitmap, AcceptedLayoutsLoadAsDrawnInRgb) {
    Bytes topDown = Counting(12, 100), upright = Counting(12, 200);
    topDown.insert(topDown.end(), upright.begin(), upright.end());
    upright.insert(upright.end(), topDown.begin(), topDown.begin() + 12);
    const struct {
        const char* what;
        Bytes file, expected;   // expected: RGB, bottom row first
        uint32_t width, height;
    } cases[] = {
        // A 124-byte (V5) info header and a gap of junk before the pixels, as some paint programs write.
        {"V5 header, gap, rows of 9 bytes padded to 12",
         MakeBmp(3, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0xEE, 0xEE, 0xEE}, 124, 14 + 124 + 20),
         {3, 2, 1, 6, 5, 4, 9, 8, 7, 13, 12, 11, 16, 15, 14, 19, 18, 17}, 3, 2},
        // Negative height: the file holds its top row first; the slot is stored bottom row first.
        {"top-down", MakeBmp(4, -2, topDown), SwapToRgb(upright), 4, 2},
    };
    int slot = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Load("a.bmp", c.file, slot));
        EXPECT_EQ(Fields(ImageTable[slot]), std::tuple(ImageTable[slot].pixels, c.width, c.height, 3u));
        EXPECT_EQ(SlotPixels(slot), c.expected);
        ++slot;
    }
    // Only the low byte of the bit count is compared.
    Bytes file = MakeBmp(4, 1, Counting(12));
    file[29] = 0x7f;
    EXPECT_TRUE(Load("b.bmp", file, slot));
}

TEST_F(Bitmap, RejectedFilesLeaveTheSlotUnchanged) {
    const struct {
        const char* what;
        std::function<void(Bytes&)> spoil;
    } cases[] = {
        {"compressed", [](auto& b) { Put32(b, 30, 1); }},
        {"32 bits", [](auto& b) { b[28] = 32; }},
        {"8 bits", [](auto& b) { b[28] = 8; }},
        {"zero width", [](auto& b) { Put32(b, 18, 0); }},
        {"negative width", [](auto& b) { Put32(b, 18, uint32_t(-4)); }},
        {"zero height", [](auto& b) { Put32(b, 22, 0); }},
        {"width 8193", [](auto& b) { Put32(b, 18, 8193); }},
        {"height 8193", [](auto& b) { Put32(b, 22, 8193); }},
        {"height -8193", [](auto& b) { Put32(b, 22, uint32_t(-8193)); }},
        {"bad magic", [](auto& b) { b[1] = 'N'; }},
        {"short header", [](auto& b) { b.resize(40); }},
        {"offset inside the headers", [](auto& b) { Put32(b, 10, 40); }},
        {"old 12-byte info header", [](auto& b) { Put32(b, 14, 12); }},
    };
    ASSERT_TRUE(Load("good.bmp", MakeBmp(4, 1, Counting(12)), 9));
    const ImageSlot before = ImageTable[9];
    const Bytes beforePixels = SlotPixels(9);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = MakeBmp(4, 2, Counting(24));
        c.spoil(file);
        EXPECT_FALSE(Load("bad.bmp", file, 9));
        EXPECT_EQ(Fields(ImageTable[9]), Fields(before));
        EXPECT_EQ(SlotPixels(9), beforePixels);
    }
    // Pixel data cut short keeps the size read from the header but no pixels.
    Bytes file = MakeBmp(8, 4, Counting(8 * 4 * 3));
    file.resize(file.size() - 20);
    EXPECT_FALSE(Load("short.bmp", file, 9));
    EXPECT_EQ(Fields(ImageTable[9]), std::tuple(nullptr, 8u, 4u, 3u));
}

TEST_F(Bitmap, SlotsAndFiles) {
    // Reloading replaces the picture, and every slot gets its own copy.
    ASSERT_TRUE(Load("one.bmp", MakeBmp(4, 1, Counting(12, 1)), 1210));
    ASSERT_TRUE(Load("two.bmp", MakeBmp(8, 2, Counting(48, 90)), 1210));
    EXPECT_EQ(std::pair(ImageTable[1210].width, ImageTable[1210].height), std::pair(8u, 2u));
    EXPECT_EQ(SlotPixels(1210), SwapToRgb(Counting(48, 90)));
    ASSERT_TRUE(LoadBitmap(".\\t\\two.bmp", 1211));
    EXPECT_NE(ImageTable[1211].pixels, ImageTable[1210].pixels);
    EXPECT_EQ(SlotPixels(1211), SlotPixels(1210));
    // A missing file is created empty and fails; a missing folder fails the open itself and creates nothing.
    EXPECT_FALSE(LoadBitmap(".\\t\\missing.bmp", 12));
    EXPECT_EQ(fs::file_size("t/missing.bmp"), 0u);
    EXPECT_EQ(Fields(ImageTable[12]), std::tuple(nullptr, 0u, 0u, 0u));
    EXPECT_FALSE(LoadBitmap(".\\nowhere\\x.bmp", 12));
    EXPECT_FALSE(fs::exists("nowhere"));
    // The slot must lie inside the table, and the release empties every slot.
    EXPECT_FALSE(LoadBitmap(".\\t\\two.bmp", -1));
    EXPECT_FALSE(LoadBitmap(".\\t\\two.bmp", ImageSlotCount));
    for (int slot : {0, 600, ImageSlotCount - 1}) ASSERT_TRUE(LoadBitmap(".\\t\\two.bmp", slot));
    ReleaseImages();
    for (int slot = 0; slot < ImageSlotCount; ++slot) ASSERT_EQ(ImageTable[slot].pixels, nullptr) << slot;
}

}  // namespace
