// The console polls the keyboard like the rest of the game: a key acts while
// it is held, and the pause after it is the only key repeat and debounce.
#include "console/console.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "platform/input.h"
#include "machine/memory.h"
#include "machine/platform.h"
#include "render/overlay.h"
#include "world/run_state.h"

int consoleOpen = 0;
int lineReady = 0;
char lineText[ConsoleLineSize] = {};
int lineLength = 0;
char** tokenSlots = nullptr;

constexpr int TogglePause = 400, EnterPause = 500, KeyPause = 120, CommandPause = 300;
constexpr int PromptLimit = 30;
constexpr char Delimiters[] = " -,\t\n";

void InitConsole() {
    lineLength = 0;
    lineText[0] = lineText[1] = 0;
    tokenSlots = static_cast<char**>(AllocOrQuit(sizeof(char*) * TokenSlotCount, true, "the console"));
    for (int i = 0; i < TokenSlotCount; ++i)
        tokenSlots[i] = static_cast<char*>(AllocOrQuit(ConsoleLineSize, true, "the console"));
}

void ReleaseConsole() {
    if (!tokenSlots) return;
    for (int i = 0; i < TokenSlotCount; ++i) std::free(tokenSlots[i]);
    std::free(tokenSlots);
    tokenSlots = nullptr;
}

// Appends one character when the line has room; a full line ignores it without a pause.
static void Append(char c, int limit) {
    if (lineLength >= limit) return;
    lineText[lineLength] = c;
    lineText[lineLength + 1] = 0;
    ++lineLength;
    PlatformSleep(KeyPause);
}

void EditLine(int x, int y, int maxLength, const char* prefix) {
    int limit = maxLength > ConsoleLineSize - 1 ? ConsoleLineSize - 1 : maxLength;
    if (KeyDown(Key::Enter)) {
        lineText[lineLength] = 0;
        PlatformSleep(EnterPause);
        lineReady = 1;
        return;
    }
    if (KeyDown(Key::Backspace) && lineLength >= 1) {
        lineText[lineLength] = 0;
        lineText[lineLength - 1] = 0;
        --lineLength;
        PlatformSleep(KeyPause);
    }
    if (KeyDown(Key::Space)) Append(' ', limit);
    bool shift = KeyDown(Key::Shift);
    for (int letter = 0; letter < 26; ++letter)
        if (KeyDown(Key::A + letter)) Append(static_cast<char>((shift ? 'A' : 'a') + letter), limit);
    for (int digit = 0; digit < 10; ++digit)
        if (KeyDown(Key::Digit0 + digit)) Append(static_cast<char>('0' + digit), limit);

    // The cursor blinks ten frames on, ten off.
    if (frameCounter % 20 < 10) FormatText("%s%s_", prefix, lineText);
    else FormatText("%s%s", prefix, lineText);
    DrawBigText(x, y, 255, 255, 255);
}

// Splits the line into the token slots at every run of delimiters; returns the word count.
static int SplitLine() {
    for (int i = 0; i < TokenSlotCount; ++i) tokenSlots[i][0] = 0;
    char work[ConsoleLineSize];
    std::memcpy(work, lineText, sizeof work);
    work[ConsoleLineSize - 1] = 0;
    int words = 0;
    char* save = nullptr;
    for (char* word = strtok_r(work, Delimiters, &save); word; word = strtok_r(nullptr, Delimiters, &save)) {
        // A 255-character line can hold more words than slots; the extra ones are dropped.
        if (words < TokenSlotCount) std::strcpy(tokenSlots[words], word);
        ++words;
    }
    return words;
}

void ExecuteLine() {
    lineReady = 0;
    int words = SplitLine();
    if (words != 2 || strcasecmp(tokenSlots[0], "env4cyclestep") != 0) return;
    long value = std::strtol(tokenSlots[1], nullptr, 10);   // its leading digits, 0 without any
    if (value < 1 || value > 36) return;
    cycleStep = static_cast<int>(value);
    PlatformSleep(CommandPause);
}

void RunConsole() {
    if (KeyDown(Key::Tab)) {
        consoleOpen = consoleOpen == 0 ? 1 : 0;
        PlatformSleep(TogglePause);
    }
    if (consoleOpen == 1) EditLine(14, 60, PromptLimit, "CMD:");
    if (lineReady == 1) ExecuteLine();
}
