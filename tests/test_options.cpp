// The command line: every option with good and bad values and the exit
// statuses (what --help and --version print is the command-line scenario's).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "core/options.h"

namespace {

struct Parsed {
    int status;
    std::string out, err;
};

// What was written to a temporary stream, which is closed.
std::string Drain(std::FILE* stream) {
    std::string text;
    std::rewind(stream);
    char buffer[512];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stream)) > 0;) text.append(buffer, n);
    std::fclose(stream);
    return text;
}

// Runs ParseOptions on "voxel_dungeon ARGS..." with both streams captured
// (in temporary files, which Windows has too).
Parsed Parse(std::vector<std::string> words) {
    // The options point into the command line, which a process keeps to its
    // end: the words stay alive until the next parse.
    static std::vector<std::string> args;
    args = std::move(words);
    args.insert(args.begin(), "voxel_dungeon");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Parsed p;
    p.status = ParseOptions(static_cast<int>(args.size()), argv.data(), out, err);
    p.out = Drain(out);
    p.err = Drain(err);
    return p;
}

class OptionsTest : public ::testing::Test {
protected:
    void TearDown() override { Options = GameOptions{}; }
};

TEST_F(OptionsTest, EveryOptionTakesItsValueInBothForms) {
    // The options as parsed: the data folder, the seed (-1: none given), the
    // scale (0: none given), the frame rate limit, --no-settings.
    const struct {
        std::vector<std::string> args;
        const char* data;
        long long seed;
        int scale, fps;
        bool noSettings;
    } cases[] = {
        {{}, nullptr, -1, 0, -1, false},   // the classic start
        {{"--data", "/games/dungeon", "--seed=12345", "--scale", "4", "--fps=0"}, "/games/dungeon", 12345, 4, 0, false},
        {{"--seed", "4294967295", "--scale", "1", "--fps", "240", "--no-settings"}, nullptr, 4294967295, 1, 240, true},
        {{"--seed", "0", "--fps", "30", "--no-s"}, nullptr, 0, 0, 30, true},   // an unambiguous abbreviation
    };
    for (const auto& c : cases) {
        Options.scale = 3;   // left over from an earlier parse: must be reset
        const Parsed p = Parse(c.args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(p.status, KeepRunning);
        EXPECT_EQ(p.out + p.err, "");
        EXPECT_STREQ(Options.dataFolder, c.data);
        EXPECT_EQ(Options.seedGiven ? static_cast<long long>(Options.seed) : -1, c.seed);
        EXPECT_EQ((std::tuple{Options.scaleGiven ? Options.scale : 0, Options.fps, Options.noSettings}),
                  (std::tuple{c.scale, c.fps, c.noSettings}));
        EXPECT_EQ(Options.scale, Options.scaleGiven ? c.scale : 2);
    }
}

TEST_F(OptionsTest, BadOptionsAndValuesExitWithTwoAndTheUsage) {
    const std::vector<std::vector<std::string>> bad = {
        {"--scale", "5"}, {"--scale", "0"},  {"--scale", "2x"}, {"--scale", ""},   {"--fps", "29"},
        {"--fps", "241"}, {"--fps", "-1"},   {"--seed", "abc"}, {"--seed", "-1"},  {"--seed", "4294967296"},
        {"--seed", " 7"}, {"--data", ""},    {"--data"},        {"--bogus"},       {"-x"},
        {"level1"},       {"--scale"},       {"--help=yes"},
    };
    for (const auto& args : bad) {
        const Parsed p = Parse(args);
        const std::string shown = args[0] + (args.size() > 1 ? " '" + args[1] + "'" : "");
        EXPECT_EQ(p.status, 2) << shown;
        EXPECT_NE(p.err.find("Usage: voxel_dungeon"), std::string::npos) << shown;
        EXPECT_EQ(p.out, "") << shown;
    }
}

}  // namespace
