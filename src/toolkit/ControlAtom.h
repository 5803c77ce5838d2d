#pragma once
// Binding between windows and toolkit objects. Every toolkit window carries a
// window property keyed by the global atom of
//     "ControlOfs" + HINSTANCE + ThreadID     (8 upper-case hex digits each;
//                                              the instance is its low 32 bits)
// whose value is the TWinControl. The same text names a registered message
// (RM_GetObjectInstance) that a toolkit window answers with its object.
// Key, atom and message are computed once, for the module instance and the
// thread that first asks.
#include <windows.h>

#include <string>

class TWinControl;

const std::wstring& ControlAtomName();
ATOM ControlAtom();
UINT RM_GetObjectInstance();

// The control bound to a window of this process, or null.
TWinControl* FindControl(HWND window);
// The control bound to the window or to its nearest ancestor (e.g. the combo
// box that owns an inner edit), or null.
TWinControl* FindControlOrAncestor(HWND window);

void BindControl(HWND window, TWinControl* control);
void UnbindControl(HWND window);
