// The scroll-bar family: makes and starts the skinner named by the form
// skinner's choice tables.
#include <string_view>

#include "skin/paint/win32/SkinCheckList.h"
#include "skin/paint/win32/SkinComboScrollBar.h"
#include "skin/paint/win32/SkinScrollbar.h"
#include "skin/paint/win32/SkinScrollbarH.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

namespace {

// A skinner of a toolkit control, owned by the control and started with InitScrollbar.
template <class S>
TSkinControl* StartOnControl(TWinSkinForm* sf, TComponent* control, const SkinnerRequest& request) {
    auto* win = dynamic_cast<TWinControl*>(control);
    if (!win) return nullptr;
    auto* s = new S(control);
    s->kind = request.kind;
    s->InitScrollbar(win, sf->fsd, sf->SecondCanvas(), sf);
    return s;
}

// A skinner of a window known only by its handle.
template <class S>
TSkinControl* StartOnWindow(TWinSkinForm* sf, HWND h, const SkinnerRequest& request) {
    if (!h) return nullptr;
    auto* s = new S(request.owner ? request.owner : sf);
    s->Inithwnd(h, sf->fsd, sf->SecondCanvas(), sf);
    return s;
}

}  // namespace

TSkinControl* StartScrollFamily(TWinSkinForm* sf, std::wstring_view name, TComponent* control, HWND h,
                                const SkinnerRequest& request) {
    if (!sf) return nullptr;
    if (name == L"TSkinScrollbar") {
        TSkinControl* bars = StartOnControl<TSkinScrollbar>(sf, control, request);
        // A scroll box shows its ground around the controls on it, like a
        // panel: it takes the skin's face and text colours too.
        if (bars && dynamic_cast<TScrollBox*>(control)) StartSkinner(sf, L"TSkinBox", control, nullptr, {.acolor = true});
        return bars;
    }
    if (name == L"TSkinListView") return StartOnControl<TSkinListView>(sf, control, request);
    if (name == L"TSkinCheckList") return StartOnControl<TSkinCheckList>(sf, control, request);
    if (name == L"TSkinScControl") return StartOnControl<TSkinScControl>(sf, control, request);
    if (name == L"TSkinScrollbarH") return StartOnWindow<TSkinScrollbarH>(sf, h, request);
    if (name == L"TComboxScrollBar") return StartOnWindow<TComboxScrollBar>(sf, h, request);
    return nullptr;
}

}  // namespace relayon::skin
