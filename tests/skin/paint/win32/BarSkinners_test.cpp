// Container and bar skinners on real windows with the light skin: the skin's
// pictures are where each skinner puts them (compared with the skin bitmaps'
// own pixels), the controls keep their behaviour under real input, bad
// ranges draw sensibly, and controls given back look exactly as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "PixelCapture.h"
#include "SkinTestSupport.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/SkinToolbarPainters.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskinform.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Application.h"
#include "toolkit/DateTimePicker.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Panel.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/StatusBar.h"
#include "toolkit/ToolBar.h"
#include "toolkit/TrackBar.h"
#include "toolkit/UpDown.h"
#include "toolkit/testing/GdiObjectCount.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;

using skintest::MouseButton;
using skintest::MoveMouseTo;

namespace {

using skintest::ClientPixel;

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// The client area's pixels as the screen shows them, row by row.
std::vector<COLORREF> Snapshot(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    std::vector<COLORREF> px;
    HDC dc = GetDC(h);
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) px.push_back(GetPixel(dc, x, y));
    ReleaseDC(h, dc);
    return px;
}

// Pixels of `h` inside `r` whose colour is in `colours`.
int CountIn(HWND h, const RECT& r, const std::set<COLORREF>& colours) {
    int n = 0;
    HDC dc = GetDC(h);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += colours.count(GetPixel(dc, x, y)) ? 1 : 0;
    ReleaseDC(h, dc);
    return n;
}

// The colours of cell `cell` (from 1) of `cells` side by side, magenta left out.
std::set<COLORREF> CellColours(TBitmap& map, int cells, int cell) {
    std::set<COLORREF> out;
    const int w = map.Width() / cells;
    for (int y = 0; y < map.Height(); ++y)
        for (int x = 0; x < w; ++x) out.insert(GetPixel(map.Canvas().Handle(), (cell - 1) * w + x, y));
    out.erase(kMagenta);
    return out;
}

std::set<COLORREF> Minus(std::set<COLORREF> a, const std::set<COLORREF>& b) {
    for (COLORREF c : b) a.erase(c);
    return a;
}

// Mismatches between the unstretched corners of a nine-slice of cell `cell`
// drawn into `dest` of `h` and the cell's own corners (magenta skipped).
enum Corners { kBothCorners, kFarCorner };
int CornerMismatches(HWND h, const RECT& dest, TDataSkinObject& o, int cell, int cells, int* checked = nullptr,
                     Corners which = kBothCorners) {
    TBitmap& map = *o.Map;
    const int cw = map.Width() / cells, ch = map.Height(), x0 = (cell - 1) * cw;
    int bad = 0, seen = 0;
    auto compare = [&](int sx, int sy, int dx, int dy) {
        COLORREF want = GetPixel(map.Canvas().Handle(), x0 + sx, sy);
        if (want == kMagenta) return;
        ++seen;
        bad += ClientPixel(h, dx, dy) != want;
    };
    for (int y = 0; y < o.r.Top && which == kBothCorners; ++y)
        for (int x = 0; x < o.r.Left; ++x) compare(x, y, dest.left + x, dest.top + y);
    for (int y = 0; y < o.r.Bottom; ++y)
        for (int x = 0; x < o.r.Right; ++x)
            compare(cw - 1 - x, ch - 1 - y, dest.right - 1 - x, dest.bottom - 1 - y);
    if (checked) *checked = seen;
    return bad;
}

POINT ToScreen(HWND h, int x, int y) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    return p;
}
void Repaint(HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW); }

class Recorder : public TObject {
public:
    int clicks = 0, panelsDrawn = 0;
    void Clicked(TObject*) { ++clicks; }
    void DrawPanel(TStatusBar*, TStatusPanel*, const RECT&) { ++panelsDrawn; }
};

class BarSkinners : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        skin.LoadFromStream(skintest::LightSkin());
        ASSERT_FALSE(skin.Empty);
        sf = std::make_unique<TWinSkinForm>(nullptr);
        sf->fsd = &skin;
        sf->Skinstate = 1;
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 520, 400);
        MoveMouseTo(POINT{2, 2});
    }
    void TearDown() override {
        form.reset();
        sf.reset();
    }
    template <class C>
    C* Add(int x, int y, int w, int h) {
        auto* c = new C(form.get());
        c->SetParent(form.get());
        c->SetBounds(x, y, w, h);
        return c;
    }
    TSkinControl* Skin(const wchar_t* name, TWinControl* c, bool acolor = false) {
        return StartSkinner(sf.get(), name, c, nullptr, {.acolor = acolor});
    }
    COLORREF Scheme(TShemeColor which) { return static_cast<COLORREF>(skin.Colors[which]); }

    TSkinData skin{nullptr};
    std::unique_ptr<TWinSkinForm> sf;
    std::unique_ptr<TForm> form;
    Recorder rec;
};

}  // namespace

TEST_F(BarSkinners, StatusBarPanelsGripAndDrawPanelCalls) {
    form->SetBorderStyle(bsSizeable);
    auto* bar = Add<TStatusBar>(0, 340, 500, 24);
    const TStatusPanelBevel bevels[3] = {pbLowered, pbRaised, pbNone};
    for (TStatusPanelBevel b : bevels) {
        TStatusPanel* p = bar->Panels().Add();
        p->SetWidth(150);
        p->SetBevel(b);
        p->SetText(b == pbNone ? L"" : L"Status");
    }
    bar->OnDrawPanel = TDrawPanelEvent(&rec, &Recorder::DrawPanel);
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(Skin(L"TSkinStatusBar", bar));
    uitest::Pump(50);
    rec.panelsDrawn = 0;
    Repaint(bar->Handle());

    RECT client{};
    GetClientRect(bar->Handle(), &client);
    for (int i = 0; i < 3; ++i) {
        RECT part{};
        SendMessageW(bar->Handle(), SB_GETRECT, i, reinterpret_cast<LPARAM>(&part));
        RECT dest{part.left, part.top, i == 2 ? client.right : part.right + 2, part.bottom};
        int checked = 0;
        const int cell = i == 0 ? 1 : i == 1 ? 2 : 3;
        EXPECT_EQ(CornerMismatches(bar->Handle(), dest, *skin.StatusBar, cell, 3, &checked), 0) << "panel " << i;
        EXPECT_GT(checked, 0);
    }
    // The grip: cell 5 of the extra images at its own size, one pixel inside the corner.
    ASSERT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
    TBitmap& extra = *skin.ExtraImages->Map;
    const int gw = extra.Width() / skin.ExtraImages->frame, gh = extra.Height();
    int gripPixels = 0, gripBad = 0;
    for (int y = 0; y < gh; ++y)
        for (int x = 0; x < gw; ++x) {
            COLORREF want = GetPixel(extra.Canvas().Handle(), 4 * gw + x, y);
            if (want == kMagenta) continue;
            ++gripPixels;
            gripBad += ClientPixel(bar->Handle(), client.right - 1 - gw + x, client.bottom - 1 - gh + y) != want;
        }
    EXPECT_GT(gripPixels, 0);
    EXPECT_EQ(gripBad, 0);
    // Every panel's handler runs, the one without text included.
    EXPECT_EQ(rec.panelsDrawn, 3);
    // An extra-images strip without a fifth cell has no grip to show.
    const int cells = skin.ExtraImages->frame;
    skin.ExtraImages->frame = 4;
    Repaint(bar->Handle());
    EXPECT_NE(ClientPixel(bar->Handle(), client.right - 2, client.bottom - 2),
              GetPixel(extra.Canvas().Handle(), 5 * gw - 1, gh - 1) == kMagenta ? RGB(1, 2, 3)
                                                                               : GetPixel(extra.Canvas().Handle(), 5 * gw - 1, gh - 1));
    skin.ExtraImages->frame = cells;
}

TEST_F(BarSkinners, ProgressFillsByPositionInChunksAndUpright) {
    auto* plain = Add<TProgressBar>(10, 10, 200, 16);
    auto* chunked = Add<TProgressBar>(10, 40, 200, 16);
    auto* upright = Add<TProgressBar>(260, 10, 16, 200);
    upright->SetOrientation(pbVertical);
    for (TProgressBar* p : {plain, chunked, upright}) {
        p->SetMin(50);
        p->SetMax(100);
        p->SetPosition(75);
    }
    uitest::ShowAndActivate(*form);
    for (TProgressBar* p : {plain, upright}) ASSERT_TRUE(Skin(L"TSkinProgress", p));
    TDataSkinObject& trough = *skin.progress;

    // Half of 50..100: the fill (cell 2) ends half way, the trough (cell 1) reaches the end.
    Repaint(plain->Handle());
    RECT c{};
    GetClientRect(plain->Handle(), &c);
    EXPECT_EQ(CornerMismatches(plain->Handle(), RECT{0, 0, c.right / 2, c.bottom}, trough, 2, 2), 0);
    EXPECT_EQ(CornerMismatches(plain->Handle(), c, trough, 1, 2, nullptr, kFarCorner), 0);
    plain->SetPosition(50);  // the start of the range: nothing filled
    Repaint(plain->Handle());
    EXPECT_EQ(CornerMismatches(plain->Handle(), c, trough, 1, 2), 0);
    EXPECT_EQ(CountIn(plain->Handle(), c, Minus(CellColours(*trough.Map, 2, 2), CellColours(*trough.Map, 2, 1))), 0);

    // Upright: the fill grows from the bottom.
    Repaint(upright->Handle());
    RECT u{};
    GetClientRect(upright->Handle(), &u);
    const auto fillOnly = Minus(CellColours(*trough.Map, 2, 2), CellColours(*trough.Map, 2, 1));
    EXPECT_GT(CountIn(upright->Handle(), RECT{0, u.bottom / 2 + 2, u.right, u.bottom}, fillOnly), 20);
    EXPECT_EQ(CountIn(upright->Handle(), RECT{0, 0, u.right, u.bottom / 2 - 2}, fillOnly), 0);

    // Chunks: copies of the chunk image from the trough's margin, ending with the fill.
    trough.style = 1;
    ASSERT_TRUE(Skin(L"TSkinProgress", chunked));
    TDataSkinObject& chunk = *skin.progresschunk;
    const auto chunkColours = CellColours(*chunk.Map, 1, 1);
    for (int pos : {60, 75, 90}) {
        chunked->SetPosition(pos);
        Repaint(chunked->Handle());
        RECT r{};
        GetClientRect(chunked->Handle(), &r);
        const int row = (r.bottom - chunk.Map->Height()) / 2 + chunk.Map->Height() / 2;
        int first = -1, last = -1;
        for (int x = 0; x < r.right; ++x)
            if (chunkColours.count(ClientPixel(chunked->Handle(), x, row))) {
                if (first < 0) first = x;
                last = x;
            }
        const int fillEnd = chunk.r.Left + 2 + r.right * (pos - 50) / 50;
        EXPECT_EQ(first, chunk.r.Left + 2) << pos;
        EXPECT_LT(last, fillEnd) << pos;
        EXPECT_GE(last, fillEnd - chunk.Map->Width()) << pos;
    }
    trough.style = 0;
}

TEST_F(BarSkinners, TrackThumbFollowsDragAndKeysAsUnskinned) {
    auto* track = Add<TTrackBar>(10, 10, 300, 40);
    auto* plain = Add<TTrackBar>(10, 80, 300, 40);
    for (TTrackBar* t : {track, plain}) {
        t->SetMax(20);
        t->SetPosition(5);
    }
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(Skin(L"TSkinTrackBar", track));
    Repaint(track->Handle());
    TBitmap& thumbs = *skin.TrackHorz->Map;
    const auto thumbOnly = Minus(Minus(CellColours(thumbs, 5, 2), CellColours(*skin.TrackBar->Map, 1, 1)),
                                 {ClientPixel(track->Handle(), 1, 1)});
    ASSERT_FALSE(thumbOnly.empty());
    auto thumbRect = [](TTrackBar* t) {
        RECT r{};
        SendMessageW(t->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    };
    const RECT before = thumbRect(track);
    EXPECT_GT(CountIn(track->Handle(), before, thumbOnly), 10);

    // The same drag and the same keys on both bars end at the same position.
    for (TTrackBar* t : {track, plain}) {
        const RECT th = thumbRect(t);
        MoveMouseTo(ToScreen(t->Handle(), (th.left + th.right) / 2, (th.top + th.bottom) / 2));
        MouseButton(true);
        MoveMouseTo(ToScreen(t->Handle(), (th.left + th.right) / 2 + 120, (th.top + th.bottom) / 2));
        MouseButton(false);
        t->SetFocus();
        uitest::PressKey(VK_RIGHT);
        uitest::PressKey(VK_RIGHT);
        uitest::PressKey(VK_LEFT);
        uitest::Pump(40);
    }
    EXPECT_GT(track->Position(), 6);
    EXPECT_EQ(track->Position(), plain->Position());
    // The skin's thumb moved with it.
    const RECT after = thumbRect(track);
    EXPECT_GT(after.left, before.right);
    EXPECT_GT(CountIn(track->Handle(), after, thumbOnly), 10);
    EXPECT_EQ(CountIn(track->Handle(), before, thumbOnly), 0);
}

TEST_F(BarSkinners, UpDownArrowsStepTheValueAndShowThePress) {
    auto* edit = Add<TEdit>(10, 10, 80, 24);
    auto* spin = Add<TUpDown>(90, 10, 17, 34);
    spin->SetAssociate(edit);
    spin->SetPosition(10);
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(Skin(L"TSkinUpDown", spin));
    HWND h = spin->Handle();
    Repaint(h);
    RECT c{};
    GetClientRect(h, &c);
    const RECT top{0, 0, c.right, c.bottom / 2}, bottom{0, c.bottom / 2, c.right, c.bottom};
    auto* glyphs = dynamic_cast<TDataSkinBorder*>(skin.VSpin.get());
    ASSERT_TRUE(glyphs && !glyphs->MaskMap->Empty());
    // Each half shows its plate and its own arrow glyph (up 1-4, down 5-8).
    const auto upArrow = Minus(CellColours(*glyphs->MaskMap, 8, 1), {Scheme(csButtonFace)});
    const auto plate = Minus(CellColours(*skin.VSpin->Map, 8, 1), {Scheme(csButtonFace)});
    EXPECT_GT(CountIn(h, top, upArrow), 0);
    EXPECT_GT(CountIn(h, top, plate), 0);
    EXPECT_GT(CountIn(h, bottom, plate), 0);

    // Held on the lower half: it shows pressed, the upper half does not.
    auto pressedOnly = CellColours(*skin.VSpin->Map, 8, 6);
    for (int other : {1, 4, 5, 8}) {
        pressedOnly = Minus(pressedOnly, CellColours(*skin.VSpin->Map, 8, other));
        pressedOnly = Minus(pressedOnly, CellColours(*glyphs->MaskMap, 8, other));
    }
    ASSERT_FALSE(pressedOnly.empty());
    MoveMouseTo(ToScreen(h, c.right / 2, c.bottom * 3 / 4));
    MouseButton(true);
    EXPECT_GT(CountIn(h, bottom, pressedOnly), 0);
    EXPECT_EQ(CountIn(h, top, pressedOnly), 0);
    MouseButton(false);
    EXPECT_EQ(spin->Position(), 9);
    MoveMouseTo(ToScreen(h, c.right / 2, c.bottom / 4));
    MouseButton(true);
    MouseButton(false);
    MoveMouseTo(ToScreen(h, c.right / 2, c.bottom / 4));
    MouseButton(true);
    MouseButton(false);
    EXPECT_EQ(spin->Position(), 11);
    EXPECT_EQ(uitest::WindowText(edit->Handle()), L"11");
    EXPECT_EQ(CountIn(h, c, pressedOnly), 0);  // released: no half shows pressed
}

TEST_F(BarSkinners, UpDownInsideAPickerLooksDisabledWithItsPicker) {
    auto* picker = Add<TDateTimePicker>(10, 10, 140, 26);
    picker->SetKind(dtkTime);
    picker->SetEnabled(false);
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(Skin(L"TSkinEdit", picker));  // offers its up-down to the up-down skinner
    Repaint(picker->Handle());
    HWND arrows = FindWindowExW(picker->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_TRUE(arrows);
    RECT c{};
    GetClientRect(arrows, &c);
    // Colours only the disabled cells have, and colours only the normal ones have.
    TBitmap& plates = *skin.VSpin->Map;
    const std::set<COLORREF> common{Scheme(csButtonFace), RGB(255, 255, 255)};
    const auto disabledOnly = Minus(Minus(CellColours(plates, 8, 3), CellColours(plates, 8, 1)), common);
    const auto normalOnly = Minus(Minus(CellColours(plates, 8, 1), CellColours(plates, 8, 3)), common);
    ASSERT_FALSE(disabledOnly.empty());
    EXPECT_GT(CountIn(arrows, c, disabledOnly), 0);
    EXPECT_EQ(CountIn(arrows, c, normalOnly), 0);
    // Enabled again, it is painted again with the picker.
    picker->SetEnabled(true);
    uitest::Pump(60);
    EXPECT_EQ(CountIn(arrows, c, disabledOnly), 0);
}

TEST_F(BarSkinners, UpDownInsideAPickerKeepsOffItsBorder) {
    auto* picker = Add<TDateTimePicker>(10, 10, 140, 26);
    picker->SetKind(dtkTime);
    uitest::ShowAndActivate(*form);
    HWND arrows = FindWindowExW(picker->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_TRUE(arrows);
    ASSERT_TRUE(StartSkinner(sf.get(), L"TSkinUpDown", nullptr, arrows));
    Repaint(picker->Handle());
    const auto plate = Minus(CellColours(*skin.VSpin->Map, 8, 1), {Scheme(csButtonFace), RGB(255, 255, 255)});
    RECT wr{}, ar{};
    GetWindowRect(picker->Handle(), &wr);
    GetWindowRect(arrows, &ar);
    // Plate pixels in the up-down, none of them within 3 pixels of the picker's edges.
    int inside = 0, onBorder = 0;
    HDC dc = GetWindowDC(picker->Handle());
    for (int y = ar.top - wr.top; y < ar.bottom - wr.top; ++y)
        for (int x = ar.left - wr.left; x < ar.right - wr.left; ++x) {
            if (!plate.count(GetPixel(dc, x, y))) continue;
            const bool border = y < 3 || y >= wr.bottom - wr.top - 3 || x >= wr.right - wr.left - 3;
            (border ? onBorder : inside) += 1;
        }
    ReleaseDC(picker->Handle(), dc);
    EXPECT_GT(inside, 10);
    EXPECT_EQ(onBorder, 0);
}

TEST_F(BarSkinners, ToolBarPaintersDrawPlatesKeepClicksAndGoBack) {
    auto* bar = Add<TToolBar>(0, 0, 400, 30);
    bar->SetShowCaptions(true);
    bar->SetFlat(true);  // as the form skinner sets it
    auto* open = new TToolButton(form.get());
    open->SetCaption(L"Open");
    open->SetParent(bar);
    open->OnClick = TNotifyEvent(&rec, &Recorder::Clicked);
    auto* latched = new TToolButton(form.get());
    latched->SetCaption(L"Lock");
    latched->SetStyle(tbsCheck);
    latched->SetParent(bar);
    latched->SetDown(true);
    auto* off = new TToolButton(form.get());
    off->SetCaption(L"Off");
    off->SetParent(bar);
    off->SetEnabled(false);
    uitest::ShowAndActivate(*form);
    HookToolBarPainters(sf.get(), bar);
    ASSERT_TRUE(Skin(L"TSkinBox", bar));
    EXPECT_TRUE(bar->OnCustomDraw && bar->OnCustomDrawButton);
    Repaint(bar->Handle());

    auto plate = [&](TToolButton* b) {
        RECT r{};
        SendMessageW(bar->Handle(), TB_GETRECT, b->CommandId(), reinterpret_cast<LPARAM>(&r));
        InflateRect(&r, -1, -1);
        return r;
    };
    // Normal, checked (pressed) and disabled (no plate) buttons.
    int checked = 0;
    EXPECT_EQ(CornerMismatches(bar->Handle(), plate(open), *skin.Button, 1, 5, &checked), 0);
    EXPECT_GT(checked, 0);
    EXPECT_GT(CornerMismatches(bar->Handle(), plate(off), *skin.Button, 1, 5), 0);
    // A checked button keeps the bar's own patterned look and text colour.
    EXPECT_GT(CornerMismatches(bar->Handle(), plate(latched), *skin.Button, 1, 5), 0);
    EXPECT_EQ(ToolButtonCell(TCustomDrawState{cdsChecked}), 0);
    EXPECT_EQ(ToolButtonCell(TCustomDrawState{cdsSelected, cdsHot}), 2);
    EXPECT_EQ(ToolButtonCell(TCustomDrawState{cdsHot}), 4);
    EXPECT_EQ(ToolButtonCell(TCustomDrawState{cdsHot, cdsDisabled}), 0);
    // The bar keeps its own ground while the skin data's options say so,
    // else it is the Toolbar image stretched over it.
    RECT client{};
    GetClientRect(bar->Handle(), &client);
    const COLORREF groundTop = GetPixel(skin.Toolbar->Map->Canvas().Handle(), 0, 0);
    ASSERT_TRUE(skin.Options().Contains(xoToolbarBK));
    EXPECT_NE(ClientPixel(bar->Handle(), client.right - 3, 0), groundTop);
    TSkinOptions options = skin.Options();
    options.Exclude(xoToolbarBK);
    skin.SetOptions(options);
    Repaint(bar->Handle());
    EXPECT_EQ(ClientPixel(bar->Handle(), client.right - 3, 0), groundTop);

    uitest::Click(*open);
    EXPECT_EQ(rec.clicks, 1);

    // Unskinned: the events are the bar's own again (none), a handler set meanwhile stays.
    sf->DeleteControls();
    EXPECT_FALSE(bar->OnCustomDraw);
    EXPECT_FALSE(bar->OnCustomDrawButton);
    EXPECT_EQ(FindToolBarPainters(bar), nullptr);
}

TEST_F(BarSkinners, GroupBoxAndPanelTakeTheSchemeColours) {
    auto* group = Add<TGroupBox>(10, 10, 200, 120);
    group->SetCaption(L"G");
    auto* panel = Add<TPanel>(240, 10, 200, 120);
    panel->SetColor(clRed);
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(Skin(L"TSkinGroupBox", group));
    ASSERT_TRUE(Skin(L"TSkinBox", panel, true));
    Repaint(form->Handle());

    HDC dc = GetDC(group->Handle());
    SelectObject(dc, group->Font().Handle());
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    ReleaseDC(group->Handle(), dc);
    const int lineY = zero.cy / 2;
    EXPECT_EQ(ClientPixel(group->Handle(), 150, lineY), Scheme(csButtonShadow));  // the frame's top edge
    EXPECT_EQ(ClientPixel(group->Handle(), 1, 60), Scheme(csButtonShadow));      // its left edge
    EXPECT_EQ(ClientPixel(group->Handle(), 100, 60), Scheme(csButtonFace));
    EXPECT_EQ(ClientPixel(panel->Handle(), 100, 60), Scheme(csButtonFace));

    // A right-aligned caption ends 8 pixels from the right edge.
    HWND g = group->Handle();
    SetWindowLongW(g, GWL_EXSTYLE, GetWindowLongW(g, GWL_EXSTYLE) | WS_EX_RIGHT);
    Repaint(g);
    int rightmostInk = -1;
    for (int y = 0; y < zero.cy; ++y)
        for (int x = 3; x < group->Width() - 3; ++x) {
            COLORREF p = ClientPixel(g, x, y);
            if (p != Scheme(csButtonFace) && p != Scheme(csButtonShadow)) rightmostInk = std::max(rightmostInk, x);
        }
    EXPECT_LT(rightmostInk, group->Width() - 8);
    EXPECT_GT(rightmostInk, group->Width() - 8 - 6);

    sf->DeleteControls();
    EXPECT_EQ(panel->Color(), clRed);
    Repaint(form->Handle());
    EXPECT_EQ(ClientPixel(panel->Handle(), 100, 60), RGB(255, 0, 0));
}

TEST_F(BarSkinners, WindowsKnownByHandleEraseFromTheSkin) {
    uitest::ShowAndActivate(*form);
    HWND tools = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 10,
                                 10, 300, 40, form->Handle(), nullptr, nullptr, nullptr);
    HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 10, 100, 20, 20,
                                form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(StartSkinner(sf.get(), L"TSkinToolbar", nullptr, tools));
    ASSERT_TRUE(StartSkinner(sf.get(), L"TSkinSizer", nullptr, grip));
    Repaint(tools);
    Repaint(grip);
    RECT tc{};
    GetClientRect(tools, &tc);
    const int lowY = tc.bottom - 1;
    ASSERT_GT(lowY, 4);
    TBitmap& ground = *skin.Toolbar->Map;
    EXPECT_EQ(ClientPixel(tools, 150, 0), GetPixel(ground.Canvas().Handle(), 0, 0));
    EXPECT_EQ(ClientPixel(tools, 150, lowY), GetPixel(ground.Canvas().Handle(), 0, ground.Height() - 1));
    EXPECT_EQ(ClientPixel(grip, 10, 10), Scheme(csButtonFace));
    // Without a Toolbar image: a vertical gradient, lighter at the top.
    std::unique_ptr<TDataSkinObject> image = std::move(skin.Toolbar);
    Repaint(tools);
    const COLORREF top = ClientPixel(tools, 150, 0), low = ClientPixel(tools, 150, lowY);
    EXPECT_EQ(ClientPixel(tools, 5, 0), top);
    EXPECT_GT(GetRValue(top) + GetGValue(top) + GetBValue(top), GetRValue(low) + GetGValue(low) + GetBValue(low));
    skin.Toolbar = std::move(image);
    sf->DeleteControls();
    DestroyWindow(tools);
    DestroyWindow(grip);
}

TEST_F(BarSkinners, BadRangesDrawSensiblyAndNothingLeaks) {
    auto* progress = Add<TProgressBar>(10, 10, 200, 16);
    auto* track = Add<TTrackBar>(10, 40, 200, 40);
    auto* tiny = Add<TStatusBar>(10, 100, 3, 2);
    tiny->Panels().Add()->SetText(L"x");
    auto* spin = Add<TUpDown>(240, 10, 1, 1);
    uitest::ShowAndActivate(*form);
    std::vector<TSkinControl*> skinners = {Skin(L"TSkinProgress", progress), Skin(L"TSkinTrackBar", track),
                                           Skin(L"TSkinStatusBar", tiny), Skin(L"TSkinUpDown", spin)};
    for (TSkinControl* s : skinners) ASSERT_TRUE(s);
    // The system keeps a range the wrong way round; the skin draws the empty trough.
    SendMessageW(progress->Handle(), PBM_SETRANGE32, 100, 50);
    SendMessageW(progress->Handle(), PBM_SETPOS, 75, 0);
    SendMessageW(track->Handle(), TBM_SETRANGEMIN, FALSE, 30);
    SendMessageW(track->Handle(), TBM_SETRANGEMAX, FALSE, 10);
    SendMessageW(track->Handle(), TBM_SETPOS, TRUE, 500);
    const DWORD gdi = GdiObjectCount();
    for (int i = 0; i < 30; ++i)
        for (TSkinControl* s : skinners) s->Invalidate();
    EXPECT_LE(GdiObjectCount(), gdi);
    RECT c{};
    GetClientRect(progress->Handle(), &c);
    EXPECT_EQ(CornerMismatches(progress->Handle(), c, *skin.progress, 1, 2), 0);
    RECT thumb{}, tc{};
    SendMessageW(track->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    GetClientRect(track->Handle(), &tc);
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &thumb, &tc));
}

TEST_F(BarSkinners, GivenBackControlsLookAsBefore) {
    form->SetBorderStyle(bsSizeable);
    auto* group = Add<TGroupBox>(10, 10, 150, 80);
    group->SetCaption(L"Group");
    auto* panel = Add<TPanel>(170, 10, 150, 80);
    auto* progress = Add<TProgressBar>(10, 100, 200, 16);
    progress->SetPosition(40);
    auto* track = Add<TTrackBar>(10, 130, 200, 40);
    auto* edit = Add<TEdit>(230, 130, 60, 24);
    auto* spin = Add<TUpDown>(290, 130, 17, 24);
    spin->SetAssociate(edit);
    auto* bar = Add<TStatusBar>(0, 330, 500, 24);
    bar->Panels().Add()->SetText(L"Ready");
    uitest::ShowAndActivate(*form);
    uitest::Pump(100);
    Repaint(form->Handle());
    auto shot = [&] {
        std::vector<COLORREF> all;
        for (TWinControl* c : std::initializer_list<TWinControl*>{group, panel, progress, track, spin, bar}) {
            auto s = Snapshot(c->Handle());
            all.insert(all.end(), s.begin(), s.end());
        }
        return all;
    };
    const auto before = shot();
    Skin(L"TSkinGroupBox", group);
    Skin(L"TSkinBox", panel, true);
    Skin(L"TSkinProgress", progress);
    Skin(L"TSkinTrackBar", track);
    Skin(L"TSkinUpDown", spin);
    Skin(L"TSkinStatusBar", bar);
    Repaint(form->Handle());
    EXPECT_NE(shot(), before);
    sf->DeleteControls();
    Repaint(form->Handle());
    uitest::Pump(50);
    const auto after = shot();
    ASSERT_EQ(after.size(), before.size());
    size_t differing = 0;
    for (size_t i = 0; i < after.size(); ++i) differing += after[i] != before[i];
    EXPECT_EQ(differing, 0u);
}
