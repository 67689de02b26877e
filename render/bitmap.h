// The ImageTable of loaded pictures and the BMP reader.
#pragma once

#include <cstdint>

struct ImageSlot {
    uint8_t* pixels;     // width x height RGB pixels, bottom row first; null while empty
    uint32_t width;
    uint32_t height;
    uint32_t channels;   // 3 once loaded
};

constexpr int ImageSlotCount = 3100;   // slots of the ImageTable
extern ImageSlot* ImageTable;   // ImageSlotCount slots, zero-filled at start-up, released at teardown

// Reads a 24-bit uncompressed BMP into the slot. True when the picture was
// read completely; a rejected file leaves the slot as it was.
bool LoadBitmap(const char* path, int slot);

// Releases every slot's pixels.
void ReleaseImages();
