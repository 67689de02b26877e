// Any line executed by the console: only a well-formed command changes the
// motion step, and only to 1..36.
#include <cstring>

#include "console/console.h"
#include "fuzz_common.h"
#include "render/camera.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartFuzzGame(false);
    size_t n = size < ConsoleLineSize - 1 ? size : ConsoleLineSize - 1;
    std::memcpy(lineText, data, n);
    lineText[n] = 0;
    lineLength = static_cast<int>(std::strlen(lineText));
    cycleStep = 2;
    lineReady = 1;
    ExecuteLine();
    if (cycleStep < 1 || cycleStep > 36 || lineReady != 0) std::abort();
    return 0;
}
