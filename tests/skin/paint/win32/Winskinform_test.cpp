// The form skinner and the control skinner base on real windows: the
// skinned frame's geometry, giving a window back, faults kept inside the
// engine, and windows that go while an action is pending.
#include <algorithm>
#include <stdexcept>

#include "SkinTestSupport.h"

#include <commctrl.h>

#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/PageControl.h"
#include "toolkit/TabControl.h"
#include "toolkit/ModuleInstance.h"
#include "toolkit/testing/GdiObjectCount.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;
using namespace skintest;

namespace {

class FormSkinner : public EngineTest {};

SIZE WindowSize(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}
SIZE ClientSize(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return SIZE{r.right, r.bottom};
}

// A skinner that fails while drawing, or on any message once armed.
class FaultySkinner : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool failMessages = false;
    int draws = 0;
    bool BeforeProc(TMessage& m) override {
        if (failMessages && m.Msg == WM_PAINT) throw std::runtime_error("broken skinner");
        return TSkinControl::BeforeProc(m);
    }
    void DrawControl(HDC, const RECT&) override {
        ++draws;
        throw std::runtime_error("broken picture");
    }
};

}  // namespace

TEST_F(FormSkinner, SkinnedFrameKeepsClientSizeAndUnskinningGivesEverythingBack) {
    TSkinData* d = MakeSkinData(root_.get());
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    form->SetColor(clWindow);
    HWND h = form->Handle();
    WNDPROC original = ProcOf(h);
    SIZE systemWindow = WindowSize(h), systemClient = ClientSize(h);
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; }));
    TWinSkinForm* sf = mgr()->FindSkinForm(h);
    ASSERT_TRUE(sf->sMainMenu);  // the default SkinControls draw the frame
    // The frame is the skin's: the client area keeps its size, the window
    // is the client plus the border images' thickness.
    RECT bw = sf->bw;
    EXPECT_GT(bw.top, 0);
    EXPECT_EQ(ClientSize(h).cx, systemClient.cx);
    EXPECT_EQ(ClientSize(h).cy, systemClient.cy);
    EXPECT_EQ(WindowSize(h).cx, systemClient.cx + bw.left + bw.right);
    EXPECT_EQ(WindowSize(h).cy, systemClient.cy + bw.top + bw.bottom);
    EXPECT_EQ(form->Color(), d->Colors[csButtonFace]);
    // A point on the caption bar is the caption; the client stays client.
    RECT wr{};
    GetWindowRect(h, &wr);
    EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(wr.left + 60, wr.top + bw.top / 2 + 2)), HTCAPTION);
    POINT centre{systemClient.cx / 2, systemClient.cy / 2};
    ClientToScreen(h, &centre);
    EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTCLIENT);

    d->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) == nullptr; }));
    EXPECT_EQ(ProcOf(h), original);
    EXPECT_EQ(form->Color(), clWindow);
    EXPECT_EQ(WindowSize(h).cx, systemWindow.cx);
    EXPECT_EQ(WindowSize(h).cy, systemWindow.cy);
    EXPECT_EQ(ClientSize(h).cx, systemClient.cx);
    EXPECT_EQ(SendMessageW(h, CN_IsSkinned, 0, 0), 0);
}

TEST_F(FormSkinner, WithoutFrameSkinningControlsAreStillTakenOverAndGivenBack) {
    TSkinData* d = MakeSkinData(root_.get());
    d->SetSkinControls(d->SkinControls().Exclude(xcMainMenu));
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    auto* tabs = new TTabControl(form.get());
    tabs->SetParent(form.get());
    tabs->SetBounds(10, 60, 200, 60);
    tabs->Tabs().Add(L"One");
    tabs->Tabs().Add(L"Two");
    HWND h = form->Handle();
    SIZE systemWindow = WindowSize(h);
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; }));
    TWinSkinForm* sf = mgr()->FindSkinForm(h);
    EXPECT_FALSE(sf->sMainMenu);
    EXPECT_EQ(sf->Skinstate, 1);
    EXPECT_EQ(WindowSize(h).cx, systemWindow.cx);  // the system frame stays
    EXPECT_EQ(SendMessageW(h, CN_IsSkinned, 0, 0), 1);
    // The controls are skinned although the frame is not.
    EXPECT_NE(sf->FindSkinComp(edit), nullptr);
    EXPECT_EQ(SendMessageW(edit->Handle(), CN_IsSkinned, 0, 0), 1);
    // A skinner that reads its pictures after the base class started it
    // still shows them without any later repaint of the window: the tab
    // strip is not the plain face colour.
    Pump(200);
    RECT first{};
    SendMessageW(tabs->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    HDC dc = GetDC(tabs->Handle());
    int colours = 0;
    for (int x = first.left, last = -1; x < first.right; ++x) {
        int c = static_cast<int>(GetPixel(dc, x, (first.top + first.bottom) / 2));
        colours += c != last;
        last = c;
    }
    ReleaseDC(tabs->Handle(), dc);
    EXPECT_GT(colours, 2);

    // A skinner hooked to a control and taken away again.
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    WNDPROC buttonProc = ProcOf(button->Handle());
    auto* skinner = new TSkinControl(button);
    skinner->Init(sf, d, sf->SecondCanvas(), true);
    EXPECT_EQ(sf->FindSkinComp(button), skinner);
    EXPECT_EQ(button->Color(), d->Colors[csButtonFace]);
    EXPECT_EQ(SendMessageW(button->Handle(), CN_IsSkinned, 0, 0), 1);
    SendMessageW(button->Handle(), CN_SkinControlEnable, 0, 0);
    EXPECT_EQ(SendMessageW(button->Handle(), CN_IsSkinned, 0, 0), 0);  // off: the control answers
    SendMessageW(button->Handle(), CN_SkinControlEnable, 1, 0);
    d->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) == nullptr; }));
    EXPECT_EQ(button->Color(), clBtnFace);
    EXPECT_EQ(SendMessageW(button->Handle(), CN_IsSkinned, 0, 0), 0);
    EXPECT_EQ(ProcOf(button->Handle()), buttonProc);
    // A control freed while skinned takes its skinner with it.
    d->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) != nullptr; }));
    sf = mgr()->FindSkinForm(h);
    auto* second = new TSkinControl(button);
    second->Init(sf, d, sf->SecondCanvas(), false);
    ASSERT_EQ(sf->FindSkinComp(button) != nullptr, true);
    delete button;
    EXPECT_EQ(std::find(sf->Controllist.begin(), sf->Controllist.end(), second), sf->Controllist.end());
    for (TSkinControl* c : sf->Controllist) EXPECT_NE(SkinnedObject(*c), nullptr);
}

TEST_F(FormSkinner, FaultsInSkinnersStayInsideAndLeaveSystemDrawing) {
    TSkinData* d = MakeSkinData(root_.get());
    TStrings debug;
    d->DebugList = &debug;
    auto form = ShowForm();
    HWND h = form->Handle();
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; }));
    TWinSkinForm* sf = mgr()->FindSkinForm(h);

    HWND plain = CreateWindowExW(0, L"STATIC", L"text", WS_CHILD | WS_VISIBLE, 5, 5, 80, 20, h, nullptr,
                                 ModuleInstance(), nullptr);
    auto* skinner = new FaultySkinner(sf);
    skinner->Inithwnd(plain, d, sf->SecondCanvas(), sf);
    // A drawing error is swallowed by the paint pipeline; the skinner stays.
    skinner->PaintControl(nullptr);
    EXPECT_EQ(skinner->draws, 1);
    EXPECT_TRUE(skinner->skinned);
    // An error in the message pipeline turns the skinner off; the control
    // paints itself and the reason is recorded.
    skinner->failMessages = true;
    RedrawWindow(plain, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(skinner->skinned);
    EXPECT_GE(debug.Count(), 1);
    Pump(50);
    RECT empty{};
    EXPECT_FALSE(GetUpdateRect(plain, &empty, FALSE));  // painted since, by the control itself
    DestroyWindow(plain);
    d->DebugList = nullptr;
}

TEST_F(FormSkinner, WindowsDestroyedWhileActionsWaitLeaveNoSkinner) {
    TSkinData* d = MakeSkinData(root_.get());
    mgr()->state = 1;
    HWND box = MakeDialog(ModuleInstance());
    mgr()->AddForm(box);
    ASSERT_NE(mgr()->FindSkinForm(box), nullptr);
    Pump(50);
    d->UpdateSkin();  // skin change pending ...
    DestroyWindow(box);  // ... when the window goes
    EXPECT_EQ(mgr()->FindSkinForm(box), nullptr);
    Pump(400);
    for (TWinSkinForm* sf : mgr()->Forms()) EXPECT_NE(sf->Hwnd, box);

    HWND second = MakeDialog(ModuleInstance());
    mgr()->AddForm(second);
    ASSERT_NE(mgr()->FindSkinForm(second), nullptr);
    d->SetActive(false);  // uninstall pending
    DestroyWindow(second);
    Pump(400);
    EXPECT_TRUE(mgr()->Forms().empty());
}

TEST_F(FormSkinner, RepaintsAndOnOffCyclesLeaveGdiAndWindowCountsWhereTheyStarted) {
    TSkinData* d = MakeSkinData(root_.get());
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    for (int i = 0; i < 6; ++i) {
        auto* b = new TButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(10, 10 + 30 * i, 90, 24);
        b->SetCaption(L"Button");
    }
    uitest::ShowAndActivate(*form);
    HWND h = form->Handle();
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; }));
    // One cycle first, so that what the system and the toolkit create once
    // (cached brushes, the system menu copy) is in the baseline.
    d->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) == nullptr; }));
    d->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; }));
    Pump(100);
    const DWORD gdi = GdiObjectCount();
    const size_t windows = WindowCount();
    for (int i = 0; i < 1000; ++i)
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int cycle = 0; cycle < 20; ++cycle) {
        d->SetActive(false);
        ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) == nullptr; })) << cycle;
        d->SetActive(true);
        ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; })) << cycle;
    }
    Pump(100);
    EXPECT_LE(GdiObjectCount(), gdi);
    EXPECT_EQ(WindowCount(), windows);
}

TEST_F(FormSkinner, ControlsOfPagesNotShownAreSkinnedWhenTheirPageIsFirstShown) {
    MakeSkinData(root_.get());
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    auto* pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(8, 8, 360, 240);
    TTabSheet* sheets[2] = {new TTabSheet(form.get()), new TTabSheet(form.get())};
    for (TTabSheet* sheet : sheets) sheet->SetPageControl(pages);
    TButton* buttons[2] = {};
    TCheckBox* later = new TCheckBox(form.get());
    for (int i = 0; i < 2; ++i) {
        buttons[i] = new TButton(form.get());
        buttons[i]->SetParent(sheets[i]);
        buttons[i]->SetBounds(10, 10, 90, 24);
    }
    later->SetParent(sheets[1]);
    later->SetBounds(10, 50, 120, 20);
    pages->SetActivePage(sheets[0]);
    uitest::ShowAndActivate(*form);
    HWND h = form->Handle();
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; }));
    TWinSkinForm* sf = mgr()->FindSkinForm(h);
    ASSERT_NE(sf->FindSkinComp(buttons[0]), nullptr);
    // Taking the form over made no windows for the page nobody looked at.
    EXPECT_FALSE(buttons[1]->HandleAllocated());
    EXPECT_EQ(sf->FindSkinComp(buttons[1]), nullptr);

    // A control freed while it waits is forgotten.
    auto* freed = new TButton(form.get());
    freed->SetParent(sheets[1]);
    sf->AddComp(freed, form.get());
    delete freed;

    pages->SetActivePage(sheets[1]);
    ASSERT_TRUE(buttons[1]->HandleAllocated());
    EXPECT_NE(sf->FindSkinComp(buttons[1]), nullptr);
    EXPECT_NE(sf->FindSkinComp(later), nullptr);
    EXPECT_EQ(SendMessageW(later->Handle(), CN_IsSkinned, 0, 0), 1);

    // Given back before its page was shown: a control stays the system's.
    auto* third = new TTabSheet(form.get());
    third->SetPageControl(pages);
    auto* waiting = new TButton(form.get());
    waiting->SetParent(third);
    sf->AddComp(waiting, form.get());
    mgr()->FindSkinForm(h)->fsd->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) == nullptr; }));
    pages->SetActivePage(third);
    ASSERT_TRUE(waiting->HandleAllocated());
    EXPECT_EQ(SendMessageW(waiting->Handle(), CN_IsSkinned, 0, 0), 0);
}
