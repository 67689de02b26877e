// The keys the game reads, by Windows virtual-key code, polled from SDL's keyboard state.
#include <SDL.h>

#include "../platform.h"

// One row per key: virtual-key code, the SDL key that holds it on a US
// keyboard (for letters see LetterKey), and a second
// SDL key that holds it too (the other Shift, the keypad Enter) or UNKNOWN.
struct KeyMapping {
    int virtualKey;
    SDL_Scancode key;
    SDL_Scancode alsoKey;
};

constexpr SDL_Scancode None = SDL_SCANCODE_UNKNOWN;

constexpr KeyMapping KeyMappings[] = {
    {8, SDL_SCANCODE_BACKSPACE, None},
    {9, SDL_SCANCODE_TAB, None},
    {13, SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER},
    {16, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT},
    {27, SDL_SCANCODE_ESCAPE, None},
    {32, SDL_SCANCODE_SPACE, None},
    {48, SDL_SCANCODE_0, None}, {49, SDL_SCANCODE_1, None}, {50, SDL_SCANCODE_2, None},
    {51, SDL_SCANCODE_3, None}, {52, SDL_SCANCODE_4, None}, {53, SDL_SCANCODE_5, None},
    {54, SDL_SCANCODE_6, None}, {55, SDL_SCANCODE_7, None}, {56, SDL_SCANCODE_8, None},
    {57, SDL_SCANCODE_9, None},
    {65, SDL_SCANCODE_A, None}, {66, SDL_SCANCODE_B, None}, {67, SDL_SCANCODE_C, None},
    {68, SDL_SCANCODE_D, None}, {69, SDL_SCANCODE_E, None}, {70, SDL_SCANCODE_F, None},
    {71, SDL_SCANCODE_G, None}, {72, SDL_SCANCODE_H, None}, {73, SDL_SCANCODE_I, None},
    {74, SDL_SCANCODE_J, None}, {75, SDL_SCANCODE_K, None}, {76, SDL_SCANCODE_L, None},
    {77, SDL_SCANCODE_M, None}, {78, SDL_SCANCODE_N, None}, {79, SDL_SCANCODE_O, None},
    {80, SDL_SCANCODE_P, None}, {81, SDL_SCANCODE_Q, None}, {82, SDL_SCANCODE_R, None},
    {83, SDL_SCANCODE_S, None}, {84, SDL_SCANCODE_T, None}, {85, SDL_SCANCODE_U, None},
    {86, SDL_SCANCODE_V, None}, {87, SDL_SCANCODE_W, None}, {88, SDL_SCANCODE_X, None},
    {89, SDL_SCANCODE_Y, None}, {90, SDL_SCANCODE_Z, None},
    {107, SDL_SCANCODE_KP_PLUS, None},
    {109, SDL_SCANCODE_KP_MINUS, None},
    {112, SDL_SCANCODE_F1, None}, {113, SDL_SCANCODE_F2, None}, {114, SDL_SCANCODE_F3, None},
    {115, SDL_SCANCODE_F4, None}, {116, SDL_SCANCODE_F5, None}, {117, SDL_SCANCODE_F6, None},
    {118, SDL_SCANCODE_F7, None}, {119, SDL_SCANCODE_F8, None}, {120, SDL_SCANCODE_F9, None},
    {122, SDL_SCANCODE_F11, None}, {123, SDL_SCANCODE_F12, None},
    {219, SDL_SCANCODE_LEFTBRACKET, None},
    {221, SDL_SCANCODE_RIGHTBRACKET, None},
};

// Letters are read by the character the current keyboard layout gives the
// key, so Z, M and the console's letters are where the player's keyboard
// prints them (Z walks back on AZERTY and QWERTZ too). A layout without
// that Latin letter (Cyrillic, Greek...) keeps the US position. Every other
// key stays where it is on a US keyboard: the digit row, F-keys, keypad,
// brackets and the rest are chosen for their place, not their symbol.
static SDL_Scancode LetterKey(int virtualKey, SDL_Scancode usKey) {
    SDL_Keycode letter = static_cast<SDL_Keycode>(SDLK_a + (virtualKey - 'A'));
    SDL_Scancode key = SDL_GetScancodeFromKey(letter);
    return key != SDL_SCANCODE_UNKNOWN ? key : usKey;
}

bool PlatformKeyHeld(int virtualKey) {
    // The state is what the last event pump saw; the game pumps every frame.
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    auto held = [&](SDL_Scancode key) { return key != None && key < count && state[key] != 0; };
    for (const KeyMapping& m : KeyMappings) {
        if (m.virtualKey != virtualKey) continue;
        if (virtualKey >= 'A' && virtualKey <= 'Z') return held(LetterKey(virtualKey, m.key));
        return held(m.key) || held(m.alsoKey);
    }
    return false;
}
