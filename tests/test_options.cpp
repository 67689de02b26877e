// The command line: every option with good and bad values, the exit
// statuses, and a help text that names every option.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
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

TEST_F(OptionsTest, NoOptionsKeepTheClassicStart) {
    Options.scale = 4;   // left over from an earlier parse: must be reset
    const Parsed p = Parse({});
    EXPECT_EQ(p.status, KeepRunning);
    EXPECT_EQ(Options.dataFolder, nullptr);
    EXPECT_FALSE(Options.seedGiven);
    EXPECT_EQ(Options.scale, 2);
    EXPECT_EQ(Options.fps, -1);
    EXPECT_EQ(p.out + p.err, "");
}

TEST_F(OptionsTest, EveryOptionTakesItsValueInBothForms) {
    const Parsed p = Parse({"--data", "/games/dungeon", "--seed=12345", "--scale", "4", "--fps=0"});
    EXPECT_EQ(p.status, KeepRunning) << p.err;
    EXPECT_STREQ(Options.dataFolder, "/games/dungeon");
    EXPECT_TRUE(Options.seedGiven);
    EXPECT_EQ(Options.seed, 12345u);
    EXPECT_EQ(Options.scale, 4);
    EXPECT_EQ(Options.fps, 0);

    EXPECT_EQ(Parse({"--seed", "4294967295", "--scale", "1", "--fps", "240"}).status, KeepRunning);
    EXPECT_EQ(Options.seed, 4294967295u);
    EXPECT_EQ(Options.scale, 1);
    EXPECT_EQ(Options.fps, 240);
    EXPECT_EQ(Parse({"--seed", "0", "--fps", "30"}).status, KeepRunning);
    EXPECT_TRUE(Options.seedGiven);
    EXPECT_EQ(Options.seed, 0u);
    EXPECT_EQ(Options.fps, 30);
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

TEST_F(OptionsTest, HelpListsEveryOptionAndVersionNamesTheGame) {
    const Parsed help = Parse({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* option : {"--data DIR", "--seed N", "--scale N", "--fps N", "--help", "--version"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;

    const Parsed version = Parse({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("voxel_dungeon ", 0), 0u) << version.out;
    EXPECT_EQ(version.out.find("unknown"), std::string::npos) << version.out;
}

}  // namespace
