// The framework's OLE support, initialised once by the application.
#pragma once

#include <windows.h>

// Initialises OLE on the calling thread; FALSE when the platform refuses.
BOOL AfxOleInit();
// Undoes a successful AfxOleInit; the framework's entry calls it as the process ends.
void AfxOleTerm();
// Lets the program's windows host controls. No window of this framework embeds one, so there
// is nothing to prepare; the call keeps the application's start-up in its usual form.
void AfxEnableControlContainer();
