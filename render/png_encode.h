// PNG encoding, for the screenshots and the tools' contact sheet: libpng on
// Linux (png_encode.cpp), stb_image_write on Windows (png_encode_stb.cpp).
#pragma once

#include <cstdint>
#include <vector>

// Encodes width x height 8-bit RGB pixels, rows top first, 3 bytes a pixel,
// into a PNG file image in *out. False (and *out empty) when the encoder fails.
bool EncodePngRgb(const uint8_t* rgb, int width, int height, std::vector<uint8_t>* out);
