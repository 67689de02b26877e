// Reads a PNG file image back with libpng's simplified API, for the tests of
// the screenshot and the contact sheet.
#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

struct DecodedPng {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;   // rows top first, 3 bytes a pixel
    const uint8_t* At(int x, int y) const { return &rgb[3 * (static_cast<size_t>(y) * width + x)]; }
};

// False when libpng cannot read the bytes as a PNG.
inline bool DecodePng(const std::vector<uint8_t>& file, DecodedPng* out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
    image.format = PNG_FORMAT_RGB;
    out->width = static_cast<int>(image.width);
    out->height = static_cast<int>(image.height);
    out->rgb.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, out->rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    return true;
}
