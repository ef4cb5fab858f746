// The system-wide low-level keyboard hook that forwards every key event of the desktop to the
// user-interface thread as WM_APP_HOTKEY.
#pragma once

#include <windows.h>

// The installed hook, null when none is. Written only on the user-interface thread.
extern HHOOK g_hKeyboardHook;

// Replaces any installed hook with a fresh one; TRUE when one is installed. A hook the system
// dropped silently (it does that to hooks that answered too slowly) comes back this way.
bool InstallKeyboardHook();
// Removes the installed hook, if any.
void RemoveKeyboardHook();

// Runs on the installing thread inside its message retrieval, for every key event of every
// program, which waits meanwhile: it posts, arms the hook timer when unarmed, and chains.
// Nothing of the event is kept or written anywhere.
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
