// The two picture formats the generator writes: the game's 24-bit BMP in its
// classic layout, and PNG for the contact sheet. The PNG uses stored
// (uncompressed) deflate blocks, so no compression library is needed.
#include <algorithm>
#include <cstdio>

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

void PutU32BigEndian(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

// One PNG chunk: length, type, data, and the CRC over type and data.
void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutU32BigEndian(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutU32BigEndian(out, Crc32(out.data() + start, out.size() - start));
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

uint32_t Crc32(const uint8_t* data, size_t size) {
    // Bitwise rather than table-driven: the contact sheet is written once,
    // and the short form is easy to check against the polynomial.
    uint32_t crc = 0xffffffffu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

uint32_t Adler32(const uint8_t* data, size_t size) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521u;
        b = (b + a) % 65521u;
    }
    return b << 16 | a;
}

std::vector<uint8_t> EncodePng(const Canvas& c) {
    // Raw scanlines, each led by filter type 0 (none).
    std::vector<uint8_t> raw;
    raw.reserve(size_t(c.height) * (size_t(c.width) * 3 + 1));
    for (int y = 0; y < c.height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), c.rgb.begin() + size_t(y) * c.width * 3, c.rgb.begin() + size_t(y + 1) * c.width * 3);
    }

    // zlib stream: header, stored blocks of at most 65,535 bytes, Adler-32.
    std::vector<uint8_t> z = {0x78, 0x01};
    for (size_t pos = 0; pos < raw.size() || pos == 0;) {
        const size_t len = std::min<size_t>(raw.size() - pos, 65535);
        const bool last = pos + len >= raw.size();
        z.push_back(last ? 1 : 0);   // BFINAL, BTYPE 00 (stored)
        PutU16(z, uint32_t(len));
        PutU16(z, uint32_t(~len & 0xffff));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + len);
        pos += len;
        if (last) break;
    }
    PutU32BigEndian(z, Adler32(raw.data(), raw.size()));

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> ihdr;
    PutU32BigEndian(ihdr, uint32_t(c.width));
    PutU32BigEndian(ihdr, uint32_t(c.height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});   // 8-bit, RGB, deflate, filter 0, no interlace
    PutChunk(out, "IHDR", ihdr);
    PutChunk(out, "IDAT", z);
    PutChunk(out, "IEND", {});
    return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}
