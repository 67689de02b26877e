// The BMP reader: the classic layout loads exactly as it always has, files
// from other writers (padded rows, larger headers, top-down) load as drawn,
// and every rejected file leaves its slot exactly as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "core/startup.h"
#include "render/bitmap.h"

namespace {

namespace fs = std::filesystem;

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// A BMP file: headers with the given info header size and pixel offset, then
// `pixels` exactly as they should lie in the file (the caller pads rows).
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, const std::vector<uint8_t>& pixels,
                             uint32_t infoBytes = 40, uint32_t offset = 54) {
    std::vector<uint8_t> b(offset, 0);
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

// 0, 1, 2, ... : every byte tells where it came from.
std::vector<uint8_t> Counting(size_t n, uint8_t first = 1) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(first + i);
    return v;
}

// The file's blue-green-red triples as the slot should hold them.
std::vector<uint8_t> SwapToRgb(std::vector<uint8_t> v) {
    for (size_t i = 0; i + 2 < v.size(); i += 3) std::swap(v[i], v[i + 2]);
    return v;
}

class Bitmap : public ::testing::Test {
protected:
    void SetUp() override {
        oldDirectory = fs::current_path();
        char pattern[] = "/tmp/bitmap-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        fs::create_directories(folder / "t");
        fs::current_path(folder);
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

    static void Write(const char* name, const std::vector<uint8_t>& bytes) {
        std::ofstream(fs::path("t") / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    static std::vector<uint8_t> Pixels(int slot) {
        const ImageSlot& s = ImageTable[slot];
        if (!s.pixels) return {};
        return std::vector<uint8_t>(s.pixels, s.pixels + size_t(s.width) * s.height * s.channels);
    }

    fs::path oldDirectory, folder;
    ImageSlot* savedTable = nullptr;
};

TEST_F(Bitmap, ClassicLayoutLoadsByteForByteAsRgb) {
    // 4 x 2: rows of 12 bytes need no padding, so the plain reading (54 bytes
    // of header, then width x height x 3 bytes) is the whole truth.
    std::vector<uint8_t> file = MakeBmp(4, 2, Counting(24));
    file[29] = 0x7f;   // only the low byte of the bit count is compared
    Write("a.bmp", file);
    ASSERT_TRUE(LoadBitmap(".\\t\\a.bmp", 5));
    const ImageSlot& s = ImageTable[5];
    EXPECT_EQ(s.width, 4u);
    EXPECT_EQ(s.height, 2u);
    EXPECT_EQ(s.channels, 3u);
    EXPECT_EQ(Pixels(5), SwapToRgb(std::vector<uint8_t>(file.begin() + 54, file.end())));

    Write("b.bmp", MakeBmp(4, 1, {10, 20, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(LoadBitmap(".\\t\\b.bmp", 6));
    EXPECT_EQ(Pixels(6)[0], 30);
    EXPECT_EQ(Pixels(6)[1], 20);
    EXPECT_EQ(Pixels(6)[2], 10);
}

TEST_F(Bitmap, PaddedRowsLoseTheirPadding) {
    // 2 x 2: each row of 6 bytes is padded to 8 in the file.
    const std::vector<uint8_t> rows = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
    Write("p.bmp", MakeBmp(2, 2, rows));
    ASSERT_TRUE(LoadBitmap(".\\t\\p.bmp", 1));
    EXPECT_EQ(Pixels(1), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
}

TEST_F(Bitmap, LargerHeaderAndPixelOffsetAreFollowed) {
    // A 124-byte (V5) info header and a gap of junk before the pixels, as some
    // paint programs write; 3 x 2 with rows of 9 bytes padded to 12.
    std::vector<uint8_t> rows = Counting(24, 40);
    for (size_t r = 0; r < 2; ++r) rows[r * 12 + 9] = rows[r * 12 + 10] = rows[r * 12 + 11] = 0xEE;
    std::vector<uint8_t> file = MakeBmp(3, 2, rows, 124, 14 + 124 + 20);
    for (size_t i = 54; i < 158; ++i) file[i] = 0xDD;
    Write("v5.bmp", file);
    ASSERT_TRUE(LoadBitmap(".\\t\\v5.bmp", 2));
    std::vector<uint8_t> expected;
    for (size_t r = 0; r < 2; ++r) expected.insert(expected.end(), rows.begin() + r * 12, rows.begin() + r * 12 + 9);
    EXPECT_EQ(ImageTable[2].width, 3u);
    EXPECT_EQ(Pixels(2), SwapToRgb(expected));
}

TEST_F(Bitmap, TopDownFileIsStoredBottomRowFirst) {
    // Negative height: the file holds its top row first. Rows of 4 x 3 bytes.
    const std::vector<uint8_t> top = Counting(12, 100), middle = Counting(12, 150), bottom = Counting(12, 200);
    std::vector<uint8_t> rows = top;
    rows.insert(rows.end(), middle.begin(), middle.end());
    rows.insert(rows.end(), bottom.begin(), bottom.end());
    Write("td.bmp", MakeBmp(4, -3, rows));
    ASSERT_TRUE(LoadBitmap(".\\t\\td.bmp", 3));
    EXPECT_EQ(ImageTable[3].height, 3u);   // stored positive
    std::vector<uint8_t> expected = bottom;
    expected.insert(expected.end(), middle.begin(), middle.end());
    expected.insert(expected.end(), top.begin(), top.end());
    EXPECT_EQ(Pixels(3), SwapToRgb(expected));
}

TEST_F(Bitmap, RejectedFilesLeaveTheSlotUnchanged) {
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> spoil;
    };
    const Case cases[] = {
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
    Write("good.bmp", MakeBmp(4, 1, Counting(12)));
    ASSERT_TRUE(LoadBitmap(".\\t\\good.bmp", 9));
    const ImageSlot before = ImageTable[9];
    const std::vector<uint8_t> beforePixels = Pixels(9);
    for (const Case& c : cases) {
        std::vector<uint8_t> file = MakeBmp(4, 2, Counting(24));
        c.spoil(file);
        Write("bad.bmp", file);
        EXPECT_FALSE(LoadBitmap(".\\t\\bad.bmp", 9)) << c.what;
        EXPECT_EQ(ImageTable[9].pixels, before.pixels) << c.what;
        EXPECT_EQ(ImageTable[9].width, before.width) << c.what;
        EXPECT_EQ(ImageTable[9].height, before.height) << c.what;
        EXPECT_EQ(ImageTable[9].channels, before.channels) << c.what;
        EXPECT_EQ(Pixels(9), beforePixels) << c.what;
    }
}

TEST_F(Bitmap, ShortPixelDataKeepsTheSizeButNoPixels) {
    Write("good.bmp", MakeBmp(4, 1, Counting(12)));
    ASSERT_TRUE(LoadBitmap(".\\t\\good.bmp", 4));
    std::vector<uint8_t> file = MakeBmp(8, 4, Counting(8 * 4 * 3));
    file.resize(file.size() - 20);
    Write("short.bmp", file);
    EXPECT_FALSE(LoadBitmap(".\\t\\short.bmp", 4));
    EXPECT_EQ(ImageTable[4].pixels, nullptr);
    EXPECT_EQ(ImageTable[4].width, 8u);
    EXPECT_EQ(ImageTable[4].height, 4u);
    EXPECT_EQ(ImageTable[4].channels, 3u);
}

TEST_F(Bitmap, ReloadingASlotReplacesThePicture) {
    Write("one.bmp", MakeBmp(4, 1, Counting(12, 1)));
    Write("two.bmp", MakeBmp(8, 2, Counting(48, 90)));
    ASSERT_TRUE(LoadBitmap(".\\t\\one.bmp", 1210));
    ASSERT_TRUE(LoadBitmap(".\\t\\two.bmp", 1210));
    EXPECT_EQ(ImageTable[1210].width, 8u);
    EXPECT_EQ(ImageTable[1210].height, 2u);
    EXPECT_EQ(Pixels(1210), SwapToRgb(Counting(48, 90)));
    // The same file into a second slot gives that slot a copy of its own.
    ASSERT_TRUE(LoadBitmap(".\\t\\two.bmp", 1211));
    EXPECT_NE(ImageTable[1211].pixels, ImageTable[1210].pixels);
    EXPECT_EQ(Pixels(1211), Pixels(1210));
}

TEST_F(Bitmap, MissingFileIsCreatedEmptyAndFails) {
    EXPECT_FALSE(LoadBitmap(".\\t\\missing.bmp", 12));
    ASSERT_TRUE(fs::exists("t/missing.bmp"));
    EXPECT_EQ(fs::file_size("t/missing.bmp"), 0u);
    EXPECT_EQ(ImageTable[12].pixels, nullptr);
    EXPECT_EQ(ImageTable[12].width, 0u);
    // A missing folder fails the open itself and creates nothing.
    EXPECT_FALSE(LoadBitmap(".\\nowhere\\x.bmp", 12));
    EXPECT_FALSE(fs::exists("nowhere"));
}

TEST_F(Bitmap, SlotMustLieInsideTheTable) {
    Write("a.bmp", MakeBmp(4, 1, Counting(12)));
    EXPECT_FALSE(LoadBitmap(".\\t\\a.bmp", -1));
    EXPECT_FALSE(LoadBitmap(".\\t\\a.bmp", ImageSlotCount));
    EXPECT_TRUE(LoadBitmap(".\\t\\a.bmp", ImageSlotCount - 1));
    EXPECT_TRUE(LoadBitmap(".\\t\\a.bmp", 0));
}

TEST_F(Bitmap, ReleaseImagesEmptiesEverySlot) {
    Write("a.bmp", MakeBmp(4, 1, Counting(12)));
    for (int slot : {0, 600, ImageSlotCount - 1}) ASSERT_TRUE(LoadBitmap(".\\t\\a.bmp", slot));
    ReleaseImages();
    for (int slot = 0; slot < ImageSlotCount; ++slot) ASSERT_EQ(ImageTable[slot].pixels, nullptr) << slot;
}

}  // namespace
