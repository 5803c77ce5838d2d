// Menus on real windows: the menu bar follows its items, mouse, keyboard and
// shortcuts run items, owner-drawn entries are measured and drawn by their
// events, popup menus open on a right click, and menus stream from form text.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Canvas.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/Menus.h"
#include "toolkit/Messages.h"
#include "toolkit/Panel.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TMenuForm : public TForm {
public:
    using TForm::TForm;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* Open1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TPanel* Panel1 = nullptr;
    std::vector<std::wstring> clicks;
    void ItemClick(TObject* sender) { clicks.push_back(static_cast<TMenuItem*>(sender)->Caption()); }
    static void Publish(TPublisher<TMenuForm>& p) {
        p.Field(L"MainMenu1", &TMenuForm::MainMenu1);
        p.Field(L"File1", &TMenuForm::File1);
        p.Field(L"Open1", &TMenuForm::Open1);
        p.Field(L"PopupMenu1", &TMenuForm::PopupMenu1);
        p.Field(L"Panel1", &TMenuForm::Panel1);
        p.Method(L"ItemClick", &TMenuForm::ItemClick);
    }
};

// Runs `action` from inside the modal loop of the next menu that opens
// (menu loops dispatch thread timers).
std::function<void()> gInMenu;
void CALLBACK InMenuTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) return;
    KillTimer(nullptr, id);
    auto action = std::move(gInMenu);
    gInMenu = nullptr;
    if (action) action();
}
void WhenMenuOpens(std::function<void()> action) {
    gInMenu = std::move(action);
    SetTimer(nullptr, 0, 30, InMenuTimer);
}

// Keys pressed in order and released in reverse, as real input.
void Chord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    auto add = [&](WORD vk, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    for (WORD k : keys) add(k, false);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) add(*it, true);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

MENUITEMINFOW EntryInfo(HMENU menu, int pos, std::wstring* text = nullptr) {
    wchar_t buffer[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = 127;
    GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info);
    if (text) *text = buffer;
    return info;
}

class Menus : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        form = new TMenuForm(nullptr);
        form->SetBounds(60, 60, 400, 260);
        form->SetCaption(L"Menus");
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 120, 24);
        menu = new TMainMenu(form);
        file = Item(menu->Items(), L"&File");
        open = Item(file, L"&Open");
        open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
        line = Item(file, L"-");
        save = Item(file, L"&Save");
        exit = Item(file, L"E&xit");
        help = Item(menu->Items(), L"&Help");
        form->SetMenu(menu);
        savedProc = form->WindowProc;
        form->WindowProc = TWndMethod(this, &Menus::CountMenuChanges);
        uitest::ShowAndActivate(*form);
        edit->SetFocus();
    }
    void TearDown() override {
        KillTimers();
        delete form;
    }
    void KillTimers() { gInMenu = nullptr; }

    TMenuItem* Item(TMenuItem* parent, const std::wstring& caption) {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        item->OnClick = TNotifyEvent(form, &TMenuForm::ItemClick);
        parent->Add(item);
        return item;
    }
    void CountMenuChanges(TMessage& m) {
        if (m.Msg == CM_MENUCHANGED) ++menuChanges;
        savedProc(m);
    }
    POINT BarItemCentre(int pos) {
        RECT r{};
        GetMenuItemRect(form->Handle(), GetMenu(form->Handle()), static_cast<UINT>(pos), &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    TMenuForm* form = nullptr;
    TEdit* edit = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *open = nullptr, *line = nullptr, *save = nullptr, *exit = nullptr, *help = nullptr;
    TWndMethod savedProc;
    int menuChanges = 0;
};

TEST_F(Menus, BarShowsTheItemsAndFollowsTheirChanges) {
    HMENU bar = GetMenu(form->Handle());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    std::wstring text;
    MENUITEMINFOW top = EntryInfo(bar, 0, &text);
    EXPECT_EQ(text, L"&File");
    ASSERT_EQ(top.hSubMenu, file->Handle());
    EXPECT_EQ(EntryInfo(bar, 1).hSubMenu, nullptr);  // no sub-items: a command of its own
    EntryInfo(file->Handle(), 0, &text);
    EXPECT_EQ(text, L"&Open\tCtrl+O");
    EXPECT_TRUE(EntryInfo(file->Handle(), 1).fType & MFT_SEPARATOR);

    int before = menuChanges;
    save->SetEnabled(false);
    exit->SetChecked(true);
    exit->SetDefault(true);
    EXPECT_GT(menuChanges, before);
    EXPECT_TRUE(EntryInfo(file->Handle(), 2).fState & MFS_GRAYED);
    MENUITEMINFOW exitInfo = EntryInfo(file->Handle(), 3);
    EXPECT_TRUE(exitInfo.fState & MFS_CHECKED);
    EXPECT_TRUE(exitInfo.fState & MFS_DEFAULT);
    EXPECT_EQ(exitInfo.wID, exit->Command());

    // Hidden items leave the Win32 menu; new sub-items give Help a submenu.
    line->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(file->Handle()), 3);
    before = menuChanges;
    TMenuItem* about = Item(help, L"&About");
    EXPECT_GT(menuChanges, before);
    EXPECT_EQ(EntryInfo(bar, 1).hSubMenu, help->Handle());
    EntryInfo(help->Handle(), 0, &text);
    EXPECT_EQ(text, L"&About");
    delete about;
    EXPECT_EQ(GetMenuItemCount(help->Handle()), 0);
    EXPECT_EQ(menu->FindItem(open->Command(), fkCommand), open);
}

TEST_F(Menus, MouseKeyboardAndShortCutsRunItems) {
    // Opened with the mouse, chosen with the keys.
    WhenMenuOpens([] { Chord({VK_DOWN}); Chord({VK_RETURN}); });
    uitest::ClickAt(BarItemCentre(0));
    ASSERT_TRUE(uitest::PumpUntil([&] { return !form->clicks.empty(); }));
    EXPECT_EQ(form->clicks, std::vector<std::wstring>{L"&Open"});

    // Alt+F opens File; the item's accelerator chooses it.
    form->clicks.clear();
    WhenMenuOpens([] { Chord({'X'}); });
    Chord({VK_MENU, 'F'});
    ASSERT_TRUE(uitest::PumpUntil([&] { return !form->clicks.empty(); }));
    EXPECT_EQ(form->clicks, std::vector<std::wstring>{L"E&xit"});

    // Ctrl+O in the edit runs Open and the edit does not see the key; a
    // disabled item's shortcut does nothing.
    form->clicks.clear();
    edit->SetFocus();
    Chord({VK_CONTROL, 'O'});
    uitest::Pump(60);
    EXPECT_EQ(form->clicks, std::vector<std::wstring>{L"&Open"});
    open->SetEnabled(false);
    Chord({VK_CONTROL, 'O'});
    uitest::Pump(60);
    EXPECT_EQ(form->clicks.size(), 1u);
    EXPECT_EQ(edit->Text(), L"");
}

class DrawLog : public TObject {
public:
    void Measure(TObject*, TCanvas*, int& w, int& h) {
        w = 150;
        h = 30;
    }
    void Draw(TObject* sender, TCanvas* canvas, const RECT& r, bool) {
        drawn.push_back(static_cast<TMenuItem*>(sender)->Caption());
        rects.push_back(r);
        canvas->Brush().SetColor(clRed);
        canvas->FillRect(r);
    }
    std::vector<std::wstring> drawn;
    std::vector<RECT> rects;
};

TEST_F(Menus, OwnerDrawnEntriesAreMeasuredAndDrawnByTheirEvents) {
    DrawLog log;
    TPopupMenu popup(nullptr);
    popup.SetOwnerDraw(true);
    auto* custom = new TMenuItem(nullptr);
    custom->SetCaption(L"Custom");
    custom->OnMeasureItem = TMenuMeasureItemEvent(&log, &DrawLog::Measure);
    custom->OnDrawItem = TMenuDrawItemEvent(&log, &DrawLog::Draw);
    auto* plain = new TMenuItem(nullptr);
    plain->SetCaption(L"Plain item");
    popup.Items()->Add(custom);
    popup.Items()->Add(plain);
    EXPECT_TRUE(EntryInfo(popup.Handle(), 0).fType & MFT_OWNERDRAW);

    SIZE menuSize{};
    COLORREF firstPixel = 0;
    WhenMenuOpens([&] {
        HWND window = FindWindowW(L"#32768", nullptr);
        UpdateWindow(window);
        RECT r;
        GetClientRect(window, &r);
        menuSize = SIZE{r.right, r.bottom};
        if (!log.rects.empty()) {
            HDC dc = GetDC(window);
            firstPixel = GetPixel(dc, log.rects[0].left + 5, log.rects[0].top + 5);
            ReleaseDC(window, dc);
        }
        Chord({VK_ESCAPE});
    });
    popup.Popup(120, 120);
    ASSERT_FALSE(log.rects.empty());
    EXPECT_EQ(log.drawn[0], L"Custom");
    EXPECT_GE(log.rects[0].right - log.rects[0].left, 150);
    EXPECT_LE(log.rects[0].right - log.rects[0].left, menuSize.cx);
    EXPECT_EQ(log.rects[0].bottom - log.rects[0].top, 30);
    EXPECT_GT(menuSize.cy, 30);  // the plain item has a height of its own
    EXPECT_EQ(firstPixel, RGB(255, 0, 0));

    // Without its handler the item measures itself from the caption.
    custom->OnMeasureItem = nullptr;
    TCanvas canvas;
    canvas.OwnHandle(CreateCompatibleDC(nullptr));
    int shortW = 0, shortH = 0, longW = 0, longH = 0;
    custom->MeasureItem(&canvas, shortW, shortH);
    plain->MeasureItem(&canvas, longW, longH);
    EXPECT_GT(shortH, 0);
    EXPECT_GT(longW, shortW);
}

TEST_F(Menus, RightClickOpensTheControlsPopupMenu) {
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(150, 40, 120, 80);
    auto* popup = new TPopupMenu(form);
    int popups = 0;
    struct Counter : TObject {
        int* n;
        void Popped(TObject*) { ++*n; }
    } counter;
    counter.n = &popups;
    popup->OnPopup = TNotifyEvent(&counter, &Counter::Popped);
    Item(popup->Items(), L"&Copy");
    Item(popup->Items(), L"&Paste");
    panel->SetPopupMenu(popup);
    uitest::Pump(30);

    WhenMenuOpens([] { Chord({VK_DOWN}); Chord({VK_DOWN}); Chord({VK_RETURN}); });
    POINT at = uitest::ScreenCentre(*panel);
    SetCursorPos(at.x, at.y);
    uitest::Pump(10);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, in, sizeof in[0]);
    ASSERT_TRUE(uitest::PumpUntil([&] { return !form->clicks.empty(); }));
    EXPECT_EQ(form->clicks, std::vector<std::wstring>{L"&Paste"});
    EXPECT_EQ(popup->PopupComponent(), panel);
    EXPECT_EQ(popups, 1);

    // A freed popup menu is no longer the panel's.
    delete popup;
    EXPECT_EQ(panel->PopupMenu(), nullptr);
}

TEST(MenuResources, MenusAreReadFromFormText) {
    Application->Initialize();
    RegisterPublishedClass<TMenuForm>();
    TMenuForm form(nullptr);
    ReadFormText(form,
                 "object MenuForm: TMenuForm\n"
                 "  Menu = MainMenu1\n"
                 "  object Panel1: TPanel\n"
                 "    PopupMenu = PopupMenu1\n"
                 "  end\n"
                 "  object MainMenu1: TMainMenu\n"
                 "    OwnerDraw = True\n"
                 "    object File1: TMenuItem\n"
                 "      Caption = '&File'\n"
                 "      object Open1: TMenuItem\n"
                 "        Caption = '&Open'\n"
                 "        ShortCut = 16463\n"
                 "        Checked = True\n"
                 "        OnClick = ItemClick\n"
                 "      end\n"
                 "      object N1: TMenuItem\n"
                 "        Caption = '-'\n"
                 "      end\n"
                 "    end\n"
                 "  end\n"
                 "  object PopupMenu1: TPopupMenu\n"
                 "    AutoPopup = False\n"
                 "    object Copy1: TMenuItem\n"
                 "      Caption = 'Copy'\n"
                 "      Enabled = False\n"
                 "    end\n"
                 "  end\n"
                 "end\n");
    ASSERT_NE(form.MainMenu1, nullptr);
    EXPECT_EQ(form.Menu(), form.MainMenu1);
    EXPECT_TRUE(form.MainMenu1->OwnerDraw());
    ASSERT_EQ(form.MainMenu1->Items()->Count(), 1);
    EXPECT_EQ(form.MainMenu1->Items()->Items(0), form.File1);
    ASSERT_EQ(form.File1->Count(), 2);
    EXPECT_EQ(form.File1->Items(0), form.Open1);
    EXPECT_EQ(form.Open1->Parent(), form.File1);
    EXPECT_EQ(form.Open1->ShortCut(), ShortCut('O', TShiftState{ssCtrl}));
    EXPECT_TRUE(form.File1->Items(1)->IsLine());
    ASSERT_EQ(form.Panel1->PopupMenu(), form.PopupMenu1);
    EXPECT_FALSE(form.PopupMenu1->AutoPopup());
    EXPECT_FALSE(form.PopupMenu1->Items()->Items(0)->Enabled());

    form.Show();
    uitest::Pump(30);
    HMENU bar = GetMenu(form.Handle());
    ASSERT_NE(bar, nullptr);
    MENUITEMINFOW open = EntryInfo(form.File1->Handle(), 0);
    EXPECT_TRUE(open.fState & MFS_CHECKED);
    EXPECT_TRUE(open.fType & MFT_OWNERDRAW);
    PostMessageW(form.Handle(), WM_COMMAND, form.Open1->Command(), 0);
    uitest::Pump(30);
    EXPECT_EQ(form.clicks, std::vector<std::wstring>{L"&Open"});
}

TEST(ShortCuts, TextAndBackAgree) {
    for (TShortCut s : {ShortCut('O', TShiftState{ssCtrl}), ShortCut(VK_F5, TShiftState{ssShift, ssCtrl}),
                        ShortCut(VK_DELETE, TShiftState{}), ShortCut('X', TShiftState{ssAlt})})
        EXPECT_EQ(TextToShortCut(ShortCutToText(s)), s) << s;
    EXPECT_EQ(ShortCutToText(ShortCut('S', TShiftState{ssCtrl, ssShift})), L"Shift+Ctrl+S");
    EXPECT_EQ(TextToShortCut(L"ctrl+f12"), ShortCut(VK_F12, TShiftState{ssCtrl}));
    EXPECT_EQ(TextToShortCut(L"Ctrl+"), scNone);
}

}  // namespace
