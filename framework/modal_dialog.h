// A modal run of a framework dialog made from a template of the resource source.
#pragma once

#include "framework/dialog.h"

// Creates the dialog modeless, owned by the main window, disables the owner and runs the
// framework's nested loop until the dialog's own handling calls EndModalLoop; then the owner
// is enabled again and the dialog destroyed. Returns EndModalLoop's result, or -1 when the
// dialog could not be made.
INT_PTR AfxRunModalDialog(CDialog& dialog, UINT nIDTemplate);
