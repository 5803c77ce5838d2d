#pragma once
// The button family's place in the choice of a control skinner: push
// buttons, bit buttons, speed buttons, menu buttons, check boxes, radio
// buttons, media players and other vendors' check and radio items.
#include <windows.h>

#include <string>

#include "toolkit/core/Component.h"

namespace relayon::skin {

class TWinSkinForm;

// Each answers true when the choice of a skinner ends here: a skinner was
// made and started (Init / Inithwnd with sf, sf->fsd, sf->SecondCanvas()), or
// the row leaves the control unskinned on purpose (its SkinControls flag is
// off). False lets the caller go on with the rows of other families.

// A toolkit control, by its class (upper-case class name given for the
// name-only rows: "TMEDIAPLAYER", "TRZCHECKBOX" ...).
bool AddButtonSkinner(TWinSkinForm* sf, TComponent* control, const std::wstring& upperClassName);
// A plain window, by its lower-case window class ("button", "tbutton",
// "tcheckbox") and style; the caller has checked it is not already skinned.
bool AddButtonSkinnerHwnd(TWinSkinForm* sf, HWND h, const std::wstring& windowClass, DWORD style);
// A control named in the skin data's Skin3rd table, by its lower-case kind
// ("button", "bitbtn", "pngbitbtn", "pngspeedbutton", "menubtn",
// "speedbutton", "mediaplayer", "checkbox", "radiobutton"), and for the
// children of "radiogroup" / "checkgroup" rows the kinds "radioitem" and
// "checkitem" (the vendor's own items get TSkinObjImage when the class name
// contains "TRZ").
bool AddButtonSkinnerKind(TWinSkinForm* sf, TComponent* control, const std::wstring& kind);

}  // namespace relayon::skin
