// The settings file: parsed and formatted as plain text, read leniently at
// start, written atomically whenever the player changes a setting.
#include "core/settings.h"

#include <cstdio>
#include <cstring>

#include "core/options.h"
#include "machine/platform.h"
#include "platform/window.h"

GameSettings Settings;
bool settingsKept = false;

namespace {

constexpr char SettingsFileName[] = "settings.ini";
// Far more than the three lines the game writes; anything bigger is not a
// settings file of ours, and the fixed buffer keeps the read simple.
constexpr size_t MaxSettingsBytes = 4096;
// The stderr line names at most this many ignored lines, each cut to a readable length.
constexpr int MaxNamedLines = 4;
constexpr size_t MaxNamedLength = 40;

bool ValidScale(long n) { return n >= 1 && n <= 4; }
bool ValidSwitch(long n) { return n == 0 || n == 1; }

// One row per key: its name in the file, the setting it fills, the values it takes.
struct SettingKey {
    const char* name;
    int GameSettings::*field;
    bool (*valid)(long);
};

constexpr SettingKey SettingKeys[] = {
    {"scale", &GameSettings::scale, ValidScale},
    {"fullscreen", &GameSettings::fullscreen, ValidSwitch},
    {"fps", &GameSettings::fps, ValidFrameRate},
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Keys are matched without regard to case ("Scale" is scale).
bool SameKey(const std::string& text, const char* name) {
    if (text.size() != std::strlen(name)) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if ((text[i] >= 'A' && text[i] <= 'Z' ? text[i] + 32 : text[i]) != name[i]) return false;
    return true;
}

// The text between begin and end without the spaces around it.
std::string Trimmed(const char* begin, const char* end) {
    while (begin < end && IsSpace(*begin)) ++begin;
    while (end > begin && IsSpace(end[-1])) --end;
    return std::string(begin, end);
}

// A whole decimal number of at most 9 digits; false for anything else.
bool ReadValue(const std::string& text, long* value) {
    if (text.empty() || text.size() > 9) return false;
    long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    *value = n;
    return true;
}

// Uses one "key=value" line; false when it cannot.
bool UseLine(const std::string& line, GameSettings* out) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    const std::string key = Trimmed(line.data(), line.data() + equals);
    const std::string text = Trimmed(line.data() + equals + 1, line.data() + line.size());
    for (const SettingKey& k : SettingKeys) {
        if (!SameKey(key, k.name)) continue;
        long n = 0;
        if (!ReadValue(text, &n) || !k.valid(n)) return false;
        out->*k.field = static_cast<int>(n);
        return true;
    }
    return false;
}

// A line as the message shows it: printable, quoted, not too long.
std::string Quoted(const std::string& line) {
    std::string shown = "'";
    for (size_t i = 0; i < line.size() && i < MaxNamedLength; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        shown += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
    }
    if (line.size() > MaxNamedLength) shown += "...";
    return shown + "'";
}

void Report(const char* path, const char* what) {
    std::fprintf(stderr, "voxel_dungeon: settings file %s: %s\n", path, what);
}

}  // namespace

void ParseSettings(const char* text, size_t length, GameSettings* out, std::string* ignored) {
    ignored->clear();
    const char* end = text + length;
    if (length >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) text += 3;   // the mark some editors put first
    int ignoredCount = 0;
    while (text < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(text, '\n', static_cast<size_t>(end - text)));
        if (lineEnd == nullptr) lineEnd = end;
        const std::string line = Trimmed(text, lineEnd);
        text = lineEnd + (lineEnd < end ? 1 : 0);
        if (line.empty() || line[0] == '#' || line[0] == ';' || UseLine(line, out)) continue;
        if (++ignoredCount <= MaxNamedLines) *ignored += (ignoredCount > 1 ? ", " : "") + Quoted(line);
    }
    if (ignoredCount > MaxNamedLines) *ignored += " and " + std::to_string(ignoredCount - MaxNamedLines) + " more";
}

std::string FormatSettings(const GameSettings& settings) {
    std::string text = "# Voxel Dungeon settings, written by the game when they change (F1..F4, F11).\n";
    for (const SettingKey& k : SettingKeys) text += std::string(k.name) + "=" + std::to_string(settings.*k.field) + "\n";
    return text;
}

bool SettingsFilePath(char* out, size_t outSize) {
    char folder[1024];
    if (!PlayerFolderPath(PlayerFolder::Settings, folder, sizeof folder)) return false;
    // The game's own separator; the file layer turns it into the host's.
    const int n = std::snprintf(out, outSize, "%s\\%s", folder, SettingsFileName);
    return n > 0 && static_cast<size_t>(n) < outSize;
}

void LoadSettings() {
    Settings = GameSettings{};
    settingsKept = true;
    char path[1100];
    if (!SettingsFilePath(path, sizeof path)) return;
    char hostPath[1100];
    HostPath(path, hostPath, sizeof hostPath);
    if (FolderExists(hostPath)) return Report(hostPath, "ignored, a folder stands in its place; using the default settings");
    // Missing (or no plain file, which could block a read): the defaults, and nothing to say.
    const long long size = FileSize(path);
    if (size < 0) return;
    static char text[MaxSettingsBytes + 1];
    long long got = -1;
    const int file = size <= static_cast<long long>(MaxSettingsBytes) ? OpenExisting(path, FileAccess::Read) : -1;
    if (file >= 0) {
        got = FileRead(file, text, sizeof text);
        FileClose(file);
    }
    if (size > static_cast<long long>(MaxSettingsBytes) || got > static_cast<long long>(MaxSettingsBytes))
        return Report(hostPath, "ignored, too large for a settings file; using the default settings");
    if (got < 0) return Report(hostPath, "ignored, it cannot be read; using the default settings");
    if (std::memchr(text, 0, static_cast<size_t>(got)) != nullptr)
        return Report(hostPath, "ignored, it is damaged (not text); using the default settings");
    std::string ignored;
    ParseSettings(text, static_cast<size_t>(got), &Settings, &ignored);
    if (!ignored.empty()) Report(hostPath, ("ignored " + ignored + "; using the defaults for them").c_str());
}

bool SaveSettings() {
    char folder[1024], path[1100], temp[1110], hostPath[1100];
    if (!PlayerFolderPath(PlayerFolder::Settings, folder, sizeof folder) || !SettingsFilePath(path, sizeof path)) {
        std::fprintf(stderr, "voxel_dungeon: no configuration folder (no home): the settings are not kept\n");
        return false;
    }
    std::snprintf(temp, sizeof temp, "%s.new", path);
    HostPath(path, hostPath, sizeof hostPath);
    const std::string text = FormatSettings(Settings);
    bool ok = MakeFolders(folder);
    // A temporary file left by a write that was cut short is simply replaced.
    ok = ok && FileRemove(temp);
    const int file = ok ? CreateNewFile(temp) : -1;
    ok = file >= 0;
    if (ok) {
        ok = FileWrite(file, text.data(), text.size()) == static_cast<long long>(text.size());
        ok = ok && FileFlush(file);
        ok = FileClose(file) && ok;
        // Only a complete file on disk takes the old one's place.
        ok = ok && FileRename(temp, path);
        if (!ok) FileRemove(temp);
    }
    if (!ok) {
        Report(hostPath, "could not be written; the settings stay as they were");
        return false;
    }
    FlushFolderOf(path);
    return true;
}

namespace {
GameSettings seen;   // the run's window scale, fullscreen and limit at the last look
}

void StartSettings() {
    if (Options.noSettings) {
        Settings = GameSettings{};
        settingsKept = false;
    } else {
        LoadSettings();
    }
    windowScale = Options.scaleGiven ? Options.scale : Settings.scale;
    fullscreenOn = Options.scaleGiven ? 0 : Settings.fullscreen;
    FrameRateLimit = Options.fps >= 0 ? Options.fps : Settings.fps;
    seen = GameSettings{windowScale, fullscreenOn, FrameRateLimit};
}

void KeepChangedSettings() {
    if (!settingsKept) return;
    const GameSettings now{windowScale, fullscreenOn, FrameRateLimit};
    bool changed = false;
    // Only what changed is taken: a --fps of this run stays out of the file when F3 is pressed.
    for (const SettingKey& k : SettingKeys) {
        if (now.*k.field == seen.*k.field) continue;
        Settings.*k.field = now.*k.field;
        changed = true;
    }
    seen = now;
    if (changed) SaveSettings();
}
