// Reads the game's picture back from an X11 window for the end-to-end tests.
// The game has no log, so everything a test checks about a running game is
// read off the screen.
//
//   screen_probe close WINDOW                asks the window to close, as a window manager does
//   screen_probe grab WINDOW FILE.ppm        the window's picture as a binary PPM
//   screen_probe text FILE.ppm X Y RRGGBB    the big-font text drawn at overlay (X, Y)
//   screen_probe colours FILE.ppm            distinct colours in the 3D area (between the text lines)
//   screen_probe pixel FILE.ppm X Y          RRGGBB of one pixel of a grab (from the top-left)
//   screen_probe same FILE.ppm FILE.png      pixels of the picture that differ from a PNG file
//
// The picture is the 320 x 240 overlay zoomed by the largest whole scale the
// grab holds, centred in it (between a fullscreen window's bars). Overlay
// coordinates count x from the left and y upward from the bottom row, as the
// game's text drawer takes them. Text is read by matching each 8-pixel
// character cell against the game's own font table.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "render/fonts.h"

namespace {

constexpr int OverlayWidth = 320, OverlayHeight = 240;
// The 3D area checked for colours: between the console line (rows up to 59)
// and the banner (rows from 214), clear of every text line.
constexpr int AreaBottom = 64, AreaTop = 205;

struct Picture {
    int width = 0, height = 0, scale = 0, left = 0, top = 0;
    std::vector<unsigned char> rgb;   // top row first, as the window shows it

    const unsigned char* Pixel(int x, int y) const { return &rgb[3 * (static_cast<size_t>(y) * width + x)]; }
    // The pixel at the centre of overlay pixel (x, y).
    const unsigned char* At(int x, int y) const {
        return Pixel(left + x * scale + scale / 2, top + (OverlayHeight - 1 - y) * scale + scale / 2);
    }
};

int Fail(const char* message, const char* detail) {
    std::fprintf(stderr, "screen_probe: %s%s\n", message, detail);
    return 1;
}

// A WM_PROTOCOLS client message carrying WM_DELETE_WINDOW: without a window
// manager nothing else sends it.
int Close(Display* display, Window id) {
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, id, False, NoEventMask, &event);
    XSync(display, False);
    return sent ? 0 : 1;
}

int Grab(Display* display, Window id, const char* windowText, const char* file) {
    XWindowAttributes attributes;
    XImage* image = XGetWindowAttributes(display, id, &attributes)
                        ? XGetImage(display, id, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap)
                        : nullptr;
    if (!image) return Fail("cannot read the window ", windowText);
    // Every channel's mask covers 8 bits: the masked pixel over the mask's lowest bit.
    std::vector<unsigned char> rgb;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            for (unsigned long mask : {image->red_mask, image->green_mask, image->blue_mask})
                rgb.push_back(static_cast<unsigned char>((XGetPixel(image, x, y) & mask) / (mask & -mask)));
    FILE* out = std::fopen(file, "wb");
    if (!out) return Fail("cannot write ", file);
    std::fprintf(out, "P6\n%d %d\n255\n", image->width, image->height);
    std::fwrite(rgb.data(), 1, rgb.size(), out);
    return std::fclose(out) == 0 ? 0 : Fail("cannot write ", file);
}

bool Read(const char* file, Picture& p) {
    FILE* in = std::fopen(file, "rb");
    if (!in) return false;
    int max = 0;
    bool ok = std::fscanf(in, "P6 %d %d %d", &p.width, &p.height, &max) == 3 && max == 255 && std::fgetc(in) != EOF;
    p.scale = ok ? std::min(p.width / OverlayWidth, p.height / OverlayHeight) : 0;
    p.left = (p.width - OverlayWidth * p.scale) / 2;
    p.top = (p.height - OverlayHeight * p.scale) / 2;
    p.rgb.resize(p.scale > 0 ? 3 * static_cast<size_t>(p.width) * p.height : 0);
    ok = p.scale > 0 && std::fread(p.rgb.data(), 1, p.rgb.size(), in) == p.rgb.size();
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
            if (x >= 0 && x < OverlayWidth && oy >= 0 && oy < OverlayHeight)
                lit[row][column] = std::memcmp(picture.At(x, oy), colour, 3) == 0;
        }
    int best = '?', bestCells = -1;
    for (int code = 32; code < 127; ++code) {
        int cells = 0;
        bool fits = true;
        for (int row = 1; row <= 12 && fits; ++row)
            for (int column = 0; column < 8 && fits; ++column) {
                fits = BigCell(code, row, column) == lit[row][column];
                cells += lit[row][column];
            }
        if (fits && cells > bestCells) best = code, bestCells = cells;
    }
    return static_cast<char>(best);
}

int Text(const Picture& picture, int x, int y, const char* colourText) {
    const unsigned long value = std::strtoul(colourText, nullptr, 16);
    const unsigned char colour[3] = {static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 8),
                                     static_cast<unsigned char>(value)};
    std::string line;
    for (int pen = x; pen < OverlayWidth; pen += 8) line += ReadCell(picture, pen, y, colour);
    line.erase(line.find_last_not_of(' ') + 1);
    std::printf("%s\n", line.c_str());
    return 0;
}

int Colours(const Picture& picture) {
    std::set<unsigned> seen;
    for (int y = AreaBottom; y <= AreaTop; ++y)
        for (int x = 0; x < OverlayWidth; ++x) {
            const unsigned char* p = picture.At(x, y);
            seen.insert(p[0] << 16 | p[1] << 8 | p[2]);
        }
    std::printf("%zu\n", seen.size());
    return 0;
}

// Decodes the PNG with libpng and counts its pixels that differ from the picture.
int Same(const Picture& picture, const char* pngFile) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, pngFile)) return Fail("cannot read the PNG ", pngFile);
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> png(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, png.data(), 0, nullptr)) return Fail("cannot decode ", pngFile);
    const int width = OverlayWidth * picture.scale, height = OverlayHeight * picture.scale;
    if (static_cast<int>(image.width) != width || static_cast<int>(image.height) != height)
        return Fail("the PNG is not the picture's size: ", pngFile);
    long differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            differing += std::memcmp(picture.Pixel(picture.left + x, picture.top + y), &png[3 * (y * width + x)], 3) != 0;
    std::printf("%ld\n", differing);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 2 ? argv[1] : "";
    if (command == "grab" || command == "close") {
        Display* display = XOpenDisplay(nullptr);
        if (!display) return Fail("cannot open the display", "");
        const Window id = std::strtoul(argv[2], nullptr, 0);
        return command == "close" ? Close(display, id) : argc == 4 ? Grab(display, id, argv[2], argv[3]) : 2;
    }
    Picture picture;
    if (command != "" && !Read(argv[2], picture)) return Fail("cannot read the picture ", argv[2]);
    if (command == "text" && argc == 6) return Text(picture, std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
    if (command == "colours" && argc == 3) return Colours(picture);
    if (command == "same" && argc == 4) return Same(picture, argv[3]);
    if (command == "pixel" && argc == 5) {
        const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
        if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return Fail("the pixel lies outside", "");
        const unsigned char* p = picture.Pixel(x, y);
        std::printf("%02X%02X%02X\n", p[0], p[1], p[2]);
        return 0;
    }
    std::fprintf(stderr, "usage: screen_probe close WINDOW | grab WINDOW FILE.ppm | text FILE.ppm X Y RRGGBB | colours FILE.ppm |"
                         " pixel FILE.ppm X Y | same FILE.ppm FILE.png\n");
    return 2;
}
