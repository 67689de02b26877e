// Where the game finds its data and keeps its saves: the order of the data
// folders, the save folder for each kind of data folder, and reading a data
// folder the player may not write.
#include <sys/stat.h>
#include <sys/wait.h>

#include <functional>

#include "core/locations.h"
#include "game_fixture.h"
#include "render/bitmap.h"
#include "world/overworld.h"
#include "world/savegame.h"

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

TEST(DataFolders, TheFirstFolderWithTheCubePicturesIsTaken) {
    TempFolder temp;
    fs::create_directories("empty/bmp_unit");
    fs::create_directories("second/bmp_cube");
    fs::create_directories("third/bmp_cube");
    const std::string root = temp.path.string();
    std::vector<DataCandidate> list = {{root + "/missing", "", false}, {root + "/empty", "", false},
                                       {root + "/second", "", false}, {root + "/third", "", false}};
    EXPECT_EQ(FirstWithGameData(list), 2);
    list.resize(2);
    EXPECT_EQ(FirstWithGameData(list), -1);
}

TEST(DataFolders, SavesStayInAWritableFolderElseGoToThePlayersFolder) {
    bool create = true;
    const DataCandidate copied{"/games/run", "", false}, installed{"/usr/share/voxel-dungeon", "", true};
    EXPECT_EQ(SaveFolderFor(copied, true, "/xdg/voxel-dungeon", &create), "/games/run/map");
    EXPECT_FALSE(create);
    EXPECT_EQ(SaveFolderFor(copied, false, "/xdg/voxel-dungeon", &create), "/xdg/voxel-dungeon");
    EXPECT_TRUE(create);
    // An installed folder is never written to, even by a user who could.
    EXPECT_EQ(SaveFolderFor(installed, true, "/home/p/saves", &create), "/home/p/saves");
    EXPECT_TRUE(create);
    // No player's folder at all: saving fails in the data folder.
    EXPECT_EQ(SaveFolderFor(installed, false, nullptr, &create), "/usr/share/voxel-dungeon/map");
    EXPECT_FALSE(create);
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

// Runs check as a user with no rights to files it does not own: nobody,
// when the suite runs as root (which may write anywhere). True when check
// returned true.
bool AsUnprivileged(const std::function<bool()>& check) {
    if (geteuid() != 0) return check();
    const pid_t pid = fork();
    if (pid == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && check() ? 0 : 1);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A data folder that belongs to someone else (an installed game): pictures
// and terrain load, and nothing is created or opened for writing there.
TEST(ReadOnlyData, LoadsWithoutWritingAndMissingFilesReadAsNothing) {
    DefaultFolders restore;
    TempFolder temp;
    ScratchImages images;
    fs::create_directories("data/bmp_cube");
    fs::create_directories("data/map");
    Bytes bmp(54, 0);   // 4 x 1 in the classic 54-byte layout
    bmp[0] = 'B', bmp[1] = 'M', bmp[10] = 54, bmp[14] = 40, bmp[18] = 4, bmp[22] = 1, bmp[26] = 1, bmp[28] = 24;
    bmp.resize(66, 9);
    WriteBytes("data/bmp_cube/block.bmp", bmp);
    WriteBytes("data/map/1.overworld", Bytes(PlaneSize, 17));
    for (const char* file : {"data/bmp_cube/block.bmp", "data/map/1.overworld"}) chmod(file, 0444);
    for (const char* folder : {"data/bmp_cube", "data/map", "data"}) chmod(folder, 0555);
    chmod(temp.path.c_str(), 0755);
    SetDataFolder((temp.path / "data").c_str(), true);

    std::vector<uint8_t> world(PlaneSize, 0);
    uint8_t* savedWorld = World;
    World = world.data();
    const bool loaded = AsUnprivileged([] {
        if (!LoadBitmap(".\\bmp_cube\\block.bmp", 5) || ImageTable[5].width != 4) return false;
        LoadOverworld(1);
        if (World[0] != 17 || World[PlaneSize - 1] != 17) return false;
        return !LoadBitmap(".\\bmp_cube\\Block.bmp", 6) && ImageTable[6].pixels == nullptr;
    });
    EXPECT_TRUE(loaded);
    World = savedWorld;
    EXPECT_FALSE(fs::exists("data/bmp_cube/Block.bmp"));
    for (const char* folder : {"data/bmp_cube", "data/map", "data"}) chmod(folder, 0755);
}

// Saves in a folder of the player's own, made on the first save; loading
// reads the slot back from there and nothing is written to the data's map.
class SaveFolderTest : public GameFixture {};

TEST_F(SaveFolderTest, TheFirstSaveMakesThePlayersFolderAndLoadingReadsFromIt) {
    DefaultFolders restore;
    const std::string saves = (temp.path / "home/.local/share/voxel-dungeon").string();
    SetSaveFolder(saves.c_str(), true);
    World[CellIndex(3, 4, 5)] = 9;
    SaveGame(1, DrawProgressScreen);
    EXPECT_EQ(fs::file_size(saves + "/SAVEGAME1.mainmap"), static_cast<uintmax_t>(VolumeFileSize));
    EXPECT_EQ(fs::file_size(saves + "/SAVEGAME1.variables"), static_cast<uintmax_t>(VariablesFileSize));
    EXPECT_TRUE(fs::is_empty("map"));
    World[CellIndex(3, 4, 5)] = 0;
    LoadGame(1, DrawProgressScreen);
    EXPECT_EQ(World[CellIndex(3, 4, 5)], 9);
}

}  // namespace
