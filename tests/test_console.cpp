// The Tab-toggled command line, driven through RunConsole with scripted keys
// on the headless back end: toggling, typing and its pauses, the drawn line
// with its blinking cursor, and the one command "env4cyclestep".
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "console/console.h"
#include "game_fixture.h"
#include "platform/input.h"
#include "platform/present.h"
#include "render/overlay.h"

namespace {

constexpr int Letter(char upper) { return Key::A + (upper - 'A'); }
constexpr int Digit(int digit) { return Key::Digit0 + digit; }

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
            if (c == ' ') Frame({Key::Space}, true);
            else if (std::isdigit(static_cast<unsigned char>(c))) Frame({Digit(c - '0')}, true);
            else if (std::islower(static_cast<unsigned char>(c))) Frame({Key::A + (c - 'a')}, true);
            else Frame({Key::Shift, Key::A + (c - 'A')}, true);
        }
    }

    // Opens the console on an empty line, types the text and presses Enter.
    void Command(const std::string& text) {
        consoleOpen = 1;
        lineLength = 0;
        lineText[0] = 0;
        Type(text);
        HeadlessPauses().clear();
        Frame({Key::Enter});
    }

    std::vector<int> held;
};

using PauseList = std::vector<int>;

TEST_F(Console, TabFlipsTheConsoleWithItsPauseAndHidingKeepsTheLine) {
    Frame({Key::Tab});
    EXPECT_EQ(consoleOpen, 1);
    EXPECT_EQ(HeadlessPauses(), PauseList{400});

    Type("ab");
    Frame({Key::Tab});
    EXPECT_EQ(consoleOpen, 0);
    FormatText("untouched");
    Frame({Letter('B')});   // a hidden console neither types nor draws
    EXPECT_STREQ(lineText, "ab");
    EXPECT_STREQ(TextBuffer, "untouched");

    Frame({Key::Tab});
    EXPECT_EQ(consoleOpen, 1);
    EXPECT_STREQ(lineText, "ab");
    EXPECT_EQ(lineLength, 2);

    // Any value other than 0 counts as shown for the flip, but only 1 takes typing.
    consoleOpen = 7;
    Frame({Letter('C')});
    EXPECT_STREQ(lineText, "ab");
    Frame({Key::Tab});
    EXPECT_EQ(consoleOpen, 0);
}

TEST_F(Console, TabHeldFlipsEveryFrameAfterItsPause) {
    HeadlessOnPause(nullptr);
    HeadlessSetKey(Key::Tab, true);
    std::vector<int> states;
    for (int i = 0; i < 5; ++i) {
        RunConsole();
        states.push_back(consoleOpen);
    }
    EXPECT_EQ(states, (std::vector<int>{1, 0, 1, 0, 1}));
    EXPECT_EQ(HeadlessPauses(), (PauseList{400, 400, 400, 400, 400}));
}

TEST_F(Console, TypingAppendsWithAPauseForEachCharacter) {
    consoleOpen = 1;
    Type(" ab1 Z9");
    EXPECT_STREQ(lineText, " ab1 Z9");
    EXPECT_EQ(lineLength, 7);
    EXPECT_EQ(HeadlessPauses(), PauseList(7, 120));

    // Only letters, digits and space type; the keypad and punctuation are not read.
    HeadlessPauses().clear();
    Frame({Key::KeypadPlus, Key::KeypadMinus, 189, 188, Key::LeftBracket, 96});
    EXPECT_STREQ(lineText, " ab1 Z9");
    EXPECT_TRUE(HeadlessPauses().empty());
}

TEST_F(Console, KeysHeldTogetherAreTakenInTheirFixedOrder) {
    consoleOpen = 1;
    Frame({Letter('B'), Key::A});
    EXPECT_STREQ(lineText, "ab");
    EXPECT_EQ(HeadlessPauses(), (PauseList{120, 120}));

    // Backspace first, then space, then letters, then digits.
    HeadlessPauses().clear();
    Frame({Digit(7), Letter('C'), Key::Space, Key::Backspace});
    EXPECT_STREQ(lineText, "a c7");
    EXPECT_EQ(HeadlessPauses(), (PauseList{120, 120, 120, 120}));

    // Shift makes every letter of the frame upper case.
    Frame({Key::Shift, Letter('Q'), Letter('D')});
    EXPECT_STREQ(lineText, "a c7DQ");
}

TEST_F(Console, BackspaceClearsTheLastCharacterAndStopsAtAnEmptyLine) {
    consoleOpen = 1;
    Type("abc");
    HeadlessPauses().clear();
    lineText[3] = 'X';   // Backspace clears the end of the line too, whatever stands there
    Frame({Key::Backspace});
    EXPECT_EQ(lineLength, 2);
    EXPECT_EQ(std::memcmp(lineText, "ab\0\0", 4), 0);
    Frame({Key::Backspace});
    Frame({Key::Backspace});
    EXPECT_EQ(HeadlessPauses(), (PauseList{120, 120, 120}));

    Frame({Key::Backspace});
    EXPECT_EQ(lineLength, 0);
    EXPECT_EQ(lineText[0], 0);
    EXPECT_EQ(HeadlessPauses().size(), 3u);   // nothing to delete: no pause
}

TEST_F(Console, AFullLineIgnoresKeysWithoutPausing) {
    consoleOpen = 1;
    const std::string thirty = "abcdefghij0123456789 klmnopqrs";
    Type(thirty + "tu");
    EXPECT_EQ(std::string(lineText), thirty);
    EXPECT_EQ(lineLength, 30);
    EXPECT_EQ(HeadlessPauses(), PauseList(30, 120));

    frameCounter = 0;
    Frame({Letter('X'), Key::Space, Key::Digit0});
    EXPECT_EQ(HeadlessPauses().size(), 30u);
    EXPECT_EQ(std::string(TextBuffer), "CMD:" + thirty + "_");
    EXPECT_EQ(std::strlen(TextBuffer), 35u);

    // Deleting makes room again.
    Frame({Key::Backspace});
    Frame({Letter('Y')});
    EXPECT_EQ(std::string(lineText), thirty.substr(0, 29) + "y");
}

TEST_F(Console, EditLineKeepsToItsLimitAndTheBuffer) {
    lineLength = 0;
    lineText[0] = 0;
    HeadlessSetKey(Letter('K'), true);
    for (int i = 0; i < 5; ++i) EditLine(0, 0, 3, "");
    EXPECT_STREQ(lineText, "kkk");

    // A limit past the 256-byte line is cut to 255 characters and a NUL.
    for (int i = 0; i < 300; ++i) EditLine(0, 0, 100000, "");
    EXPECT_EQ(lineLength, 255);
    EXPECT_EQ(std::strlen(lineText), 255u);
}

TEST_F(Console, TheLineIsDrawnInWhiteBehindThePromptWithABlinkingCursor) {
    consoleOpen = 1;
    Type("go");
    std::vector<std::string> drawn;
    for (frameCounter = 0; frameCounter < 41; ++frameCounter) {
        RunConsole();
        drawn.emplace_back(TextBuffer);
    }
    for (int frame = 0; frame <= 40; ++frame)
        EXPECT_EQ(drawn[frame], frame % 20 < 10 ? "CMD:go_" : "CMD:go") << "frame " << frame;

    // The same text drawn by hand at (14, 60) in white gives the same picture.
    const size_t bytes = static_cast<size_t>(OverlayWidth) * OverlayHeight * 4;
    frameCounter = 3;
    BeginFrame();
    RunConsole();
    std::vector<uint8_t> shown(OverlayBuffer, OverlayBuffer + bytes);
    BeginFrame();
    FormatText("CMD:go_");
    DrawBigText(14, 60, 255, 255, 255);
    std::vector<uint8_t> expected(OverlayBuffer, OverlayBuffer + bytes);
    EXPECT_EQ(shown, expected);
    EXPECT_NE(expected, std::vector<uint8_t>(bytes, 0));
}

TEST_F(Console, EnterEndsTheLineWithoutDrawingOrTypingAndItRunsAtOnce) {
    consoleOpen = 1;
    Type("ab");
    HeadlessOnPause(nullptr);   // keep every key held through the frame
    HeadlessSetKey(Key::Enter, true);
    HeadlessSetKey(Letter('C'), true);
    HeadlessPauses().clear();
    FormatText("untouched");
    EditLine(14, 60, 30, "CMD:");
    EXPECT_EQ(lineReady, 1);
    EXPECT_STREQ(lineText, "ab");
    EXPECT_EQ(lineLength, 2);
    EXPECT_STREQ(TextBuffer, "untouched");
    EXPECT_EQ(HeadlessPauses(), PauseList{500});

    // Through RunConsole the line is executed in the same frame and stays in the entry line.
    RunConsole();
    EXPECT_EQ(lineReady, 0);
    EXPECT_STREQ(tokenSlots[0], "ab");
    EXPECT_STREQ(lineText, "ab");
}

TEST_F(Console, CycleStepCommand) {
    struct Case {
        std::string typed;
        int cycleStep;   // expected after Enter, from 2
    };
    const Case cases[] = {
        {"env4cyclestep 5", 5},
        {"ENV4CYCLESTEP 5", 5},        // the command word ignores case
        {"Env4CycleStep 7", 7},
        {"env4cyclestep 36", 36},
        {"env4cyclestep 1", 1},
        {"env4cyclestep 37", 2},
        {"env4cyclestep 0", 2},
        {"env4cyclestep 12abc", 12},   // the value is its leading digits
        {"env4cyclestep 007", 7},
        {"env4cyclestep abc", 2},      // no digits: 0
        {"env4cyclestep 4294967301", 2},   // 2^32 + 5 must not wrap into range
        {"env4cyclestep 5 6", 2},      // three words
        {"env4cyclestep", 2},          // one word
        {"  env4cyclestep   9 ", 9},   // runs of delimiters split once
        {"env4cyclestepx 5", 2},
        {"5 env4cyclestep", 2},
        {"", 2},                       // Enter on an empty line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("typed \"" + c.typed + "\"");
        cycleStep = 2;
        Command(c.typed);
        EXPECT_EQ(cycleStep, c.cycleStep);
        EXPECT_EQ(HeadlessPauses(), c.cycleStep != 2 ? (PauseList{500, 300}) : PauseList{500});
        EXPECT_EQ(lineReady, 0);
    }
}

TEST_F(Console, LinesSplitAtEveryDelimiterIntoTheTokenSlots) {
    // Minus, comma, tab and newline cannot be typed but still split a line.
    const char* lines[] = {"env4cyclestep,11", "env4cyclestep-12", "env4cyclestep\t13\n", "-,env4cyclestep, ,14,"};
    int value = 11;
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        std::strcpy(lineText, line);
        lineLength = static_cast<int>(std::strlen(line));
        lineReady = 1;
        RunConsole();
        EXPECT_EQ(cycleStep, value++);
        EXPECT_STREQ(tokenSlots[0], "env4cyclestep");
        EXPECT_EQ(tokenSlots[2][0], 0);
    }

    // Every execution empties the slots before it fills them.
    Command("one two three");
    EXPECT_STREQ(tokenSlots[0], "one");
    EXPECT_STREQ(tokenSlots[1], "two");
    EXPECT_STREQ(tokenSlots[2], "three");
    Command("four");
    EXPECT_STREQ(tokenSlots[0], "four");
    EXPECT_EQ(tokenSlots[1][0], 0);
    EXPECT_EQ(tokenSlots[2][0], 0);

    // A 255-character line of one-letter words has more words than slots.
    std::string many;
    for (int i = 0; i < 127; ++i) many += "w ";
    std::strcpy(lineText, many.c_str());
    lineReady = 1;
    RunConsole();
    for (int i = 0; i < TokenSlotCount; ++i) EXPECT_STREQ(tokenSlots[i], "w");
}

}  // namespace
