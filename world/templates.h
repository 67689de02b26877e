// Hand-made room shapes and their decoding, in one of four orientations,
// into the TemplateGrid.
#pragma once

#include <cstdint>

constexpr int TemplateGridSide = 30;

// A room shape: header "jk" + width letter + height letter ('a' = 1) + two
// width extensions ('0' for none); rows top to bottom separated by '/',
// 'd' a floor cell, 'p' a special cell, anything else outside the room.
struct RoomTemplate {
    const char* header;
    const char* rows;
};

extern const RoomTemplate RoomTemplates[];
extern const int RoomTemplateCount;

extern int8_t* TemplateGrid;   // 30 x 30, index row * 30 + column: 0 outside, 1 floor, 3 special; a generator buffer
extern int TemplateW;          // footprint of the last decoded or sized template
extern int TemplateH;

// Sets the footprint W x H of template `index` in `orientation` (0..3).
void TemplateSize(int index, int orientation);

// Clears the grid and decodes the template into it in the orientation.
void LoadTemplate(int index, int orientation);
