// Image lists, list and tree views, headers, tab controls and tool bars: real
// windows of the system classes, real clicks and keys, pixels, form
// resources, reflected notifications and custom drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/HeaderControl.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/MenuItem.h"
#include "toolkit/TabControl.h"
#include "toolkit/ToolBar.h"
#include "toolkit/TreeView.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/GdiObjectCount.h"
#include "toolkit/testing/UiDriver.h"

#include <commctrl.h>

namespace {

using Log = std::vector<std::wstring>;

class TCommonForm : public TForm {
public:
    using TForm::TForm;
    TImageList* Images1 = nullptr;
    TListView* Units = nullptr;
    TTreeView* Tree = nullptr;
    THeaderControl* Header = nullptr;
    TTabControl* Tabs = nullptr;
    TToolBar* Bar = nullptr;
    TToolButton* Lock = nullptr;
    Log log;
    std::vector<UINT> reflected;
    TWndMethod savedProc;
    bool refuse = false;
    bool skipButton = false;
    TColor buttonText = clNone;

    void Clicked(TObject* s) { log.push_back(L"click " + static_cast<TComponent*>(s)->Name()); }
    void Changed(TObject* s) { log.push_back(L"change " + static_cast<TComponent*>(s)->Name()); }
    void Changing(TObject*, bool& allow) {
        log.push_back(L"changing");
        allow = !refuse;
    }
    void ItemChanged(TObject*, TListItem* item, TItemChange change) {
        log.push_back(L"item " + item->Caption() + L" " + std::to_wstring(change));
    }
    void ItemSelected(TObject*, TListItem* item, bool selected) {
        log.push_back((selected ? L"select " : L"unselect ") + item->Caption());
    }
    void ColumnClicked(TObject*, TListColumn* column) { log.push_back(L"column " + column->Caption()); }
    void NodeChanged(TObject*, TTreeNode* node) { log.push_back(L"node " + (node ? node->Text() : L"-")); }
    void Expanding(TObject*, TTreeNode* node, bool& allow) {
        log.push_back(L"expanding " + node->Text());
        allow = !refuse;
    }
    void Collapsing(TObject*, TTreeNode* node, bool& allow) {
        log.push_back(L"collapsing " + node->Text());
        allow = !refuse;
    }
    void SectionClicked(THeaderControl*, THeaderSection* s) { log.push_back(L"section " + s->Text()); }
    void SectionResized(THeaderControl*, THeaderSection* s) { log.push_back(L"resize " + s->Text()); }
    void BarDraw(TToolBar*, const RECT&, bool&) { log.push_back(L"bar"); }
    void BarStage(TToolBar*, const RECT&, TCustomDrawStage stage, bool&) { log.push_back(L"bar " + std::to_wstring(stage)); }
    void ButtonDraw(TToolBar* bar, TToolButton* button, TCustomDrawState, bool& defaultDraw) {
        log.push_back(L"button " + button->Caption());
        if (buttonText != clNone) bar->Canvas().Font().SetColor(buttonText);
        if (skipButton && button->Caption() == L"Open") defaultDraw = false;
    }
    void ButtonStage(TToolBar*, TToolButton* button, TCustomDrawState, TCustomDrawStage stage, TTBCustomDrawFlags&, bool&) {
        log.push_back(L"button " + button->Caption() + L" " + std::to_wstring(stage));
    }
    // Records what reaches a control's WindowProc, then passes it on.
    void Spy(TMessage& m) {
        if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) reflected.push_back(m.Msg);
        savedProc(m);
    }
    static void Publish(TPublisher<TCommonForm>& p) {
        p.Field(L"Images1", &TCommonForm::Images1);
        p.Field(L"Units", &TCommonForm::Units);
        p.Field(L"Tree", &TCommonForm::Tree);
        p.Field(L"Header", &TCommonForm::Header);
        p.Field(L"Tabs", &TCommonForm::Tabs);
        p.Field(L"Bar", &TCommonForm::Bar);
        p.Field(L"Lock", &TCommonForm::Lock);
        p.Method(L"Clicked", &TCommonForm::Clicked);
        p.Method(L"Changed", &TCommonForm::Changed);
        p.Method(L"Changing", &TCommonForm::Changing);
        p.Method(L"ColumnClicked", &TCommonForm::ColumnClicked);
        p.Method(L"Expanding", &TCommonForm::Expanding);
        p.Method(L"SectionClicked", &TCommonForm::SectionClicked);
        p.Method(L"BarDraw", &TCommonForm::BarDraw);
    }
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

LONG_PTR StyleOf(TWinControl& c) { return GetWindowLongPtrW(c.Handle(), GWL_STYLE); }

POINT ScreenPoint(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

POINT CentreOf(HWND window, const RECT& r) { return ScreenPoint(window, (r.left + r.right) / 2, (r.top + r.bottom) / 2); }

// A press at `from`, a move in steps and a release at `to`, as real input.
void Drag(POINT from, POINT to) {
    auto send = [](DWORD flags) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags;
        SendInput(1, &in, sizeof in);
    };
    SetCursorPos(from.x, from.y);
    uitest::Pump(20);
    send(MOUSEEVENTF_LEFTDOWN);
    uitest::Pump(30);
    for (int i = 1; i <= 5; ++i) {
        SetCursorPos(from.x + (to.x - from.x) * i / 5, from.y + (to.y - from.y) * i / 5);
        send(MOUSEEVENTF_MOVE);
        uitest::Pump(20);
    }
    send(MOUSEEVENTF_LEFTUP);
    uitest::Pump(50);
}

// A press and release queued together as real input. A tree view runs its
// own message loop on a press until the release arrives, so the release
// must already be queued.
void QuickClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    uitest::Pump(10);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    uitest::Pump(50);
}

// Plain colour of a pixel on the screen copy of a window's client area.
COLORREF ClientPixel(HWND window, int x, int y) {
    WindowDC dc(window);
    return GetPixel(dc, x, y);
}

bool IsReddish(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 90 && GetBValue(c) < 90; }

// Windows of this thread (children included), for leak checks.
int WindowCount() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) {
            auto* n = reinterpret_cast<int*>(p);
            ++*n;
            EnumChildWindows(w, [](HWND, LPARAM q) { ++*reinterpret_cast<int*>(q); return TRUE; }, p);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// A 16-pixel image: a coloured square with a magenta frame 3 pixels wide.
void PaintFramedSquare(TBitmap& bitmap, int left, TColor colour) {
    bitmap.Canvas().Brush().SetColor(clFuchsia);
    bitmap.Canvas().FillRect(RECT{left, 0, left + 16, 16});
    bitmap.Canvas().Brush().SetColor(colour);
    bitmap.Canvas().FillRect(RECT{left + 3, 3, left + 13, 13});
}

class CommonControls : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterPublishedClass<TCommonForm>();
        form = new TCommonForm(nullptr);
        form->SetBounds(40, 40, 520, 380);
    }
    void TearDown() override {
        // The spy lives in the form's own fields, which go before its controls.
        if (spied) spied->WindowProc = form->savedProc;
        delete form;
    }
    template <class T>
    T* Add(const wchar_t* name, int left, int top, int width, int height) {
        auto* c = new T(form);
        c->SetName(name);
        c->SetParent(form);
        c->SetBounds(left, top, width, height);
        return c;
    }
    void SpyOn(TControl& c) {
        spied = &c;
        form->savedProc = c.WindowProc;
        c.WindowProc = TWndMethod(form, &TCommonForm::Spy);
    }
    bool Reflected(UINT msg) const {
        return std::find(form->reflected.begin(), form->reflected.end(), msg) != form->reflected.end();
    }
    bool Logged(const std::wstring& entry) const {
        return std::find(form->log.begin(), form->log.end(), entry) != form->log.end();
    }
    TCommonForm* form = nullptr;
    TControl* spied = nullptr;
};

}  // namespace

TEST_F(CommonControls, ImageListDrawsItsImagesMaskedAndDisabled) {
    TImageList images(nullptr);
    TBitmap strip(32, 16);
    PaintFramedSquare(strip, 0, clRed);
    PaintFramedSquare(strip, 16, clBlue);
    EXPECT_EQ(images.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(images.Count(), 2);  // the strip is cut at Width

    // Add with a separate mask: white is transparent.
    TBitmap green(16, 16), mask(16, 16);
    green.Canvas().Brush().SetColor(clLime);
    green.Canvas().FillRect(RECT{0, 0, 16, 16});
    mask.Canvas().Brush().SetColor(clWhite);
    mask.Canvas().FillRect(RECT{0, 0, 16, 16});
    mask.Canvas().Brush().SetColor(clBlack);
    mask.Canvas().FillRect(RECT{0, 0, 8, 16});
    EXPECT_EQ(images.Add(&green, &mask), 2);

    TBitmap target(100, 20);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(RECT{0, 0, 100, 20});
    images.Draw(target.Canvas(), 2, 2, 0);
    images.Draw(target.Canvas(), 20, 2, 1);
    images.Draw(target.Canvas(), 40, 2, 2);
    images.Draw(target.Canvas(), 60, 2, 0, false);
    images.Draw(target.Canvas(), 80, 2, 7);  // no such image: nothing drawn
    EXPECT_EQ(ColorToRGB(target.Canvas().Pixels(10, 10)), ColorToRGB(clRed));
    EXPECT_EQ(ColorToRGB(target.Canvas().Pixels(3, 3)), ColorToRGB(clWhite));  // the frame is transparent
    EXPECT_EQ(ColorToRGB(target.Canvas().Pixels(28, 10)), ColorToRGB(clBlue));
    EXPECT_EQ(ColorToRGB(target.Canvas().Pixels(43, 10)), ColorToRGB(clLime));
    EXPECT_EQ(ColorToRGB(target.Canvas().Pixels(53, 10)), ColorToRGB(clWhite));
    bool disabledShowsRed = false, disabledDrew = false;
    for (int x = 60; x < 78; ++x)
        for (int y = 0; y < 20; ++y) {
            TColor c = ColorToRGB(target.Canvas().Pixels(x, y));
            disabledShowsRed |= c == ColorToRGB(clRed);
            disabledDrew |= c != ColorToRGB(clWhite);
        }
    EXPECT_TRUE(disabledDrew);
    EXPECT_FALSE(disabledShowsRed);
    for (int x = 80; x < 100; ++x) EXPECT_EQ(ColorToRGB(target.Canvas().Pixels(x, 10)), ColorToRGB(clWhite));

    // A new size empties the list (a new handle).
    images.SetWidth(24);
    EXPECT_EQ(images.Count(), 0);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images.Handle(), &cx, &cy);
    EXPECT_EQ(cx, 24);
    EXPECT_EQ(cy, 16);
}

TEST_F(CommonControls, ControlsFollowTheirImageListAndForgetAFreedOne) {
    auto* images = new TImageList(form);
    auto* view = Add<TListView>(L"Units", 10, 10, 200, 100);
    auto* bar = Add<TToolBar>(L"Bar", 10, 120, 300, 30);
    auto* tabs = Add<TTabControl>(L"Tabs", 10, 160, 200, 100);
    view->SetSmallImages(images);
    bar->SetImages(images);
    tabs->SetImages(images);
    uitest::ShowAndActivate(*form);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(view->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)), images->Handle());
    images->SetHeight(20);  // a new handle reaches every control
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(bar->Handle(), TB_GETIMAGELIST, 0, 0)), images->Handle());
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(tabs->Handle(), TCM_GETIMAGELIST, 0, 0)), images->Handle());

    delete images;
    EXPECT_EQ(view->SmallImages(), nullptr);
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(SendMessageW(view->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETIMAGELIST, 0, 0), 0);
    // The view never owned the list: freeing it after the list is harmless.
    TImageList shared(nullptr);
    view->SetSmallImages(&shared);
    HIMAGELIST handle = shared.Handle();
    delete view;
    EXPECT_EQ(ImageList_GetImageCount(handle), 0);
    EXPECT_TRUE(ImageList_SetIconSize(handle, 16, 16));  // still a live list
}

TEST_F(CommonControls, ListViewShowsColumnsItemsAndTheUsersChoices) {
    auto* view = Add<TListView>(L"Units", 10, 10, 300, 150);
    view->SetViewStyle(vsReport);
    view->SetCheckboxes(true);
    view->SetRowSelect(true);
    view->Columns().Add()->SetCaption(L"Unit");
    TListColumn* state = view->Columns().Add();
    state->SetCaption(L"State");
    state->SetWidth(90);
    for (const wchar_t* name : {L"Rack A", L"Rack B", L"Rack C"}) {
        TListItem* item = view->Items().Add();
        item->SetCaption(name);
        item->SubItems().Add(L"off");
    }
    view->Items()[2]->SetChecked(true);  // before the window exists
    view->OnClick = TNotifyEvent(form, &TCommonForm::Clicked);
    view->OnChange = TLVChangeEvent(form, &TCommonForm::ItemChanged);
    view->OnSelectItem = TLVSelectItemEvent(form, &TCommonForm::ItemSelected);
    view->OnColumnClick = TLVColumnClickEvent(form, &TCommonForm::ColumnClicked);
    SpyOn(*view);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(view->Handle()), L"TListView");
    EXPECT_EQ(FindControl(view->Handle()), view);
    EXPECT_EQ(StyleOf(*view) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(StyleOf(*view) & LVS_SHAREIMAGELISTS);
    EXPECT_TRUE(StyleOf(*view) & LVS_EDITLABELS);
    DWORD ex = static_cast<DWORD>(SendMessageW(view->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_TRUE(ex & LVS_EX_CHECKBOXES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_FALSE(ex & LVS_EX_GRIDLINES);
    HWND header = view->HeaderHandle();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
    wchar_t text[64] = {};
    HDITEMW hd{};
    hd.mask = HDI_TEXT | HDI_WIDTH;
    hd.pszText = text;
    hd.cchTextMax = 64;
    SendMessageW(header, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&hd));
    EXPECT_EQ(std::wstring(text), L"State");
    EXPECT_EQ(hd.cxy, 90);
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = text;
    sub.cchTextMax = 64;
    SendMessageW(view->Handle(), LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&sub));
    EXPECT_EQ(std::wstring(text), L"off");
    EXPECT_TRUE(view->Items()[2]->Checked());
    EXPECT_FALSE(view->Items()[0]->Checked());

    // A click on an item selects it (reflected to WindowProc as CN_NOTIFY).
    form->log.clear();
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageW(view->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    uitest::ClickAt(CentreOf(view->Handle(), r));
    EXPECT_EQ(view->ItemIndex(), 1);
    EXPECT_EQ(view->Selected(), view->Items()[1]);
    EXPECT_TRUE(Logged(L"select Rack B"));
    EXPECT_TRUE(Logged(L"click Units"));
    EXPECT_TRUE(Reflected(CN_NOTIFY));

    // Space toggles the focused item's check mark.
    form->log.clear();
    uitest::PressKey(VK_SPACE);
    uitest::Pump(30);
    EXPECT_TRUE(view->Items()[1]->Checked());
    EXPECT_TRUE(Logged(L"item Rack B " + std::to_wstring(ctState)));

    // A click on the second column's header.
    RECT column{};
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&column));
    uitest::ClickAt(CentreOf(header, column));
    EXPECT_TRUE(Logged(L"column State"));

    // Changes in code reach the window; a new window keeps marks and selection.
    view->Items()[0]->SubItems().SetStrings(0, L"on");
    sub.pszText = text;
    SendMessageW(view->Handle(), LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&sub));
    EXPECT_EQ(std::wstring(text), L"on");
    view->SetGridLines(true);
    EXPECT_TRUE(SendMessageW(view->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES);
    view->SetReadOnly(true);
    EXPECT_FALSE(StyleOf(*view) & LVS_EDITLABELS);
    view->RecreateWnd();
    EXPECT_EQ(SendMessageW(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_TRUE(view->Items()[1]->Checked());
    EXPECT_TRUE(view->Items()[2]->Checked());
    EXPECT_EQ(view->ItemIndex(), 1);
    view->Items().Delete(0);
    EXPECT_EQ(SendMessageW(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(view->ItemIndex(), 0);  // Rack B moved up with its selection
    view->SetViewStyle(vsList);
    EXPECT_EQ(StyleOf(*view) & LVS_TYPEMASK, LVS_LIST);
}

TEST_F(CommonControls, TreeViewExpandsNodesForTheUserUnlessRefused) {
    auto* tree = Add<TTreeView>(L"Tree", 10, 10, 250, 200);
    TTreeNode* units = tree->Items().AddChild(nullptr, L"Units");
    TTreeNode* unit1 = tree->Items().AddChild(units, L"Unit 1");
    tree->Items().AddChild(unit1, L"CH1");
    tree->Items().Add(unit1, L"Unit 2");
    TTreeNode* schedule = tree->Items().Add(units, L"Schedule");
    tree->OnChange = TTVChangedEvent(form, &TCommonForm::NodeChanged);
    tree->OnExpanding = TTVExpandingEvent(form, &TCommonForm::Expanding);
    tree->OnCollapsing = TTVCollapsingEvent(form, &TCommonForm::Collapsing);
    SpyOn(*tree);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(tree->Handle()), L"TTreeView");
    EXPECT_EQ(tree->Items().Count(), 5);
    EXPECT_EQ(tree->Items().Item(2)->Text(), L"CH1");  // depth first
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETCOUNT, 0, 0), 5);
    const LONG_PTR style = StyleOf(*tree);
    EXPECT_TRUE((style & TVS_HASLINES) && (style & TVS_HASBUTTONS) && (style & TVS_LINESATROOT));
    tree->SetShowLines(false);
    EXPECT_FALSE(StyleOf(*tree) & TVS_HASLINES);

    // Click on "Units", then the right arrow opens it.
    RECT r{};
    *reinterpret_cast<HTREEITEM*>(&r) = units->ItemId();
    SendMessageW(tree->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    QuickClickAt(CentreOf(tree->Handle(), r));
    EXPECT_EQ(tree->Selected(), units);
    EXPECT_TRUE(Logged(L"node Units"));
    uitest::PressKey(VK_RIGHT);
    uitest::Pump(30);
    EXPECT_TRUE(units->Expanded());
    EXPECT_TRUE(Logged(L"expanding Units"));
    EXPECT_TRUE(Reflected(CN_NOTIFY));

    // "Unit 1" refuses to open.
    uitest::PressKey(VK_DOWN);
    uitest::Pump(30);
    EXPECT_EQ(tree->Selected(), unit1);
    form->refuse = true;
    uitest::PressKey(VK_RIGHT);
    uitest::Pump(30);
    EXPECT_TRUE(Logged(L"expanding Unit 1"));
    EXPECT_FALSE(unit1->Expanded());
    form->refuse = false;
    uitest::PressKey(VK_RIGHT);
    uitest::Pump(30);
    EXPECT_TRUE(unit1->Expanded());
    uitest::PressKey(VK_LEFT);
    uitest::Pump(30);
    EXPECT_TRUE(Logged(L"collapsing Unit 1"));
    EXPECT_FALSE(unit1->Expanded());

    // Code changes: text, expansion kept across a new window, deletion.
    schedule->SetText(L"Timer");
    wchar_t text[32] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = schedule->ItemId();
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(tree->Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::wstring(text), L"Timer");
    tree->RecreateWnd();
    EXPECT_TRUE(units->Expanded());
    EXPECT_FALSE(unit1->Expanded());
    EXPECT_EQ(tree->Selected(), unit1);
    tree->Items().Delete(units);
    EXPECT_EQ(tree->Items().Count(), 1);
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETCOUNT, 0, 0), 1);
    EXPECT_NE(tree->Selected(), unit1);
}

TEST_F(CommonControls, HeaderSectionsAreClickedAndResizedByTheMouse) {
    auto* header = Add<THeaderControl>(L"Header", 10, 10, 400, 24);
    for (const wchar_t* text : {L"Unit", L"Delay", L"State"}) {
        THeaderSection* s = header->Sections().Add();
        s->SetText(text);
        s->SetWidth(100);
    }
    header->Sections().Items(2)->SetAlignment(taRightJustify);
    header->OnSectionClick = TSectionNotifyEvent(form, &TCommonForm::SectionClicked);
    header->OnSectionResize = TSectionNotifyEvent(form, &TCommonForm::SectionResized);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(header->Handle()), L"THeaderControl");
    EXPECT_EQ(SendMessageW(header->Handle(), HDM_GETITEMCOUNT, 0, 0), 3);
    HDITEMW hd{};
    hd.mask = HDI_FORMAT;
    SendMessageW(header->Handle(), HDM_GETITEMW, 2, reinterpret_cast<LPARAM>(&hd));
    EXPECT_EQ(hd.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);

    uitest::ClickAt(ScreenPoint(header->Handle(), 150, 12));
    EXPECT_EQ(form->log, Log{L"section Delay"});

    // Dragging the divider after "Unit" 30 pixels to the right.
    form->log.clear();
    Drag(ScreenPoint(header->Handle(), 100, 12), ScreenPoint(header->Handle(), 130, 12));
    EXPECT_NEAR(header->Sections().Items(0)->Width(), 130, 3);
    EXPECT_TRUE(Logged(L"resize Unit"));
    EXPECT_FALSE(Logged(L"section Unit"));
    EXPECT_NEAR(header->Sections().Items(1)->Left(), 130, 3);

    header->Sections().Delete(0);
    EXPECT_EQ(SendMessageW(header->Handle(), HDM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(CommonControls, TabControlSwitchesOnAClickUnlessRefused) {
    auto* tabs = Add<TTabControl>(L"Tabs", 10, 10, 300, 150);
    for (const wchar_t* t : {L"Port", L"Device", L"Timer"}) tabs->Tabs().Add(t);
    tabs->SetTabIndex(0);
    tabs->OnChange = TNotifyEvent(form, &TCommonForm::Changed);
    tabs->OnChanging = TTabControl::TTabChangingEvent(form, &TCommonForm::Changing);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(tabs->Handle()), L"TTabControl");
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    auto clickTab = [&](int index) {
        RECT r{};
        SendMessageW(tabs->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        uitest::ClickAt(CentreOf(tabs->Handle(), r));
    };
    clickTab(2);
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(form->log, (Log{L"changing", L"change Tabs"}));
    form->refuse = true;
    clickTab(1);
    EXPECT_EQ(tabs->TabIndex(), 2);
    form->refuse = false;
    form->log.clear();
    tabs->SetTabIndex(1);  // silent
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(form->log.empty());

    RECT display = tabs->DisplayRect();
    RECT tab{};
    SendMessageW(tabs->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    EXPECT_GE(display.top, tab.bottom);
    EXPECT_LE(display.right, tabs->ClientWidth());

    tabs->Tabs().SetStrings(0, L"Serial");
    wchar_t text[32] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(tabs->Handle(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::wstring(text), L"Serial");
    tabs->SetStyle(tsButtons);
    tabs->SetTabPosition(tpBottom);
    EXPECT_TRUE(StyleOf(*tabs) & TCS_BUTTONS);
    EXPECT_TRUE(StyleOf(*tabs) & TCS_BOTTOM);
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(tabs->TabIndex(), 1);
    tabs->SetMultiLine(true);
    EXPECT_TRUE(StyleOf(*tabs) & TCS_MULTILINE);
    // The selected tab stays selected while tabs come and go before it.
    tabs->Tabs().Insert(0, L"Link");
    EXPECT_EQ(tabs->TabIndex(), 2);
    tabs->Tabs().Delete(0);
    tabs->Tabs().Delete(0);
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(tabs->TabIndex(), 0);
    EXPECT_EQ(tabs->Tabs().Strings(0), L"Device");
}

TEST_F(CommonControls, ToolButtonsClickCheckAndGroup) {
    auto* bar = Add<TToolBar>(L"Bar", 0, 0, 500, 30);
    bar->SetShowCaptions(true);
    auto button = [&](const wchar_t* name, TToolButtonStyle style, bool grouped = false) {
        auto* b = new TToolButton(form);
        b->SetName(name);
        b->SetCaption(name);
        b->SetStyle(style);
        b->SetGrouped(grouped);
        b->SetParent(bar);
        b->OnClick = TNotifyEvent(form, &TCommonForm::Clicked);
        return b;
    };
    TToolButton* open = button(L"Open", tbsButton);
    TToolButton* lock = button(L"Lock", tbsCheck);
    button(L"Gap", tbsSeparator);
    TToolButton* a = button(L"A", tbsCheck, true);
    TToolButton* b = button(L"B", tbsCheck, true);
    a->SetDown(true);
    SpyOn(*bar);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(bar->Handle()), L"TToolBar");
    EXPECT_EQ(bar->ButtonCount(), 5);
    EXPECT_EQ(bar->ControlCount(), 0);  // the bar itself shows them
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 5);
    EXPECT_TRUE(a->Down());

    uitest::Click(*open);
    EXPECT_EQ(form->log, Log{L"click Open"});
    EXPECT_TRUE(Reflected(CN_COMMAND));
    uitest::Click(*lock);
    EXPECT_TRUE(lock->Down());
    uitest::Click(*b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(form->log, (Log{L"click Open", L"click Lock", L"click B"}));

    a->SetDown(true);  // code keeps one of the group down
    EXPECT_FALSE(b->Down());
    open->SetEnabled(false);
    EXPECT_FALSE(SendMessageW(bar->Handle(), TB_ISBUTTONENABLED, open->CommandId(), 0));
    form->log.clear();
    uitest::Click(*open);
    EXPECT_TRUE(form->log.empty());
    lock->SetCaption(L"Locked");  // the bar is rebuilt; pressed states survive
    EXPECT_TRUE(lock->Down());
    EXPECT_TRUE(a->Down());
    delete b;
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 4);

    // A freed menu item is forgotten by its button.
    auto* item = new TMenuItem(form);
    item->SetName(L"OpenItem");
    open->SetMenuItem(item);
    EXPECT_EQ(GetPropText(open, L"MenuItem"), L"OpenItem");
    delete item;
    EXPECT_EQ(open->MenuItem(), nullptr);
}

TEST_F(CommonControls, ToolBarCustomDrawEventsSeeEveryStage) {
    auto* bar = Add<TToolBar>(L"Bar", 0, 0, 300, 30);
    bar->SetShowCaptions(true);
    bar->SetFlat(true);
    for (const wchar_t* caption : {L"Open", L"Save"}) {
        auto* b = new TToolButton(form);
        b->SetCaption(caption);
        b->SetParent(bar);
    }
    bar->OnCustomDraw = TTBCustomDrawEvent(form, &TCommonForm::BarDraw);
    bar->OnAdvancedCustomDraw = TTBAdvancedCustomDrawEvent(form, &TCommonForm::BarStage);
    bar->OnCustomDrawButton = TTBCustomDrawBtnEvent(form, &TCommonForm::ButtonDraw);
    bar->OnAdvancedCustomDrawButton = TTBAdvancedCustomDrawBtnEvent(form, &TCommonForm::ButtonStage);
    uitest::ShowAndActivate(*form);
    auto repaint = [&] {
        form->log.clear();
        RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        uitest::Pump(20);
    };
    repaint();
    for (const wchar_t* entry : {L"bar", L"bar 0", L"bar 1", L"bar 2", L"bar 3", L"button Open", L"button Open 0",
                                 L"button Open 1", L"button Save", L"button Save 0"})
        EXPECT_TRUE(Logged(entry)) << entry;
    // The plain event comes before the advanced one of the same stage.
    auto at = [&](const wchar_t* e) { return std::find(form->log.begin(), form->log.end(), e) - form->log.begin(); };
    EXPECT_LT(at(L"bar"), at(L"bar 0"));
    EXPECT_LT(at(L"bar 0"), at(L"button Open 0"));
    EXPECT_LT(at(L"button Open 0"), at(L"bar 1"));

    // A text colour set on the canvas colours the captions; DefaultDraw =
    // false leaves that button undrawn.
    RECT open{}, save{};
    SendMessageW(bar->Handle(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&open));
    SendMessageW(bar->Handle(), TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&save));
    auto reddish = [&](const RECT& r) {
        int n = 0;
        for (int x = r.left; x < r.right; ++x)
            for (int y = r.top; y < r.bottom; ++y) n += IsReddish(ClientPixel(bar->Handle(), x, y));
        return n;
    };
    EXPECT_EQ(reddish(save), 0);
    form->buttonText = clRed;
    form->skipButton = true;
    repaint();
    EXPECT_GT(reddish(save), 5);
    EXPECT_EQ(reddish(open), 0);
}

TEST_F(CommonControls, FormResourceSetsPublishedProperties) {
    ReadFormText(*form,
                 "object CommonForm: TCommonForm\n"
                 "  object Images1: TImageList\n    Width = 20\n    Height = 18\n  end\n"
                 "  object Units: TListView\n    Columns = <\n      item\n        Caption = 'Unit'\n        Width = 70\n      end\n"
                 "      item\n        Caption = 'State'\n        Alignment = taCenter\n      end>\n"
                 "    ViewStyle = vsReport\n    Checkboxes = True\n    GridLines = True\n    ReadOnly = True\n"
                 "    SmallImages = Images1\n    OnColumnClick = ColumnClicked\n  end\n"
                 "  object Tree: TTreeView\n    Top = 120\n    ShowLines = False\n    ShowRoot = False\n    Images = Images1\n"
                 "    OnExpanding = Expanding\n  end\n"
                 "  object Header: THeaderControl\n    Top = 240\n    Sections = <\n      item\n        Text = 'Delay'\n"
                 "        Width = 60\n      end>\n    OnSectionClick = SectionClicked\n  end\n"
                 "  object Tabs: TTabControl\n    Left = 250\n    TabIndex = 1\n    Style = tsFlatButtons\n"
                 "    Tabs.Strings = (\n      'Port'\n      'Device')\n    OnChange = Changed\n  end\n"
                 "  object Bar: TToolBar\n    Top = 300\n    ShowCaptions = True\n    Flat = True\n    Images = Images1\n"
                 "    ButtonWidth = 40\n    OnCustomDraw = BarDraw\n"
                 "    object Lock: TToolButton\n      Caption = 'Lock'\n      Style = tbsCheck\n      Down = True\n"
                 "      ImageIndex = 0\n      OnClick = Clicked\n    end\n  end\n"
                 "end\n");
    ASSERT_NE(form->Lock, nullptr);
    // Families a skin engine recognises by ancestor.
    EXPECT_TRUE(form->Units->InheritsFrom(L"TCustomListView"));
    EXPECT_TRUE(form->Tabs->InheritsFrom(L"TCustomTabControl"));
    EXPECT_TRUE(form->Tree->InheritsFrom(L"TWinControl"));
    EXPECT_FALSE(form->Tree->InheritsFrom(L"TCustomListView"));
    EXPECT_EQ(form->Units->ClassName(), L"TListView");
    EXPECT_EQ(form->Images1->Width(), 20);
    EXPECT_EQ(form->Units->Columns().Count(), 2);
    EXPECT_EQ(form->Units->Columns().Items(0)->Width(), 70);
    EXPECT_EQ(GetPropText(form->Units->Columns().Items(1), L"Alignment"), L"taCenter");
    EXPECT_EQ(SendMessageW(form->Units->HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(StyleOf(*form->Units) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_FALSE(StyleOf(*form->Units) & LVS_EDITLABELS);
    EXPECT_TRUE(SendMessageW(form->Units->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(form->Units->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
              form->Images1->Handle());
    EXPECT_TRUE(form->Units->OnColumnClick);
    EXPECT_FALSE(StyleOf(*form->Tree) & TVS_HASLINES);
    EXPECT_FALSE(StyleOf(*form->Tree) & TVS_LINESATROOT);
    EXPECT_EQ(form->Tree->Images(), form->Images1);
    EXPECT_TRUE(form->Tree->OnExpanding);
    EXPECT_EQ(form->Header->Sections().Items(0)->Text(), L"Delay");
    EXPECT_EQ(SendMessageW(form->Header->Handle(), HDM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_TRUE(form->Header->OnSectionClick);
    EXPECT_EQ(form->Tabs->TabIndex(), 1);  // given before the tabs
    EXPECT_TRUE(StyleOf(*form->Tabs) & TCS_FLATBUTTONS);
    EXPECT_EQ(GetPropText(form->Tabs, L"Style"), L"tsFlatButtons");
    EXPECT_TRUE(form->log.empty());
    EXPECT_TRUE(StyleOf(*form->Bar) & TBSTYLE_FLAT);
    EXPECT_EQ(form->Bar->ButtonWidth(), 40);
    EXPECT_EQ(form->Lock->ToolBar(), form->Bar);
    EXPECT_TRUE(form->Lock->Down());
    EXPECT_EQ(GetPropText(form->Lock, L"Style"), L"tbsCheck");
    EXPECT_TRUE(form->Bar->OnCustomDraw);
    EXPECT_TRUE(form->Lock->OnClick);
}

TEST_F(CommonControls, CreatingAndFreeingControlsLeaksNothing) {
    uitest::ShowAndActivate(*form);
    form->buttonText = clRed;  // custom drawing with a font of its own
    TImageList images(nullptr);
    TBitmap strip(32, 16);
    PaintFramedSquare(strip, 0, clRed);
    images.AddMasked(&strip, clFuchsia);
    auto cycle = [&](int rounds) {
        for (int i = 0; i < rounds; ++i) {
            auto* view = Add<TListView>(L"", 0, 0, 100, 60);
            view->SetViewStyle(vsReport);
            view->SetSmallImages(&images);
            view->Columns().Add()->SetCaption(L"c");
            view->Items().Add()->SetCaption(L"x");
            auto* tree = Add<TTreeView>(L"", 0, 60, 100, 60);
            tree->SetImages(&images);
            tree->Items().AddChild(tree->Items().AddChild(nullptr, L"a"), L"b");
            auto* header = Add<THeaderControl>(L"", 0, 120, 100, 20);
            header->Sections().Add()->SetText(L"h");
            auto* tabs = Add<TTabControl>(L"", 100, 0, 100, 60);
            tabs->Tabs().Add(L"t");
            auto* bar = Add<TToolBar>(L"", 100, 60, 100, 30);
            bar->SetImages(&images);
            auto* b = new TToolButton(form);
            b->SetParent(bar);
            b->SetImageIndex(0);
            b->SetCaption(L"b");
            bar->SetShowCaptions(true);
            bar->OnCustomDrawButton = TTBCustomDrawBtnEvent(form, &TCommonForm::ButtonDraw);
            RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            delete b;
            delete bar;
            delete tabs;
            delete header;
            delete tree;
            delete view;
        }
        uitest::Pump(20);
    };
    cycle(5);
    const DWORD gdi = GdiObjectCount();
    const int windows = WindowCount();
    cycle(60);  // 300 controls
    EXPECT_LE(GdiObjectCount(), gdi + 4);
    EXPECT_EQ(WindowCount(), windows);
    EXPECT_TRUE(Logged(L"button b"));
}
