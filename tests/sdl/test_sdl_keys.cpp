// The SDL back end's key table, with no display: every Windows virtual-key
// code the game polls must read held exactly while the SDL keys that a
// player presses for it are down, and no other code may read held.
#include <SDL.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/input.h"
#include "machine/platform.h"

namespace {

// The keys by SDL's own names, as the game's codes call them.
std::map<int, std::vector<std::string>> ExpectedKeys() {
    std::map<int, std::vector<std::string>> keys = {
        {Key::Backspace, {"Backspace"}},   {Key::Tab, {"Tab"}},
        {Key::Enter, {"Return", "Keypad Enter"}},
        {Key::Shift, {"Left Shift", "Right Shift"}},
        {Key::Escape, {"Escape"}},         {Key::Space, {"Space"}},
        {Key::KeypadPlus, {"Keypad +"}},   {Key::KeypadMinus, {"Keypad -"}},
        {Key::LeftBracket, {"["}},         {Key::RightBracket, {"]"}},
        {Key::F9, {"F9"}},                 {Key::F11, {"F11"}},               {Key::F12, {"F12"}},
    };
    for (int i = 0; i < 10; ++i) keys[Key::Digit0 + i] = {std::string(1, char('0' + i))};
    for (int i = 0; i < 26; ++i) keys[Key::A + i] = {std::string(1, char('A' + i))};
    for (int i = 0; i < 8; ++i) keys[Key::F1 + i] = {"F" + std::to_string(i + 1)};
    return keys;
}

TEST(SdlKeyTable, EachCodeIsHeldByItsKeysAndNoOther) {
    // SDL's keyboard state is a plain array that its event pump writes; the
    // test writes it instead, one key at a time.
    int count = 0;
    Uint8* state = const_cast<Uint8*>(SDL_GetKeyboardState(&count));
    ASSERT_NE(state, nullptr);
    ASSERT_GT(count, int(SDL_SCANCODE_KP_ENTER));

    const auto expected = ExpectedKeys();
    std::map<SDL_Scancode, int> owner;   // which code each expected key belongs to
    for (const auto& [code, names] : expected)
        for (const std::string& name : names) {
            SDL_Scancode key = SDL_GetScancodeFromName(name.c_str());
            ASSERT_NE(key, SDL_SCANCODE_UNKNOWN) << name;
            owner[key] = code;
        }

    for (int vk = 0; vk < 256; ++vk) ASSERT_FALSE(PlatformKeyHeld(vk)) << "code " << vk << " with no key down";
    for (int key = 1; key < count; ++key) {
        state[key] = 1;
        for (int vk = 0; vk < 256; ++vk) {
            auto it = owner.find(SDL_Scancode(key));
            const bool should = it != owner.end() && it->second == vk;
            ASSERT_EQ(PlatformKeyHeld(vk), should) << "code " << vk << " with " << SDL_GetScancodeName(SDL_Scancode(key)) << " down";
        }
        state[key] = 0;
    }
    // Codes outside 0..255 read as up.
    state[SDL_SCANCODE_A] = 1;
    EXPECT_FALSE(PlatformKeyHeld(Key::A + 256));
    EXPECT_FALSE(PlatformKeyHeld(-1));
    state[SDL_SCANCODE_A] = 0;
}

}  // namespace
