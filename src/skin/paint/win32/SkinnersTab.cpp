// The tab family: tab and page controls, their pages, tab sets, self-painting
// page controls and headers, each started by its skinner's name.
#include "skin/paint/win32/SkinAdvPage.h"
#include "skin/paint/win32/SkinHeader.h"
#include "skin/paint/win32/SkinTab.h"
#include "skin/paint/win32/SkinTab31.h"
#include "skin/paint/win32/SkinTabBtn.h"
#include "skin/paint/win32/SkinTabSheet.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskinform.h"

namespace relayon::skin {

namespace {

// A skinner owned by the control it skins, started with Init; or, for a
// window without a toolkit object, owned by the request's owner (default:
// the form skinner) and started with Inithwnd.
template <class S>
TSkinControl* Start(TWinSkinForm* sf, TComponent* control, HWND h, const SkinnerRequest& request) {
    if (control) {
        auto* s = new S(control);
        s->kind = request.kind;
        s->Init(sf, sf->fsd, sf->SecondCanvas(), request.acolor);
        return s;
    }
    auto* s = new S(request.owner ? request.owner : sf);
    s->Inithwnd(h, sf->fsd, sf->SecondCanvas(), sf);
    return s;
}

}  // namespace

TSkinControl* StartTabFamily(TWinSkinForm* sf, std::wstring_view name, TComponent* control, HWND h,
                             const SkinnerRequest& request) {
    if (!sf || (!control && !h)) return nullptr;
    if (name == L"TSkinTab") return Start<TSkinTab>(sf, control, h, request);
    if (name == L"TSkinTabBtn") return Start<TSkinTabBtn>(sf, control, h, request);
    if (name == L"TSkinTabSheet") return Start<TSkinTabSheet>(sf, control, h, request);
    if (name == L"TSkinHeader") return Start<subclass::TSkinHeader>(sf, control, h, request);
    // These two read their control's own properties: a bare window has none.
    if (!control) return nullptr;
    if (name == L"TSkinTab31") return Start<TSkinTab31>(sf, control, h, request);
    if (name == L"TSkinAdvPage") return Start<TSkinAdvPage>(sf, control, h, request);
    return nullptr;
}

}  // namespace relayon::skin
