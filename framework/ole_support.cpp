#include "framework/ole_support.h"

#include <ole2.h>

namespace {
bool g_oleInitialised = false;
}  // namespace

BOOL AfxOleInit() {
    if (g_oleInitialised) return TRUE;
    g_oleInitialised = SUCCEEDED(OleInitialize(nullptr));
    return g_oleInitialised;
}

void AfxOleTerm() {
    if (!g_oleInitialised) return;
    g_oleInitialised = false;
    OleUninitialize();
}

void AfxEnableControlContainer() {}
