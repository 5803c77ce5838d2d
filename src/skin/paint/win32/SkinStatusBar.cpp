#include "skin/paint/win32/SkinStatusBar.h"

#include "skin/paint/core/BarGeometry.h"
#include "toolkit/Color.h"
#include "toolkit/GdiObject.h"
#include "toolkit/StatusBar.h"

namespace relayon::skin {

namespace {

bool HasImage(const TDataSkinObject* o) { return o && o->Map && !o->Map->Empty(); }

RECT ToRect(const paint::BarRect& r) { return {r.left, r.top, r.right, r.bottom}; }

UINT AlignmentFlag(TAlignment a) {
    switch (a) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

UINT Mirrored(UINT align) {
    if (align == DT_LEFT) return DT_RIGHT;
    if (align == DT_RIGHT) return DT_LEFT;
    return align;
}

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

TSkinStatusBar::TSkinStatusBar(TComponent* AOwner) : TSkinControl(AOwner) {}

TStatusBar* TSkinStatusBar::Bar() const { return dynamic_cast<TStatusBar*>(control); }

bool TSkinStatusBar::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return false;
    case WM_ERASEBKGND: Message.Result = 1; return false;
    default: return TSkinControl::BeforeProc(Message);
    }
}

std::vector<TSkinStatusBar::Panel> TSkinStatusBar::ReadPanels(const RECT& rc, bool& simple) {
    std::vector<Panel> panels;
    TStatusBar* bar = Bar();
    const int count = bar ? bar->Panels().Count() : static_cast<int>(SendMessageW(hwnd, SB_GETPARTS, 0, 0));
    simple = bar ? (bar->SimplePanel() || count == 0) : (SendMessageW(hwnd, SB_ISSIMPLE, 0, 0) != 0 || count <= 0);
    if (simple) return panels;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    for (int i = 0; i < count; ++i) {
        Panel p;
        RECT part{};
        SendMessageW(hwnd, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&part));
        p.rect = ToRect(paint::StatusPanelRect({part.left, part.top, part.right, part.bottom}, i == count - 1, w, h));
        if (bar) {
            TStatusPanel* panel = bar->Panels().Items(i);
            p.text = panel->Text();
            p.align = AlignmentFlag(panel->Alignment());
            if (bar->BiDiMode() == bdRightToLeft) p.align = Mirrored(p.align);
            p.state = panel->Bevel() == pbRaised ? 2 : panel->Bevel() == pbLowered ? 1 : 3;
            p.ownerDraw = panel->Style() == psOwnerDraw;
        } else {
            const LRESULT info = SendMessageW(hwnd, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0);
            std::wstring text(LOWORD(info) + 1u, L'\0');
            SendMessageW(hwnd, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
            text.resize(wcslen(text.c_str()));
            p.text = text;
            const int type = HIWORD(info);
            p.state = (type & SBT_POPOUT) ? 2 : (type & SBT_NOBORDERS) ? 3 : 1;
            p.ownerDraw = (type & SBT_OWNERDRAW) != 0;
        }
        panels.push_back(p);
    }
    return panels;
}

void TSkinStatusBar::DrawBackground(HDC dc, TCanvas& canvas, const RECT& r, UINT align, const std::wstring& text,
                                    int I) {
    if (fsd && HasImage(fsd->StatusBar.get())) drawitem(dc, r, align, text, I);
    else Defaultpaint(canvas, r, align, text, I);
}

void TSkinStatusBar::DrawControl(HDC dc, const RECT& rc) {
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC mem = buf_.Prepare(w, h);
    if (!dc || !mem) return;
    const RECT all{0, 0, w, h};
    bool simple = false;
    std::vector<Panel> panels = ReadPanels(all, simple);
    {
        DcStateGuard keep(mem);
        BorrowedCanvas borrowed(mem);
        TCanvas& canvas = borrowed.get();
        FillColor(mem, all, SchemeColor(fsd, csButtonFace));
        if (HFONT font = FontOf(*this)) SelectObject(mem, font);
        COLORREF textColour = BaseTextColour(*this);
        if (fsd && fsd->StatusBar) textColour = ColorToRGB(fsd->StatusBar->Normalcolor2);
        const bool isEnabled = !(StyleOf(*this) & WS_DISABLED);
        auto drawText = [&](const RECT& r, const std::wstring& text, UINT align) {
            // DrawCaption draws in the canvas' font and colour; set them on the DC it selects.
            SetTextColor(mem, textColour);
            SetBkMode(mem, TRANSPARENT);
            RECT tr{r.left + 2, r.top, r.right - 2, r.bottom};
            const std::wstring shown = text.empty() ? L" " : text;
            RECT measure = tr;
            DrawTextW(mem, shown.c_str(), static_cast<int>(shown.size()), &measure,
                      align | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
            const int th = measure.bottom - measure.top;
            RECT out{tr.left, tr.top + (tr.bottom - tr.top - th) / 2 - 1, tr.right, 0};
            out.bottom = out.top + th;
            if (!isEnabled) SetTextColor(mem, GetSysColor(COLOR_BTNSHADOW));
            DrawTextW(mem, shown.c_str(), static_cast<int>(shown.size()), &out,
                      CheckBiDi(align | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP));
        };
        if (simple) {
            TStatusBar* bar = Bar();
            const UINT align = bar && bar->BiDiMode() == bdRightToLeft ? DT_RIGHT : DT_LEFT;
            std::wstring text = bar ? bar->SimpleText() : caption;
            DrawBackground(mem, canvas, all, align, text, 1);
            drawText(all, text, align);
        } else {
            for (const Panel& p : panels) {
                DrawBackground(mem, canvas, p.rect, p.align, p.text, p.state);
                if (!p.ownerDraw && p.rect.right >= p.rect.left) drawText(p.rect, p.text, p.align);
            }
        }
        DrawGrip(mem, all);
    }
    buf_.CopyTo(dc, rc.left, rc.top);
    if (control) control->PaintControls(dc, nullptr);
    if (!simple) CallDrawPanel(panels);
}

void TSkinStatusBar::DrawGrip(HDC dc, const RECT& rc) {
    if (!(StyleOf(*this) & SBARS_SIZEGRIP) || !fsd || !HasImage(fsd->ExtraImages.get())) return;
    TBitmap& map = *fsd->ExtraImages->Map;
    const int cells = fsd->ExtraImages->frame;
    // A grip image with fewer than five cells has no grip cell.
    if (!paint::HasCell(5, cells)) return;
    const int cellW = map.Width() / cells;
    paint::BarRect g = paint::SizeGripRect(rc.right - rc.left, rc.bottom - rc.top, cellW, map.Height());
    if (g.Empty()) return;
    // Drawn at its own size: a bar lower than the grip shows its bottom-right part.
    if (g.Width() < cellW || g.Height() < map.Height()) return;
    DrawRect1(dc, ToRect(g), map, 5, cells, true);
}

void TSkinStatusBar::CallDrawPanel(const std::vector<Panel>& panels) {
    TStatusBar* bar = Bar();
    if (!bar || !bar->OnDrawPanel) return;
    for (size_t i = 0; i < panels.size() && static_cast<int>(i) < bar->Panels().Count(); ++i) {
        RECT r = panels[i].rect;
        InflateRect(&r, -2, -2);
        bar->OnDrawPanel(bar, bar->Panels().Items(static_cast<int>(i)), r);
    }
}

void TSkinStatusBar::drawitem(HDC dc, const RECT& rect, UINT, const std::wstring&, int I) {
    if (!dc || rect.right < rect.left || rect.bottom < rect.top || !fsd || !HasImage(fsd->StatusBar.get())) return;
    TDataSkinObject& o = *fsd->StatusBar;
    DrawRect2(dc, rect, *o.Map, {o.r.Left, o.r.Top, o.r.Right, o.r.Bottom}, I, 3, false, o.Tile != 0, false);
}

void TSkinStatusBar::Defaultpaint(TCanvas& canvas, const RECT& rect, UINT, const std::wstring&, int I) {
    if (I != 1 && I != 2) return;
    HDC dc = canvas.Handle();
    if (!dc || rect.right <= rect.left || rect.bottom <= rect.top) return;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF topLeft = I == 1 ? shadow : light, bottomRight = I == 1 ? light : shadow;
    GdiObject<HBRUSH> tl(CreateSolidBrush(topLeft)), br(CreateSolidBrush(bottomRight));
    RECT top{rect.left, rect.top, rect.right, rect.top + 1}, left{rect.left, rect.top, rect.left + 1, rect.bottom};
    RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom}, right{rect.right - 1, rect.top, rect.right, rect.bottom};
    FillRect(dc, &top, tl.get());
    FillRect(dc, &left, tl.get());
    FillRect(dc, &bottom, br.get());
    FillRect(dc, &right, br.get());
}

}  // namespace relayon::skin
