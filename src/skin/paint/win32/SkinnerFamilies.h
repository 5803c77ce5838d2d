#pragma once
// Starting a control skinner by its class name. The form skinner's choice
// tables name the skinner ("TSkinTab", "TSkinComBox" ...); each family of
// skinners makes and starts its own members. A family answers nullptr for a
// name that is not one of its members.
#include <windows.h>

#include <string_view>

#include "toolkit/core/Component.h"

namespace relayon::skin {

class TWinSkinForm;
class TSkinControl;

struct SkinnerRequest {
    int kind = 0;             // the skinner's variant selector
    bool acolor = false;      // replace the control's colour with the scheme's face colour
    bool hasButton = false;   // a combo box of the "comboboxex" kind
    TComponent* owner = nullptr;  // owner of a skinner of a window (default: the form skinner)
};

// Starts the named skinner on a toolkit control, or, when `control` is null,
// on the window `h`. Answers the started skinner; nullptr when no family
// makes that skinner (the control then keeps its own drawing, recorded in
// the skin data's debug list).
TSkinControl* StartSkinner(TWinSkinForm* sf, std::wstring_view name, TComponent* control, HWND h = nullptr,
                           const SkinnerRequest& request = {});

// The families (one file each). Same contract as StartSkinner, nullptr for
// names that are not theirs.
// Scroll bars: TSkinScrollbar, TSkinListView, TSkinCheckList,
// TSkinScrollbarH, TSkinScControl, TComboxScrollBar.
TSkinControl* StartScrollFamily(TWinSkinForm* sf, std::wstring_view name, TComponent* control, HWND h,
                                const SkinnerRequest& request);
// Edit-like controls: TSkinComBox, TSkinEdit, TSkinDateTime.
TSkinControl* StartEditFamily(TWinSkinForm* sf, std::wstring_view name, TComponent* control, HWND h,
                              const SkinnerRequest& request);
// Tabs and headers: TSkinTab, TSkinTabBtn, TSkinTabSheet, TSkinTab31,
// TSkinAdvPage, TSkinHeader.
TSkinControl* StartTabFamily(TWinSkinForm* sf, std::wstring_view name, TComponent* control, HWND h,
                             const SkinnerRequest& request);
// Containers and bars: TSkinGroupBox, TSkinBox, TSkinBoxH, TSkinSizer,
// TSkinStatusBar, TSkinProgress, TSkinTrackBar, TSkinToolbar, TSkinUpDown.
TSkinControl* StartBarFamily(TWinSkinForm* sf, std::wstring_view name, TComponent* control, HWND h,
                             const SkinnerRequest& request);

// Gives a tool bar the form skinner's two painters for its unassigned
// OnCustomDraw and OnCustomDrawButton events (in the bar family).
void HookToolBarPainters(TWinSkinForm* sf, TComponent* toolBar);

}  // namespace relayon::skin
