// The floor of Kestrum's resident set: the start-up the platform requires and nothing else,
// no sheet on the battery key.
//
//   bench_bare_startup
#include <windows.h>

#include "bench/wine/floor/bare_host_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return bench::RunBareHost(nullptr); }
