// The two picture formats the generator writes: the game's 24-bit BMP in its
// classic layout, and PNG (through libpng, as the game's screenshots) for
// the contact sheet.
#include <cstdio>

#include "render/png_encode.h"
#include "tools/art.h"

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xffff);
    PutU16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const Canvas& c) {
    // The classic layout the game's pictures have always had: pixels right
    // after the 54-byte header, no colour table, bottom row first. Rows are
    // padded to 4 bytes, though every picture here is a multiple of 4 wide.
    const uint32_t rowBytes = uint32_t(c.width) * 3;
    const uint32_t stride = (rowBytes + 3) & ~3u;
    const uint32_t pixelBytes = stride * uint32_t(c.height);
    std::vector<uint8_t> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, 54 + pixelBytes);   // file size
    PutU32(out, 0);                 // reserved
    PutU32(out, 54);                // pixel offset
    PutU32(out, 40);                // info header size
    PutU32(out, uint32_t(c.width));
    PutU32(out, uint32_t(c.height));   // positive: bottom-up
    PutU16(out, 1);                    // planes
    PutU16(out, 24);                   // bits per pixel
    PutU32(out, 0);                    // no compression
    PutU32(out, pixelBytes);
    PutU32(out, 2835);                 // 72 dots per inch, both ways
    PutU32(out, 2835);
    PutU32(out, 0);                    // no colour table
    PutU32(out, 0);
    for (int y = c.height - 1; y >= 0; --y) {
        for (int x = 0; x < c.width; ++x) {
            const Rgb p = GetPixel(c, x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (uint32_t pad = rowBytes; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> EncodePng(const Canvas& c) {
    std::vector<uint8_t> out;
    EncodePngRgb(c.rgb.data(), c.width, c.height, &out);   // empty on failure, which the write then reports
    return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}
