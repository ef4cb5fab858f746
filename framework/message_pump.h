// How a message travels through the framework: retrieved, offered to the pre-filters, then
// dispatched to the framework's window procedure and the object's handling. The application's
// message loop and every nested modal loop use these same functions.
#pragma once

#include <windows.h>

class CWnd;

// Every window of a framework object runs this procedure.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Retrieves one message, offers it for pre-translation and dispatches what no filter consumed.
// Returns FALSE when the message is WM_QUIT, which is left in `msg` undispatched.
BOOL AfxPumpMessage(MSG& msg);

// Offers a retrieved message to the thread's filter: the application object's, else the plain
// walk with no main window. TRUE when a filter consumed it.
BOOL AfxPreTranslateMessage(MSG* pMsg);

// The walk every thread filter makes. A window message goes up from its target through
// parents and owners, each window with a framework object getting its own filter first, and
// ends at the main window. A thread message, or one for a window outside the main window's
// family, is offered to the main window's filter last.
BOOL AfxPreTranslateThroughChain(MSG* pMsg, CWnd* pMainWnd);
