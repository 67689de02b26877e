// The two bitmap fonts as glyph strings: '0' an unset cell, anything else set.
#pragma once

// Proportional font, 9 rows drawn: character 0 is the width digit, row r
// (1..10) is characters 8r..8r+7. Codes 0..32 and 123..127 share the blank
// glyph of width 2; code 96 holds the placeholder "96 " and no glyph.
extern const char* const SmallFont[128];

// Fixed-pitch font: 13 rows of 10 cells, row r at characters 10r..10r+9;
// rows 1..12 and columns 0..7 are drawn. Codes 32..126 hold glyphs; the
// others hold a short placeholder or null.
extern const char* const BigFont[256];
