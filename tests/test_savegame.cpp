// Saved games on the headless back end, in a fresh folder per test: the round
// trip, the file layout, the progress screens and their pauses, the checks
// that turn away a missing or damaged slot, and the switch from temporary
// files that keeps the previous slot whenever a save is cut short.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <array>
#include <cstddef>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "platform/input.h"
#include "platform/present.h"
#include "render/overlay.h"
#include "world/savegame.h"

namespace {

namespace fs = std::filesystem;

const char* const Kinds[] = {"mainmap", "flagmap", "unit", "variables"};
constexpr long long Sizes[] = {VolumeFileSize, VolumeFileSize, UnitFileSize, VariablesFileSize};
constexpr int LastCell = VolumeSize - 1;   // cell (255, 255, 179)
constexpr size_t OffsetAt = playerUnit * sizeof(UnitRecord) + offsetof(UnitRecord, cellOffset);   // in the unit file

const std::set<std::string> SlotOneFiles = {"SAVEGAME1.flagmap", "SAVEGAME1.mainmap", "SAVEGAME1.unit", "SAVEGAME1.variables"};

fs::path SlotFile(int slot, int kind, const char* suffix = "") {
    return "map/SAVEGAME" + std::to_string(slot) + "." + Kinds[kind] + suffix;
}

void PatchBytes(const fs::path& path, size_t offset, const void* data, size_t size) {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::set<std::string> MapFolder() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator("map")) names.insert(entry.path().filename().string());
    return names;
}

// Everything a load may replace.
struct GameState {
    Bytes world, flagmap, units;
    std::array<int, 8> variables;
    bool operator==(const GameState&) const = default;

    // The same state with the last cell of both volumes, which no load touches, set to 0.
    GameState WithoutLastCell() const {
        GameState state = *this;
        state.world[LastCell] = state.flagmap[LastCell] = 0;
        return state;
    }

    static GameState Take() {
        const auto* units = reinterpret_cast<const uint8_t*>(UnitTable);
        return {Bytes(World, World + VolumeSize), Bytes(Flagmap, Flagmap + VolumeSize), Bytes(units, units + UnitFileSize),
                {frameCounter, cycleStep, MVD, SX, SY, SZ, objectivesTotal, objectivesFound}};
    }
};

// Fills every saved byte and variable from the seed, within the ranges a load
// accepts; two seeds differ in every byte and every variable.
void FillGame(int seed) {
    for (int i = 0; i < VolumeSize; ++i) {
        World[i] = static_cast<uint8_t>(i * 7 + seed);
        Flagmap[i] = static_cast<uint8_t>(i * 13 + seed);
    }
    auto* units = reinterpret_cast<uint8_t*>(UnitTable);
    for (long long i = 0; i < UnitFileSize; ++i) units[i] = static_cast<uint8_t>(i * 3 + seed);
    for (int k = 0; k < 3; ++k) Player().cellOffset[k] = 0.1f * static_cast<float>(k + 1) + 0.01f * static_cast<float>(seed);
    frameCounter = 100000 * seed + 17;
    cycleStep = 3 + seed, MVD = 5 + seed;
    SX = 10 + seed, SY = 250 - seed, SZ = 170 + seed;
    objectivesTotal = 10 + seed, objectivesFound = seed;
}

class SaveSlot : public GameFixture {
protected:
    // The picture of one screen of the progress sequence, drawn here from its description.
    static Bytes ScreenOf(const std::string& text, int percent = -1) {
        BeginFrame();
        FormatText("%s", text.c_str());
        DrawBigText(20, 100, 255, 255, 0);
        if (percent >= 0) {
            FormatText("%d/100.", percent);
            DrawBigText(20, 89, 255, 255, 0);
        }
        PresentFrame();
        return HeadlessFrontPixels();
    }

    // Runs the operation and collects each picture it swapped onto the screen
    // (read at the pause that follows the swap) and all of its pauses.
    void Watch(const std::function<void()>& operation) {
        screens.clear();
        HeadlessPauses().clear();
        int swaps = HeadlessSwapCount();
        HeadlessOnPause([&](int) {
            if (HeadlessSwapCount() == swaps) return;
            swaps = HeadlessSwapCount();
            screens.push_back(HeadlessFrontPixels());
        });
        operation();
        HeadlessOnPause(nullptr);
    }

    // The operation showed only this message, for one second.
    void ExpectOnlyMessage(const std::function<void()>& operation, const std::string& message) {
        Watch(operation);
        EXPECT_EQ(HeadlessPauses(), std::vector<int>{1000});
        ASSERT_EQ(screens.size(), 1u);
        EXPECT_TRUE(screens[0] == ScreenOf(message)) << "not the screen \"" << message << "\"";
    }

    // The load turned the slot away with this message and left the game and the map folder alone.
    void ExpectRefused(int slot, const std::string& message) {
        GameState before = GameState::Take();
        std::set<std::string> files = MapFolder();
        ExpectOnlyMessage([&] { LoadGame(slot, DrawProgressScreen); }, message);
        EXPECT_TRUE(GameState::Take() == before) << "the game changed";
        EXPECT_EQ(MapFolder(), files);
    }

    std::vector<Bytes> screens;
};

using SaveGameFiles = SaveSlot;
using SaveGameChecks = SaveSlot;

TEST_F(SaveGameFiles, FilesHoldTheRawTablesAndLittleEndianVariables) {
    FillGame(1);
    frameCounter = 0x12345678, cycleStep = 36, MVD = 30;
    SX = 255, SY = 0, SZ = 179, objectivesTotal = 20, objectivesFound = 19;
    SaveGame(1, DrawProgressScreen);

    EXPECT_EQ(MapFolder(), SlotOneFiles);
    for (int kind = 0; kind < 4; ++kind) EXPECT_EQ(static_cast<long long>(fs::file_size(SlotFile(1, kind))), Sizes[kind]) << Kinds[kind];
    EXPECT_TRUE(ReadBytes(SlotFile(1, 0)) == Bytes(World, World + LastCell));
    EXPECT_TRUE(ReadBytes(SlotFile(1, 1)) == Bytes(Flagmap, Flagmap + LastCell));
    const auto* units = reinterpret_cast<const uint8_t*>(UnitTable);
    EXPECT_TRUE(ReadBytes(SlotFile(1, 2)) == Bytes(units, units + UnitFileSize));
    EXPECT_EQ(ReadBytes(SlotFile(1, 3)), (Bytes{0x78, 0x56, 0x34, 0x12, 36, 0, 0, 0, 30, 0, 0, 0, 255, 0, 0, 0,
                                                0, 0, 0, 0, 179, 0, 0, 0, 20, 0, 0, 0, 19, 0, 0, 0}));

    // A negative frame count is stored in two's complement; saving over a slot rewrites it whole.
    frameCounter = -2;
    SaveGame(1, DrawProgressScreen);
    const Bytes again = ReadBytes(SlotFile(1, 3));
    EXPECT_EQ(Bytes(again.begin(), again.begin() + 4), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(static_cast<long long>(fs::file_size(SlotFile(1, 0))), VolumeFileSize);
}

TEST_F(SaveGameFiles, SaveAndLoadShowEveryStepAndPauseForTheirFullTime) {
    const int percents[] = {0, 8, 16, 25, 33, 42, 50, 59, 67, 76, 84, 93};
    std::vector<int> expectedPauses(48, 100);
    expectedPauses.insert(expectedPauses.end(), {1000, 1000, 1000, 1000});
    FillGame(1);
    for (const std::string verb : {"Saving", "Loading"}) {
        SCOPED_TRACE(verb);
        Watch([&] { verb == "Saving" ? SaveGame(1, DrawProgressScreen) : LoadGame(1, DrawProgressScreen); });
        EXPECT_EQ(HeadlessPauses(), expectedPauses);
        ASSERT_EQ(screens.size(), 26u);
        std::vector<Bytes> expected;
        for (const char* volume : {" dungeon maps", " flagmap maps"})
            for (int percent : percents) expected.push_back(ScreenOf(verb + volume, percent));
        expected.push_back(ScreenOf(verb + " units"));
        expected.push_back(ScreenOf(verb + " variables"));
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_TRUE(screens[i] == expected[i]) << "screen " << i;
            // The screens all differ, so their order is checked too.
            for (size_t j = 0; j < i; ++j) ASSERT_FALSE(expected[i] == expected[j]);
        }
    }
}

TEST_F(SaveGameFiles, TheGameRunsOnAfterTheKeysSaveAndLoad) {
    BuildWorld(1234);
    for (int i = 0; i < 3; ++i) RunFrame();
    const int savedFrame = frameCounter, savedZ = SZ;
    HeadlessSetKey(Key::F6, true);
    RunFrame();
    HeadlessSetKey(Key::F6, false);
    EXPECT_EQ(PausedMs(), 8800 + 300);
    const Bytes variables = ReadBytes(SlotFile(2, 3));
    ASSERT_EQ(variables.size(), 32u);
    EXPECT_EQ(variables[0], savedFrame);   // the frame count as the save found it (below 256)

    for (int i = 0; i < 3; ++i) RunFrame();
    SZ = savedZ - 1;
    MVD = 9;
    HeadlessSetKey(Key::F8, true);
    RunFrame();
    HeadlessSetKey(Key::F8, false);
    // The load lands in the middle of the frame, which then counts itself.
    EXPECT_EQ(frameCounter, savedFrame + 1);
    EXPECT_EQ(SZ, savedZ);
    EXPECT_EQ(MVD, 6);
    for (int i = 0; i < 5; ++i) RunFrame();
    EXPECT_EQ(frameCounter, savedFrame + 6);
    EXPECT_EQ(Player().cellZ, SZ);
}

TEST_F(SaveGameFiles, ClicksCountRightAfterLoadingAnEarlierSave) {
    BuildWorld(1234);
    frameCounter = 20;
    SaveGame(1, DrawProgressScreen);
    frameCounter = 5000;   // much later a click was accepted
    HeadlessQueueEvent(WindowEvent::LeftButton);
    RunFrame();
    ASSERT_EQ(leftPressFrame, 5000);
    LoadGame(1, DrawProgressScreen);
    ASSERT_EQ(frameCounter, 20);
    HeadlessQueueEvent(WindowEvent::LeftButton);
    RunFrame();
    EXPECT_EQ(leftPressFrame, 20);   // accepted at once, acted on in the next frame
    EXPECT_EQ(leftPressed, 1);
    const int walk = WalkOn;
    RunFrame();
    EXPECT_NE(WalkOn, walk);
}

TEST_F(SaveGameChecks, AnEmptyOrDamagedSlotIsRefusedWholeAndChangesNothing) {
    FillGame(1);
    ExpectRefused(2, "Slot 2 is empty");
    EXPECT_TRUE(MapFolder().empty());

    SaveGame(1, DrawProgressScreen);
    fs::copy("map", "sound");
    auto restore = [] { fs::copy("sound", "map", fs::copy_options::overwrite_existing | fs::copy_options::recursive); };
    auto setVariable = [](int index, int32_t value) {
        uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
        PatchBytes(SlotFile(1, 3), 4 * index, bytes, 4);
    };
    auto setOffset = [](int axis, float value) { PatchBytes(SlotFile(1, 2), OffsetAt + 4 * axis, &value, 4); };
    auto resize = [](int kind, long long delta) { fs::resize_file(SlotFile(1, kind), Sizes[kind] + delta); };

    struct Damage {
        std::string what;
        std::function<void()> apply;
    };
    std::vector<Damage> damages;
    for (int kind = 0; kind < 4; ++kind) {
        damages.push_back({std::string(Kinds[kind]) + " missing", [=] { fs::remove(SlotFile(1, kind)); }});
        damages.push_back({std::string(Kinds[kind]) + " one byte short", [=] { resize(kind, -1); }});
        damages.push_back({std::string(Kinds[kind]) + " one byte long", [=] { resize(kind, +1); }});
    }
    // Variable index and value; the slot holds total 11.
    const struct { const char* what; int index; int32_t value; } badValues[] = {
        {"cycleStep 0", 1, 0}, {"cycleStep 37", 1, 37}, {"MVD 0", 2, 0},       {"MVD 31", 2, 31},
        {"SX -1", 3, -1},      {"SX 256", 3, 256},      {"SY -1", 4, -1},      {"SY 256", 4, 256},
        {"SZ -1", 5, -1},      {"SZ 180", 5, 180},      {"total -1", 6, -1},   {"total 21", 6, 21},
        {"found -1", 7, -1},   {"found 12", 7, 12},
    };
    for (const auto& bad : badValues) damages.push_back({bad.what, [=] { setVariable(bad.index, bad.value); }});
    const float badOffsets[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -0.01f, 1.01f};
    for (int axis = 0; axis < 3; ++axis)
        for (float bad : badOffsets)
            damages.push_back({"offset " + std::to_string(axis) + " = " + std::to_string(bad), [=] { setOffset(axis, bad); }});

    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        restore();
        damage.apply();
        FillGame(2);
        ExpectRefused(1, "Slot 1 is damaged");
    }

    // The untouched slot still loads, including the edge values of every range.
    restore();
    setVariable(3, 0);
    setVariable(4, 255);
    setVariable(7, 11);   // found = total
    setOffset(0, 0.0f);
    setOffset(2, 1.0f);
    LoadGame(1, DrawProgressScreen);
    EXPECT_EQ(SX, 0);
    EXPECT_EQ(SY, 255);
    EXPECT_EQ(objectivesFound, 11);
    EXPECT_EQ(Player().cellOffset[2], 1.0f);
}

// Slot 1 holds a save of state 1. The files a save of state 2 over it
// writes are kept, so that Arrange can lay the slot out as that save left it
// when cut short: the first `switched` files already renamed, the rest still
// temporaries, and the switch marker present or not.
class SaveGameSlot : public SaveSlot {
protected:
    void SetUp() override {
        SaveSlot::SetUp();
        FillGame(2);
        SaveGame(1, DrawProgressScreen);
        for (int kind = 0; kind < 4; ++kind) newFiles[kind] = ReadBytes(SlotFile(1, kind));
        newState = GameState::Take().WithoutLastCell();
        FillGame(1);
        SaveGame(1, DrawProgressScreen);
        oldState = GameState::Take().WithoutLastCell();
    }
    void Arrange(int switched, bool marker) {
        for (int kind = 0; kind < 4; ++kind) WriteBytes(SlotFile(1, kind, kind < switched ? "" : ".tmp"), newFiles[kind]);
        if (marker) WriteBytes("map/SAVEGAME1.switch", {});
    }
    // Loads slot 1 over state 3, checks that no temporary or marker is left, and returns what was loaded.
    static GameState LoadOverOtherState() {
        FillGame(3);
        LoadGame(1, DrawProgressScreen);
        EXPECT_EQ(MapFolder(), SlotOneFiles);
        return GameState::Take().WithoutLastCell();
    }
    Bytes newFiles[4];
    GameState oldState, newState;
};

TEST_F(SaveGameSlot, ALoadRestoresEverySavedByteButTheLastCellAndSlotsAreSeparate) {
    FillGame(3);
    SaveGame(2, DrawProgressScreen);
    const uint8_t lastWorld = World[LastCell], lastFlag = Flagmap[LastCell];   // state 3's, unlike state 1's
    LoadGame(1, DrawProgressScreen);
    EXPECT_TRUE(GameState::Take().WithoutLastCell() == oldState);
    EXPECT_EQ(World[LastCell], lastWorld);
    EXPECT_EQ(Flagmap[LastCell], lastFlag);
}

TEST_F(SaveGameSlot, TheMarkerDecidesBetweenTheNewFilesAndTheOldSlot) {
    // After the marker the new files are taken wherever the renames stopped.
    for (int switched = 0; switched < 4; ++switched) {
        SCOPED_TRACE(std::to_string(switched) + " files already renamed");
        Arrange(switched, true);
        EXPECT_TRUE(LoadOverOtherState() == newState);
        FillGame(1);
        SaveGame(1, DrawProgressScreen);
    }
    // Without it the old slot stands and the temporaries go, even one cut off in the middle of its write.
    Arrange(0, false);
    EXPECT_TRUE(LoadOverOtherState() == oldState);
    Arrange(0, false);
    fs::resize_file(SlotFile(1, 1, ".tmp"), 12345);
    EXPECT_TRUE(LoadOverOtherState() == oldState);

    // A save cleans up after an earlier one that was cut short.
    Arrange(0, false);
    FillGame(4);
    SaveGame(1, DrawProgressScreen);
    EXPECT_EQ(MapFolder(), SlotOneFiles);
    EXPECT_EQ(ReadBytes(SlotFile(1, 3))[4], 7);   // cycleStep of state 4
}

// Sets or clears the file's immutable flag; false where the file system or
// the user's rights do not allow it.
bool SetImmutable(const fs::path& path, bool on) {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return ok;
}

TEST_F(SaveGameSlot, AnUnfinishedSwitchIsRefusedUntilRecoveryCompletesIt) {
    // Cut short after two renames, and the last two old files cannot be
    // replaced: the slot holds two new files beside two old ones.
    Arrange(2, true);
    const fs::path stuck[] = {SlotFile(1, 2), SlotFile(1, 3)};
    if (!SetImmutable(stuck[0], true)) GTEST_SKIP() << "immutable files are not available here";
    SetImmutable(stuck[1], true);
    FillGame(3);
    ExpectRefused(1, "Slot 1 is damaged");
    EXPECT_TRUE(fs::exists("map/SAVEGAME1.switch"));
    for (const fs::path& path : stuck) SetImmutable(path, false);
    EXPECT_TRUE(LoadOverOtherState() == newState);
}

TEST_F(SaveGameSlot, ALoadThatFailsHalfWayLeavesTheGameAsItWas) {
    // The checks pass; then, while the volumes are read, a later file loses
    // bytes (or vanishes): the game must be exactly as before the load.
    const std::function<void()> damages[] = {
        [] { fs::resize_file(SlotFile(1, 2), UnitFileSize - 100); },
        [] { fs::resize_file(SlotFile(1, 3), 12); },
        [] { fs::remove(SlotFile(1, 3)); },
        [] {   // the variables file now holds a view distance the game cannot take
            uint8_t bytes[4] = {99, 0, 0, 0};
            PatchBytes(SlotFile(1, 3), 8, bytes, 4);
        },
    };
    for (size_t d = 0; d < std::size(damages); ++d) {
        SCOPED_TRACE("damage " + std::to_string(d));
        FillGame(1);
        SaveGame(1, DrawProgressScreen);
        FillGame(3);
        const GameState before = GameState::Take();
        int pauses = 0;
        HeadlessOnPause([&](int) {
            if (++pauses == 30) damages[d]();   // during the flagmap's steps
        });
        LoadGame(1, DrawProgressScreen);
        HeadlessOnPause(nullptr);
        EXPECT_TRUE(GameState::Take() == before) << "a half-loaded game";
        const Bytes shown = HeadlessFrontPixels();
        EXPECT_TRUE(shown == ScreenOf("Slot 1 is damaged"));
    }
}

TEST(FileSizeLimit, AWritePastTheLimitFailsInsteadOfEndingTheGame) {
    // In a child process, so that the limit stays there.
    TempFolder temp;
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit = {1 << 20, 1 << 20};
        setrlimit(RLIMIT_FSIZE, &limit);
        int file = OpenAlways("big", FileAccess::Write);
        std::vector<uint8_t> bytes(2 << 20, 7);
        long long written = FileWrite(file, bytes.data(), bytes.size());
        _exit(written == (1 << 20) ? 0 : 2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write did not stop at the limit";
}

TEST_F(SaveGameSlot, AFailedSaveKeepsThePreviousSlot) {
    // A folder in the way of each temporary in turn, and then of the switch
    // marker, makes that write fail.
    std::vector<fs::path> blocked;
    for (int kind = 0; kind < 4; ++kind) blocked.push_back(SlotFile(1, kind, ".tmp"));
    blocked.push_back("map/SAVEGAME1.switch");
    for (const fs::path& path : blocked) {
        SCOPED_TRACE(path.string());
        fs::create_directory(path);
        FillGame(2);
        Watch([] { SaveGame(1, DrawProgressScreen); });
        ASSERT_FALSE(screens.empty());
        EXPECT_TRUE(screens.back() == ScreenOf("Save failed"));
        EXPECT_EQ(HeadlessPauses().back(), 1000);
        fs::remove(path);
        EXPECT_EQ(MapFolder(), SlotOneFiles);   // no temporary and no marker left
        EXPECT_TRUE(LoadOverOtherState() == oldState);
    }

    // Without the map folder nothing can be written, and nothing is created.
    fs::remove_all("map");
    ExpectOnlyMessage([] { SaveGame(1, DrawProgressScreen); }, "Save failed");
    EXPECT_FALSE(fs::exists("map"));
}

}  // namespace
