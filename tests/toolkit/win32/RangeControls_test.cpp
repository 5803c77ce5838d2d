// Scroll bars, progress bars, track bars and up-down arrows: real windows,
// real clicks and keys, and form resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/TrackBar.h"
#include "toolkit/UpDown.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

#include <commctrl.h>

namespace {

class TRangeForm : public TForm {
public:
    using TForm::TForm;
    TScrollBar* Bar = nullptr;
    TProgressBar* Progress = nullptr;
    TTrackBar* Track = nullptr;
    TUpDown* Spin = nullptr;
    TEdit* Count = nullptr;
    std::vector<std::wstring> log;
    int scrollLimit = 1000;
    void Changed(TObject* s) { log.push_back(L"change " + static_cast<TComponent*>(s)->Name()); }
    void Scrolled(TObject*, TScrollCode code, int& pos) {
        log.push_back(L"scroll " + std::to_wstring(code) + L" " + std::to_wstring(pos));
        if (pos > scrollLimit) pos = scrollLimit;
    }
    void Spun(TObject*, TUDBtnType b) { log.push_back(b == btNext ? L"next" : L"prev"); }
    static void Publish(TPublisher<TRangeForm>& p) {
        p.Field(L"Bar", &TRangeForm::Bar);
        p.Field(L"Progress", &TRangeForm::Progress);
        p.Field(L"Track", &TRangeForm::Track);
        p.Field(L"Spin", &TRangeForm::Spin);
        p.Field(L"Count", &TRangeForm::Count);
        p.Method(L"Changed", &TRangeForm::Changed);
        p.Method(L"Scrolled", &TRangeForm::Scrolled);
        p.Method(L"Spun", &TRangeForm::Spun);
    }
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

LONG_PTR StyleOf(TWinControl& c) { return GetWindowLongPtrW(c.Handle(), GWL_STYLE); }

// Screen point at a fraction of a control's width and height.
POINT At(TWinControl& c, double fx, double fy) {
    RECT r{};
    GetWindowRect(c.Handle(), &r);
    return POINT{r.left + static_cast<int>((r.right - r.left) * fx), r.top + static_cast<int>((r.bottom - r.top) * fy)};
}

class RangeControls : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterPublishedClass<TRangeForm>();
        form = new TRangeForm(nullptr);
        form->SetBounds(50, 50, 460, 320);
    }
    void TearDown() override { delete form; }
    template <class T>
    T* Add(const wchar_t* name, int left, int top, int width, int height) {
        auto* c = new T(form);
        c->SetName(name);
        c->SetParent(form);
        c->SetBounds(left, top, width, height);
        return c;
    }
    TRangeForm* form = nullptr;
};

}  // namespace

TEST_F(RangeControls, ScrollBarMovesByArrowTrackAndKeys) {
    auto* bar = Add<TScrollBar>(L"Bar", 10, 10, 300, 20);
    bar->OnChange = TNotifyEvent(form, &TRangeForm::Changed);
    bar->OnScroll = TScrollEvent(form, &TRangeForm::Scrolled);
    bar->SetParams(150, 10, 20);  // clamped into the range
    bar->SetSmallChange(2);
    bar->SetLargeChange(5);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(bar->Handle()), L"TScrollBar");
    EXPECT_EQ(FindControl(bar->Handle()), bar);
    EXPECT_EQ(StyleOf(*bar) & SBS_VERT, 0);
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 20);
    form->log.clear();

    bar->SetFocus();
    uitest::PressKey(VK_LEFT);  // a line
    uitest::Pump(20);
    EXPECT_EQ(bar->Position(), 18);
    uitest::PressKey(VK_PRIOR);  // a page
    uitest::Pump(20);
    EXPECT_EQ(bar->Position(), 13);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 13);
    ASSERT_GE(form->log.size(), 4u);
    EXPECT_EQ(form->log[0], L"scroll " + std::to_wstring(scLineUp) + L" 18");
    EXPECT_EQ(form->log[1], L"change Bar");
    EXPECT_EQ(form->log[2], L"scroll " + std::to_wstring(scPageUp) + L" 13");

    uitest::PressKey(VK_RIGHT);
    uitest::Pump(20);
    EXPECT_EQ(bar->Position(), 15);

    // OnScroll may change where the bar goes; the bar follows the handler.
    form->scrollLimit = 16;
    SendMessageW(form->Handle(), WM_HSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(bar->Position(), 16);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 16);

    bar->SetKind(sbVertical);
    EXPECT_TRUE(StyleOf(*bar) & SBS_VERT);
    EXPECT_EQ(bar->Width(), 20);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 16);
}

TEST_F(RangeControls, ProgressAndTrackBarsShowTheirRangeAndStyles) {
    auto* progress = Add<TProgressBar>(L"Progress", 10, 10, 200, 18);
    progress->SetMax(50);
    progress->SetPosition(80);
    auto* track = Add<TTrackBar>(L"Track", 10, 50, 200, 40);
    track->OnChange = TNotifyEvent(form, &TRangeForm::Changed);
    track->SetMax(20);
    track->SetFrequency(5);
    track->SetPosition(4);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(progress->Handle()), L"TProgressBar");
    EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETRANGE, FALSE, 0), 50);
    EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETPOS, 0, 0), 50);
    progress->SetMin(60);  // the range grows to hold the new minimum
    EXPECT_EQ(progress->Max(), 60);
    EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETPOS, 0, 0), 60);
    progress->SetSmooth(true);
    progress->SetOrientation(pbVertical);
    EXPECT_TRUE(StyleOf(*progress) & PBS_SMOOTH);
    EXPECT_TRUE(StyleOf(*progress) & PBS_VERTICAL);

    EXPECT_EQ(ClassOf(track->Handle()), L"TTrackBar");
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETRANGEMAX, 0, 0), 20);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 4);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETNUMTICS, 0, 0), 5);  // 0, 5, 10, 15, 20
    EXPECT_EQ(form->log, std::vector<std::wstring>{L"change Track"});
    form->log.clear();
    track->SetFocus();
    uitest::PressKey(VK_RIGHT);
    uitest::Pump(20);
    EXPECT_EQ(track->Position(), 5);
    uitest::ClickAt(At(*track, 0.9, 0.3));  // the channel right of the thumb
    EXPECT_GT(track->Position(), 5);
    EXPECT_EQ(track->Position(), SendMessageW(track->Handle(), TBM_GETPOS, 0, 0));
    EXPECT_EQ(form->log, (std::vector<std::wstring>{L"change Track", L"change Track"}));

    track->SetOrientation(trVertical);
    EXPECT_TRUE(StyleOf(*track) & TBS_VERT);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), track->Position());
}

TEST_F(RangeControls, UpDownStepsItsAssociate) {
    auto* edit = Add<TEdit>(L"Count", 10, 10, 80, 22);
    auto* spin = Add<TUpDown>(L"Spin", 200, 10, 17, 22);
    spin->OnClick = TUDClickEvent(form, &TRangeForm::Spun);
    spin->SetMax(3);
    spin->SetPosition(2);
    spin->SetAssociate(edit);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(spin->Handle()), L"TUpDown");
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin->Handle(), UDM_GETBUDDY, 0, 0)), edit->Handle());
    EXPECT_EQ(edit->Text(), L"2");
    // Placed at the associate's right edge.
    RECT e{}, s{};
    GetWindowRect(edit->Handle(), &e);
    GetWindowRect(spin->Handle(), &s);
    EXPECT_LE(std::abs(s.left - e.right), 2);

    uitest::ClickAt(At(*spin, 0.5, 0.2));  // up
    EXPECT_EQ(spin->Position(), 3);
    EXPECT_EQ(edit->Text(), L"3");
    uitest::ClickAt(At(*spin, 0.5, 0.2));  // at Max: nothing happens
    EXPECT_EQ(spin->Position(), 3);
    uitest::ClickAt(At(*spin, 0.5, 0.8));  // down
    EXPECT_EQ(spin->Position(), 2);
    edit->SetFocus();
    uitest::PressKey(VK_DOWN);  // arrow keys in the associate step too
    uitest::Pump(20);
    EXPECT_EQ(edit->Text(), L"1");
    EXPECT_EQ(form->log, (std::vector<std::wstring>{L"next", L"prev", L"prev"}));

    spin->SetOrientation(udHorizontal);
    EXPECT_TRUE(StyleOf(*spin) & UDS_HORZ);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin->Handle(), UDM_GETBUDDY, 0, 0)), edit->Handle());
    delete edit;  // the up-down forgets an associate that is gone
    EXPECT_EQ(spin->Associate(), nullptr);
}

TEST_F(RangeControls, FormResourceSetsPublishedProperties) {
    ReadFormText(*form,
                 "object RangeForm: TRangeForm\n"
                 "  object Bar: TScrollBar\n    Kind = sbVertical\n    Position = 30\n    Max = 40\n"
                 "    SmallChange = 3\n    LargeChange = 9\n    OnChange = Changed\n    OnScroll = Scrolled\n  end\n"
                 "  object Progress: TProgressBar\n    Top = 60\n    Max = 8\n    Position = 6\n    Smooth = True\n"
                 "    Orientation = pbVertical\n  end\n"
                 "  object Track: TTrackBar\n    Top = 100\n    Max = 30\n    Position = 25\n    Frequency = 10\n"
                 "    Orientation = trVertical\n    OnChange = Changed\n  end\n"
                 "  object Spin: TUpDown\n    Left = 200\n    Associate = Count\n    Min = 5\n    Position = 7\n"
                 "    Orientation = udHorizontal\n    OnClick = Spun\n  end\n"
                 "  object Count: TEdit\n    Left = 100\n  end\n"
                 "end\n");
    ASSERT_NE(form->Count, nullptr);
    EXPECT_TRUE(form->log.empty());  // loading runs no handlers
    EXPECT_TRUE(StyleOf(*form->Bar) & SBS_VERT);
    EXPECT_EQ(GetScrollPos(form->Bar->Handle(), SB_CTL), 30);
    EXPECT_EQ(form->Bar->LargeChange(), 9);
    EXPECT_TRUE(form->Bar->OnScroll);
    EXPECT_EQ(SendMessageW(form->Progress->Handle(), PBM_GETPOS, 0, 0), 6);
    EXPECT_TRUE(StyleOf(*form->Progress) & PBS_SMOOTH);
    EXPECT_TRUE(StyleOf(*form->Progress) & PBS_VERTICAL);
    EXPECT_EQ(SendMessageW(form->Track->Handle(), TBM_GETPOS, 0, 0), 25);
    EXPECT_EQ(SendMessageW(form->Track->Handle(), TBM_GETNUMTICS, 0, 0), 4);
    EXPECT_TRUE(StyleOf(*form->Track) & TBS_VERT);
    EXPECT_EQ(form->Spin->Associate(), form->Count);
    EXPECT_TRUE(StyleOf(*form->Spin) & UDS_HORZ);
    EXPECT_EQ(uitest::WindowText(form->Count->Handle()), L"7");
    EXPECT_EQ(GetPropText(form->Spin, L"Associate"), L"Count");
}
