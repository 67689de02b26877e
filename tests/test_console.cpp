// The Tab-toggled command line, driven through RunConsole with scripted keys
// on the headless back end: toggling, typing and its pauses, the drawn line
// with its blinking cursor, and the one command "env4cyclestep".
#include <cctype>
#include <string>
#include <tuple>
#include <vector>

#include "game_fixture.h"
#include "platform/input.h"
#include "platform/present.h"
#include "render/overlay.h"

namespace {

constexpr int Letter(char upper) { return Key::A + (upper - 'A'); }
constexpr int Digit(int digit) { return Key::Digit0 + digit; }
using PauseList = std::vector<int>;

class Console : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        // A typist lets go of the keys while the game pauses after them.
        HeadlessOnPause([this](int) {
            for (int key : held) HeadlessSetKey(key, false);
            held.clear();
        });
    }

    // One frame of the console with these keys held down from its start; with
    // letGoAtPause they are released at the first pause the frame takes.
    void Frame(std::vector<int> keys = {}, bool letGoAtPause = false) {
        for (int key : keys) HeadlessSetKey(key, true);
        if (letGoAtPause) held = keys;
        RunConsole();
        HeadlessReleaseAllKeys();
        held.clear();
        ++frameCounter;
    }

    // Types the text one key a frame (Shift with capitals); the console must be open.
    void Type(const std::string& text) {
        for (char c : text) {
            const int key = c == ' ' ? Key::Space : std::isdigit(c) ? Digit(c - '0') : Letter(std::toupper(c));
            Frame(std::isupper(c) ? std::vector<int>{Key::Shift, key} : std::vector<int>{key}, true);
        }
    }

    // Opens the console on an empty line, types the text and presses Enter
    // with a letter held too, over a text buffer that says "untouched".
    void Command(const std::string& text) {
        consoleOpen = 1;
        lineLength = 0;
        lineText[0] = 0;
        Type(text);
        HeadlessPauses().clear();
        FormatText("untouched");
        Frame({Key::Enter, Letter('C')});
    }

    std::vector<int> held;
};

TEST_F(Console, TabFlipsTheConsoleEveryFrameWithItsPauseAndHidingKeepsTheLine) {
    HeadlessSetKey(Key::Tab, true);   // held: flips in every frame
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) {
        RunConsole();
        states.push_back(consoleOpen);
    }
    HeadlessSetKey(Key::Tab, false);
    EXPECT_EQ(states, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(HeadlessPauses(), (PauseList{400, 400, 400}));

    Type("ab");
    Frame({Key::Tab});
    EXPECT_EQ(consoleOpen, 0);
    FormatText("untouched");
    Frame({Letter('B')});   // a hidden console neither types nor draws
    EXPECT_STREQ(TextBuffer, "untouched");
    Frame({Key::Tab});
    EXPECT_EQ((std::tuple{consoleOpen, std::string(lineText), lineLength}), (std::tuple{1, "ab", 2}));
}

TEST_F(Console, TypingInAFixedKeyOrderWithAPauseForEachCharacterUpToTheFullLine) {
    consoleOpen = 1;
    Type(" ab1 Z9");
    // Only letters, digits and space type; the keypad and punctuation are not read.
    Frame({Key::KeypadPlus, Key::KeypadMinus, 189, 188, Key::LeftBracket, 96});
    EXPECT_EQ(HeadlessPauses(), PauseList(7, 120));
    // Keys held together: Backspace first, then space, then letters, then digits;
    // Shift makes every letter of the frame upper case.
    Frame({Digit(7), Letter('C'), Key::Space, Key::Backspace, Letter('B'), Key::A});
    Frame({Key::Shift, Letter('Q'), Letter('D')});
    EXPECT_STREQ(lineText, " ab1 Z abc7DQ");
    EXPECT_EQ(HeadlessPauses(), PauseList(15, 120));
    // Backspace stops at an empty line, where it takes no pause.
    HeadlessPauses().clear();
    for (int i = 0; i < 14; ++i) Frame({Key::Backspace});
    EXPECT_EQ(std::string(lineText, 13), std::string(13, 0));
    EXPECT_EQ(HeadlessPauses(), PauseList(13, 120));

    // A full line ignores keys without pausing; deleting makes room again.
    const std::string thirty = "abcdefghij0123456789 klmnopqrs";
    HeadlessPauses().clear();
    Type(thirty + "tu");
    Frame({Letter('X'), Key::Space, Key::Digit0});
    EXPECT_EQ(lineLength, 30);
    EXPECT_EQ(HeadlessPauses(), PauseList(30, 120));
    Frame({Key::Backspace});
    Frame({Letter('Y')});
    EXPECT_EQ(std::string(lineText), thirty.substr(0, 29) + "y");

    // A limit past the 256-byte line is cut to 255 characters and a NUL.
    HeadlessSetKey(Letter('K'), true);
    for (int i = 0; i < 300; ++i) EditLine(0, 0, 100000, "");
    EXPECT_EQ(lineLength, 255);
    EXPECT_EQ(std::strlen(lineText), 255u);
}

TEST_F(Console, TheLineIsDrawnInWhiteBehindThePromptWithABlinkingCursor) {
    consoleOpen = 1;
    Type("go");
    // The cursor shows in frames 0..9 of every 20.
    for (frameCounter = 0; frameCounter <= 40; ++frameCounter) {
        RunConsole();
        EXPECT_STREQ(TextBuffer, frameCounter % 20 < 10 ? "CMD:go_" : "CMD:go") << "frame " << frameCounter;
    }

    // The same text drawn by hand at (14, 60) in white gives the same picture.
    const size_t bytes = static_cast<size_t>(OverlayWidth) * OverlayHeight * 4;
    frameCounter = 3;
    BeginFrame();
    RunConsole();
    const Bytes shown(OverlayBuffer, OverlayBuffer + bytes);
    BeginFrame();
    FormatText("CMD:go_");
    DrawBigText(14, 60, 255, 255, 255);
    EXPECT_EQ(shown, Bytes(OverlayBuffer, OverlayBuffer + bytes));
    EXPECT_NE(shown, Bytes(bytes, 0));
}

TEST_F(Console, CycleStepCommand) {
    const struct {
        std::string typed;
        int cycleStep;   // expected after Enter, from 2
    } cases[] = {
        {"env4cyclestep 5", 5},
        {"ENV4CYCLESTEP 5", 5},            // the command word ignores case
        {"env4cyclestep 36", 36},
        {"env4cyclestep 1", 1},
        {"env4cyclestep 37", 2},
        {"env4cyclestep 0", 2},
        {"env4cyclestep 12abc", 12},       // the value is its leading digits
        {"env4cyclestep abc", 2},          // no digits: 0
        {"env4cyclestep 4294967301", 2},   // 2^32 + 5 must not wrap into range
        {"env4cyclestep 5 6", 2},          // three words
        {"env4cyclestep", 2},              // one word
        {"  env4cyclestep   9 ", 9},       // runs of delimiters split once
        {"env4cyclestepx 5", 2},
        {"5 env4cyclestep", 2},
        {"", 2},                           // Enter on an empty line
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("typed \"" + c.typed + "\"");
        cycleStep = 2;
        Command(c.typed);
        EXPECT_EQ(cycleStep, c.cycleStep);
        EXPECT_EQ(HeadlessPauses(), c.cycleStep != 2 ? (PauseList{500, 300}) : PauseList{500});
        // Enter ends the line without drawing it or typing the key held with
        // it, runs it at once and leaves it in the entry line.
        EXPECT_EQ((std::tuple{lineReady, std::string(lineText), std::string(TextBuffer)}),
                  (std::tuple{0, c.typed, "untouched"}));
    }
}

TEST_F(Console, LinesSplitAtEveryDelimiterIntoTheTokenSlots) {
    // Minus, comma, tab and newline cannot be typed but still split a line.
    const char* lines[] = {"env4cyclestep,11", "env4cyclestep-12", "env4cyclestep\t13\n", "-,env4cyclestep, ,14,"};
    int value = 11;
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        std::strcpy(lineText, line);
        lineReady = 1;
        RunConsole();
        EXPECT_EQ(cycleStep, value++);
        EXPECT_STREQ(tokenSlots[0], "env4cyclestep");
        EXPECT_EQ(tokenSlots[2][0], 0);
    }

    // Every execution empties the slots before it fills them.
    Command("one two three");
    Command("four");
    EXPECT_EQ(std::string(tokenSlots[0]) + tokenSlots[1] + tokenSlots[2], "four");

    // A 255-character line of one-letter words has more words than slots.
    std::string many;
    for (int i = 0; i < 127; ++i) many += "w ";
    std::strcpy(lineText, many.c_str());
    lineReady = 1;
    RunConsole();
    for (int i = 0; i < TokenSlotCount; ++i) EXPECT_STREQ(tokenSlots[i], "w");
}

}  // namespace
