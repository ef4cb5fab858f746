// A language library that also carries code: loading it as a resource source must never run
// it. Running leaves a mark in the process's environment.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetEnvironmentVariableW(L"KESTRUM_LIBRARY_CODE_RAN", L"1");
    }
    return TRUE;
}
