// PNG encoding into memory with libpng. libpng reports errors by longjmp,
// so nothing with a destructor may live in the function that calls setjmp
// between the setjmp and the end of the encoding.
#include "render/png_encode.h"

#include <png.h>

static void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

static void NoFlush(png_structp) {}

// Runs the encoding proper; rows holds one pointer per row, top first.
static bool Encode(png_structp png, png_infop info, int width, int height, png_bytepp rows,
                   std::vector<uint8_t>* out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

bool EncodePngRgb(const uint8_t* rgb, int width, int height, std::vector<uint8_t>* out) {
    out->clear();
    if (!rgb || width <= 0 || height <= 0) return false;
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<size_t>(y)] = const_cast<png_bytep>(rgb + static_cast<size_t>(y) * width * 3);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    bool ok = info && Encode(png, info, width, height, rows.data(), out);
    png_destroy_write_struct(&png, &info);
    if (!ok) out->clear();
    return ok;
}
