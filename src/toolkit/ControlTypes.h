#pragma once
// Event and helper types shared by every control.
#include <windows.h>

#include "toolkit/core/Events.h"
#include "toolkit/Messages.h"
#include "toolkit/core/Set.h"

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Border of forms (all values) and of edits and panels (bsNone / bsSingle).
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

using TWndMethod = TMethod<void(TMessage& Msg)>;
using TMouseEvent = TMethod<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TMethod<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TMethod<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = TMethod<void(TObject* Sender, wchar_t& Key)>;
using TCloseAction = int;

// Modifier keys from a mouse message's wParam.
TShiftState MouseShiftState(WPARAM keys);
// Modifier keys held right now.
TShiftState KeyboardShiftState();
