// Scroll boxes and frames: real windows, real clicks on the scroll bars, and
// form resources.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/Frame.h"
#include "toolkit/Label.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TBoxForm : public TForm {
public:
    using TForm::TForm;
    TScrollBox* Box = nullptr;
    TButton* Near = nullptr;
    TEdit* Far = nullptr;
    static void Publish(TPublisher<TBoxForm>& p) {
        p.Field(L"Box", &TBoxForm::Box);
        p.Field(L"Near", &TBoxForm::Near);
        p.Field(L"Far", &TBoxForm::Far);
    }
};

class TPartFrame : public TFrame {
public:
    using TFrame::TFrame;
    TButton* Go = nullptr;
    static void Publish(TPublisher<TPartFrame>& p) { p.Field(L"Go", &TPartFrame::Go); }
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Where a child window really is, in its parent's client coordinates.
POINT WindowPlace(TWinControl& c) {
    RECT r{};
    GetWindowRect(c.Handle(), &r);
    MapWindowPoints(nullptr, GetParent(c.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return POINT{r.left, r.top};
}

// Screen point of the vertical bar's lower arrow.
POINT DownArrow(TScrollBox& box) {
    RECT client{};
    GetClientRect(box.Handle(), &client);
    POINT p{client.right + GetSystemMetrics(SM_CXVSCROLL) / 2, client.bottom - GetSystemMetrics(SM_CYVSCROLL) / 2};
    ClientToScreen(box.Handle(), &p);
    return p;
}

// A real click whose press and release are queued together: a press on a
// window's own scroll bar runs the system's tracking loop until the release,
// so nothing may wait in between.
void ClickAtOnce(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    uitest::Pump(10);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
    uitest::Pump(40);
}

class ScrollContainers : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterPublishedClass<TBoxForm>();
        form = new TBoxForm(nullptr);
        form->SetBounds(40, 40, 420, 320);
    }
    void TearDown() override { delete form; }
    TBoxForm* form = nullptr;
};

}  // namespace

TEST_F(ScrollContainers, ScrollBoxRangeFollowsChildrenAndScrollingMovesThem) {
    auto* box = new TScrollBox(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 200, 150);
    auto* nearButton = new TButton(form);
    nearButton->SetParent(box);
    nearButton->SetBounds(10, 20, 80, 24);
    auto* label = new TLabel(form);
    label->SetParent(box);
    label->SetBounds(10, 60, 80, 16);
    auto* farEdit = new TEdit(form);
    farEdit->SetParent(box);
    farEdit->SetBounds(250, 400, 100, 22);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(box->Handle()), L"TScrollBox");
    EXPECT_EQ(FindControl(box->Handle()), box);
    LONG_PTR style = GetWindowLongPtrW(box->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(GetWindowLongPtrW(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(box->HorzScrollBar().Range(), 350);
    EXPECT_EQ(box->VertScrollBar().Range(), 422);
    SCROLLINFO si{sizeof si, SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(box->Handle(), SB_VERT, &si);
    EXPECT_EQ(si.nMax, 421);

    ClickAtOnce(DownArrow(*box));
    EXPECT_EQ(box->VertScrollBar().Position(), 8);
    EXPECT_EQ(GetScrollPos(box->Handle(), SB_VERT), 8);
    EXPECT_EQ(nearButton->Top(), 12);
    EXPECT_EQ(WindowPlace(*nearButton).y, 12);
    EXPECT_EQ(label->Top(), 52);  // graphic children move too

    // To the end: the far edit comes into view at the bottom.
    SendMessageW(box->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    int bottom = box->ClientRect().bottom;
    EXPECT_EQ(farEdit->Top() + farEdit->Height(), bottom);
    EXPECT_EQ(WindowPlace(*farEdit).y, farEdit->Top());

    // Without the far edit nothing needs scrolling: bars go, contents return.
    delete farEdit;
    style = GetWindowLongPtrW(box->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_EQ(box->VertScrollBar().Position(), 0);
    EXPECT_EQ(nearButton->Top(), 20);
    EXPECT_EQ(WindowPlace(*nearButton).y, 20);

    // A scroll bar inside the box hears its own notifications; the box stays put.
    auto* bar = new TScrollBar(form);
    bar->SetParent(box);
    bar->SetBounds(10, 100, 120, 17);
    SendMessageW(box->Handle(), WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(bar->Position(), 1);
    EXPECT_EQ(box->HorzScrollBar().Position(), 0);

    box->SetBorderStyle(bsNone);
    EXPECT_FALSE(GetWindowLongPtrW(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(ScrollContainers, ScrollBoxReadsScrolledPositionFromFormResource) {
    ReadFormText(*form,
                 "object BoxForm: TBoxForm\n"
                 "  object Box: TScrollBox\n    Width = 150\n    Height = 100\n    BorderStyle = bsNone\n"
                 "    VertScrollBar.Position = 30\n    HorzScrollBar.Visible = False\n"
                 "    object Near: TButton\n      Top = 40\n      Width = 300\n    end\n"
                 "    object Far: TEdit\n      Top = 300\n    end\n"
                 "  end\n"
                 "end\n");
    ASSERT_NE(form->Far, nullptr);
    uitest::ShowAndActivate(*form);
    EXPECT_EQ(GetScrollPos(form->Box->Handle(), SB_VERT), 30);
    EXPECT_EQ(WindowPlace(*form->Near).y, 10);
    EXPECT_EQ(form->Far->Top(), 270);
    LONG_PTR style = GetWindowLongPtrW(form->Box->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_HSCROLL);  // too wide, but its bar is switched off
    EXPECT_FALSE(GetWindowLongPtrW(form->Box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetPropText(form->Box, L"VertScrollBar.Position"), L"30");
}

TEST_F(ScrollContainers, FramesAreOwnClassesAndKeepTheirComponentsApart) {
    TFrame::RegisterFrameClass<TPartFrame>();
    ReadFormText(*form,
                 "object BoxForm: TBoxForm\n"
                 "  object PartA: TPartFrame\n    Left = 8\n    Width = 150\n    Height = 60\n  end\n"
                 "  object PartB: TPartFrame\n    Left = 200\n    Width = 150\n    Height = 60\n  end\n"
                 "end\n");
    auto* a = dynamic_cast<TPartFrame*>(form->FindComponent(L"PartA"));
    auto* b = dynamic_cast<TPartFrame*>(form->FindComponent(L"PartB"));
    ASSERT_TRUE(a && b);
    // Each frame reads its own contents; the same names live in both.
    for (TPartFrame* f : {a, b}) {
        std::wstring name = f->Name();
        ReadFormText(*f, "object " + std::string(name.begin(), name.end()) +
                             ": TPartFrame\n  object Go: TButton\n    Caption = 'Go'\n  end\nend\n");
    }
    ASSERT_TRUE(a->Go && b->Go);
    EXPECT_NE(a->Go, b->Go);
    EXPECT_EQ(a->Go->Owner(), a);
    EXPECT_EQ(b->Go->Parent(), b);
    uitest::ShowAndActivate(*form);
    EXPECT_EQ(ClassOf(a->Handle()), L"TPartFrame");
    EXPECT_EQ(GetParent(b->Go->Handle()), b->Handle());
    EXPECT_EQ(WindowPlace(*b).x, 200);
    EXPECT_TRUE(ClassRegistry::Instance().InheritsFrom(L"TPartFrame", L"TFrame"));
}
