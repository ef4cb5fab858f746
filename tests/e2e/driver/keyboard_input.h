// Keyboard input injected with SendInput: it enters the system's input stream, so low-level
// hooks see it and the foreground window receives it, as from a real keyboard.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace e2e {

enum class KeyDirection { Down, Up };

bool SendVirtualKey(WORD virtualKey, KeyDirection direction);
// Presses the keys in order and releases them in reverse: {VK_MENU, VK_F4} is Alt+F4.
bool TypeKeys(std::initializer_list<WORD> virtualKeys);

// A key known only by its scan code (no virtual key), as some notebook keys are; `extended`
// gives it the E0 prefix. The battery key is SendScanCode(7, true, ...).
bool SendScanCode(WORD scanCode, bool extended, KeyDirection direction);

}  // namespace e2e
