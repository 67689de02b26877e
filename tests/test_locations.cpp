// Where the game finds its data and keeps its saves: the order of the data
// folders, the save folder for each kind of data folder, and reading a data
// folder the player may not write.
#include <sys/stat.h>

#include "core/locations.h"
#include "test_util.h"
#include "render/bitmap.h"
#include "world/overworld.h"
#include "world/volume.h"

namespace {

namespace fs = std::filesystem;

// The file layer's folders as a fresh process has them, also after the test.
struct DefaultFolders {
    DefaultFolders() { Reset(); }
    ~DefaultFolders() { Reset(); }
    static void Reset() {
        SetDataFolder(".", true);
        SetSaveFolder("map", false);
    }
};

// Each candidate's path, "(installed)" after those never written to.
std::vector<std::string> Paths(const std::vector<DataCandidate>& list) {
    std::vector<std::string> paths;
    for (const DataCandidate& c : list) paths.push_back(c.path + (c.installed ? " (installed)" : ""));
    return paths;
}

TEST(DataFolders, AnExplicitChoiceIsTriedAloneElseTheUsualPlacesInOrder) {
    using List = std::vector<std::string>;
    EXPECT_EQ(Paths(DataCandidates("/mine", "/env", "/work", "/opt/game/bin")), List{"/mine"});
    EXPECT_EQ(Paths(DataCandidates(nullptr, "/env", "/work", "/opt/game/bin")), List{"/env"});
    EXPECT_EQ(Paths(DataCandidates("", "", "/work", "/opt/game/bin")),
              (List{"/work", "/opt/game/bin/run", "/opt/game/bin/../share/voxel-dungeon (installed)"}));
}

TEST(DataFolders, SavesStayInAWritableFolderElseGoToThePlayersFolder) {
    const DataCandidate copied{"/games/run", "", false}, installed{"/usr/share/voxel-dungeon", "", true};
    const struct { const char* why; const DataCandidate& data; bool writable; const char* player; const char* saves; bool create; } cases[] = {
        {"a writable copy", copied, true, "/xdg/voxel-dungeon", "/games/run/map", false},
        {"a copy the player may not write", copied, false, "/xdg/voxel-dungeon", "/xdg/voxel-dungeon", true},
        {"an installed folder, even one the player could write", installed, true, "/home/p/saves", "/home/p/saves", true},
        {"no player's folder at all: saving fails in the data folder", installed, false, nullptr, "/usr/share/voxel-dungeon/map", false},
    };
    for (const auto& c : cases) {
        bool create = !c.create;
        EXPECT_EQ(SaveFolderFor(c.data, c.writable, c.player, &create), c.saves) << c.why;
        EXPECT_EQ(create, c.create) << c.why;
    }
}

// Puts an environment variable back as it was when the test ends.
struct ScopedEnv {
    std::string name, value;
    bool had;
    explicit ScopedEnv(const char* n) : name(n), had(std::getenv(n) != nullptr) { if (had) value = std::getenv(n); }
    ~ScopedEnv() { Set(name.c_str(), had ? value.c_str() : nullptr); }
    static void Set(const char* n, const char* v) { v ? setenv(n, v, 1) : unsetenv(n); }
};

TEST(DataFolders, ThePlayersFoldersFollowTheXdgVariablesElseHome) {
    struct Case { const char* why; PlayerFolder which; const char* xdg; const char* home; const char* expected; };
    const Case cases[] = {
        {"saves in XDG_DATA_HOME", PlayerFolder::Saves, "/xdg", "/home/p", "/xdg/voxel-dungeon"},
        {"saves under HOME", PlayerFolder::Saves, nullptr, "/home/p", "/home/p/.local/share/voxel-dungeon"},
        {"a relative XDG_DATA_HOME is ignored", PlayerFolder::Saves, "relative/xdg", "/home/p", "/home/p/.local/share/voxel-dungeon"},
        {"an empty XDG_DATA_HOME is ignored", PlayerFolder::Saves, "", "/home/p", "/home/p/.local/share/voxel-dungeon"},
        {"settings in XDG_CONFIG_HOME", PlayerFolder::Settings, "/cfg", "/home/p", "/cfg/voxel-dungeon"},
        {"settings under HOME", PlayerFolder::Settings, nullptr, "/home/p", "/home/p/.config/voxel-dungeon"},
        {"no home at all", PlayerFolder::Settings, nullptr, nullptr, ""},
    };
    ScopedEnv data("XDG_DATA_HOME"), config("XDG_CONFIG_HOME"), home("HOME");
    for (const Case& c : cases) {
        ScopedEnv::Set(c.which == PlayerFolder::Saves ? "XDG_DATA_HOME" : "XDG_CONFIG_HOME", c.xdg);
        ScopedEnv::Set(c.which == PlayerFolder::Saves ? "XDG_CONFIG_HOME" : "XDG_DATA_HOME", "/wrong");
        ScopedEnv::Set("HOME", c.home);
        char out[256] = "";
        EXPECT_EQ(PlayerFolderPath(c.which, out, sizeof out), *c.expected != 0) << c.why;
        EXPECT_STREQ(out, c.expected) << c.why;
    }
}

TEST(DataFolders, ChoosingSetsTheFileLayerOrNamesEveryFolderTried) {
    DefaultFolders restore;
    TempFolder temp;
    HeadlessReset();
    fs::create_directories("pack/bmp_cube");
    const std::string pack = (temp.path / "pack").string();
    ASSERT_TRUE(ChooseFolders(pack.c_str()));
    EXPECT_EQ(std::string(DataFolder()), pack);
    EXPECT_EQ(std::string(SaveFolder()), pack + "/map");
    EXPECT_TRUE(HeadlessMessages().empty());

    ASSERT_EQ(setenv("VOXEL_DUNGEON_DATA", (temp.path / "elsewhere").c_str(), 1), 0);
    EXPECT_FALSE(ChooseFolders(nullptr));
    unsetenv("VOXEL_DUNGEON_DATA");
    ASSERT_EQ(HeadlessMessages().size(), 1u);
    EXPECT_EQ(HeadlessMessages()[0].caption, "ERROR");
    const std::string text = HeadlessMessages()[0].text;
    EXPECT_NE(text.find((temp.path / "elsewhere").string() + "  (VOXEL_DUNGEON_DATA)"), std::string::npos) << text;
    HeadlessReset();
}

// A data folder that belongs to someone else (an installed game): pictures
// and terrain load, and nothing is created or opened for writing there.
TEST(ReadOnlyData, LoadsWithoutWritingAndMissingFilesReadAsNothing) {
    DefaultFolders restore;
    TempFolder temp;
    ScratchImages images;
    fs::create_directories("data/map");
    WriteBytes("data/map/1.overworld", Bytes(PlaneSize, 17));
    chmod("data/map/1.overworld", 0444);
    for (const char* folder : {"data/map", "data"}) chmod(folder, 0555);
    chmod(temp.path.c_str(), 0755);
    SetDataFolder((temp.path / "data").c_str(), true);

    std::vector<uint8_t> world(PlaneSize, 0);
    uint8_t* savedWorld = World;
    World = world.data();
    // Root may write anywhere: the loads are made as nobody then.
    const bool asOther = geteuid() == 0;
    ASSERT_EQ(asOther ? seteuid(65534) : 0, 0);
    LoadOverworld(1);
    const bool loaded = LoadBitmap(".\\map\\block.bmp", 6);
    ASSERT_EQ(asOther ? seteuid(0) : 0, 0);
    EXPECT_EQ(World[0] + World[PlaneSize - 1], 2 * 17);
    World = savedWorld;
    EXPECT_FALSE(loaded || ImageTable[6].pixels);
    EXPECT_FALSE(fs::exists("data/map/block.bmp"));
    for (const char* folder : {"data/map", "data"}) chmod(folder, 0755);
}

}  // namespace
