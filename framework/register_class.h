// Window classes registered by the framework on demand, named after what they are made of.
#pragma once

#include <windows.h>

// Registers (once) a class with the framework's window procedure and returns its name:
// "Afx:MMMMMMMM:s" from the module handle (eight upper-case hexadecimal digits) and the class
// style (lower-case hexadecimal); with a cursor, brush or icon their handles follow in the same
// eight-digit form, ":cccccccc:bbbbbbbb:iiiiiiii". The name stays valid for the process.
LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                            HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
