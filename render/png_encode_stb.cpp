// PNG encoding into memory with stb_image_write, for the Windows build, where
// libpng is not at hand: one header, no runtime library beside the game.
#include "render/png_encode.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

static void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

bool EncodePngRgb(const uint8_t* rgb, int width, int height, std::vector<uint8_t>* out) {
    out->clear();
    if (!rgb || width <= 0 || height <= 0) return false;
    const bool ok = stbi_write_png_to_func(AppendBytes, out, width, height, 3, rgb, width * 3) != 0;
    if (!ok) out->clear();
    return ok;
}
