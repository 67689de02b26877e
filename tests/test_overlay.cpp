// The overlay's drawing primitives and the two fonts as they land in pixels.
#include <set>
#include <utility>

#include "platform/input.h"
#include "render/fonts.h"
#include "render/overlay.h"
#include "test_util.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

class Overlay : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Clear();
    }
    static void Clear() { std::memset(OverlayBuffer, 0, 320 * 240 * 4); }
    static const uint8_t* Pixel(int x, int y) { return OverlayBuffer + 4 * (y * 320 + x); }
    static Pixels SetPixels() {
        Pixels s;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                if (Pixel(x, y)[3] == 255) s.insert({x, y});
        return s;
    }
};

TEST_F(Overlay, LineWalkStartsItsErrorAtTheMinorDifference) {
    // A line plots max(dx, dy) + 1 pixels and ends on its end point; `has`: pixels it must hold.
    const struct { int x1, y1, x2, y2; size_t count; Pixels has; } lines[] = {
        {0, 0, 4, 1, 5, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}}},
        {3, 3, 0, 0, 4, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {5, 5, 5, 5, 1, {{5, 5}}},
        {10, 20, 13, 10, 11, {{13, 10}, {10, 19}, {11, 17}}},   // steep
        {-10, 5, 330, 5, 320, {{0, 5}, {319, 5}}},              // clipped, not wrapped
        {7, -10, 7, 250, 240, {{7, 0}, {7, 239}}},
    };
    for (const auto& l : lines) {
        Clear();
        DrawLine(l.x1, l.y1, l.x2, l.y2, 255, 0, 0);
        const Pixels set = SetPixels();
        EXPECT_EQ(set.size(), l.count) << l.x1 << "," << l.y1 << " to " << l.x2 << "," << l.y2;
        for (const auto& p : l.has) EXPECT_TRUE(set.count(p)) << l.x1 << "," << l.y1 << " to " << l.x2 << "," << l.y2 << " lacks " << p.first << "," << p.second;
    }
}

// The small font advances by its glyph's width plus one, drawing rows 1..9
// with row r on pixel row y + 2 - r (row 10, the tail of 'y', is not drawn);
// the big font advances by 8, drawing rows 1..12 with row r on y - r.
TEST_F(Overlay, TextLandsCellForCellFromTheFonts) {
    const char* text = "Ai gy@";
    for (bool small : {true, false}) {
        SCOPED_TRACE(small ? "small font" : "big font");
        Clear();
        FormatText("%s", text);
        small ? DrawSmallText(12, 46, 255, 255, 0) : DrawBigText(12, 46, 255, 255, 0);
        Pixels expected;
        int pen = 12;
        for (const char* p = text; *p; ++p) {
            const char* glyph = small ? SmallFont[int(*p)] : BigFont[int(*p)];
            const int width = small ? glyph[0] - '0' : 8;
            for (int row = 1; row <= (small ? 9 : 12); ++row)
                for (int col = 0; col < width; ++col)
                    if (glyph[(small ? 8 : 10) * row + col] == '1') expected.insert({pen + col, small ? 46 + 2 - row : 46 - row});
            pen += small ? width + 1 : 8;
        }
        EXPECT_EQ(SetPixels(), expected);
        const auto [tipX, tipY] = small ? std::pair{13, 45} : std::pair{14, 44};   // the A's top row
        EXPECT_EQ(Bytes(Pixel(tipX, tipY), Pixel(tipX, tipY) + 4), (Bytes{255, 255, 0, 255}));
        EXPECT_EQ(Pixel(tipX - 1, tipY)[3], 0);
    }
}

TEST_F(Overlay, CharactersWithoutGlyphsDrawNothingButAdvance) {
    FormatText("%c%c%c%c", '`', 0x80, 0xFF, 0x7F);   // no small glyphs
    DrawSmallText(0, 100, 255, 255, 255);
    FormatText("%c%c%c%c", 0x01, 0x80, 0xFF, 0x7F);   // no big glyphs
    DrawBigText(0, 150, 255, 255, 255);
    EXPECT_TRUE(SetPixels().empty());
    // A glyph after them lands further right.
    FormatText("%c%cA", 0x80, 0xFF);
    DrawBigText(0, 150, 255, 255, 255);
    EXPECT_EQ(SetPixels().begin()->first, 16);   // two advances of 8, and the big A reaches its column 0
    FormatText("%c`A", 0x80);
    DrawSmallText(0, 100, 255, 255, 255);
    EXPECT_TRUE(SetPixels().count({7, 97}));     // two blank advances of 3, then the tip of the small A
    // Formatting never overruns the 256-byte text buffer.
    const std::string longText(599, 'x');
    FormatText("%s%s", longText.c_str(), longText.c_str());
    EXPECT_EQ(std::strlen(TextBuffer), 255u);
}

TEST_F(Overlay, CursorCrossIsClippedAtTheCorners) {
    ASSERT_EQ(OpenMainWindow(), 1);
    const struct {
        int px, py;     // window pixel, y down
        size_t count;   // pixels of the cross
        std::pair<int, int> a, b;
    } cases[] = {
        {0, 479, 11, {5, 0}, {0, 5}},            // overlay (0, 0): only the right and upper arms
        {639, 0, 11, {314, 239}, {319, 234}},    // overlay (319, 239)
        {320, 240, 21, {165, 120}, {160, 115}},  // overlay (160, 120): all four arms
    };
    for (const auto& c : cases) {
        Clear();
        HeadlessSetPointer(c.px, c.py);
        DrawCursorCross(MouseX(), MouseY());
        const Pixels pixels = SetPixels();
        EXPECT_EQ(pixels.size(), c.count) << c.px;
        EXPECT_TRUE(pixels.count(c.a) && pixels.count(c.b)) << c.px;
    }
    EXPECT_EQ(Pixel(160, 119)[1], 255);
}

}  // namespace
