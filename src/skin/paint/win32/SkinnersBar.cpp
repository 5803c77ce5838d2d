// The container and bar family: makes and starts its skinners by name.
#include "skin/paint/win32/SkinBox.h"
#include "skin/paint/win32/SkinGroupBox.h"
#include "skin/paint/win32/SkinProgress.h"
#include "skin/paint/win32/SkinStatusBar.h"
#include "skin/paint/win32/SkinToolbar.h"
#include "skin/paint/win32/SkinTrackBar.h"
#include "skin/paint/win32/SkinUpDown.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskinform.h"

namespace relayon::skin {

namespace {

// On a toolkit control (owned by it, started with Init) or, without one, on
// the window `h` (owned by the request's owner or the form skinner).
template <class S, class Setup>
TSkinControl* Start(TWinSkinForm* sf, TComponent* control, HWND h, const SkinnerRequest& request, Setup setup) {
    if (control) {
        auto* s = new S(control);
        s->kind = request.kind;
        s->Init(sf, sf->fsd, sf->SecondCanvas(), request.acolor);
        setup(*s);
        return s;
    }
    if (!h) return nullptr;
    auto* s = new S(request.owner ? request.owner : sf);
    s->Inithwnd(h, sf->fsd, sf->SecondCanvas(), sf);
    setup(*s);
    return s;
}

template <class S>
TSkinControl* Start(TWinSkinForm* sf, TComponent* control, HWND h, const SkinnerRequest& request) {
    return Start<S>(sf, control, h, request, [](S&) {});
}

}  // namespace

// For "TSkinUpDown" the request's kind carries what the starter knows about
// the window: bit 0 it lies inside an edit, bit 1 its halves go side by side.
// Either is also found from the window's surroundings.
TSkinControl* StartBarFamily(TWinSkinForm* sf, std::wstring_view name, TComponent* control, HWND h,
                             const SkinnerRequest& request) {
    if (!sf) return nullptr;
    if (name == L"TSkinGroupBox") return Start<TSkinGroupBox>(sf, control, h, request);
    if (name == L"TSkinBox") return control ? Start<TSkinBox>(sf, control, nullptr, request) : nullptr;
    if (name == L"TSkinBoxH") return Start<TSkinBoxH>(sf, control, h, request);
    if (name == L"TSkinSizer") return Start<TSkinSizer>(sf, control, h, request);
    if (name == L"TSkinStatusBar") return Start<TSkinStatusBar>(sf, control, h, request);
    if (name == L"TSkinProgress") return Start<TSkinProgress>(sf, control, h, request);
    if (name == L"TSkinTrackBar") return Start<TSkinTrackBar>(sf, control, h, request);
    if (name == L"TSkinToolbar") return Start<TSkinToolbar>(sf, control, h, request);
    if (name == L"TSkinUpDown") {
        return Start<TSkinUpDown>(sf, control, h, request, [&](TSkinUpDown& s) {
            s.FindPlacement();
            if (request.kind & 1) s.inedit = true;
            if (request.kind & 2) s.dir = 1;
            s.kind = 0;
            s.Invalidate();
        });
    }
    return nullptr;
}

}  // namespace relayon::skin
