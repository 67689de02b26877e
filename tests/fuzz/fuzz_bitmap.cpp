// Any bytes as a picture file: the reader either loads a picture whose size
// matches its buffer or leaves the slot as it was.
#include <cstring>

#include "fuzz_common.h"
#include "render/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartFuzzGame(false);
    WriteFileBytes("pictures/p.bmp", data, size);
    ImageSlot before = ImageTable[7];
    bool loaded = LoadBitmap(".\\pictures\\p.bmp", 7);
    const ImageSlot& slot = ImageTable[7];
    if (loaded) {
        if (!slot.pixels || slot.channels != 3 || slot.width == 0 || slot.height == 0) std::abort();
        // Touch every byte: the sanitizer catches a buffer smaller than the picture.
        size_t bytes = static_cast<size_t>(slot.width) * slot.height * 3, sum = 0;
        for (size_t i = 0; i < bytes; ++i) sum += slot.pixels[i];
        if (sum > bytes * 255) std::abort();
    } else if (slot.pixels && slot.pixels != before.pixels) {
        std::abort();
    }
    return 0;
}
