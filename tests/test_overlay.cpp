// The overlay's drawing primitives and the two fonts as they land in pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "core/startup.h"
#include "platform/headless/headless.h"
#include "platform/window.h"
#include "render/fonts.h"
#include "render/overlay.h"

class Overlay : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        SetOverlaySize(320, 240);
        Clear();
    }
    void TearDown() override {
        std::free(OverlayBuffer);
        std::free(ReadbackBuffer);
        OverlayBuffer = ReadbackBuffer = nullptr;
        HeadlessReset();
    }
    static void Clear() { std::memset(OverlayBuffer, 0, 320 * 240 * 4); }
    static const uint8_t* Pixel(int x, int y) { return OverlayBuffer + 4 * (y * 320 + x); }
    static bool Set(int x, int y) { return Pixel(x, y)[3] == 255; }
    static std::set<std::pair<int, int>> SetPixels() {
        std::set<std::pair<int, int>> s;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                if (Set(x, y)) s.insert({x, y});
        return s;
    }
};

TEST_F(Overlay, SetPixelClipsAndAlwaysWritesOpaque) {
    std::memset(OverlayBuffer, 7, 320 * 240 * 4);
    SetPixel(319, 239, 1, 2, 3);
    const uint8_t* last = OverlayBuffer + 320 * 240 * 4 - 4;
    EXPECT_EQ(last[0], 1);
    EXPECT_EQ(last[2], 3);
    EXPECT_EQ(last[3], 255);
    std::memset(OverlayBuffer, 0, 320 * 240 * 4);
    SetPixel(320, 0, 9, 9, 9);
    SetPixel(-1, 5, 9, 9, 9);
    SetPixel(0, 240, 9, 9, 9);
    EXPECT_TRUE(SetPixels().empty());
}

TEST_F(Overlay, LineWalkStartsItsErrorAtTheMinorDifference) {
    DrawLine(0, 0, 4, 1, 255, 0, 0);
    EXPECT_EQ(SetPixels(), (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}}));
    Clear();
    DrawLine(3, 3, 0, 0, 255, 0, 0);
    EXPECT_EQ(SetPixels(), (std::set<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    Clear();
    DrawLine(5, 5, 5, 5, 255, 0, 0);
    EXPECT_EQ(SetPixels().size(), 1u);
    Clear();
    DrawLine(10, 20, 13, 10, 255, 0, 0);   // steep: max(dx, dy) + 1 pixels ending on the end point
    EXPECT_EQ(SetPixels().size(), 11u);
    EXPECT_TRUE(Set(13, 10));
    Clear();
    DrawLine(-10, 5, 330, 5, 255, 0, 0);   // clipped, not wrapped
    EXPECT_EQ(SetPixels().size(), 320u);
}

TEST_F(Overlay, SmallFontAdvancesByGlyphWidthPlusOne) {
    FormatText("Ai");
    DrawSmallText(12, 14, 255, 255, 0);
    int minX = 999, maxX = -1, minY = 999, maxY = -1;
    for (auto [x, y] : SetPixels()) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    EXPECT_EQ(minX, 12);
    EXPECT_EQ(maxX, 16);     // 'i' in column 16
    EXPECT_FALSE(Set(15, 10) || Set(15, 11) || Set(15, 12));   // the gap after 'A'
    EXPECT_GE(minY, 7);      // text at y = 14 covers rows 7..15
    EXPECT_LE(maxY, 15);

    // The 'A' exactly: rows 3..7 of the glyph land on pixel rows y - 1 .. y - 5.
    const char* rows[] = {"010", "101", "111", "101", "101"};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(Set(12 + c, 14 - 1 - r), rows[r][c] == '1') << r << c;
    EXPECT_EQ(Pixel(13, 13)[0], 255);
    EXPECT_EQ(Pixel(13, 13)[2], 0);
}

TEST_F(Overlay, SmallFontGlyphGAndTheBlankAdvance) {
    FormatText(" g@");
    DrawSmallText(0, 20, 255, 255, 255);
    // Space advances 3: the 'g' starts at column 3; rows 5..9 read 010 101 011 001 010.
    const char* rows[] = {"010", "101", "011", "001", "010"};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(Set(3 + c, 20 - 3 - r), rows[r][c] == '1') << r << c;
    // The at sign follows at 3 + 4 and is 7 wide: nothing at or past column 14.
    for (auto [x, y] : SetPixels()) EXPECT_LT(x, 14);
}

TEST_F(Overlay, BigFontDrawsTwelveRowsAtAFixedPitch) {
    FormatText("Ag");
    DrawBigText(12, 46, 255, 255, 0);
    const char* glyph = BigFont['A'];
    for (int row = 1; row <= 12; ++row)
        for (int c = 0; c < 8; ++c) EXPECT_EQ(Set(12 + c, 46 - row), glyph[10 * row + c] == '1') << row << c;
    glyph = BigFont['g'];
    for (int row = 1; row <= 12; ++row)
        for (int c = 0; c < 8; ++c) EXPECT_EQ(Set(20 + c, 46 - row), glyph[10 * row + c] == '1') << row << c;
    for (auto [x, y] : SetPixels()) {
        EXPECT_GE(y, 34);   // rows 34..45
        EXPECT_LE(y, 45);
    }
}

TEST_F(Overlay, CharactersWithoutGlyphsDrawNothingAndStayInTheTables) {
    FormatText("%c%c%c%c", '`', 0x80, 0xFF, 0x7F);   // no small glyphs
    DrawSmallText(0, 100, 255, 255, 255);
    FormatText("%c%c%c%c", 0x01, 0x80, 0xFF, 0x7F);   // no big glyphs
    DrawBigText(0, 150, 255, 255, 255);
    EXPECT_TRUE(SetPixels().empty());
    // They still advance: a glyph after them lands further right.
    FormatText("%c%cA", 0x80, 0xFF);
    DrawBigText(0, 150, 255, 255, 255);
    int minX = 999;
    for (auto [x, y] : SetPixels()) minX = std::min(minX, x);
    EXPECT_EQ(minX, 16);   // two advances of 8, and the big A reaches its column 0
    TextBuffer[0] = 0;
    Clear();
    DrawBigText(0, 150, 255, 255, 255);
    EXPECT_TRUE(SetPixels().empty());
}

TEST_F(Overlay, FormattingNeverOverrunsTheTextBuffer) {
    char longText[600];
    std::memset(longText, 'x', sizeof longText - 1);
    longText[sizeof longText - 1] = 0;
    FormatText("%s%s", longText, longText);
    EXPECT_EQ(std::strlen(TextBuffer), 255u);
}

TEST_F(Overlay, CursorCrossIsClippedAtTheCorners) {
    ASSERT_EQ(OpenMainWindow(), 1);
    HeadlessSetPointer(0, 479);   // the window's bottom-left pixel: overlay (0, 0)
    DrawCursorCross();
    auto pixels = SetPixels();
    EXPECT_EQ(pixels.size(), 11u);   // only the right and upper arms, sharing the centre
    EXPECT_TRUE(pixels.count({5, 0}));
    EXPECT_TRUE(pixels.count({0, 5}));
    Clear();
    HeadlessSetPointer(639, 0);      // top-right: overlay (319, 239)
    DrawCursorCross();
    pixels = SetPixels();
    EXPECT_EQ(pixels.size(), 11u);
    EXPECT_TRUE(pixels.count({314, 239}));
    EXPECT_TRUE(pixels.count({319, 234}));
    Clear();
    HeadlessSetPointer(320, 240);
    DrawCursorCross();
    EXPECT_EQ(SetPixels().size(), 21u);
    EXPECT_EQ(Pixel(160, 119)[1], 255);
    PlatformCloseWindow();
}
