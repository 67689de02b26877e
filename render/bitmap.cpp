// The ImageTable and the BMP reader. Every picture of the game is a 24-bit
// uncompressed BMP; a slot holds it as packed R, G, B rows, bottom row first,
// which is what an RGB texture upload expects.
//
// The reader follows the file's own layout (pixel offset, row padding, larger
// info headers, top-down files) so that pictures from any ordinary paint
// program load as drawn. A file in the classic layout (54-byte header, pixels
// at 54, rows already a multiple of 4 bytes) loads exactly as a plain
// "54 bytes, then width x height x 3" reader would load it.
#include "render/bitmap.h"

#include <cstdlib>

#include "machine/platform.h"

ImageSlot* ImageTable = nullptr;

namespace {

constexpr int ClassicHeaderBytes = 54;   // file header (14) + the 40-byte info header
constexpr uint64_t FileHeaderBytes = 14;
constexpr uint32_t MinInfoHeaderBytes = 40;
// Far beyond any texture or screen the game uses; it also keeps
// width x height x 3 well inside 32 bits, so the size sum cannot wrap.
constexpr int64_t MaxSide = 8192;

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

struct BmpLayout {
    uint32_t width;
    uint32_t height;       // always positive here
    bool topDown;          // the file stores its top row first (negative height)
    uint64_t pixelOffset;  // where the pixel rows start in the file
};

// Checks the 54-byte header and works out where and how the pixels lie.
// False for anything the reader cannot turn into a picture.
bool ParseHeader(const uint8_t* h, BmpLayout* layout) {
    if (h[0] != 'B' || h[1] != 'M') return false;
    // Only the low byte of the bit-count field is compared; a high byte of
    // garbage in an otherwise good 24-bit file has always been accepted.
    if (h[28] != 24) return false;
    if (ReadU32(h + 30) != 0) return false;   // compressed (RLE, bit fields, JPEG, PNG)

    const uint32_t infoBytes = ReadU32(h + 14);
    if (infoBytes < MinInfoHeaderBytes) return false;   // the old 12-byte core header lays out fields differently

    const int64_t width = int32_t(ReadU32(h + 18));
    const int64_t signedHeight = int32_t(ReadU32(h + 22));
    const int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (width <= 0 || width > MaxSide) return false;
    if (height == 0 || height > MaxSide) return false;

    const uint64_t offset = ReadU32(h + 10);
    if (offset < FileHeaderBytes + infoBytes) return false;   // pixels cannot start inside the headers

    layout->width = uint32_t(width);
    layout->height = uint32_t(height);
    layout->topDown = signedHeight < 0;
    layout->pixelOffset = offset;
    return true;
}

// Reads and drops n bytes (the rest of a larger header, a colour table or a
// gap before the pixels); the file layer has no seek. False at end of file.
bool SkipBytes(int file, uint64_t n) {
    uint8_t scratch[4096];
    while (n > 0) {
        const size_t chunk = n < sizeof scratch ? size_t(n) : sizeof scratch;
        if (FileRead(file, scratch, chunk) != static_cast<long long>(chunk)) return false;
        n -= chunk;
    }
    return true;
}

// Reads the pixel rows into a packed buffer, bottom row first whatever the
// file's row order, dropping each row's padding to a multiple of 4 bytes.
bool ReadRows(int file, const BmpLayout& layout, uint8_t* pixels) {
    const size_t rowBytes = size_t(layout.width) * 3;
    const size_t padding = (4 - rowBytes % 4) % 4;
    uint8_t pad[3];
    for (uint32_t i = 0; i < layout.height; ++i) {
        const uint32_t row = layout.topDown ? layout.height - 1 - i : i;
        if (FileRead(file, pixels + size_t(row) * rowBytes, rowBytes) != static_cast<long long>(rowBytes))
            return false;
        // The last row's padding may be missing in files from careless writers;
        // the picture is complete without it.
        if (padding != 0 && i + 1 < layout.height &&
            FileRead(file, pad, padding) != static_cast<long long>(padding))
            return false;
    }
    return true;
}

}  // namespace

bool LoadBitmap(const char* path, int slot) {
    if (path == nullptr || ImageTable == nullptr || slot < 0 || slot >= ImageSlotCount) return false;

    // Read-only; a missing picture becomes an empty file where its folder is
    // writable, whose header read below comes up short, and fails here otherwise.
    const int file = OpenForReading(path);
    if (file < 0) return false;

    uint8_t header[ClassicHeaderBytes];
    BmpLayout layout;
    if (FileRead(file, header, sizeof header) != ClassicHeaderBytes || !ParseHeader(header, &layout)) {
        FileClose(file);
        return false;
    }

    // Allocate before touching the slot so that a picture too big for memory
    // leaves the old one in place.
    const size_t bytes = size_t(layout.width) * layout.height * 3;
    uint8_t* pixels = static_cast<uint8_t*>(std::malloc(bytes));
    if (pixels == nullptr) {
        FileClose(file);
        return false;
    }
    const bool complete =
        SkipBytes(file, layout.pixelOffset - ClassicHeaderBytes) && ReadRows(file, layout, pixels);
    FileClose(file);

    // From here the header is trusted: the slot takes the new size even when
    // the pixel data turn out short, and is then left without pixels.
    ImageSlot& image = ImageTable[slot];
    std::free(image.pixels);
    image.pixels = nullptr;
    image.width = layout.width;
    image.height = layout.height;
    image.channels = 3;
    if (!complete) {
        std::free(pixels);
        return false;
    }

    for (size_t i = 0; i < bytes; i += 3) {   // blue, green, red in the file
        const uint8_t blue = pixels[i];
        pixels[i] = pixels[i + 2];
        pixels[i + 2] = blue;
    }
    image.pixels = pixels;
    return true;
}

void ReleaseImages() {
    if (ImageTable == nullptr) return;
    for (int slot = 0; slot < ImageSlotCount; ++slot) {
        std::free(ImageTable[slot].pixels);
        ImageTable[slot].pixels = nullptr;
    }
}
