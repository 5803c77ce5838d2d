// MDI forms on real windows: children live in the frame's MDI client, are
// listed in the window menu, maximise, restore, tile and cascade; windows
// carry the program's icons.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/Application.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TFrameForm : public TForm {
public:
    explicit TFrameForm(TComponent* owner) : TForm(owner) { SetFormStyle(fsMDIForm); }
};

class TChildForm : public TForm {
public:
    explicit TChildForm(TComponent* owner) : TForm(owner) {
        SetFormStyle(fsMDIChild);
        SetBounds(0, 0, 200, 150);
    }
};

RECT RectInClient(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring MenuText(HMENU menu, int pos) {
    wchar_t buffer[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(pos), buffer, 127, MF_BYPOSITION);
    return buffer;
}

class Mdi : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        Application->CreateForm(frame);
        frame->SetBounds(30, 30, 640, 480);
        frame->SetCaption(L"Frame");
        auto* menu = new TMainMenu(frame);
        windowItem = new TMenuItem(frame);
        windowItem->SetCaption(L"&Window");
        auto* tile = new TMenuItem(frame);
        tile->SetCaption(L"&Tile");
        windowItem->Add(tile);
        menu->Items()->Add(windowItem);
        frame->SetMenu(menu);
        frame->SetWindowMenu(windowItem);
        uitest::ShowAndActivate(*frame);
        first = TForm::Create<TChildForm>(frame);
        first->SetCaption(L"First");
        second = TForm::Create<TChildForm>(frame);
        second->SetCaption(L"Second");
        uitest::Pump(30);
    }
    void TearDown() override { delete frame; }

    TFrameForm* frame = nullptr;
    TMenuItem* windowItem = nullptr;
    TForm* first = nullptr;
    TForm* second = nullptr;
};

TEST_F(Mdi, ChildrenLiveInTheClientAndAreListedInTheWindowMenu) {
    HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    wchar_t cls[32] = {};
    GetClassNameW(client, cls, 32);
    EXPECT_EQ(_wcsicmp(cls, L"MDIClient"), 0);
    for (TForm* child : {first, second}) {
        EXPECT_EQ(GetParent(child->Handle()), client);
        EXPECT_TRUE(GetWindowLongPtrW(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
        EXPECT_TRUE(IsWindowVisible(child->Handle()));
    }
    ASSERT_EQ(frame->MDIChildCount(), 2);
    EXPECT_EQ(frame->ActiveMDIChild(), second);
    EXPECT_EQ(frame->MDIChildren(0), second);

    frame->Next();
    EXPECT_EQ(frame->ActiveMDIChild(), first);
    frame->Previous();
    EXPECT_EQ(frame->ActiveMDIChild(), second);

    // The window menu keeps its own entry and lists both children after it,
    // also after its items changed.
    windowItem->Items(0)->SetCaption(L"&Tile all");
    HMENU list = windowItem->Handle();
    std::wstring all;
    for (int i = 0; i < GetMenuItemCount(list); ++i) all += MenuText(list, i) + L"|";
    EXPECT_EQ(MenuText(list, 0), L"&Tile all");
    EXPECT_NE(all.find(L"First"), std::wstring::npos) << all;
    EXPECT_NE(all.find(L"Second"), std::wstring::npos) << all;

    // Choosing a child in the list activates it.
    for (int i = 0; i < GetMenuItemCount(list); ++i)
        if (MenuText(list, i).find(L"First") != std::wstring::npos)
            SendMessageW(frame->Handle(), WM_COMMAND, GetMenuItemID(list, i), 0);
    EXPECT_EQ(frame->ActiveMDIChild(), first);

    delete first;
    first = nullptr;
    EXPECT_EQ(frame->MDIChildCount(), 1);
    EXPECT_EQ(frame->ActiveMDIChild(), second);
}

std::wstring BarText(HWND window) {
    std::wstring text;
    HMENU bar = GetMenu(window);
    for (int i = 0; i < GetMenuItemCount(bar); ++i) text += MenuText(bar, i) + L"|";
    return text;
}

TEST_F(Mdi, ActiveChildsMenuMergesIntoTheBar) {
    auto* file = new TMenuItem(frame);
    file->SetCaption(L"&File");
    frame->Menu()->Items()->Insert(0, file);
    windowItem->SetGroupIndex(9);
    ASSERT_EQ(BarText(frame->Handle()), L"&File|&Window|");

    // The child's group 0 replaces the frame's; group 1 goes between.
    auto* childMenu = new TMainMenu(second);
    auto* document = new TMenuItem(second);
    document->SetCaption(L"&Document");
    auto* print = new TMenuItem(second);
    print->SetCaption(L"&Print");
    int prints = 0;
    struct Counter : TObject {
        int* n;
        void Clicked(TObject*) { ++*n; }
    } counter;
    counter.n = &prints;
    print->OnClick = TNotifyEvent(&counter, &Counter::Clicked);
    document->Add(print);
    auto* edit = new TMenuItem(second);
    edit->SetCaption(L"&Edit");
    edit->SetGroupIndex(1);
    childMenu->Items()->Add(edit);
    childMenu->Items()->Add(document);
    second->SetMenu(childMenu);
    EXPECT_EQ(BarText(frame->Handle()), L"&Document|&Edit|&Window|");
    SendMessageW(frame->Handle(), WM_COMMAND, print->Command(), 0);
    EXPECT_EQ(prints, 1);
    edit->SetCaption(L"E&dit");
    EXPECT_EQ(BarText(frame->Handle()), L"&Document|E&dit|&Window|");

    // Another child without a menu: the frame's own bar again.
    frame->Next();
    ASSERT_EQ(frame->ActiveMDIChild(), first);
    EXPECT_EQ(BarText(frame->Handle()), L"&File|&Window|");
    frame->Previous();
    EXPECT_EQ(BarText(frame->Handle()), L"&Document|E&dit|&Window|");
    delete second;
    second = nullptr;
    EXPECT_EQ(BarText(frame->Handle()), L"&File|&Window|");
}

TEST_F(Mdi, ChildrenMaximiseRestoreTileAndCascade) {
    RECT clientArea;
    GetClientRect(frame->ClientHandle(), &clientArea);

    second->SetWindowState(wsMaximized);
    uitest::Pump(20);
    EXPECT_TRUE(IsZoomed(second->Handle()));
    EXPECT_EQ(second->WindowState(), wsMaximized);
    RECT inner;
    GetClientRect(second->Handle(), &inner);
    EXPECT_EQ(inner.right, clientArea.right);
    EXPECT_EQ(inner.bottom, clientArea.bottom);
    second->SetWindowState(wsNormal);
    uitest::Pump(20);
    EXPECT_FALSE(IsZoomed(second->Handle()));
    EXPECT_EQ(second->WindowState(), wsNormal);

    frame->Tile();
    RECT a = RectInClient(first->Handle()), b = RectInClient(second->Handle()), overlap;
    EXPECT_FALSE(IntersectRect(&overlap, &a, &b));
    for (const RECT& r : {a, b}) {
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, clientArea.right);
        EXPECT_LE(r.bottom, clientArea.bottom);
    }
    // Tiled windows share the client: together they cover most of it.
    EXPECT_GT((a.right - a.left) * (a.bottom - a.top) + (b.right - b.left) * (b.bottom - b.top),
              clientArea.right * clientArea.bottom * 3 / 4);

    frame->Cascade();
    a = RectInClient(first->Handle());
    b = RectInClient(second->Handle());
    EXPECT_TRUE(IntersectRect(&overlap, &a, &b));
    EXPECT_NE(a.left, b.left);
    EXPECT_NE(a.top, b.top);

    first->SetWindowState(wsMinimized);
    uitest::Pump(20);
    EXPECT_TRUE(IsIconic(first->Handle()));
    EXPECT_EQ(first->WindowState(), wsMinimized);
    frame->ArrangeIcons();
    RECT icon = RectInClient(first->Handle());
    EXPECT_LE(icon.bottom, clientArea.bottom);
}

TEST_F(Mdi, WindowsCarryTheProgramsIcons) {
    for (HWND window : {Application->Handle(), frame->Handle(), first->Handle()}) {
        EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
        EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    }
    ICONINFO info{};
    auto small = reinterpret_cast<HICON>(SendMessageW(Application->Handle(), WM_GETICON, ICON_SMALL, 0));
    ASSERT_TRUE(GetIconInfo(small, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXSMICON));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

}  // namespace
