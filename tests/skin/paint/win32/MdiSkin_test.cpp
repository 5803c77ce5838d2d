// Skinned MDI frames on real windows with the real mouse: a maximised
// child's three buttons in the main form's menu bar (pixels against the
// skin's own cells, each button's action on the child), the child's menu
// merged into the bar and dropped again when it closes, the manager's
// maximised flag through maximise, restore, tile and close; and a skin
// without item plate or menu background drawing plain items in menu windows
// the system draws.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MenuScript.h"
#include "PixelCapture.h"
#include "SkinTestSupport.h"
#include "skin/data/Skinread.h"
#include "skin/data/Winskinini.h"
#include "skin/paint/win32/SkinMenuBar.h"
#include "skin/paint/win32/SkinMenuItems.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Color.h"
#include "toolkit/MenuItem.h"
#include "toolkit/Menus.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;
using namespace skintest;

namespace {

// The child's own bar entry, long enough to reach a narrow frame's right end.
const wchar_t* const kChildEntry = L"&Edit entries of the child window and its devices";

class TMdiMain : public TForm {
public:
    explicit TMdiMain(TComponent* AOwner) : TForm(AOwner) { SetFormStyle(fsMDIForm); }
    static void Publish(TPublisher<TMdiMain>&) {}
};

class Events : public TObject {
public:
    int runs = 0;
    void Run(TObject*) { ++runs; }
    void FreeOnClose(TObject*, TCloseAction& action) { action = caFree; }
};

TMenuItem* Entry(TComponent* owner, TMenuItem* parent, const wchar_t* caption, int group = 0) {
    auto* i = new TMenuItem(owner);
    i->SetCaption(caption);
    i->SetGroupIndex(group);
    parent->Add(i);
    return i;
}

// Pixels of window rectangle r (window coordinates) as the screen shows them.
void ClickWindowPoint(HWND h, const RECT& bounds) {
    RECT wr{};
    GetWindowRect(h, &wr);
    MoveMouseTo(POINT{wr.left + (bounds.left + bounds.right) / 2, wr.top + (bounds.top + bounds.bottom) / 2});
    MouseButton(true);
    MouseButton(false);
}

void Tap(WORD vk) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

// The light skin with some sections of its description left out.
TSkinData* SkinWithout(TComponent* owner, std::initializer_list<const char*> sections) {
    TSkinReader reader;
    if (!reader.Loadfromstream(LightSkin())) return nullptr;
    std::vector<uint8_t> bytes;
    std::string name;
    reader.readIni(".ini", bytes, name);
    TQuickIni ini;
    ini.LoadFromBytes(bytes);
    for (const char* s : sections) ini.EraseSection(s);
    auto* d = new TSkinData(owner);
    d->LoadFromIni(ini, reader);
    d->Loaded();
    d->SetActive(true);
    return d;
}

// Pixels of the screen in r.
std::vector<COLORREF> ScreenPixels(const RECT& r) {
    HWND desktop = GetDesktopWindow();
    RECT d{};
    GetWindowRect(desktop, &d);
    return WindowColours(desktop, RECT{r.left - d.left, r.top - d.top, r.right - d.left, r.bottom - d.top});
}

int Count(const std::vector<COLORREF>& px, COLORREF c) { return static_cast<int>(std::count(px.begin(), px.end(), c)); }

class MdiSkin : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        skin = MakeSkinData(root_.get());
        skin->SetSkinControls(skin->SkinControls().Include(xcMainMenu));
    }
    void TearDown() override {
        delete main;
        EngineTest::TearDown();
    }
    // The MDI main form with a bar of File (group 0) and Window (group 9),
    // taken over with its frame skinned.
    void MakeMain(int width) {
        ASSERT_EQ(Application->MainForm(), nullptr);
        Application->CreateForm(main);
        main->SetBounds(60, 60, width, 360);
        main->SetCaption(L"Frame");
        auto* bar = new TMainMenu(main);
        Entry(main, Entry(main, bar->Items(), L"&File"), L"&Open");
        TMenuItem* window = Entry(main, bar->Items(), L"&Window list", 9);
        Entry(main, window, L"&Tile");
        main->SetMenu(bar);
        main->SetWindowMenu(window);
        uitest::ShowAndActivate(*main);
        ASSERT_TRUE(PumpUntil([&] { return (sf = mgr()->FindSkinForm(main->Handle())) && sf->FActive; }, 3000));
        ASSERT_NE(sf->menu, nullptr);
    }
    // A child with an "&Edit" entry (group 1) whose "Run" item counts.
    TForm* MakeChild(const wchar_t* caption) {
        auto* child = new TForm(main);
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(10, 10, 300, 200);
        child->SetCaption(caption);
        child->OnClose = TCloseEvent(&events, &Events::FreeOnClose);
        auto* menu = new TMainMenu(child);
        Entry(child, Entry(child, menu->Items(), kChildEntry, 1), L"Run")->OnClick =
            TNotifyEvent(&events, &Events::Run);
        child->SetMenu(menu);
        child->Show();
        PumpUntil([&] { return mgr()->FindSkinForm(child->Handle()) != nullptr; }, 2000);
        Pump(100);
        return child;
    }
    TWinSysButton* MdiButton(int action) {
        for (auto& b : sf->SysBtn)
            if (b->data && b->data->Action == action && b->data->Visibility == 100) return b.get();
        return nullptr;
    }
    std::vector<std::wstring> BarCaptions() {
        std::vector<std::wstring> out;
        for (auto& b : sf->menu->Buttons)
            if (b->visible && !b->caption.empty()) out.push_back(b->caption);
        return out;
    }
    bool Shows(const std::wstring& caption) {
        auto c = BarCaptions();
        return std::find(c.begin(), c.end(), caption) != c.end();
    }
    HWND Client() { return main->ClientHandle(); }
    void Maximise(TForm* child) {
        SendMessageW(Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        ASSERT_TRUE(PumpUntil([&] { return mgr()->MDIMax && MdiButton(8) && MdiButton(8)->visible; }, 3000));
        Pump(150);
    }

    TSkinData* skin = nullptr;
    TMdiMain* main = nullptr;
    TWinSkinForm* sf = nullptr;
    Events events;
};

class PlainMenus : public EngineTest {};

}  // namespace

TEST_F(MdiSkin, MaximisedChildButtonsStandInTheBarAndActOnTheChild) {
    skin->SetOptions(skin->Options().Include(xoMDIChildBorder));
    // Narrow enough that the bar's captions would run into the child's buttons.
    MakeMain(360);
    TForm* child = MakeChild(L"Child one");
    HWND kid = child->Handle();
    TWinSkinForm* childSf = mgr()->FindSkinForm(kid);
    ASSERT_NE(childSf, nullptr);
    EXPECT_TRUE(childSf->sMainMenu);
    Maximise(child);

    // The child draws no frame: its client area covers the whole MDI client.
    RECT area{}, kidClient{};
    GetClientRect(Client(), &area);
    GetClientRect(kid, &kidClient);
    MapWindowPoints(kid, Client(), reinterpret_cast<POINT*>(&kidClient), 2);
    EXPECT_LE(kidClient.left, 0);
    EXPECT_LE(kidClient.top, 0);
    EXPECT_GE(kidClient.right, area.right);
    EXPECT_GE(kidClient.bottom, area.bottom);
    // Nor is it cut to the region of its normal size.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box{}, kidWindow{};
    GetWindowRect(kid, &kidWindow);
    if (GetWindowRgn(kid, region) != ERROR) {
        GetRgnBox(region, &box);
        EXPECT_GE(box.right - box.left, kidWindow.right - kidWindow.left);
        EXPECT_GE(box.bottom - box.top, kidWindow.bottom - kidWindow.top);
    }
    DeleteObject(region);

    // Minimise, restore, close: cell 1 of their pictures, inside the bar band,
    // left to right, the bar's captions ending 5 px before the first.
    HWND h = main->Handle();
    const RECT band{sf->bw.left, sf->bw.top, 0, sf->bw.top + sf->MenuHeight};
    int previousRight = -1;
    for (int action : {7, 8, 9}) {
        TWinSysButton* b = MdiButton(action);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->visible);
        EXPECT_GE(b->bounds.top, band.top);
        EXPECT_LE(b->bounds.bottom, band.bottom);
        EXPECT_GT(b->bounds.left, previousRight);
        previousRight = b->bounds.right;
        EXPECT_EQ(CellMismatches(h, b->bounds, *b->data->Map, b->data->frame), 0) << "action " << action;
    }
    EXPECT_TRUE(Shows(kChildEntry));
    // Side by side the captions would run into the buttons; they end 5 px before.
    HDC screen = GetDC(nullptr);
    HFONT font = CreateMenuFont(false);
    HGDIOBJ old = SelectObject(screen, font);
    int natural = sf->menu->Buttons.front()->bounds.left;
    for (auto& b : sf->menu->Buttons) {
        RECT r{};
        DrawTextW(screen, b->caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
        natural += b->caption.empty() ? 0 : r.right + 10;
    }
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    ASSERT_GT(natural, MdiButton(7)->bounds.left);
    for (auto& b : sf->menu->Buttons)
        if (b->visible && !b->caption.empty()) EXPECT_LE(b->bounds.right, MdiButton(7)->bounds.left - 5);

    // Hot under the pointer, and as before once it has left.
    const RECT restoreAt = MdiButton(8)->bounds;
    const std::vector<COLORREF> calm = WindowColours(h, restoreAt);
    RECT mw{};
    GetWindowRect(h, &mw);
    MoveMouseTo(POINT{mw.left + (restoreAt.left + restoreAt.right) / 2, mw.top + (restoreAt.top + restoreAt.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return WindowColours(h, restoreAt) != calm; }));
    MoveMouseTo(POINT{mw.left + 100, mw.bottom - 60});
    EXPECT_TRUE(PumpUntil([&] { return WindowColours(h, restoreAt) == calm; }));

    // The real mouse on each button acts on the child; the flag follows.
    ClickWindowPoint(h, MdiButton(8)->bounds);
    EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(kid) && !IsIconic(kid); }));
    EXPECT_FALSE(mgr()->MDIMax);
    // A restored child has its skinned frame again.
    RECT wr{}, cr{};
    GetWindowRect(kid, &wr);
    GetClientRect(kid, &cr);
    EXPECT_EQ((wr.right - wr.left) - cr.right, childSf->bw.left + childSf->bw.right);

    Maximise(child);
    ClickWindowPoint(h, MdiButton(7)->bounds);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(kid) != FALSE; }));
    EXPECT_FALSE(mgr()->MDIMax);

    SendMessageW(Client(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(kid), 0);
    Maximise(child);
    ClickWindowPoint(h, MdiButton(9)->bounds);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(kid); }));
    EXPECT_TRUE(PumpUntil([&] { return !Shows(kChildEntry); }));
    EXPECT_FALSE(mgr()->MDIMax);
    EXPECT_TRUE(Shows(L"&File"));
    EXPECT_TRUE(Shows(L"&Window list"));
    // The frame's menu keeps no entries of a child that is gone.
    EXPECT_EQ(GetMenuItemCount(main->Menu()->Handle()), 2);
}

TEST_F(MdiSkin, MergedEntryRunsTheChildsItemAndTileRestoresTheChildren) {
    MakeMain(640);
    TForm* first = MakeChild(L"Child one");
    TForm* second = MakeChild(L"Child two");
    ASSERT_TRUE(PumpUntil([&] { return Shows(kChildEntry); }));
    // The merged entry sits between the frame's groups 0 and 9.
    auto captions = BarCaptions();
    ASSERT_EQ(captions.size(), 3u);
    EXPECT_EQ(captions[1], kChildEntry);

    // Opened with the mouse: its first item is selected, Enter runs it.
    TMenuBtn* edit = sf->menu->Buttons[1].get();
    for (auto& b : sf->menu->Buttons)
        if (b->caption == captions[1]) edit = b.get();
    {
        MenuScript steps({[] { Tap(VK_RETURN); }});
        ClickWindowPoint(main->Handle(), edit->bounds);
        EXPECT_TRUE(PumpUntil([&] { return steps.Done() && !OpenMenuWindow(); }, 5000));
    }
    EXPECT_TRUE(PumpUntil([&] { return events.runs == 1; }));

    // Maximising one child makes the flag; tiling clears it and leaves every child normal.
    Maximise(second);
    EXPECT_TRUE(IsZoomed(second->Handle()));
    main->Tile();
    Pump(200);
    EXPECT_FALSE(mgr()->MDIMax);
    EXPECT_FALSE(IsZoomed(first->Handle()));
    EXPECT_FALSE(IsZoomed(second->Handle()));
    EXPECT_FALSE(MdiButton(8)->visible);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(Client(), WM_MDIGETACTIVE, 0, 0)), second->Handle());

    // Both children closed: the bar is the frame's own again.
    first->Close();
    second->Close();
    EXPECT_TRUE(PumpUntil([&] { return !Shows(kChildEntry); }));
    EXPECT_EQ(BarCaptions(), (std::vector<std::wstring>{L"&File", L"&Window list"}));
}

TEST_F(PlainMenus, SkinWithoutItemPlateAndMenuBackgroundDrawsPlainItemsInSystemMenuWindows) {
    TSkinData* d = SkinWithout(root_.get(), {"MenuItem", "MenuBackground"});
    ASSERT_TRUE(d && !d->Empty);
    ASSERT_TRUE(!d->MenuItem || !d->MenuItem->Map || d->MenuItem->Map->Empty());
    d->SetSkinControls(d->SkinControls().Exclude(xcMainMenu).Include(xcMenuItem).Include(xcPopupMenu));
    auto form = ShowForm(420, 300);
    TWinSkinForm* sf = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (sf = mgr()->FindSkinForm(form->Handle())) && sf->FActive; }, 3000));
    auto* popup = new TPopupMenu(form.get());
    Entry(form.get(), popup->Items(), L"Alpha");
    Entry(form.get(), popup->Items(), L"Bravo");
    InitPopMenu(sf, form.get(), true);
    ASSERT_TRUE(popup->OwnerDraw());

    const COLORREF hilight = ColorToRGB(d->Colors[csHilight]), menubg = ColorToRGB(d->Colors[csMenubg]);
    const COLORREF hilightText = ColorToRGB(d->Colors[csHilightText]), menuText = ColorToRGB(d->Colors[csMenuText]);
    ASSERT_NE(hilight, menubg);
    auto item = [&](int pos) {
        RECT r{};
        GetMenuItemRect(nullptr, popup->Handle(), static_cast<UINT>(pos), &r);
        return r;
    };
    // The outer ring of the open menu window, 3 pixels wide.
    auto ring = [](std::vector<COLORREF>& into) {
        RECT w{};
        GetWindowRect(OpenMenuWindow(), &w);
        for (RECT r : {RECT{w.left, w.top, w.right, w.top + 3}, RECT{w.left, w.bottom - 3, w.right, w.bottom},
                       RECT{w.left, w.top, w.left + 3, w.bottom}, RECT{w.right - 3, w.top, w.right, w.bottom}}) {
            auto px = ScreenPixels(r);
            into.insert(into.end(), px.begin(), px.end());
        }
    };
    std::vector<COLORREF> skinned, plain;
    bool checked = false;
    auto open = [&](std::vector<COLORREF>& into, bool check) {
        MenuScript steps({[] { Tap(VK_DOWN); },
                         [&] {
                             if (check) {
                                 // Selected: the highlight colour and its text; else the menu colours.
                                 auto first = ScreenPixels(item(0)), second = ScreenPixels(item(1));
                                 EXPECT_GT(Count(first, hilight), static_cast<int>(first.size()) / 2);
                                 EXPECT_GT(Count(first, hilightText), 0);
                                 EXPECT_GT(Count(second, menubg), static_cast<int>(second.size()) / 2);
                                 EXPECT_GT(Count(second, menuText), 0);
                                 checked = true;
                             }
                             ring(into);
                             Tap(VK_ESCAPE);
                         }});
        popup->Popup(form->Left() + 120, form->Top() + 120);
        EXPECT_TRUE(PumpUntil([&] { return steps.Done() && !OpenMenuWindow(); }, 5000));
    };
    open(skinned, true);
    EXPECT_TRUE(checked);
    // The same menu with popup-menu windows not skinned at all.
    d->SetSkinControls(d->SkinControls().Exclude(xcPopupMenu));
    open(plain, false);
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(skinned, plain);
}
