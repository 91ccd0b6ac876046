#pragma once

class QKeyEvent;

namespace app {

// Windows virtual-key codes, the language the examination windows speak.
enum VirtualKey : int {
    VK_RETURN = 13,
    VK_NUMPAD0 = 96,
    VK_NUMPAD1 = 97,
    VK_NUMPAD2 = 98,
    VK_NUMPAD3 = 99,
    VK_NUMPAD4 = 100,
    VK_NUMPAD5 = 101,
    VK_NUMPAD6 = 102,
    VK_NUMPAD7 = 103,
    VK_NUMPAD8 = 104,
    VK_NUMPAD9 = 105,
    VK_MULTIPLY = 106,
    VK_ADD = 107,
    VK_SUBTRACT = 109,
    VK_DECIMAL = 110,
    VK_DIVIDE = 111,
};

// The virtual-key code of a key press; keypad keys map to the same code whatever Num Lock says.
// 0 when the key has no code the program uses.
int virtualKey(const QKeyEvent& event);

} // namespace app
