// Where the game finds its data and keeps its saves: the order of the data
// folders, the save folder for each kind of data folder and the player's own
// folders. (That an installed game reads its folder without writing there is
// the install scenario's, and the file calls' promises are the Files tests'.)
#include "core/locations.h"
#include "test_util.h"

namespace {

// Each candidate as the message that names the folders tried shows it, "installed"
// after those never written to.
std::vector<std::string> Paths(const std::vector<DataCandidate>& list) {
    std::vector<std::string> paths;
    for (const DataCandidate& c : list) paths.push_back(c.path + "  (" + c.source + ")" + (c.installed ? " installed" : ""));
    return paths;
}

TEST(DataFolders, AnExplicitChoiceIsTriedAloneElseTheUsualPlacesInOrder) {
    using List = std::vector<std::string>;
    EXPECT_EQ(Paths(DataCandidates("/mine", "/env", "/work", "/opt/game/bin")), List{"/mine  (--data)"});
    EXPECT_EQ(Paths(DataCandidates(nullptr, "/env", "/work", "/opt/game/bin")), List{"/env  (VOXEL_DUNGEON_DATA)"});
    EXPECT_EQ(Paths(DataCandidates("", "", "/work", "/opt/game/bin")),
              (List{"/work  (the working directory)", "/opt/game/bin/run  (the run folder beside the program)",
                    "/opt/game/bin/../share/voxel-dungeon  (the installed game data) installed"}));
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

}  // namespace
