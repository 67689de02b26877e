// The command line, read with getopt_long: long options only, "--name VALUE"
// or "--name=VALUE", unambiguous abbreviations accepted. Every value is
// checked whole; anything the game cannot use ends it with status 2 before
// a window opens.
#include "core/options.h"

#include "core/pacing.h"

#include <getopt.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifndef GAME_VERSION
#define GAME_VERSION "unknown"
#endif

GameOptions Options;

namespace {

enum OptionId { Help = 'h', Version = 'v', Data = 'd', Seed = 's', Scale = 'c', Fps = 'f', NoSettings = 'n' };

constexpr option LongOptions[] = {
    {"help", no_argument, nullptr, Help},        {"version", no_argument, nullptr, Version},
    {"data", required_argument, nullptr, Data},  {"seed", required_argument, nullptr, Seed},
    {"scale", required_argument, nullptr, Scale}, {"fps", required_argument, nullptr, Fps},
    {"no-settings", no_argument, nullptr, NoSettings},
    {nullptr, 0, nullptr, 0},
};

// A whole decimal number in low..high; false for anything else (signs,
// spaces, trailing text, out of range).
bool ReadNumber(const char* text, unsigned long long low, unsigned long long high, unsigned long long* value) {
    if (text == nullptr || *text < '0' || *text > '9') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long n = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != 0 || n < low || n > high) return false;
    *value = n;
    return true;
}

int Refuse(std::FILE* err, const char* what, const char* value) {
    if (value) std::fprintf(err, "voxel_dungeon: %s: '%s'\n", what, value);
    else std::fprintf(err, "voxel_dungeon: %s\n", what);
    PrintUsage(err);
    return 2;
}

}  // namespace

void PrintUsage(std::FILE* to) {
    std::fputs(
        "Usage: voxel_dungeon [OPTION]...\n"
        "A first-person voxel dungeon game.\n"
        "\n"
        "  --data DIR   take the pictures and the terrain from DIR\n"
        "  --seed N     build the world from seed N (0..4294967295) instead of the clock\n"
        "  --scale N    first window scale, 1..4 (320 x 240 times N; 2 by default)\n"
        "  --fps N      frame rate limit, 30..240, or 0 for none\n"
        "  --no-settings\n"
        "               start with the default settings; no settings file is read or written\n"
        "  --help       show this help and exit\n"
        "  --version    show the version and exit\n"
        "\n"
        "Without --data the game data is taken from $VOXEL_DUNGEON_DATA, else the\n"
        "working directory when it holds bmp_cube, else the run folder beside the\n"
        "program, else ../share/voxel-dungeon beside it. Saves go to the data\n"
        "folder's map folder when it is writable, else to\n"
        "$XDG_DATA_HOME/voxel-dungeon (~/.local/share/voxel-dungeon).\n"
        "The window scale, fullscreen and the frame rate limit are kept in\n"
        "$XDG_CONFIG_HOME/voxel-dungeon/settings.ini (~/.config/voxel-dungeon);\n"
        "--scale and --fps win over it for one run and are not written back.\n",
        to);
}

int ParseOptions(int argc, char** argv, std::FILE* out, std::FILE* err) {
    Options = GameOptions{};
    opterr = 0;   // the messages below name the option and show the usage
    optind = 0;   // a full restart of getopt, so that the command line can be read again
    int id;
    int at = 0;
    while ((id = getopt_long(argc, argv, "-:", LongOptions, &at)) != -1) {
        unsigned long long n = 0;
        switch (id) {
            case Help: PrintUsage(out); return 0;
            case Version: std::fprintf(out, "voxel_dungeon %s\n", GAME_VERSION); return 0;
            case Data:
                if (*optarg == 0) return Refuse(err, "--data needs a folder", nullptr);
                Options.dataFolder = optarg;
                break;
            case Seed:
                if (!ReadNumber(optarg, 0, UINT32_MAX, &n)) return Refuse(err, "--seed takes a number 0..4294967295", optarg);
                Options.seedGiven = true;
                Options.seed = static_cast<uint32_t>(n);
                break;
            case Scale:
                if (!ReadNumber(optarg, 1, 4, &n)) return Refuse(err, "--scale takes 1, 2, 3 or 4", optarg);
                Options.scale = static_cast<int>(n);
                Options.scaleGiven = true;
                break;
            case Fps:
                if (!ReadNumber(optarg, 0, MaxFrameRate, &n) || !ValidFrameRate(n))
                    return Refuse(err, "--fps takes 0 or a number 30..240", optarg);
                Options.fps = static_cast<int>(n);
                break;
            case NoSettings: Options.noSettings = true; break;
            case 1: return Refuse(err, "unexpected argument", optarg);   // "-" puts plain words here
            case ':': return Refuse(err, "missing value for", argv[optind - 1]);
            default: return Refuse(err, "unknown option", argv[optind - 1]);
        }
    }
    return KeepRunning;
}
