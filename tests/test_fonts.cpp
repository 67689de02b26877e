// Checks of the two bitmap fonts as data: string shapes, fixed widths, clear
// margins, the glyphs whose bitmaps are fixed, and that the designed glyphs
// are visible, distinct and sit on the common rows.
#include "render/fonts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <string_view>

namespace {

constexpr int SmallRowLength = 8;
constexpr int BigRowLength = 10;

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

bool HasSmallGlyph(int code) { return code >= 33 && code <= 122 && code != '`'; }

int SmallWidth(int code) { return SmallFont[code][0] - '0'; }

bool SmallCell(int code, int row, int col) {
    return SmallFont[code][SmallRowLength * row + col] != '0';
}

bool BigCell(int code, int row, int col) {
    return BigFont[code][BigRowLength * row + col] != '0';
}

// Drawn cells only (what ends up on screen), as one comparable string.
std::string SmallBitmap(int code) {
    std::string bits(1, SmallFont[code][0]);
    for (int row = 1; row <= 9; ++row)
        for (int col = 0; col < SmallWidth(code); ++col)
            bits += SmallCell(code, row, col) ? '1' : '0';
    return bits;
}

std::string BigBitmap(int code) {
    std::string bits;
    for (int row = 1; row <= 12; ++row)
        for (int col = 0; col <= 7; ++col) bits += BigCell(code, row, col) ? '1' : '0';
    return bits;
}

// First and last drawn row holding a set cell; {0, 0} for an empty glyph.
struct RowSpan {
    int top = 0;
    int bottom = 0;
};

RowSpan SmallSpan(int code) {
    RowSpan span;
    for (int row = 1; row <= 9; ++row)
        for (int col = 0; col < SmallWidth(code); ++col)
            if (SmallCell(code, row, col)) {
                if (span.top == 0) span.top = row;
                span.bottom = row;
            }
    return span;
}

RowSpan BigSpan(int code) {
    RowSpan span;
    for (int row = 1; row <= 12; ++row)
        for (int col = 0; col <= 7; ++col)
            if (BigCell(code, row, col)) {
                if (span.top == 0) span.top = row;
                span.bottom = row;
            }
    return span;
}

bool OnlyCellCharacters(const char* s, size_t from) {
    for (size_t i = from; s[i] != '\0'; ++i)
        if (s[i] != '0' && s[i] != '1') return false;
    return true;
}

}  // namespace

TEST(SmallFont, GlyphStringsHaveTheirLengthHeaderAndWidth) {
    for (int code = 33; code <= 122; ++code) {
        if (!HasSmallGlyph(code)) continue;
        SCOPED_TRACE(std::string("character ") + char(code));
        const char* g = SmallFont[code];
        ASSERT_NE(g, nullptr);
        const bool underscore = code == '_';
        ASSERT_EQ(std::strlen(g), underscore ? 87u : 88u);
        EXPECT_EQ(g[0], '0' + ExpectedSmallWidth(char(code)));
        EXPECT_EQ(g[1], underscore ? '7' : '8');
        EXPECT_EQ(std::string_view(g + 2, 6), "000000");
        EXPECT_TRUE(OnlyCellCharacters(g, 8));
    }
}

TEST(SmallFont, CellsOutsideTheDrawnAreaAreClear) {
    int tailCells = 0;
    for (int code = 33; code <= 122; ++code) {
        if (!HasSmallGlyph(code)) continue;
        SCOPED_TRACE(std::string("character ") + char(code));
        const int length = static_cast<int>(std::strlen(SmallFont[code]));
        for (int row = 1; row <= 10; ++row)
            for (int col = 0; col < SmallRowLength; ++col) {
                const int at = SmallRowLength * row + col;
                if (at >= length) continue;  // the underscore's short row 10
                const bool set = SmallCell(code, row, col);
                if (col >= SmallWidth(code)) {
                    EXPECT_FALSE(set) << "row " << row << " col " << col;
                }
                if (row == 10 && set) {
                    EXPECT_EQ(code, 'y') << "row 10 col " << col;
                    ++tailCells;
                }
            }
    }
    // The tail of 'y' runs on into row 10, which is stored but never drawn.
    EXPECT_EQ(tailCells, 1);
}

TEST(SmallFont, CodesWithoutGlyphShareOneBlank) {
    const std::string blank = "28000000" + std::string(72, '0');
    const char* shared = SmallFont[0];
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(std::string(shared), blank);
    for (int code = 0; code < 128; ++code) {
        if (code <= 32 || code >= 123) {
            EXPECT_EQ(SmallFont[code], shared) << "code " << code;
        } else {
            EXPECT_NE(SmallFont[code], shared) << "code " << code;
        }
    }
    ASSERT_NE(SmallFont['`'], nullptr);
    EXPECT_STREQ(SmallFont['`'], "96 ");
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

TEST(BigFont, GlyphStringsAreThirteenRowsWithClearMargins) {
    for (int code = 32; code <= 126; ++code) {
        SCOPED_TRACE(std::string("character ") + char(code));
        const char* g = BigFont[code];
        ASSERT_NE(g, nullptr);
        ASSERT_EQ(std::strlen(g), 130u);
        EXPECT_TRUE(OnlyCellCharacters(g, 0));
        for (int col = 0; col < BigRowLength; ++col) EXPECT_FALSE(BigCell(code, 0, col));
        // Columns 8 and 9 are never drawn; column 7 is drawn but kept blank
        // because the fixed pitch of 8 includes the gap between characters.
        for (int row = 0; row <= 12; ++row)
            for (int col = 7; col < BigRowLength; ++col)
                EXPECT_FALSE(BigCell(code, row, col)) << "row " << row << " col " << col;
    }
    EXPECT_EQ(BigBitmap(' '), std::string(96, '0'));
}

TEST(BigFont, CodesWithoutGlyphHoldShortPlaceholders) {
    for (int code = 0; code < 256; ++code) {
        if (code >= 32 && code <= 126) continue;
        if (BigFont[code] == nullptr) continue;
        // Anything that is not 130 characters reads as "no glyph"; keep them
        // far from that length so no drawer can mistake one.
        EXPECT_LT(std::strlen(BigFont[code]), 8u) << "code " << code;
    }
}

TEST(Fonts, EveryPrintableGlyphIsVisibleAndDistinct) {
    std::map<std::string, char> smallSeen;
    for (int code = 33; code <= 122; ++code) {
        if (!HasSmallGlyph(code)) continue;
        const std::string bits = SmallBitmap(code);
        EXPECT_NE(bits.find('1', 1), std::string::npos) << "small " << char(code) << " is empty";
        const auto [it, fresh] = smallSeen.emplace(bits, char(code));
        EXPECT_TRUE(fresh) << "small " << char(code) << " looks like " << it->second;
    }
    std::map<std::string, char> bigSeen;
    for (int code = 33; code <= 126; ++code) {
        const std::string bits = BigBitmap(code);
        EXPECT_NE(bits.find('1'), std::string::npos) << "big " << char(code) << " is empty";
        const auto [it, fresh] = bigSeen.emplace(bits, char(code));
        EXPECT_TRUE(fresh) << "big " << char(code) << " looks like " << it->second;
    }
}

// Letters and digits must line up: a glyph shifted by a row reads as a
// bouncing baseline in every HUD line.
TEST(Fonts, LettersAndDigitsShareCapHeightAndBaseline) {
    const std::string_view descenders = "gjpqy";
    for (int code = 0; code < 128; ++code) {
        const char c = char(code);
        const bool capOrDigit = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        const bool lower = c >= 'a' && c <= 'z';
        if (!capOrDigit && !lower) continue;
        SCOPED_TRACE(std::string("character ") + c);
        const RowSpan small = SmallSpan(code);
        const RowSpan big = BigSpan(code);
        if (capOrDigit) {
            EXPECT_EQ(small.top, 3);
            EXPECT_EQ(small.bottom, 7);
            EXPECT_EQ(big.top, 2);
            EXPECT_EQ(big.bottom, 10);
        } else if (descenders.find(c) != std::string_view::npos) {
            EXPECT_EQ(small.bottom, 9);
            EXPECT_EQ(big.bottom, 12);
        } else {
            // No lower-case letter rises above the capitals.
            EXPECT_GE(small.top, 3);
            EXPECT_EQ(small.bottom, 7);
            EXPECT_GE(big.top, 2);
            EXPECT_EQ(big.bottom, 10);
        }
    }
    // The x-height is set by the lower-case letters without ascenders.
    for (char c : std::string_view("acmnorsuvwxz")) {
        EXPECT_EQ(SmallSpan(c).top, 5) << c;
        EXPECT_EQ(BigSpan(c).top, 5) << c;
    }
}
