// The file layer under the game, on every file system it has: the file calls
// and host paths. Every file here lives under a folder named "Zoë", which on
// Windows only the wide calls reach. The Windows build adds its host folders,
// the `installed` mark and the PNG encoder.
#include "core/locations.h"
#include "test_util.h"

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The host's form of a path written with '/'.
std::string Host(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

// Whether the open gave a file (closed again: a file left open would keep its folder from going).
bool Opens(int file) { return file >= 0 && FileClose(file); }

std::string Slurp(const char* gameName) {
    const int file = OpenExisting(gameName, FileAccess::Read);
    if (file < 0) return "<missing>";
    char buffer[64];
    const long long n = FileRead(file, buffer, sizeof buffer);
    FileClose(file);
    return n < 0 ? "<error>" : std::string(buffer, static_cast<size_t>(n));
}

bool Put(const char* gameName, const std::string& text) {
    const int file = OpenAlways(gameName, FileAccess::Write);
    if (file < 0) return false;
    const bool ok = FileWrite(file, text.data(), text.size()) == static_cast<long long>(text.size()) && FileFlush(file);
    return FileClose(file) && ok;
}

// The data folder "<temp>/Zoë" and the save folder "<temp>/Zoë/saves", as
// absolute host paths; the folders a fresh process has once the test ends.
class Files : public ::testing::Test {
protected:
    void SetUp() override {
        zoe = fs::current_path() / fs::path(u8"Zoë");
        saves = zoe / "saves";
        fs::create_directories(saves);
        SetDataFolder(Utf8(zoe).c_str(), true);
        SetSaveFolder(Utf8(saves).c_str(), false);
    }
    void TearDown() override {
        SetDataFolder(".", true);
        SetSaveFolder("map", false);
    }
    TempFolder temp;
    fs::path zoe, saves;
};

TEST_F(Files, FileCallsKeepTheirPromises) {
    EXPECT_FALSE(Opens(OpenExisting("a.bin", FileAccess::Read))) << "a missing file is not created by an existing-only open";
    EXPECT_FALSE(fs::exists(zoe / "a.bin"));
    ASSERT_TRUE(Put("a.bin", "abc"));
    EXPECT_TRUE(fs::exists(zoe / "a.bin")) << "the file is in the folder named with the e-diaeresis";
    ASSERT_TRUE(Put("a.bin", "x"));
    EXPECT_EQ(Slurp("a.bin"), "xbc") << "open-always never truncates";
    EXPECT_EQ(FileSize(".\\a.bin"), 3);
    EXPECT_FALSE(Opens(CreateNewFile("a.bin"))) << "an existing name is never overwritten";
    EXPECT_EQ(Slurp("a.bin"), "xbc");
    EXPECT_FALSE(Opens(OpenAlways("gone\\a.bin", FileAccess::Write))) << "a missing folder fails";
    EXPECT_TRUE(MakeFolder("gone") && MakeFolder("gone"));
    ASSERT_TRUE(Put("@saves\\b.bin", "new"));
    EXPECT_EQ(FileSize((Utf8(saves) + "\\b.bin").c_str()), 3) << "an absolute host path is taken as it is";
    EXPECT_TRUE(FileRename("@saves\\b.bin", "a.bin"));
    EXPECT_EQ(Slurp("a.bin"), "new") << "the rename replaces the existing file";
    EXPECT_EQ(FileSize("@saves\\b.bin"), -1);
    EXPECT_TRUE(FlushFolderOf("a.bin"));
    EXPECT_TRUE(FileRemove("a.bin") && FileRemove("a.bin")) << "a file that is gone counts as removed";
    EXPECT_EQ(FileSize("gone"), -1) << "a folder is no file";
    EXPECT_FALSE(Opens(OpenAlways("gone", FileAccess::Read)));
    const int bad = OpenAlways("c.bin", FileAccess::Read);
    EXPECT_TRUE(FileClose(bad));
    EXPECT_FALSE(FileClose(bad)) << "a closed file reports its second close";

    const int reader = OpenForReading("c.bin");
    EXPECT_EQ(FileWrite(reader, "x", 1), -1) << "a reader opens the file read-only";
    FileClose(reader);
    EXPECT_TRUE(Opens(OpenForReading("made.bmp"))) << "a writable data folder gets the missing file, empty";
    EXPECT_EQ(FileSize("made.bmp"), 0);
    SetDataFolder(Utf8(zoe).c_str(), false);
    EXPECT_FALSE(Opens(OpenForReading("never.bmp")));
    EXPECT_FALSE(fs::exists(zoe / "never.bmp")) << "an installed folder is never written";
}

TEST_F(Files, GameNamesResolveAgainstTheDataOrTheSaveFolder) {
    const std::string data = Host(Utf8(zoe)), slots = Host(Utf8(saves));
    const struct { const char* game; std::string host; } cases[] = {
        {".\\map\\1.overworld", data + Host("/map/1.overworld")},
        {"map\\1.overworld", data + Host("/map/1.overworld")},
        {"bmp_cube/grass3.bmp", data + Host("/bmp_cube/grass3.bmp")},
        {"@saves\\SAVEGAME2.unit", slots + Host("/SAVEGAME2.unit")},
        {"@savesX", data + Host("/@savesX")},
#ifdef _WIN32
        {"D:\\x.bmp", "D:\\x.bmp"},
        {"\\\\server\\share\\x.bmp", "\\\\server\\share\\x.bmp"},
#endif
        {"/tmp/x.bmp", Host("/tmp/x.bmp")},
    };
    for (const auto& c : cases) {
        char host[1024];
        HostPath(c.game, host, sizeof host);
        EXPECT_EQ(std::string(host), c.host) << c.game;
    }
}

}  // namespace

#ifdef _WIN32
#include <windows.h>

#include "render/png_encode.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#include <stb_image.h>

namespace {

// The game's UTF-8 as a path (a plain char string would be read in the ANSI code page).
fs::path Path(const char* utf8) { return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8))); }

TEST_F(Files, HostFoldersAndThePlayersOwn) {
    const std::string zoeText = Utf8(zoe);
    EXPECT_TRUE(FolderExists(zoeText.c_str()));
    EXPECT_TRUE(FolderWritable(zoeText.c_str()));
    EXPECT_EQ(std::distance(fs::directory_iterator(zoe), {}), 1) << "the writing test leaves only saves\\ behind";
    EXPECT_FALSE(FolderWritable((zoeText + "\\missing").c_str()));
    EXPECT_TRUE(MakeFolders((zoeText + "\\x\\y/z").c_str()));
    EXPECT_TRUE(fs::is_directory(zoe / "x" / "y" / "z"));

    char folder[1024];
    ASSERT_TRUE(WorkingFolder(folder, sizeof folder));
    EXPECT_EQ(Path(folder), fs::current_path());
    ASSERT_TRUE(ExecutableFolder(folder, sizeof folder));
    wchar_t exe[1024];
    GetModuleFileNameW(nullptr, exe, 1024);
    EXPECT_EQ(Path(folder), fs::path(exe).parent_path());

    ASSERT_TRUE(PlayerFolderPath(PlayerFolder::Saves, folder, sizeof folder));
    EXPECT_EQ(Path(folder).parent_path().filename() / Path(folder).filename(), fs::path("Saved Games") / "Voxel Dungeon");
    ASSERT_TRUE(PlayerFolderPath(PlayerFolder::Settings, folder, sizeof folder));
    EXPECT_EQ(Path(folder), fs::path(_wgetenv(L"APPDATA")) / "Voxel Dungeon");
}

// The installer's mark turns a data folder the game could write into a shared
// one: saves go to the player's Saved Games.
TEST_F(Files, TheInstalledMarkSendsSavesToSavedGames) {
    fs::create_directories(zoe / "bmp_cube");
    char player[1024];
    ASSERT_TRUE(PlayerFolderPath(PlayerFolder::Saves, player, sizeof player));
    for (const bool marked : {false, true}) {
        if (marked) Put("installed", "");
        ASSERT_TRUE(ChooseFolders(Utf8(zoe).c_str())) << marked;
        EXPECT_EQ(DataFolderMayCreate(), !marked) << marked;
        EXPECT_EQ(Path(SaveFolder()), marked ? Path(player) : zoe / "map") << marked;
    }
}

TEST(WinPng, EncodesWhatADecoderReadsBack) {
    const Bytes rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};   // 3 x 2
    std::vector<uint8_t> png;
    ASSERT_TRUE(EncodePngRgb(rgb.data(), 3, 2, &png));
    int width = 0, height = 0, channels = 0;
    uint8_t* pixels = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height, &channels, 3);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(Bytes(pixels, pixels + rgb.size()), rgb);
    EXPECT_EQ(width * 10 + height, 32);
    stbi_image_free(pixels);
    EXPECT_FALSE(EncodePngRgb(rgb.data(), 0, 2, &png));
    EXPECT_TRUE(png.empty());
}

}  // namespace
#endif
