#include "skin/paint/win32/SkinnerFamilies.h"

#include <string>

#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/Winskinform.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

TSkinControl* StartSkinner(TWinSkinForm* sf, std::wstring_view name, TComponent* control, HWND h,
                           const SkinnerRequest& request) {
    if (!sf || (!control && !h)) return nullptr;
    using Family = TSkinControl* (*)(TWinSkinForm*, std::wstring_view, TComponent*, HWND, const SkinnerRequest&);
    for (Family family : {StartScrollFamily, StartEditFamily, StartTabFamily, StartBarFamily}) {
        if (TSkinControl* s = family(sf, name, control, h, request)) {
            // The base class repaints the control while it is being started,
            // before a skinner has read its pictures from the skin; the
            // control is painted again, with them, at the next paint.
            if (s->hwnd && IsWindow(s->hwnd)) InvalidateRect(s->hwnd, nullptr, TRUE);
            return s;
        }
    }
    if (sf->fsd && sf->fsd->DebugList)
        sf->fsd->DoDebug(L"no skinner " + std::wstring(name) + L" for " + (control ? control->Name() : L"a window"));
    return nullptr;
}

}  // namespace relayon::skin
