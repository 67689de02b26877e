// Everything the game may ask of the machine: the window and its OpenGL
// context, the pointer, the keys, window events, message boxes, the clock,
// pauses and files. Two back ends implement the window, input and clock half
// of this header: machine/sdl (the real game) and machine/headless (tests:
// scripted input, a virtual clock, an off-screen OSMesa context), and on
// Windows machine/win32. The file half lives in machine/posix (Linux, shared
// by the SDL and headless back ends) and machine/win32 (Windows).
//
// Nothing above machine/ includes SDL or sleeps, opens a file or reads a key
// except through these calls.
#pragma once

#include <cstddef>
#include <cstdint>

// ---- Window and OpenGL context (back end) ----

// Which step of opening a window failed; each maps to its own message box text.
enum class WindowFailure {
    None,
    RegisterClass,   // the windowing system could not be started
    CreateWindow,    // the window itself
    DeviceContext,   // the drawable surface of the window
    ChooseFormat,    // no RGBA8 double-buffered format with a 16-bit depth buffer
    SetFormat,
    CreateContext,   // the OpenGL context
    MakeCurrent,
};

// Opens a borderless window titled `title` at the screen's top-left corner
// whose client area is width x height pixels, with a double-buffered RGBA
// context (8 bits a channel where the display has them, else at least 16
// colour bits; 16-bit depth) made current on this thread and
// swap interval 1 where the driver allows it. The window is shown and given
// the keyboard focus. Returns the failed step, or None.
WindowFailure PlatformOpenWindow(const char* title, int width, int height);

// Opens the window as PlatformOpenWindow does, but covering the whole screen
// the current window is on (the first screen when there is none), as a
// desktop fullscreen window where a window manager honours that. The size
// it got is read back with PlatformWindowRect.
WindowFailure PlatformOpenFullscreenWindow(const char* title);

// Destroys the window and its context if they exist; safe to call at any time.
// False when the context could not be released from the thread (everything
// is still destroyed).
bool PlatformCloseWindow();

// Moves the window's top-left corner to screen position (x, y), keeping its size.
void PlatformMoveWindow(int x, int y);

// Shows the back buffer.
void PlatformSwapBuffers();

// How long apart the display's refreshes are, in nanoseconds, when
// PlatformSwapBuffers waits for them (vsync that really blocks: the swap
// returns at the refresh after it was called); 0 when swaps do not wait for
// the display (no vsync, a driver that ignores the swap interval, a refresh
// that cannot be learned). Decided when the window is opened, from the
// display's refresh rate and the time a few back-to-back swaps take; the
// frame pacing lets such a display set the beat instead of fighting it.
int64_t PlatformSwapRefreshNs();

// The address of an OpenGL entry point beyond OpenGL 1.1 in the current
// context, or null where the driver has none.
void* PlatformGLProcAddress(const char* name);

// Hides the system pointer over the window (the game draws its own cross).
void PlatformHideCursor();

// The window's rectangle in screen pixels (right and bottom exclusive, as the
// window is borderless its rectangle is its client area). False when there is
// no window; the rectangle is then left as it was.
bool PlatformWindowRect(int* left, int* top, int* right, int* bottom);

// ---- Input ----

// The pointer's global screen position.
void PlatformPointer(int* x, int* y);

// True while the key with this Windows virtual-key code is held. Codes the
// back end does not map read as up.
bool PlatformKeyHeld(int virtualKey);

enum class WindowEvent {
    Close,        // the user asked the window to close
    LeftButton,   // left mouse button pressed
    RightButton,  // right mouse button pressed
    Other,        // anything else (key events, focus, motion...): taken and ignored
};

// Takes exactly one pending window event. False when none was waiting.
bool PlatformNextEvent(WindowEvent* event);

// ---- Messages, clock, pauses ----

// A modal message box with an OK button; `information` picks the information
// icon over the warning one. Without a display the text goes to stderr.
void PlatformMessageBox(const char* caption, const char* text, bool information);

// Blocks the one thread for ms milliseconds (the headless back end only records it).
void PlatformSleep(int ms);

// The calendar time in whole seconds.
int64_t PlatformTimeSeconds();

// A steady high-resolution clock in nanoseconds from an arbitrary start, for
// frame pacing. The headless back end's clock is virtual: it moves only by
// the pauses taken (PlatformSleep and PlatformSleepNs) and by the tests.
int64_t PlatformClockNs();

// Blocks for about ns nanoseconds with the finest sleep the system offers
// (it may overrun by some microseconds); the headless back end advances its
// virtual clock by exactly ns. Not recorded as a pause.
void PlatformSleepNs(int64_t ns);

// ---- Folders (machine/posix/folders.cpp; Windows: machine/win32/folders.cpp) ----

// Game file names keep the game's own form, ".\map\1.overworld": a relative
// name is found in the data folder, a name that starts with SaveFolderTag in
// the save folder, and an absolute host path is taken as it is. The
// backslashes become the host's separator.
constexpr char SaveFolderTag[] = "@saves";   // "@saves\SAVEGAME1.unit"

// The folder relative game names resolve against ("." until set). When
// mayCreate is false, OpenForReading never creates a missing file there
// (an installed, shared folder is never written to).
void SetDataFolder(const char* hostPath, bool mayCreate);
const char* DataFolder();
bool DataFolderMayCreate();

// The folder of the save slots ("map" until set). When createOnUse is true,
// PrepareSaveFolder makes it (with its parents) before the first save.
void SetSaveFolder(const char* hostPath, bool createOnUse);
// The save folder's host path; screenshots are written beside the slots.
const char* SaveFolder();
// Makes the save folder if it may be made on use; true when it exists afterwards.
bool PrepareSaveFolder();

// Host folders, for choosing the ones above.
bool FolderExists(const char* hostPath);
bool FolderWritable(const char* hostPath);   // by this user: files can be created in it
bool MakeFolders(const char* hostPath);      // with its parents; true when it exists afterwards
// The folder that holds the running executable; false when it cannot be known.
bool ExecutableFolder(char* out, size_t outSize);
// The working directory; false when it cannot be known.
bool WorkingFolder(char* out, size_t outSize);

// The player's own folders, used where the data folder may not be written
// (an installed game). Saves: $XDG_DATA_HOME/voxel-dungeon, by default
// ~/.local/share/voxel-dungeon (Windows: Saved Games\Voxel Dungeon).
// Settings: $XDG_CONFIG_HOME/voxel-dungeon, by default ~/.config/voxel-dungeon
// (Windows: the roaming application data folder's Voxel Dungeon). A relative
// XDG variable is ignored, as the base directory rules say. The folder is not
// made here. False when the player has no home to hold it.
enum class PlayerFolder { Saves, Settings };
bool PlayerFolderPath(PlayerFolder which, char* out, size_t outSize);

// ---- Files (machine/posix/files.cpp; Windows: machine/win32/files.cpp) ----

enum class FileAccess { Read, Write, ReadWrite };

// Opens a file with open-always semantics: an existing file is opened as it
// is (never truncated), a missing one is created empty; fails (returns -1)
// when the folder is missing. The position starts at byte 0.
int OpenAlways(const char* gameName, FileAccess access);

// Opens an existing file only; -1 when it is missing. Loading uses this so
// that reading a slot never creates files.
int OpenExisting(const char* gameName, FileAccess access);

// Opens a file for reading only. An existing file is never opened for
// writing; a missing one is created empty (and then reads as nothing) only
// where the data folder may be written and its folder lets this user create
// files, else -1. The picture and terrain loaders use this.
int OpenForReading(const char* gameName);

// One transfer at the current position; returns the bytes moved (a short
// count at end of file), or -1 on error. Interrupted calls are retried.
long long FileRead(int file, void* buffer, size_t bytes);
long long FileWrite(int file, const void* buffer, size_t bytes);

// Forces written data to the disk; false on failure.
bool FileFlush(int file);

// Closes the file; false when the close reported an error (for a written
// file that means the data may not have reached the disk).
bool FileClose(int file);

// Size in bytes of a file, or -1 when it does not exist.
long long FileSize(const char* gameName);

// Renames over an existing file atomically; false on failure.
bool FileRename(const char* fromGameName, const char* toGameName);

// Forces the folder that holds the file to disk, so that creations, renames
// and removals in it survive a crash in the order they were made.
bool FlushFolderOf(const char* gameName);

// Creates a new empty file for writing; -1 when a file of that name already
// exists (nothing is overwritten) or it cannot be created.
int CreateNewFile(const char* gameName);

// Creates a folder unless it exists; true when it exists afterwards.
bool MakeFolder(const char* gameName);

// Removes a file; true when it is gone (also when it never existed).
bool FileRemove(const char* gameName);

// Writes the host form of a game file name into out (at most outSize bytes),
// resolved against the data or save folder as above.
void HostPath(const char* gameName, char* out, size_t outSize);
