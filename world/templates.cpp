// The room templates the dungeon generator stamps. Rooms after the central
// one come from the first 19; the first layer's central room is always 13.
#include "world/templates.h"

#include <cstring>

int8_t* TemplateGrid = nullptr;
int TemplateW = 0;
int TemplateH = 0;

const RoomTemplate RoomTemplates[] = {
    /*  0 */ {"jkcc00", "ddd/ddd/ddd"},
    /*  1 */ {"jkca00", "ddd"},
    /*  2 */ {"jkda00", "dddd"},
    /*  3 */ {"jkea00", "ddddd"},
    /*  4 */ {"jkcc00", "0d0/ddd/0d0"},
    /*  5 */ {"jkee00", "00d00/0ddd0/ddddd/0ddd0/00d00"},
    /*  6 */ {"jkdb00", "dddd/dddd"},
    /*  7 */ {"jkcb00", "ddd/ddd"},
    /*  8 */ {"jkeb00", "ddddd/ddddd"},
    /*  9 */ {"jkec00", "ddddd/d0d0d/ddddd"},
    /* 10 */ {"jkec00", "ddddd/ddddd/ddddd"},
    /* 11 */ {"jkhg00",
              "000dd000/0dddddd0/0dddddd0/dddddddd/0dddddd0/0dddddd0/000dd000"},
    /* 12 */ {"jkdd00", "dddd/dddd/dddd/dddd"},
    /* 13 */ {"jkee00", "ddddd/ddddd/ddddd/ddddd/ddddd"},
    /* 14 */ {"jkii00",
              "0000d0000/00ddddd00/0ddddddd0/0ddddddd0/ddddddddd/"
              "0ddddddd0/0ddddddd0/00ddddd00/0000d0000"},
    /* 15 */ {"jkhf00", "dddddddd/dddddddd/dd000000/dd000000/dd000000/dd000000"},
    /* 16 */ {"jkee00", "0ddd0/ddddd/ddddd/0ddd0/0ddd0"},
    /* 17 */ {"jkhd00", "0dddddd0/0dddddd0/dddddddd/0dddddd0"},
    /* 18 */ {"jkhh00",
              "00dddd00/0dddddd0/ddd00ddd/dd0000dd/ddd00ddd/0dddddd0/00dddd00/00000000"},
};
const int RoomTemplateCount = sizeof RoomTemplates / sizeof RoomTemplates[0];

// Width and height as the header letters give them; both extension letters
// add to the width.
static void HeaderSize(const RoomTemplate& t, int* w, int* h) {
    *w = t.header[2] - 96;
    *h = t.header[3] - 96;
    if (t.header[4] != '0') *w += t.header[4] - 96;
    if (t.header[5] != '0') *w += t.header[5] - 96;
}

static void SetFootprint(int w, int h, int orientation) {
    bool turned = orientation == 1 || orientation == 2;
    TemplateW = turned ? h : w;
    TemplateH = turned ? w : h;
}

void TemplateSize(int index, int orientation) {
    int w, h;
    HeaderSize(RoomTemplates[index], &w, &h);
    SetFootprint(w, h, orientation);
}

void LoadTemplate(int index, int orientation) {
    const RoomTemplate& t = RoomTemplates[index];
    int w, h;
    HeaderSize(t, &w, &h);
    std::memset(TemplateGrid, 0, TemplateGridSide * TemplateGridSide);
    SetFootprint(w, h, orientation);
    const char* row = t.rows;   // walks the rows; stays on the terminator past the last one
    for (int ty = 0; ty < h; ++ty) {
        size_t drawn = std::strcspn(row, "/");
        for (int tx = 0; tx < w; ++tx) {
            char ch = static_cast<size_t>(tx) < drawn ? row[tx] : '0';
            int8_t value = ch == 'd' ? 1 : ch == 'p' ? 3 : 0;
            if (value == 0) continue;
            int column = tx, gridRow = ty;
            switch (orientation) {
                case 1: column = ty; gridRow = w - 1 - tx; break;   // quarter turn
                case 2: column = ty; gridRow = tx; break;           // mirrored on the diagonal
                case 3: column = tx; gridRow = h - 1 - ty; break;   // upside down
                default: break;
            }
            TemplateGrid[gridRow * TemplateGridSide + column] = value;
        }
        row += drawn;
        if (*row == '/') ++row;
    }
}
