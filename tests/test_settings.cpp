// Settings that stay (the settings file read at start under the command line,
// written when the player changes a setting, atomically) and the F9 card
// with its frame counter, on the headless back end.
#include <sys/resource.h>
#include <sys/stat.h>

#include <array>
#include <cstring>

#include "core/card.h"
#include "core/options.h"
#include "core/settings.h"
#include "game_fixture.h"
#include "platform/input.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) { return [](const Bytes& b) { return std::string(b.begin(), b.end()); }(ReadBytes(path)); }
void WriteText(const fs::path& path, const std::string& text) { WriteBytes(path, Bytes(text.begin(), text.end())); }

// What the run uses: window scale, fullscreen, frame-rate limit.
using Used = std::array<int, 3>;
Used InUse() { return {windowScale, fullscreenOn, FrameRateLimit}; }

// The player's configuration folder lies in the test's own folder.
class SettingsTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldConfig = old;
        setenv("XDG_CONFIG_HOME", (temp.path / "config").c_str(), 1);
        file = temp.path / "config" / "voxel-dungeon" / "settings.ini";
        fs::create_directories(file.parent_path());
    }
    void TearDown() override {
        if (oldConfig.empty()) unsetenv("XDG_CONFIG_HOME");
        else setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
        Options = GameOptions{};
        Settings = GameSettings{};
        settingsKept = false;
        GameFixture::TearDown();
    }
    // The start of "voxel_dungeon ARGS...": the command line, then StartSettings. Returns its stderr.
    static std::string Start(std::vector<std::string> words) {
        static std::vector<std::string> args;   // the options point into them
        args = std::move(words);
        args.insert(args.begin(), "voxel_dungeon");
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        EXPECT_EQ(ParseOptions(static_cast<int>(argv.size()), argv.data(), stdout, stderr), KeepRunning);
        testing::internal::CaptureStderr();
        StartSettings();
        return testing::internal::GetCapturedStderr();
    }
    std::string oldConfig;
    fs::path file;
};

TEST_F(SettingsTest, TheStartTakesTheFileUnderTheCommandLine) {
    const struct Case {
        const char* why;
        std::string text;   // the file; "" none, "<folder>" a folder in its place, "<unreadable>" mode 000
        std::vector<std::string> args;
        Used used;
        const char* message;   // what the one stderr line must hold; "" for no output at all
    } cases[] = {
        {"edited by hand", "\xEF\xBB\xBF# mine\r\n Scale = 4 \r\n\r\n; off\r\nfps=0", {}, {4, 0, 0}, ""},
        {"--scale wins, in a window", "scale=3\nfullscreen=1\n", {"--scale", "1"}, {1, 0, 60}, ""},
        {"--fps wins", "scale=3\nfps=120\n", {"--fps", "30"}, {3, 0, 30}, ""},
        {"--no-settings ignores it", "scale=4\nfullscreen=1\nfps=0\n", {"--no-settings"}, {2, 0, 60}, ""},
        {"bad lines named, good ones used", "scale=9\ncolour=red\nfps=100\nfullscreen\nscale=-1\nfps=2x\n", {}, {2, 0, 100},
         "ignored 'scale=9', 'colour=red', 'fullscreen', 'scale=-1' and 1 more"},
        {"damaged", std::string("scale=3\n\0\x01\xff", 11), {}, {2, 0, 60}, "damaged"},
        {"too large", "scale=3\n" + std::string(5000, '#'), {}, {2, 0, 60}, "too large"},
        {"a folder in its place", "<folder>", {}, {2, 0, 60}, "a folder"},
        {"unreadable", "<unreadable>", {}, {2, 0, 60}, "cannot be read"},
    };
    for (const Case& c : cases) {
        fs::remove_all(file);
        const bool unreadable = c.text == "<unreadable>";
        if (c.text == "<folder>") fs::create_directories(file / "x");
        else if (!c.text.empty()) WriteText(file, unreadable ? "scale=3" : c.text);
        if (unreadable) {
            chmod(file.c_str(), 0);
            // Root reads any file: the read is made as another user, who may reach the folder.
            for (fs::path p = file.parent_path(); p != temp.path.parent_path(); p = p.parent_path()) chmod(p.c_str(), 0755);
        }
        const bool asOther = unreadable && geteuid() == 0;
        ASSERT_EQ(asOther ? seteuid(65534) : 0, 0);
        const std::string err = Start(c.args);
        ASSERT_EQ(asOther ? seteuid(0) : 0, 0);
        EXPECT_EQ(InUse(), c.used) << c.why;
        const bool said = *c.message ? err.find(c.message) != std::string::npos && std::count(err.begin(), err.end(), '\n') == 1
                                     : err.empty();
        EXPECT_TRUE(said) << c.why << ": " << err;
        // The start writes nothing, whatever it found.
        if (fs::is_regular_file(file) && !unreadable) {
            EXPECT_EQ(ReadText(file), c.text) << c.why;
        }
    }
}

TEST_F(SettingsTest, WhatThePlayerChangesIsWrittenAndOnlyThat) {
    const struct Case {
        const char* why;
        const char* before;   // the file at start; nullptr for none
        std::vector<std::string> args;
        std::vector<int> keys;   // one frame with each held, then three with none
        bool written;
        Used after;   // what the next start finds
    } cases[] = {
        {"F11 twice, then F4", "fps=120\n", {}, {Key::F11, Key::F11, Key::F4}, true, {4, 0, 120}},
        {"a run's --fps stays out", "fps=120\n", {"--fps", "0"}, {Key::F3}, true, {3, 0, 120}},
        {"a run's --scale stays out", "scale=4\n", {"--scale", "1"}, {Key::F11}, true, {4, 1, 60}},
        {"F2 at scale 2 changes nothing", nullptr, {}, {Key::F2}, false, {2, 0, 60}},
        {"--no-settings writes nothing", nullptr, {"--no-settings"}, {Key::F3, Key::F11}, false, {2, 0, 60}},
    };
    for (const Case& c : cases) {
        fs::remove_all(file);
        if (c.before) WriteText(file, c.before);
        EXPECT_EQ(Start(c.args), "") << c.why;
        testing::internal::CaptureStderr();
        for (int key : c.keys) Tap({key});
        for (int i = 0; i < 3; ++i) Tap({});
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.why;
        EXPECT_EQ(fs::exists(file), c.written || c.before) << c.why;
        if (!c.written && c.before) {
            EXPECT_EQ(ReadText(file), c.before) << c.why;
        }
        EXPECT_FALSE(fs::exists(file.string() + ".new")) << c.why;
        EXPECT_EQ(Start({}), "") << c.why;
        EXPECT_EQ(InUse(), c.after) << c.why;
        PlatformCloseWindow();   // the first window is the one chosen
        ASSERT_EQ(OpenMainWindow(), 1) << c.why;
        EXPECT_EQ(HeadlessFullscreen(), c.after[1] == 1) << c.why;
    }
}

TEST_F(SettingsTest, AWriteCutShortLeavesTheOldFile) {
    WriteText(file, "scale=4\n");
    WriteText(file.string() + ".new", "sc");   // left by a write that was killed
    EXPECT_EQ(Start({}), "");
    // A file-size limit stops the write after a few bytes, as a full disk or a
    // kill would; the write fails instead of ending the game.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit tight = saved;
    tight.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    testing::internal::CaptureStderr();   // the limit cuts the message short too
    Tap({Key::F1});
    setrlimit(RLIMIT_FSIZE, &saved);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadText(file), "scale=4\n");
    // The next change writes the whole file.
    Tap({Key::F3});
    EXPECT_EQ(Start({}), "");
    EXPECT_EQ(windowScale, 3);
    EXPECT_FALSE(fs::exists(file.string() + ".new"));
}

// Frame times as the card's counter line shows them, from frame starts on the virtual clock.
TEST(FrameCounter, TheLastSecondsFrameTimes) {
    constexpr int64_t Ms = 1000000;
    const struct Case {
        const char* why;
        std::vector<std::pair<int, int64_t>> runs;   // so many frames of so many ns
        const char* line;
    } cases[] = {
        {"one frame measures nothing", {}, "0 frames a second, frame time 0.0 ms median, 0.0 ms largest"},
        {"a steady 60", {{120, 16666666}}, "60 frames a second, frame time 16.7 ms median, 16.7 ms largest"},
        {"older than a second is forgotten", {{20, 100 * Ms}, {50, 10 * Ms}},
         "55 frames a second, frame time 10.0 ms median, 100.0 ms largest"},
        {"a stall", {{59, 10 * Ms}, {1, 400 * Ms}}, "61 frames a second, frame time 10.0 ms median, 400.0 ms largest"},
        {"an even count: the mean of the middle two", {{1, 40 * Ms}, {1, 10 * Ms}, {1, 30 * Ms}, {1, 20 * Ms}},
         "40 frames a second, frame time 25.0 ms median, 40.0 ms largest"},
        {"more frames than are kept", {{10000, Ms / 10}}, "10000 frames a second, frame time 0.1 ms median, 0.1 ms largest"},
    };
    for (const Case& c : cases) {
        HeadlessReset();
        ResetFrameTimes();
        RecordFrameStart();
        for (const auto& [count, ns] : c.runs)
            for (int i = 0; i < count; ++i) {
                HeadlessAdvanceClockNs(ns);
                RecordFrameStart();
            }
        char line[128];
        FormatFrameLine(MeasureFrames(), line, sizeof line);
        EXPECT_STREQ(line, c.line) << c.why;
    }
    HeadlessReset();
}

class CardTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        cardShown = 0;
        ResetFrameTimes();
    }
};

TEST_F(CardTest, F9ActsWhileHeldThenPausesAndTheCardShowsOverTheRunningGame) {
    HeadlessSetKey(Key::F9, true);
    for (int frame = 1; frame <= 3; ++frame) {
        HeadlessPauses().clear();
        RunFrame();
        EXPECT_EQ(HeadlessPauses(), std::vector<int>{300}) << "frame " << frame;
        EXPECT_EQ(cardShown, frame % 2) << "frame " << frame;
    }
    HeadlessReleaseAllKeys();
    Tap({Key::F9});

    BuildWorld(4242);
    for (int i = 0; i < 60; ++i) {
        HeadlessAdvanceClockNs(20000000);
        RunFrame();
    }
    Tap({Key::F9});
    Tap({Key::RightBracket});   // the game keys still act under the card
    EXPECT_EQ(MVD, 7);
    char line[128];
    FormatFrameLine(MeasureFrames(), line, sizeof line);
    const struct { const char* text; const uint8_t* colour; } shown[] = {
        {"Seed 4242", Yellow}, {"Controls", Yellow}, {"F9", Yellow}, {"walk on / stop", White}, {line, White},
    };
    for (const auto& s : shown) EXPECT_TRUE(Shows(s.text, true, s.colour)) << s.text;
    Tap({Key::F9});
    Tap({});
    EXPECT_FALSE(Shows("Seed 4242", true, Yellow) || Shows("walk on / stop", true, White));
}

}  // namespace
