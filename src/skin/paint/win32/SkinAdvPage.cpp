#include "skin/paint/win32/SkinAdvPage.h"

#include <algorithm>

#include "skin/paint/core/TabGeometry.h"
#include "skin/paint/win32/SkinTabParts.h"
#include "skin/paint/win32/SkinnerFamilies.h"

namespace relayon::skin {

TSkinAdvPage::TSkinAdvPage(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinAdvPage::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == opRemove && component == updown) updown = nullptr;
}

void TSkinAdvPage::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    if (Inited) return;
    TSkinControl::Init(sf, sd, acanvas, acolor);
    ChangeImage();
}

void TSkinAdvPage::SetAdvPage(const wchar_t* name, TBitmap* picture) {
    TObject* owner = Owner();
    auto* target = owner ? dynamic_cast<TBitmap*>(GetObjProp(owner, name)) : nullptr;
    if (target) target->Assign(picture);
}

void TSkinAdvPage::ChangeImage() {
    const TDataSkinObject* tab = fsd ? fsd->tab.get() : nullptr;
    if (!HasMap(tab)) return;
    const RECT rc{0, 0, kPictureWidth, kPictureHeight};
    const paint::SliceMargins m{tab->r.Left, tab->r.Top, tab->r.Right, tab->r.Bottom};
    const int cells = std::max(1, tab->frame);
    auto normal = GetHMap(rc, *tab->Map, m, paint::StateCell(1, cells), cells, tab->Tile != 0, false);
    auto active = GetHMap(rc, *tab->Map, m, paint::StateCell(2, cells), cells, tab->Tile != 0, false);
    if (normal) SetAdvPage(L"TabBackGround", normal.get());
    if (active) SetAdvPage(L"TabBackGroundActive", active.get());
}

void TSkinAdvPage::Unsubclass() {
    if (skinned && !WindowGone()) {
        SetAdvPage(L"TabBackGround", nullptr);
        SetAdvPage(L"TabBackGroundActive", nullptr);
    }
    TSkinControl::Unsubclass();
}

bool TSkinAdvPage::FindScroll() {
    if (!hwnd) return false;
    HWND arrows = FindWindowExW(hwnd, nullptr, L"msctls_updown32", nullptr);
    if (!arrows) return false;
    if (!updown && skinform) {
        SkinnerRequest request;
        request.owner = Owner();
        updown = StartSkinner(skinform, L"TSkinUpDown", nullptr, arrows, request);
        if (updown) FreeNotification(updown);
    }
    return (GetWindowLongW(arrows, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TSkinAdvPage::DrawControl(HDC, const RECT&) { FindScroll(); }

void TSkinAdvPage::SkinChange() {
    ChangeImage();
    TSkinControl::SkinChange();
}

}  // namespace relayon::skin
