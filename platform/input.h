// Polled input in the game's terms: Windows virtual-key codes and the pointer
// in overlay pixels counted from the bottom-left corner.
#pragma once

#include <cstdint>

// 1 while the key is held at the moment of the call, else 0.
int KeyDown(int virtualKey);

// Pointer column 0..OverlayWidth-1 and row 0..OverlayHeight-1 (row 0 at the
// bottom), from the global pointer position and the window's rectangle.
int MouseX();
int MouseY();

// The calendar time in seconds, cut to its low 32 bits: the random seed.
uint32_t TimeSeed();

// Windows virtual-key codes the game reads.
namespace Key {
constexpr int Backspace = 8, Tab = 9, Enter = 13, Shift = 16, Escape = 27, Space = 32;
constexpr int Digit0 = 48, A = 65, M = 77, Z = 90;
constexpr int KeypadPlus = 107, KeypadMinus = 109;
constexpr int F1 = 112, F2 = 113, F3 = 114, F4 = 115, F5 = 116, F6 = 117, F7 = 118, F8 = 119;
constexpr int F9 = 120, F11 = 122, F12 = 123;
constexpr int LeftBracket = 219, RightBracket = 221;
}  // namespace Key
