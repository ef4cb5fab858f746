// The one module every string, template, bitmap and icon is looked up in, chosen once at
// start-up: a language library beside the executable when one loads, else the executable.
#pragma once

#include <windows.h>

// Returns the loaded language library, which stays loaded for the rest of the run, or
// `executable`. The library is mapped as resource data only: no code in it ever runs.
HMODULE ChooseResourceSource(HMODULE executable);
