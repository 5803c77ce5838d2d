#pragma once
// Window procedures bound to method pointers, for code that subclasses a
// window with SetWindowLongPtr but wants its handler on an object:
//
//   WNDPROC proc = MakeObjectInstance(TWndMethod(this, &TSkinner::WndProc));
//   old = (WNDPROC)SetWindowLongPtrW(hwnd, GWLP_WNDPROC, (LONG_PTR)proc);
//   ...
//   SetWindowLongPtrW(hwnd, GWLP_WNDPROC, (LONG_PTR)old);
//   FreeObjectInstance(proc);
//
// The procedure packs its arguments into a TMessage, calls the method and
// returns Message.Result; exceptions from the method never leave it (they go
// to Application->HandleException). There is no fixed limit: each procedure
// is a small piece of generated code, taken from executable blocks that are
// allocated as needed. A freed procedure is handed out again by a later
// MakeObjectInstance, and a block whose procedures are all freed is given
// back to the system (the last one is kept). Any thread may make and free procedures.
#include <windows.h>

#include "toolkit/ControlTypes.h"

// Throws std::bad_alloc when the system refuses executable memory.
WNDPROC MakeObjectInstance(TWndMethod method);
// Procedures not made by MakeObjectInstance (and nullptr) are ignored.
void FreeObjectInstance(WNDPROC procedure);
// The window a procedure is being called for (valid inside the method).
HWND ObjectInstanceWindow();
