#include "skin/paint/win32/SkinUpDown.h"

#include <cwctype>

#include "skin/paint/core/BarGeometry.h"
#include "toolkit/Color.h"
#include "toolkit/GdiObject.h"

namespace relayon::skin {

namespace {

std::wstring LowerClassOf(HWND h) {
    wchar_t buf[128] = {};
    int n = h ? GetClassNameW(h, buf, 128) : 0;
    std::wstring s(buf, n > 0 ? static_cast<size_t>(n) : 0);
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return s;
}

RECT FromBar(const paint::BarRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A canvas drawing on a DC it does not own, for the scope.
class BorrowedCanvas {
public:
    explicit BorrowedCanvas(HDC dc) { canvas_.SetHandle(dc); }
    ~BorrowedCanvas() { canvas_.SetHandle(nullptr); }
    BorrowedCanvas(const BorrowedCanvas&) = delete;
    BorrowedCanvas& operator=(const BorrowedCanvas&) = delete;
    TCanvas& get() { return canvas_; }

private:
    TCanvas canvas_;
};

}  // namespace

TSkinUpDown::TSkinUpDown(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinUpDown::FindPlacement() {
    const std::wstring own = LowerClassOf(hwnd), parent = LowerClassOf(hwnd ? GetParent(hwnd) : nullptr);
    if (parent.find(L"edit") != std::wstring::npos || parent.find(L"datetimepick") != std::wstring::npos) inedit = true;
    if (own.find(L"tabscroller") != std::wstring::npos || parent.find(L"tabset") != std::wstring::npos) dir = 1;
}

bool TSkinUpDown::Horizontal() const {
    return dir == 1 || (hwnd && (GetWindowLongW(hwnd, GWL_STYLE) & UDS_HORZ));
}

bool TSkinUpDown::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return false;
    case WM_ERASEBKGND: DrawBackGround(Message); return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Default(Message);
        state.Include(scDown);
        Invalidate();
        return false;
    case WM_LBUTTONUP:
        state.Exclude(scDown);
        Default(Message);
        Invalidate();
        return false;
    default: return TSkinControl::BeforeProc(Message);
    }
}

void TSkinUpDown::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEMOVE: OnMouseMove(); return;
    case WM_MOUSELEAVE: OnMouseLeave(); return;
    default: TSkinControl::AfterProc(Message); return;
    }
}

void TSkinUpDown::OnMouseMove() {
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    const int under = HalfUnderCursor(RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top});
    const bool wasHot = state.Contains(scMouseIn);
    state.Include(scMouseIn);
    DoTrackMouse(hwnd);
    if (!wasHot || under != lastUnder_) Invalidate();
}

void TSkinUpDown::OnMouseLeave() {
    state.Exclude(scMouseIn);
    state.Exclude(scDown);
    Invalidate();
}

void TSkinUpDown::DrawBackGround(TMessage& Message) {
    // Our paint covers the window; a bare window's ground shows white like the edit it sits in.
    if (!control && Message.WParam) {
        RECT rc{};
        GetClientRect(hwnd, &rc);
        FillRect(reinterpret_cast<HDC>(Message.WParam), &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    Message.Result = 1;
}

int TSkinUpDown::HalfUnderCursor(const RECT& area) const {
    POINT p{};
    if (!hwnd || !GetCursorPos(&p)) return 0;
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    p.x -= wr.left;
    p.y -= wr.top;
    const paint::SpinHalves halves = paint::SplitSpin({area.left, area.top, area.right, area.bottom}, Horizontal());
    auto in = [&](const paint::BarRect& r) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; };
    if (in(halves.first)) return 1;
    if (in(halves.second)) return 2;
    return 0;
}

void TSkinUpDown::DrawControl(HDC dc, const RECT& rc) {
    if (!dc || rc.right <= rc.left || rc.bottom <= rc.top) return;
    RECT area = rc;
    if (inedit) {
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HWND host = GetParent(hwnd);
        RECT own{}, hr{};
        GetWindowRect(hwnd, &own);
        if (host) GetWindowRect(host, &hr);
        area = FromBar(paint::SpinInsideHost(rc.right - rc.left, rc.bottom - rc.top, own.left - hr.left,
                                             own.top - hr.top, hr.right - hr.left, hr.bottom - hr.top));
    }
    const int w = area.right - area.left, h = area.bottom - area.top;
    HDC mem = buf_.Prepare(w, h);
    if (!mem) return;
    const bool horizontal = Horizontal();
    const RECT local{0, 0, w, h};
    FillColor(mem, local, SchemeColor(fsd, csButtonFace));
    // An up-down inside a picker or edit is never disabled itself when its host
    // is: it looks disabled whenever the host is, as the host's text does.
    HWND host = inedit ? GetParent(hwnd) : nullptr;
    const bool disabled = (StyleOf(*this) & WS_DISABLED) != 0 || (host && !IsWindowEnabled(host));
    // The cursor's half in the drawing area's coordinates.
    int under = HalfUnderCursor(area);
    lastUnder_ = under;
    const paint::SpinStates st =
        paint::SpinHalfStates(state.Contains(scDown), state.Contains(scMouseIn), disabled, under);
    const paint::SpinHalves halves = paint::SplitSpin({0, 0, w, h}, horizontal);
    TDataSkinObject* o = fsd ? (horizontal ? fsd->HSpin.get() : fsd->VSpin.get()) : nullptr;
    const bool skinned = o && o->Map && !o->Map->Empty();
    {
        DcStateGuard keep(mem);
        BorrowedCanvas borrowed(mem);
        if (skinned) {
            DrawSkinButton(mem, FromBar(halves.first), 0, st.first);
            DrawSkinButton(mem, FromBar(halves.second), 1, st.second);
        } else {
            DrawButton(borrowed.get(), FromBar(halves.first), 0, st.first);
            DrawButton(borrowed.get(), FromBar(halves.second), 1, st.second);
        }
    }
    buf_.CopyTo(dc, area.left, area.top);
}

void TSkinUpDown::DrawSkinButton(HDC dc, const RECT& rect, int button, int I) {
    const bool horizontal = Horizontal();
    TDataSkinObject* o = fsd ? (horizontal ? fsd->HSpin.get() : fsd->VSpin.get()) : nullptr;
    if (!o || !o->Map || o->Map->Empty() || rect.right <= rect.left || rect.bottom <= rect.top) return;
    const int cell = button == 0 ? I : I + 4;
    // A skin with fewer cells than the state asks for draws nothing rather than a foreign cell.
    if (!paint::HasCell(cell, o->frame)) return;
    DrawRect1(dc, rect, *o->Map, cell, o->frame, true);
    auto* border = dynamic_cast<TDataSkinBorder*>(o);
    if (border && border->MaskMap && !border->MaskMap->Empty())
        DrawRect3(dc, rect, *border->MaskMap, cell, o->frame, true);
}

void TSkinUpDown::DrawButton(TCanvas& canvas, const RECT& rect, int button, int I) {
    HDC dc = canvas.Handle();
    if (!dc || rect.right <= rect.left || rect.bottom <= rect.top) return;
    const TShemeColor fill = (I == 2 || I == 4) ? csButtonShadow : csButtonFace;
    FillColor(dc, rect, SchemeColor(fsd, fill));
    GdiObject<HBRUSH> edge(CreateSolidBrush(ColorToRGB(SchemeColor(fsd, csButtonDkshadow))));
    FrameRect(dc, &rect, edge.get());
    const TColor ink = I == 3 ? clBtnShadow : SchemeColor(fsd, csButtonText);
    canvas.Pen().SetColor(ink);
    canvas.Brush().SetColor(ink);
    const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    if (Horizontal()) DrawArrow(canvas, cx, cy, button == 0 ? 2 : 3);
    else DrawArrow(canvas, cx, cy - 2, button == 0 ? 0 : 1);
}

}  // namespace relayon::skin
