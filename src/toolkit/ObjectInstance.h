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
// returns Message.Result. Procedures come from a fixed pool of
// kObjectInstanceSlots; MakeObjectInstance throws std::runtime_error when the
// pool is used up. Exceptions from the method never leave the procedure.
#include <windows.h>

#include "toolkit/ControlTypes.h"

constexpr int kObjectInstanceSlots = 256;

WNDPROC MakeObjectInstance(TWndMethod method);
void FreeObjectInstance(WNDPROC procedure);
// The window a slot's procedure is being called for (valid inside the method).
HWND ObjectInstanceWindow();
