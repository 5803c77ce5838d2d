#pragma once
// One observer of window creation: told after any toolkit control's window
// was made and bound (before its children are made). The skin engine uses it
// to skin controls of pages whose windows are made only when the page is
// first shown.
class TWinControl;

using TWindowCreatedObserver = void (*)(TWinControl* control);
// Null removes the observer.
void SetWindowCreatedObserver(TWindowCreatedObserver observer);
