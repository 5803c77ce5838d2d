#include "skin/paint/win32/SkinEdit.h"

#include <cwctype>
#include <string>

#include "skin/paint/win32/EditSkinDraw.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskinform.h"

namespace relayon::skin {

namespace {

bool IsUpDownClass(HWND h) {
    wchar_t buf[128] = {};
    const int n = GetClassNameW(h, buf, 128);
    std::wstring cls(buf, n > 0 ? static_cast<size_t>(n) : 0);
    for (auto& c : cls) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return cls == L"msctls_updown32" || cls.find(L"spin") != std::wstring::npos ||
           cls.find(L"updown") != std::wstring::npos;
}

}  // namespace

TSkinEdit::TSkinEdit(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinEdit::BeforeProc(TMessage& Message) {
    if (Message.Msg == CN_SkinPaintClient && Message.LParam == SkinSignature) {
        if (Message.WParam) {
            TMessage paint{WM_PAINT, Message.WParam, 0, 0};
            Default(paint);
        }
        Message.Result = SkinSignature;
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinEdit::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: PaintControl(reinterpret_cast<HDC>(Message.WParam)); return;
    // The system redraws the sunken border on its own non-client paints.
    case WM_NCPAINT: PaintControl(nullptr); return;
    case WM_PRINT:
        if (Message.LParam & PRF_NONCLIENT) PaintControl1(reinterpret_cast<HDC>(Message.WParam));
        return;
    // The up-down inside follows the host's enabled state in its look, so it
    // is painted again with it.
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
        if (updown && hwnd && IsWindow(hwnd)) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        break;
    default: break;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinEdit::FindUPDown(HWND h, TSkinData*, TCanvas*) {
    if (!skinform || !h) return;
    for (HWND child = GetWindow(h, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsUpDownClass(child)) continue;
        // One offer per child: without an up-down skinner it keeps its own look.
        if (child == upDownTried_) return;
        upDownTried_ = child;
        updown = StartSkinner(skinform, L"TSkinUpDown", nullptr, child, {});
        return;
    }
}

void TSkinEdit::DrawControl(HDC dc, const RECT& rc) {
    if (fsd && fsd->SkinControls().Contains(xcSpin) && !updown) FindUPDown(hwnd, fsd, fCanvas);
    if (!dc || !WindowHasBorder(hwnd)) return;
    DrawSunkenFrame(dc, RECT{0, 0, rc.right - rc.left, rc.bottom - rc.top}, SchemeColor(fsd, csButtonShadow), 2);
}

void TSkinEdit::PaintControl1(HDC dc) {
    if (!hwnd || WindowGone() || !IsWindow(hwnd)) return;
    GetWindowRect(hwnd, &boundsrect);
    const RECT rc{0, 0, boundsrect.right - boundsrect.left, boundsrect.bottom - boundsrect.top};
    HDC use = dc ? dc : GetWindowDC(hwnd);
    if (!use) return;
    try {
        DrawControl1(use, rc);
    } catch (...) {
        // A failed print frame leaves the printed picture as the system drew it.
    }
    if (!dc) ReleaseDC(hwnd, use);
}

void TSkinEdit::DrawControl1(HDC dc, const RECT& rc) {
    if (!WindowHasWideBorder(hwnd)) return;
    RECT ring = rc;
    InflateRect(&ring, -1, -1);
    if (HBRUSH back = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH))) FrameRect(dc, &ring, back);
    DrawSunkenFrame(dc, rc, SchemeColor(fsd, csButtonShadow), 0);
}

}  // namespace relayon::skin
