// The framework's message box: a text of the resource source, captioned with the application's
// name and owned by the main window when there is one.
#pragma once

#include <windows.h>

// nIDHelp is accepted for the usual call form; no help is offered.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
