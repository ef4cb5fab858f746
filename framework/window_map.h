// The one mapping between windows and framework objects, and the hand-over that makes it.
//
// A framework object is handed over just before a creation call (its own, or one the platform
// makes for it, such as a property page's); the platform's creation notice redirects the new
// window to the framework's window procedure, which attaches the object at the window's first
// message. Only the first window created after a hand-over is taken.
#pragma once

#include <windows.h>

class CWnd;

// Hands `pWnd` over for the next window created on this thread. Refused when the object is
// already bound to a window, so that no object is ever mapped twice.
bool AfxHookWindowCreate(CWnd* pWnd);

// Ends a creation call: a hand-over that no window took up is dropped. False then: the
// creation failed before the window's first message, so no window will ever end the object.
bool AfxUnhookWindowCreate();

// Drops a hand-over of `pWnd` that no window took up, for creations the platform makes on the
// object's behalf, whose end the framework does not see; other hand-overs are left alone.
void AfxCancelWindowCreate(CWnd* pWnd);

// At a window's first message: binds and returns the object handed over for it, else null.
CWnd* AfxAttachHandedOver(HWND hWnd);

// At WM_NCDESTROY: gives the window its own procedure back and unbinds the object.
void AfxDetach(CWnd* pWnd);
