// Checks of the two bitmap fonts as data: string shapes, fixed widths, clear
// margins, the glyphs whose bitmaps are fixed, and that the designed glyphs
// are visible, distinct and sit on the common rows.
#include "render/fonts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace {

// One font as the drawers read it: rows 1..lastRow of rowLength cells are drawn.
struct Font {
    const char* name;
    const char* const* glyphs;
    int rowLength, lastRow;
    int firstCode, lastCode;   // the codes with designed glyphs ('`' excepted in the small font)

    bool Small() const { return glyphs == SmallFont; }
    bool HasGlyph(int code) const { return code >= firstCode && code <= lastCode && !(Small() && code == '`'); }
    int Width(int code) const { return Small() ? glyphs[code][0] - '0' : 8; }
    bool Cell(int code, int row, int col) const { return glyphs[code][rowLength * row + col] != '0'; }

    // The drawn cells (what ends up on screen) as one comparable string.
    std::string Bitmap(int code) const {
        std::string bits;
        for (int row = 1; row <= lastRow; ++row)
            for (int col = 0; col < Width(code); ++col) bits += Cell(code, row, col) ? '1' : '0';
        return bits;
    }
    // First and last drawn row holding a set cell; {0, 0} for an empty glyph.
    std::pair<int, int> Span(int code) const {
        std::pair<int, int> span{0, 0};
        for (int row = 1; row <= lastRow; ++row)
            if (std::string_view(glyphs[code] + rowLength * row, Width(code)).find_first_not_of('0') != std::string_view::npos)
                span = {span.first ? span.first : row, row};
        return span;
    }
};

const Font Small{"small", SmallFont, 8, 9, 33, 122};
const Font Big{"big", BigFont, 10, 12, 33, 126};

// The width every small glyph must have; the drawer advances by width + 1,
// so these are what line lengths on screen are built from.
int ExpectedSmallWidth(char c) {
    if (std::string_view(":il").find(c) != std::string_view::npos) return 1;
    if (std::string_view("!'(),;=[]fjr").find(c) != std::string_view::npos) return 2;
    if (std::string_view("&/JNOQRZ\\a").find(c) != std::string_view::npos) return 4;
    if (std::string_view("#*MWXmw").find(c) != std::string_view::npos) return 5;
    if (c == '@') return 7;
    return 3;
}

bool OnlyCellCharacters(const char* s) { return std::string_view(s).find_first_not_of("01") == std::string_view::npos; }

}  // namespace

TEST(SmallFont, GlyphStringsHaveTheirHeaderWidthAndClearMargins) {
    int tailCells = 0;
    for (int code = 33; code <= 122; ++code) {
        if (!Small.HasGlyph(code)) continue;
        SCOPED_TRACE(std::string("character ") + char(code));
        const char* g = SmallFont[code];
        ASSERT_NE(g, nullptr);
        const bool underscore = code == '_';   // its row 10 is one cell short
        ASSERT_EQ(std::strlen(g), underscore ? 87u : 88u);
        EXPECT_EQ(g[0], '0' + ExpectedSmallWidth(char(code)));
        EXPECT_EQ(std::string_view(g + 1, 7), underscore ? "7000000" : "8000000");
        EXPECT_TRUE(OnlyCellCharacters(g + 8));
        for (int at = 8; at < static_cast<int>(std::strlen(g)); ++at) {
            const int row = at / 8, col = at % 8;
            if (!Small.Cell(code, row, col)) continue;
            EXPECT_LT(col, Small.Width(code)) << "row " << row;
            tailCells += row == 10;
            if (row == 10) {
                EXPECT_EQ(code, 'y') << "row 10 col " << col;
            }
        }
    }
    // The tail of 'y' runs on into row 10, which is stored but never drawn.
    EXPECT_EQ(tailCells, 1);
}

TEST(SmallFont, CodesWithoutGlyphShareOneBlank) {
    const char* shared = SmallFont[0];
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(std::string(shared), "28000000" + std::string(72, '0'));
    for (int code = 0; code < 128; ++code) EXPECT_EQ(SmallFont[code] == shared, code <= 32 || code >= 123) << "code " << code;
    EXPECT_STREQ(SmallFont['`'], "96 ");
}

TEST(BigFont, GlyphStringsAreThirteenRowsWithClearMarginsAndShortPlaceholders) {
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(std::string("code ") + std::to_string(code));
        const char* g = BigFont[code];
        if (code < 32 || code > 126) {
            // Anything that is not 130 characters reads as "no glyph"; keep them
            // far from that length so no drawer can mistake one.
            if (g) {
                EXPECT_LT(std::strlen(g), 8u);
            }
            continue;
        }
        ASSERT_NE(g, nullptr);
        ASSERT_EQ(std::strlen(g), 130u);
        EXPECT_TRUE(OnlyCellCharacters(g));
        // Row 0 and columns 8 and 9 are never drawn; column 7 is drawn but kept
        // blank because the fixed pitch of 8 includes the gap between characters.
        for (int at = 0; at < 130; ++at) {
            if (at < 10 || at % 10 >= 7) {
                EXPECT_FALSE(Big.Cell(code, at / 10, at % 10)) << "row " << at / 10 << " col " << at % 10;
            }
        }
    }
    EXPECT_EQ(Big.Bitmap(' '), std::string(96, '0'));
}

TEST(Fonts, FixedGlyphsAreExact) {
    EXPECT_STREQ(SmallFont['A'],
                 "3800000000000000000000000100000010100000111000001010000010100000000000000000"
                 "000000000000");
    EXPECT_STREQ(SmallFont['g'],
                 "3800000000000000000000000000000000000000010000001010000001100000001000000100"
                 "000000000000");
    EXPECT_STREQ(BigFont['A'],
                 "0000000000000000000000110000000111100000110011000011001100001100110000111111"
                 "000011001100001100110000110011000000000000000000000000");
    EXPECT_STREQ(BigFont['g'],
                 "0000000000000000000000000000000000000000000000000001110110001100110000110011"
                 "000011001100000111110000000011000011001100000111100000");
}

TEST(Fonts, EveryPrintableGlyphIsVisibleAndDistinct) {
    for (const Font& font : {Small, Big}) {
        std::map<std::string, char> seen;
        for (int code = font.firstCode; code <= font.lastCode; ++code) {
            if (!font.HasGlyph(code)) continue;
            EXPECT_NE(font.Bitmap(code).find('1'), std::string::npos) << font.name << " " << char(code) << " is empty";
            // The small font's width is part of its look.
            const auto [it, fresh] = seen.emplace(font.Bitmap(code) + font.glyphs[code][0], char(code));
            EXPECT_TRUE(fresh) << font.name << " " << char(code) << " looks like " << it->second;
        }
    }
}

// Letters and digits must line up: a glyph shifted by a row reads as a
// bouncing baseline in every HUD line.
TEST(Fonts, LettersAndDigitsShareCapHeightAndBaseline) {
    for (const Font& font : {Small, Big}) {
        const int capTop = font.Small() ? 3 : 2, base = font.Small() ? 7 : 10;
        for (int code = '0'; code <= 'z'; ++code) {
            const char c = char(code);
            const bool capOrDigit = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
            const bool lower = c >= 'a' && c <= 'z';
            if (!capOrDigit && !lower) continue;
            SCOPED_TRACE(std::string(font.name) + " " + c);
            const auto [top, bottom] = font.Span(code);
            if (capOrDigit) {
                EXPECT_EQ(top, capTop);
                EXPECT_EQ(bottom, base);
            } else if (std::string_view("gjpqy").find(c) != std::string_view::npos) {
                EXPECT_EQ(bottom, font.lastRow);   // descenders reach the last drawn row
            } else {
                EXPECT_GE(top, capTop);   // no lower-case letter rises above the capitals
                EXPECT_EQ(bottom, base);
            }
        }
        // The x-height is set by the lower-case letters without ascenders.
        for (char c : std::string_view("acmnorsuvwxz")) EXPECT_EQ(font.Span(c).first, 5) << font.name << " " << c;
    }
}
