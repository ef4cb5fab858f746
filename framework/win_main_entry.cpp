// The platform's entry point of a framework program; linked into the executable itself, so
// that test programs of the framework keep their own.
#include <windows.h>

#include "framework/win_main.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return AfxWinMain(); }
