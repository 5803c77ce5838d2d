// The edit-like family: combo boxes, edits and date pickers.
#include "skin/paint/win32/SkinComBox.h"
#include "skin/paint/win32/SkinDateTime.h"
#include "skin/paint/win32/SkinEdit.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskinform.h"

namespace relayon::skin {

namespace {

template <class S>
TSkinControl* Start(TWinSkinForm* sf, TComponent* control, HWND h, const SkinnerRequest& request,
                    bool hasButton = false) {
    S* s = nullptr;
    if (control) {
        s = new S(control);
        s->kind = request.kind;
        if constexpr (std::is_same_v<S, TSkinComBox>) s->HasButton = hasButton;
        s->Init(sf, sf->fsd, sf->SecondCanvas(), request.acolor);
    } else {
        s = new S(request.owner ? request.owner : sf);
        if constexpr (std::is_same_v<S, TSkinComBox>) s->HasButton = hasButton;
        s->Inithwnd(h, sf->fsd, sf->SecondCanvas(), sf);
    }
    return s;
}

}  // namespace

TSkinControl* StartEditFamily(TWinSkinForm* sf, std::wstring_view name, TComponent* control, HWND h,
                              const SkinnerRequest& request) {
    if (!sf || (!control && !h)) return nullptr;
    if (name == L"TSkinComBox") return Start<TSkinComBox>(sf, control, h, request, request.hasButton);
    if (name == L"TSkinEdit") return Start<TSkinEdit>(sf, control, h, request);
    // The arrow button lives inside a toolkit picker only.
    if (name == L"TSkinDateTime" && control) return Start<TSkinDateTime>(sf, control, h, request);
    return nullptr;
}

}  // namespace relayon::skin
