// Reads the game's picture back from an X11 window for the end-to-end tests.
// The game has no command-line options, environment variables or log, so
// everything a test checks about a running game is read off the screen.
//
//   screen_probe grab WINDOW FILE.ppm          the window's picture as a binary PPM
//   screen_probe text FILE.ppm X Y RRGGBB      the big-font text drawn at overlay (X, Y)
//   screen_probe colours FILE.ppm              distinct colours in the 3D area (between the text lines)
//   screen_probe crop FILE.ppm X Y W H OUT.ppm  a part of a grab (X, Y from the top-left)
//   screen_probe pixel FILE.ppm X Y            RRGGBB of one pixel of a grab (from the top-left)
//   screen_probe same FILE.ppm FILE.png        pixels that differ between a grab and a PNG file
//
// The picture is the 320 x 240 overlay zoomed by a whole scale (the window's
// width / 320); overlay coordinates count x from the left and y upward from
// the bottom row, as the game's text drawer takes them. Text is read by
// matching each 8-pixel character cell against the game's own font table.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "render/fonts.h"

namespace {

constexpr int OverlayWidth = 320, OverlayHeight = 240;
// The 3D area checked for colours and changes: between the console line
// (rows up to 59) and the banner (rows from 214), clear of every text line.
constexpr int AreaBottom = 64, AreaTop = 205;

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;   // top row first, as the window shows it

    int Scale() const { return width / OverlayWidth; }
    // The pixel at the centre of overlay pixel (x, y).
    const unsigned char* At(int x, int y) const {
        int s = Scale();
        int column = x * s + s / 2;
        int row = height - 1 - (y * s + s / 2);
        return &rgb[3 * (static_cast<size_t>(row) * width + column)];
    }
};

int Fail(const char* message, const char* detail = "") {
    std::fprintf(stderr, "screen_probe: %s%s\n", message, detail);
    return 1;
}

// Channel value of an XImage pixel under a colour mask, scaled to 0..255.
unsigned Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    unsigned long max = mask >> shift;
    return static_cast<unsigned>(((pixel & mask) >> shift) * 255 / max);
}

int Grab(const char* windowText, const char* file) {
    char* end = nullptr;
    unsigned long id = std::strtoul(windowText, &end, 0);
    if (!end || *end || id == 0) return Fail("bad window id ", windowText);
    Display* display = XOpenDisplay(nullptr);
    if (!display) return Fail("cannot open the display");
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, id, &attributes)) {
        XCloseDisplay(display);
        return Fail("no such window ", windowText);
    }
    XImage* image = XGetImage(display, id, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) {
        XCloseDisplay(display);
        return Fail("cannot read the window ", windowText);
    }
    FILE* out = std::fopen(file, "wb");
    if (!out) {
        XDestroyImage(image);
        XCloseDisplay(display);
        return Fail("cannot write ", file);
    }
    std::fprintf(out, "P6\n%d %d\n255\n", image->width, image->height);
    std::vector<unsigned char> row(3 * static_cast<size_t>(image->width));
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            unsigned long p = XGetPixel(image, x, y);
            row[3 * x] = static_cast<unsigned char>(Channel(p, image->red_mask));
            row[3 * x + 1] = static_cast<unsigned char>(Channel(p, image->green_mask));
            row[3 * x + 2] = static_cast<unsigned char>(Channel(p, image->blue_mask));
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    bool written = std::fclose(out) == 0;
    XDestroyImage(image);
    XCloseDisplay(display);
    return written ? 0 : Fail("cannot write ", file);
}

bool ReadPicture(const char* file, Picture& picture) {
    FILE* in = std::fopen(file, "rb");
    if (!in) return false;
    int max = 0;
    bool ok = std::fscanf(in, "P6 %d %d %d", &picture.width, &picture.height, &max) == 3 && max == 255 &&
              std::fgetc(in) != EOF && picture.width >= OverlayWidth && picture.width % OverlayWidth == 0 &&
              picture.height == picture.width / OverlayWidth * OverlayHeight;
    if (ok) {
        picture.rgb.resize(3 * static_cast<size_t>(picture.width) * picture.height);
        ok = std::fread(picture.rgb.data(), 1, picture.rgb.size(), in) == picture.rgb.size();
    }
    std::fclose(in);
    return ok;
}

bool BigCell(int code, int row, int column) {
    const char* glyph = BigFont[code];
    return glyph && std::strlen(glyph) == 130 && glyph[10 * row + column] != '0';
}

// The character whose set cells are all lit in the 8 x 12 cell at pen, with
// no lit cell left over; the most cells wins (so a glyph beats its subsets).
// A cell that no glyph explains reads as '?'.
char ReadCell(const Picture& picture, int pen, int y, const unsigned char colour[3]) {
    bool lit[13][8] = {};
    for (int row = 1; row <= 12; ++row)
        for (int column = 0; column < 8; ++column) {
            int x = pen + column, oy = y - row;
            if (x < 0 || x >= OverlayWidth || oy < 0 || oy >= OverlayHeight) continue;
            lit[row][column] = std::memcmp(picture.At(x, oy), colour, 3) == 0;
        }
    int best = -1, bestCells = -1;
    for (int code = 32; code < 127; ++code) {
        int cells = 0;
        bool fits = true;
        for (int row = 1; row <= 12 && fits; ++row)
            for (int column = 0; column < 8; ++column) {
                bool set = BigCell(code, row, column);
                if (set != lit[row][column]) {
                    fits = false;
                    break;
                }
                cells += set;
            }
        if (fits && cells > bestCells) {
            best = code;
            bestCells = cells;
        }
    }
    return best < 0 ? '?' : static_cast<char>(best);
}

int Text(const char* file, int x, int y, const char* colourText) {
    Picture picture;
    if (!ReadPicture(file, picture)) return Fail("cannot read the picture ", file);
    unsigned long value = std::strtoul(colourText, nullptr, 16);
    const unsigned char colour[3] = {static_cast<unsigned char>(value >> 16),
                                     static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
    std::string line;
    for (int pen = x; pen < OverlayWidth; pen += 8) line += ReadCell(picture, pen, y, colour);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::printf("%s\n", line.c_str());
    return 0;
}

int Colours(const char* file) {
    Picture picture;
    if (!ReadPicture(file, picture)) return Fail("cannot read the picture ", file);
    std::set<unsigned> seen;
    for (int y = AreaBottom; y <= AreaTop; ++y)
        for (int x = 0; x < OverlayWidth; ++x) {
            const unsigned char* p = picture.At(x, y);
            seen.insert(p[0] << 16 | p[1] << 8 | p[2]);
        }
    std::printf("%zu\n", seen.size());
    return 0;
}

bool ReadPpm(const char* file, int* width, int* height, std::vector<unsigned char>* rgb) {
    FILE* in = std::fopen(file, "rb");
    if (!in) return false;
    int max = 0;
    bool ok = std::fscanf(in, "P6 %d %d %d", width, height, &max) == 3 && max == 255 && std::fgetc(in) != EOF &&
              *width > 0 && *height > 0;
    if (ok) {
        rgb->resize(3 * static_cast<size_t>(*width) * *height);
        ok = std::fread(rgb->data(), 1, rgb->size(), in) == rgb->size();
    }
    std::fclose(in);
    return ok;
}

int Crop(const char* inFile, int x, int y, int w, int h, const char* outFile) {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    if (!ReadPpm(inFile, &width, &height, &rgb)) return Fail("cannot read the picture ", inFile);
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > width || y + h > height) return Fail("the part lies outside");
    FILE* out = std::fopen(outFile, "wb");
    if (!out) return Fail("cannot write ", outFile);
    std::fprintf(out, "P6\n%d %d\n255\n", w, h);
    for (int row = y; row < y + h; ++row) std::fwrite(&rgb[3 * (static_cast<size_t>(row) * width + x)], 1, 3 * w, out);
    return std::fclose(out) == 0 ? 0 : Fail("cannot write ", outFile);
}

int Pixel(const char* file, int x, int y) {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    if (!ReadPpm(file, &width, &height, &rgb)) return Fail("cannot read the picture ", file);
    if (x < 0 || y < 0 || x >= width || y >= height) return Fail("the pixel lies outside");
    const unsigned char* p = &rgb[3 * (static_cast<size_t>(y) * width + x)];
    std::printf("%02X%02X%02X\n", p[0], p[1], p[2]);
    return 0;
}

// Decodes the PNG with libpng and counts the pixels that differ from the grab.
int Same(const char* ppmFile, const char* pngFile) {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    if (!ReadPpm(ppmFile, &width, &height, &rgb)) return Fail("cannot read the picture ", ppmFile);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, pngFile)) return Fail("cannot read the PNG ", pngFile);
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> png(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, png.data(), 0, nullptr)) return Fail("cannot decode ", pngFile);
    if (static_cast<int>(image.width) != width || static_cast<int>(image.height) != height) {
        std::fprintf(stderr, "screen_probe: the grab is %dx%d, the PNG %ux%u\n", width, height, image.width,
                     image.height);
        return 1;
    }
    long differing = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) differing += std::memcmp(&rgb[i], &png[i], 3) != 0;
    std::printf("%ld\n", differing);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "grab" && argc == 4) return Grab(argv[2], argv[3]);
    if (command == "text" && argc == 6) return Text(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
    if (command == "colours" && argc == 3) return Colours(argv[2]);
    if (command == "crop" && argc == 8)
        return Crop(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]), argv[7]);
    if (command == "pixel" && argc == 5) return Pixel(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    if (command == "same" && argc == 4) return Same(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: screen_probe grab WINDOW FILE.ppm | text FILE.ppm X Y RRGGBB |"
                 " colours FILE.ppm | diff A.ppm B.ppm | png FILE.ppm FILE.png |"
                 " crop FILE.ppm X Y W H OUT.ppm | pixel FILE.ppm X Y | same FILE.ppm FILE.png\n");
    return 2;
}
