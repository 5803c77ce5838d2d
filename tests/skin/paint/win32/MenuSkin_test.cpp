// Skinned menus on real windows with real input: a toolkit popup menu's
// items show the skin's cells by state, the system's own edit menu gets the
// skinned border, the menu bar opens its menus by mouse, Alt+letter and
// F10/arrows and runs the chosen item, and many openings leak nothing.
// Menus run a modal loop: the checks inside an open menu run from a thread
// timer, one step per tick.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <memory>
#include <vector>

#include "MenuScript.h"
#include "PixelCapture.h"
#include "SkinTestSupport.h"
#include "skin/paint/win32/SkinMenuBar.h"
#include "skin/paint/win32/SkinMenuItems.h"
#include "skin/paint/win32/SkinPopMenu.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Edit.h"
#include "toolkit/ImageList.h"
#include "toolkit/MenuItem.h"
#include "toolkit/Menus.h"
#include "toolkit/testing/GdiObjectCount.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;

using skintest::CapturePixels;
using skintest::MenuScript;
using skintest::OpenMenuWindow;

namespace {


COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return c;
}

int CountColour(const RECT& r, COLORREF colour) {
    int n = 0;
    HDC dc = GetDC(nullptr);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
    ReleaseDC(nullptr, dc);
    return n;
}

// With RELAYON_MENU_SHOTS set to a folder, the screen around a menu is saved
// there as <name>.bmp (for looking at what the skin draws).
void Shot(const RECT& r, const char* name) {
    const char* dir = getenv("RELAYON_MENU_SHOTS");
    if (!dir) return;
    TBitmap b(r.right - r.left, r.bottom - r.top);
    HDC dc = GetDC(nullptr);
    BitBlt(b.Canvas().Handle(), 0, 0, b.Width(), b.Height(), dc, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, dc);
    b.SaveToFile(std::string(dir) + "/" + name + ".bmp");
}

// The screen's pixels in r, row by row.
std::vector<uint32_t> ScreenPixels(const RECT& r) {
    HDC screen = GetDC(nullptr);
    std::vector<uint32_t> px = CapturePixels(screen, r);
    ReleaseDC(nullptr, screen);
    return px;
}

// Pixels of `colour` when `text` is drawn in it, in the menu font, on white.
int Ink(const std::wstring& text, COLORREF colour) {
    TBitmap b(200, 40);
    HDC dc = b.Canvas().Handle();
    RECT r{0, 0, 200, 40};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT font = CreateMenuFont(false);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), -1, &r, DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
    int n = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) n += GetPixel(dc, x, y) == colour;
    return n;
}

COLORREF ImagePixel(TBitmap& bmp, int x, int y) { return GetPixel(bmp.Canvas().Handle(), x, y); }

void Input(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}
void MoveTo(POINT p) {
    SetCursorPos(p.x, p.y);
    Input(MOUSEEVENTF_MOVE);
}
void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}
void Tap(WORD vk) {
    Key(vk, false);
    Key(vk, true);
}
void RightClickAt(POINT p) {
    MoveTo(p);
    uitest::Pump(30);
    Input(MOUSEEVENTF_RIGHTDOWN);
    Input(MOUSEEVENTF_RIGHTUP);
}

class Clicks : public TObject {
public:
    std::vector<std::wstring> seen;
    void Clicked(TObject* s) { seen.push_back(static_cast<TMenuItem*>(s)->Caption()); }
};

class MenuSkin : public skintest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        skin = skintest::MakeSkinData(root_.get());
        // Frame skinning off (the frame is not under test here); menu-bar
        // menus allowed through xcMenuItem.
        skin->SetSkinControls(skin->SkinControls().Exclude(xcMainMenu).Include(xcMenuItem).Include(xcPopupMenu));
        form = skintest::ShowForm(420, 300);
        ASSERT_TRUE(skintest::PumpUntil([&] { return (sf = mgr()->FindSkinForm(form->Handle())) && sf->FActive; }, 3000));
    }
    TMenuItem* Item(TMenuItem* parent, const wchar_t* caption) {
        auto* i = new TMenuItem(form.get());
        i->SetCaption(caption);
        i->OnClick = TNotifyEvent(&clicks, &Clicks::Clicked);
        parent->Add(i);
        return i;
    }
    // Runs `steps` while waiting for the menu they open to close again.
    void RunWhileOpen(std::vector<std::function<void()>> steps, const std::function<void()>& open) {
        MenuScript s(std::move(steps));
        open();
        EXPECT_TRUE(skintest::PumpUntil([&] { return s.Done() && !OpenMenuWindow(); }, 10000));
    }
    TBitmap& Plate() { return *skin->MenuItem->Map; }
    int CellW() { return Plate().Width() / 5; }

    TSkinData* skin = nullptr;
    std::unique_ptr<TForm> form;
    TWinSkinForm* sf = nullptr;
    Clicks clicks;
};

}  // namespace

TEST_F(MenuSkin, PopupItemsShowTheSkinByState) {
    auto* images = new TImageList(form.get());
    TBitmap glyph(16, 16);
    glyph.Canvas().Brush().SetColor(static_cast<TColor>(RGB(20, 160, 60)));
    glyph.Canvas().FillRect(RECT{0, 0, 16, 16});
    images->Add(&glyph, nullptr);
    auto* popup = new TPopupMenu(form.get());
    popup->SetImages(images);
    Item(popup->Items(), L"Alpha");
    Item(popup->Items(), L"Bravo")->SetChecked(true);
    Item(popup->Items(), L"Charlie")->SetEnabled(false);
    Item(popup->Items(), L"-");
    Item(popup->Items(), L"\x0414\x0435\x043B\x044C\x0442\x0430")->SetImageIndex(0);  // a Cyrillic caption
    form->SetPopupMenu(popup);
    const POINT at{form->Left() + 200, form->Top() + 150};
    // The items as the system draws them, before the skin hooks them.
    auto capture = [&](std::vector<uint32_t>& into) {
        return [&] {
            ASSERT_TRUE(OpenMenuWindow());
            RECT first{}, last{};
            GetMenuItemRect(nullptr, popup->Handle(), 0, &first);
            GetMenuItemRect(nullptr, popup->Handle(), 4, &last);
            into = ScreenPixels({first.left, first.top, last.right, last.bottom});
            Tap(VK_ESCAPE);
        };
    };
    std::vector<uint32_t> before, after;
    RunWhileOpen({capture(before)}, [&] { RightClickAt(at); });
    ASSERT_FALSE(before.empty());
    auto* untouched = new TPopupMenu(form.get());
    untouched->SetTag(skin->DisableTag());
    Item(untouched->Items(), L"Kept");
    InitPopMenu(sf, form.get(), true);
    ASSERT_TRUE(popup->OwnerDraw());
    EXPECT_FALSE(untouched->OwnerDraw());  // the disable tag keeps a menu the system's
    EXPECT_FALSE(untouched->Items()->Items(0)->OnDrawItem);

    const int indent = skin->MenuItem->r.Left;
    const COLORREF text = ColorToRGB(skin->Colors[csMenuText]);
    COLORREF disabled = ColorToRGB(skin->Colors[csButtonShadow]);
    if (disabled == text) disabled = GetSysColor(COLOR_BTNSHADOW);
    auto itemRect = [&](int pos) {
        RECT r{};
        GetMenuItemRect(nullptr, popup->Handle(), static_cast<UINT>(pos), &r);
        return r;
    };
    RunWhileOpen(
        {[&] {
             HWND menu = OpenMenuWindow();
             ASSERT_TRUE(menu);
             EXPECT_TRUE(mgr()->FindSkinMenu(menu));
             // The window's corner is the background image's corner.
             RECT w{};
             GetWindowRect(menu, &w);
             Shot({w.left - 10, w.top - 10, w.right + 10, w.bottom + 10}, "popup");
             EXPECT_EQ(ScreenPixel(w.left + 1, w.top + 1), ImagePixel(*skin->MenuitemBG->Map, 1, 1));
             // A normal item shows plate cell 1 at its right edge.
             RECT a = itemRect(0);
             EXPECT_EQ(ScreenPixel(a.right - 2, a.top + 1), ImagePixel(Plate(), CellW() - 2, 1));
             // The checked item without an image: a check mark in the text colour in its glyph column.
             RECT b = itemRect(1);
             EXPECT_GT(CountColour({b.left, b.top, b.left + indent + 18, b.bottom}, text), 4);
             // The disabled item's caption in the disabled colour only.
             RECT c = itemRect(2);
             EXPECT_GT(CountColour(c, disabled), 4);
             EXPECT_EQ(CountColour(c, text), 0);
             // The separator is the bottom rows of plate cell 2, one to one.
             RECT d = itemRect(3);
             const int rows = d.bottom - d.top;
             ASSERT_LE(rows, Plate().Height());
             for (int y = 0; y < rows; ++y)
                 EXPECT_EQ(ScreenPixel((d.left + d.right) / 2, d.top + y),
                           ImagePixel(Plate(), CellW() + CellW() / 2, Plate().Height() - rows + y))
                     << "separator row " << y;
             // The image item shows its image in the glyph square.
             RECT e = itemRect(4);
             EXPECT_EQ(ScreenPixel(e.left + 1 + indent + 8, e.top + 1 + 8), RGB(20, 160, 60));
             // The Cyrillic caption is drawn as itself, not as question marks: its ink
             // matches the caption's own drawing in the menu font better than theirs.
             const int onScreen = CountColour({e.left + indent + 22, e.top, e.right, e.bottom}, text);
             const int real = Ink(L"\x0414\x0435\x043B\x044C\x0442\x0430", text);
             const int marks = Ink(L"??????", text);
             EXPECT_LT(std::abs(onScreen - real), std::abs(onScreen - marks)) << onScreen << " " << real << " " << marks;
             MoveTo(POINT{(a.left + a.right) / 2, (a.top + a.bottom) / 2});
         },
         [&] {
             // Hot under the mouse: plate cell 4.
             RECT a = itemRect(0);
             RECT w{};
             GetWindowRect(OpenMenuWindow(), &w);
             Shot({w.left - 10, w.top - 10, w.right + 10, w.bottom + 10}, "popup-hot");
             EXPECT_EQ(ScreenPixel(a.right - 2, a.top + 1), ImagePixel(Plate(), 3 * CellW() + CellW() - 2, 1));
             Input(MOUSEEVENTF_LEFTDOWN);
             Input(MOUSEEVENTF_LEFTUP);
         }},
        [&] { RightClickAt(at); });
    uitest::Pump(100);
    EXPECT_EQ(clicks.seen, std::vector<std::wstring>{L"Alpha"});

    // Given back: plain toolkit drawing, no handlers of the skin left.
    InitPopMenu(sf, form.get(), false);
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_FALSE(popup->Items()->Items(0)->OnDrawItem);
    RunWhileOpen({capture(after)}, [&] { RightClickAt(at); });
    EXPECT_TRUE(before == after) << "the items look different after the skin is taken off";
}

TEST_F(MenuSkin, EditContextMenuGetsTheSkinnedBorder) {
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(20, 20, 200, 24);
    uitest::Pump(50);
    RunWhileOpen({[&] {
                      HWND menu = OpenMenuWindow();
                      ASSERT_TRUE(menu);
                      EXPECT_TRUE(mgr()->FindSkinMenu(menu));
                      RECT w{};
                      GetWindowRect(menu, &w);
                      EXPECT_EQ(ScreenPixel(w.left + 1, w.top + 1), ImagePixel(*skin->MenuitemBG->Map, 1, 1));
                      EXPECT_EQ(ScreenPixel(w.right - 2, w.bottom - 2),
                                ImagePixel(*skin->MenuitemBG->Map, skin->MenuitemBG->Map->Width() - 2,
                                           skin->MenuitemBG->Map->Height() - 2));
                      // Printed (as menu animation does): the skin's border, the items inside it.
                      TBitmap printed(w.right - w.left, w.bottom - w.top);
                      SendMessageW(menu, WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas().Handle()),
                                   PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
                      EXPECT_EQ(ImagePixel(printed, 1, 1), ImagePixel(*skin->MenuitemBG->Map, 1, 1));
                      EXPECT_EQ(ImagePixel(printed, printed.Width() / 2, 1), ScreenPixel((w.left + w.right) / 2, w.top + 1));
                      EXPECT_EQ(ImagePixel(printed, 8, printed.Height() / 2), ScreenPixel(w.left + 8, (w.top + w.bottom) / 2));
                      Tap(VK_ESCAPE);
                  }},
                 [&] { RightClickAt(uitest::ScreenCentre(*edit)); });
    EXPECT_EQ(mgr()->MenuCount(), 0u);
}

namespace {

// Plays the frame's part for a bar drawn at the top of the client area:
// clicks, keys and the bar's posted selection reach the bar.
class BarHost : public TObject {
public:
    TWinSkinMenu* bar = nullptr;
    TWndMethod previous;
    TForm* form = nullptr;
    void Proc(TMessage& m) {
        switch (m.Msg) {
        case CM_DIALOGCHAR: return bar->CMDialogChar(m, previous);
        case CN_MenuSelect: return bar->MenuSelect(m);
        case WM_SYSCOMMAND:
            if ((m.WParam & 0xFFF0) == SC_KEYMENU && bar->KeyMenu(static_cast<wchar_t>(m.LParam))) return;
            break;
        case WM_LBUTTONDOWN: {
            POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
            ClientToScreen(form->Handle(), &p);
            RECT w{};
            GetWindowRect(form->Handle(), &w);
            if (TNCObject* o = bar->FindBtn({p.x - w.left, p.y - w.top})) {
                o->MouseDown();
                bar->OpenButton(o);
                return;
            }
            break;
        }
        default: break;
        }
        previous(m);
    }
};

}  // namespace

TEST_F(MenuSkin, MenuBarOpensByMouseAltLetterAndF10) {
    auto* main = new TMainMenu(form.get());
    TMenuItem* file = Item(main->Items(), L"&File");
    Item(file, L"&Open");
    Item(file, L"-");
    Item(file, L"E&xit");
    TMenuItem* edit = Item(main->Items(), L"&Edit");
    Item(edit, L"&Copy");
    Item(main->Items(), L"&Help");
    form->SetMenu(main);
    uitest::Pump(50);
    clicks.seen.clear();
    InitMainMenu(sf, form.get(), true);
    auto* bar = new TWinSkinMenu(sf);
    bar->UpdataBtn();
    ASSERT_EQ(bar->Buttons.size(), 3u);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);  // the bar stands in for the window's menu
    BarHost host;
    host.bar = bar;
    host.form = form.get();
    host.previous = form->WindowProc;
    form->WindowProc = TWndMethod(&host, &BarHost::Proc);

    // The bar at the top of the client area, window coordinates.
    RECT w{}, band{};
    GetWindowRect(form->Handle(), &w);
    POINT c{0, 0};
    ClientToScreen(form->Handle(), &c);
    band = {c.x - w.left, c.y - w.top, c.x - w.left + 300, c.y - w.top + bar->Height()};
    auto paintBar = [&] {
        HDC dc = GetWindowDC(form->Handle());
        bar->DrawMenu(dc, band);
        ReleaseDC(form->Handle(), dc);
    };
    paintBar();
    TBitmap& bg = *skin->Menubar->Map;
    EXPECT_EQ(ScreenPixel(w.left + band.left, w.top + band.top), ImagePixel(bg, 0, 0));  // active: the upper cell
    auto centre = [&](int i) {
        const RECT& b = bar->Buttons[static_cast<size_t>(i)]->bounds;
        return POINT{w.left + (b.left + b.right) / 2, w.top + (b.top + b.bottom) / 2};
    };
    const COLORREF hilight = ColorToRGB(skin->Colors[csButtonHilight]);

    // Mouse: File opens with its first item selected; Enter runs Open.
    RunWhileOpen({[&] {
                      ASSERT_TRUE(OpenMenuWindow());
                      const RECT& b = bar->Buttons[0]->bounds;
                      RECT m{};
                      GetWindowRect(OpenMenuWindow(), &m);
                      Shot({w.left, w.top, std::max(m.right, w.left + band.right) + 10, m.bottom + 10}, "menubar");
                      EXPECT_EQ(ScreenPixel(w.left + b.left, w.top + b.top), hilight);  // the open button is framed
                      Tap(VK_RETURN);
                  }},
                 [&] {
                     paintBar();
                     MoveTo(centre(0));
                     Input(MOUSEEVENTF_LEFTDOWN);
                     Input(MOUSEEVENTF_LEFTUP);
                 });
    uitest::Pump(100);
    EXPECT_EQ(clicks.seen, std::vector<std::wstring>({L"&File", L"&Open"}));

    // Alt+E opens Edit; Enter runs Copy. Alt+Z marks no button: nothing opens.
    clicks.seen.clear();
    MoveTo(POINT{w.left + 300, w.bottom - 20});
    RunWhileOpen({[&] { Tap(VK_RETURN); }}, [&] {
        Key(VK_MENU, false);
        Tap('E');
        Key(VK_MENU, true);
    });
    uitest::Pump(100);
    EXPECT_EQ(clicks.seen, std::vector<std::wstring>({L"&Edit", L"&Copy"}));
    clicks.seen.clear();
    Key(VK_MENU, false);
    Tap('Z');
    Key(VK_MENU, true);
    uitest::Pump(300);
    EXPECT_EQ(OpenMenuWindow(), nullptr);
    EXPECT_TRUE(clicks.seen.empty());

    // F10 opens File; Right moves to Edit; Left twice wraps past File to Help,
    // which has no menu: its click runs and the bar closes.
    RunWhileOpen({[&] { Tap(VK_RIGHT); }, [&] { Tap(VK_LEFT); }, [&] { Tap(VK_LEFT); }}, [&] { Tap(VK_F10); });
    uitest::Pump(200);
    EXPECT_EQ(clicks.seen, std::vector<std::wstring>({L"&File", L"&Edit", L"&File", L"&Help"}));

    form->WindowProc = host.previous;
    bar->RestoreMenu();
    EXPECT_EQ(GetMenu(form->Handle()), main->Handle());
    delete bar;
}

TEST_F(MenuSkin, ManyOpeningsLeaveCountsFlat) {
    auto* popup = new TPopupMenu(form.get());
    for (const wchar_t* c : {L"One", L"-", L"Two", L"Three"}) Item(popup->Items(), c);
    InitPopMenu(sf, form.get(), true);
    // A fast timer closes every menu as soon as it shows, counting them.
    static int shown;
    shown = 0;
    UINT_PTR closer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        if (OpenMenuWindow()) {
            ++shown;
            EndMenu();
        }
    });
    auto openOnce = [&] {
        popup->Popup(form->Left() + 100, form->Top() + 100);
        uitest::Pump(5);
    };
    for (int i = 0; i < 5; ++i) openOnce();
    const DWORD gdi = GdiObjectCount();
    const size_t windows = skintest::WindowCount();
    for (int i = 0; i < 100; ++i) openOnce();
    KillTimer(nullptr, closer);
    EXPECT_GE(shown, 100);
    EXPECT_LE(GdiObjectCount(), gdi + 2);
    EXPECT_LE(skintest::WindowCount(), windows);
    EXPECT_EQ(mgr()->MenuCount(), 0u);
}

namespace {
// An 8-bit window whose owner-drawn menu entries reach the form skinner's
// handlers (what the skinned frame's dispatch does for it).
TWinSkinForm* gAnsiSkinner = nullptr;
LRESULT CALLBACK AnsiOwnerProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if ((msg == WM_MEASUREITEM || msg == WM_DRAWITEM) && gAnsiSkinner) {
        TMessage m{msg, w, l, 0};
        if (msg == WM_MEASUREITEM ? MenuWMMeasureItem(gAnsiSkinner, m) : MenuWMDrawItem(gAnsiSkinner, m)) return m.Result;
    }
    return DefWindowProcA(h, msg, w, l);
}
}  // namespace

TEST_F(MenuSkin, MenuHandleEntriesOfAnEightBitWindowKeepTheirWideText) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = AnsiOwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MenuSkinAnsiOwner";
    RegisterClassA(&wc);
    HMENU bar = CreateMenu();
    HMENU sub = CreatePopupMenu();
    const std::wstring cyrillic = L"\x0424\x0430\x0439\x043B";
    AppendMenuW(sub, MF_STRING, 101, cyrillic.c_str());
    AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(sub, MF_STRING | MF_GRAYED, 102, L"Greyed");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Top");
    HWND h = CreateWindowExA(0, "MenuSkinAnsiOwner", "ansi", WS_OVERLAPPEDWINDOW, 60, 60, 320, 240, nullptr, bar,
                             wc.hInstance, nullptr);
    ASSERT_TRUE(h);
    ASSERT_FALSE(IsWindowUnicode(h));
    ShowWindow(h, SW_SHOW);
    SetForegroundWindow(h);
    ASSERT_TRUE(skintest::PumpUntil([&] { return (gAnsiSkinner = mgr()->FindSkinForm(h)) && gAnsiSkinner->FActive; }, 3000));
    WMINITMENU(sub);
    const COLORREF text = ColorToRGB(skin->Colors[csMenuText]);
    auto rectOf = [&](UINT pos) {
        RECT r{};
        GetMenuItemRect(nullptr, sub, pos, &r);
        return r;
    };
    RunWhileOpen({[&] {
                      ASSERT_TRUE(OpenMenuWindow());
                      RECT w{};
                      GetWindowRect(OpenMenuWindow(), &w);
                      Shot({w.left - 10, w.top - 10, w.right + 10, w.bottom + 10}, "handle-menu");
                      // The entry's text came through the wide calls: its ink is the caption's, not "????"'s.
                      RECT a = rectOf(0);
                      const int onScreen = CountColour({a.left + 20, a.top, a.right, a.bottom}, text);
                      EXPECT_LT(std::abs(onScreen - Ink(cyrillic, text)), std::abs(onScreen - Ink(L"????", text)));
                      EXPECT_EQ(ScreenPixel(a.right - 2, a.top + 1), ImagePixel(Plate(), CellW() - 2, 1));
                      // A separator from a menu handle is an etched line 4 pixels down.
                      RECT s = rectOf(1);
                      EXPECT_EQ(ScreenPixel((s.left + s.right) / 2, s.top + 4), GetSysColor(COLOR_BTNSHADOW));
                      // A greyed entry draws no normal text.
                      EXPECT_EQ(CountColour(rectOf(2), text), 0);
                      Tap(VK_ESCAPE);
                  }},
                 [&] { TrackPopupMenu(sub, TPM_RETURNCMD, 100, 100, 0, h, nullptr); });
    gAnsiSkinner = nullptr;
    DestroyWindow(h);
}
