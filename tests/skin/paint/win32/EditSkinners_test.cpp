// Combo box, edit and date-picker skinners on real windows with real input:
// the button plate and border show the skin's cell for the state (compared
// with the skin bitmap's own pixels), the controls behave as unskinned ones,
// the picker's arrow button opens the calendar and follows the picker, and a
// control given back looks exactly as before.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinWriter.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/SkinComBox.h"
#include "skin/paint/win32/SkinDateTime.h"
#include "skin/paint/win32/SkinEdit.h"
#include "PixelCapture.h"
#include "SkinTestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/Color.h"
#include "toolkit/ComboBox.h"
#include "toolkit/DateTimePicker.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/core/BmpCodec.h"
#include "toolkit/testing/GdiObjectCount.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;

using skintest::MouseButton;
using skintest::MoveMouseTo;

using skintest::WindowPixels;

namespace {

using skintest::WindowPixel;

// `cells` solid cells of w x h side by side, each its own colour.
PixelImage Strip(int cells, int w, int h, uint8_t green) {
    PixelImage img = MakePixelImage(cells * w, h, PixelLayout::Bgr24);
    for (int c = 0; c < cells; ++c)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.SetColor(c * w + x, y, PackRgb(40 + 45 * c, green, 210 - 40 * c));
    return img;
}

std::vector<uint8_t> ComboSkinFile() {
    std::string ini =
        "[TitlebarSkin]\nSkinName=Combos\n"
        "[ComboButton]\nImage=combo.bmp\nLeftWidth=3\nRightWidth=3\nTopHeight=3\nBottomHeight=3\nTrans=1\n"
        "[SunkEdge]\nImage=edge.bmp\nLeftWidth=2\nRightWidth=2\nTopHeight=2\nBottomHeight=2\nTrans=0\n"
        "[ExtraImages]\nImage=extra.bmp\nTrans=1\n"
        "[Colours]\nButtonFace=236 233 216\nButtonShadow=128 100 60\nButtonText=0 0 0\n";
    return BuildSkinFile({{"skin.ini", {ini.begin(), ini.end()}},
                          {"combo.bmp", EncodeBmpFile(Strip(4, 12, 12, 90))},
                          {"edge.bmp", EncodeBmpFile(Strip(4, 10, 10, 160))},
                          {"extra.bmp", EncodeBmpFile(Strip(5, 7, 4, 230))}});
}

COLORREF BitmapPixel(TBitmap& b, int x, int y) { return GetPixel(b.Canvas().Handle(), x, y); }

// The whole window's pixels.
std::vector<uint32_t> WindowShot(HWND h, int* w = nullptr, int* hgt = nullptr) {
    RECT r{};
    GetWindowRect(h, &r);
    if (w) *w = r.right - r.left;
    if (hgt) *hgt = r.bottom - r.top;
    return WindowPixels(h);
}

// With EDIT_SKIN_SHOTS set, the form is saved as <dir>/<name>.bmp to be looked at.
void SaveShot(TForm& form, const char* name) {
    const char* dir = std::getenv("EDIT_SKIN_SHOTS");
    if (!dir) return;
    int w = 0, h = 0;
    std::vector<uint32_t> px = WindowShot(form.Handle(), &w, &h);
    PixelImage img = MakePixelImage(w, h, PixelLayout::Bgr24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = px[static_cast<size_t>(y) * w + x];
            img.SetColor(x, y, PackRgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        }
    const std::vector<uint8_t> bytes = EncodeBmpFile(img);
    std::ofstream(std::string(dir) + "/" + name + ".bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void Repaint(HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

POINT ScreenPoint(HWND h, int x, int y) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    return p;
}

// The visible month calendar a picker dropped down, or null.
HWND OpenCalendar() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM out) -> BOOL {
            wchar_t cls[64] = {};
            GetClassNameW(h, cls, 64);
            if (IsWindowVisible(h) && lstrcmpiW(cls, L"SysMonthCal32") == 0) {
                *reinterpret_cast<HWND*>(out) = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

class EditSkinners : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        skin.LoadFromStream(ComboSkinFile());
        ASSERT_FALSE(skin.Empty);
        ASSERT_TRUE(skin.combox && skin.combox->Map && skin.combox->frame == 4);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 460, 300);
        MoveMouseTo(POINT{2, 2});
    }
    template <class C>
    C* Add(int x, int y, int w, int h) {
        auto* c = new C(form.get());
        c->SetParent(form.get());
        c->SetBounds(x, y, w, h);
        return c;
    }
    TComboBox* Combo(int x, int y) {
        auto* c = Add<TComboBox>(x, y, 150, 22);
        c->SetStyle(csDropDownList);
        for (const wchar_t* s : {L"Alpha", L"Beta", L"Gamma", L"Delta"}) c->Items().Add(s);
        return c;
    }
    template <class S>
    S* SkinOf(TWinControl* c) {
        auto* s = new S(c);
        s->Init(nullptr, &skin, nullptr, false);
        return s;
    }
    // The combo picture's cell for state d at (x, y) of its 50 x 21 cell.
    COLORREF ComboCell(int d, int x, int y) {
        TBitmap& m = *skin.combox->Map;
        const int cw = m.Width() / skin.combox->frame;
        return BitmapPixel(m, (d - 1) * cw + x, y);
    }
    COLORREF Shadow() { return ColorToRGB(skin.Colors[csButtonShadow]); }
    void BordersAndLookGivenBack(const char* shot);

    TSkinData skin{nullptr};
    std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(EditSkinners, ComboPlateFollowsStateMouseAndSide) {
    TComboBox* combo = Combo(10, 10);
    TComboBox* off = Combo(10, 50);
    TComboBox* mirrored = Combo(10, 90);
    TComboBox* plain = Combo(200, 10);
    TEdit* holder = Add<TEdit>(10, 200, 100, 22);
    off->SetEnabled(false);
    SetWindowLongW(mirrored->Handle(), GWL_EXSTYLE, GetWindowLongW(mirrored->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    for (TComboBox* c : {combo, off, mirrored}) SkinOf<TSkinComBox>(c);
    uitest::ShowAndActivate(*form);
    holder->SetFocus();
    uitest::Pump(60);

    const int w = combo->Width(), h = combo->Height();
    // (x, y) of the control against the same spot of the 50-pixel cell.
    auto plate = [&](TComboBox* c, int d) {
        EXPECT_EQ(WindowPixel(c->Handle(), w - 10, 0), ComboCell(d, 40, 0)) << "cell " << d;
        EXPECT_EQ(WindowPixel(c->Handle(), w - 10, h - 1), ComboCell(d, 40, 20)) << "cell " << d;
        EXPECT_EQ(WindowPixel(c->Handle(), 0, h / 2), ComboCell(d, 0, 10)) << "border of cell " << d;
    };
    ASSERT_NE(ComboCell(1, 40, 0), ComboCell(4, 40, 0));
    plate(combo, 1);
    plate(off, 3);
    // The left-hand button is the mirrored picture of the same state.
    EXPECT_EQ(WindowPixel(mirrored->Handle(), 9, 0), ComboCell(1, 40, 0));
    EXPECT_EQ(WindowPixel(mirrored->Handle(), w - 1, h / 2), ComboCell(1, 0, 10));

    // Hot under the real mouse; a disabled combo never gets hot.
    MoveMouseTo(ScreenPoint(combo->Handle(), w - 8, h / 2));
    plate(combo, 4);
    MoveMouseTo(ScreenPoint(off->Handle(), w - 8, h / 2));
    plate(off, 3);
    plate(combo, 1);

    // Pressed while held on the button; the press drops the list down.
    MoveMouseTo(ScreenPoint(combo->Handle(), w - 8, h / 2));
    MouseButton(true);
    plate(combo, 2);
    MouseButton(false);
    EXPECT_TRUE(uitest::PumpUntil([&] { return combo->DroppedDown(); }, 1000));
    uitest::PressKey(VK_DOWN);
    uitest::PressKey(VK_DOWN);
    uitest::PressKey(VK_RETURN);
    uitest::Pump(80);

    // The same input on a combo without a skin.
    MoveMouseTo(ScreenPoint(plain->Handle(), w - 8, h / 2));
    MouseButton(true);
    MouseButton(false);
    EXPECT_TRUE(uitest::PumpUntil([&] { return plain->DroppedDown(); }, 1000));
    uitest::PressKey(VK_DOWN);
    uitest::PressKey(VK_DOWN);
    uitest::PressKey(VK_RETURN);
    uitest::Pump(80);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_GE(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->ItemIndex(), plain->ItemIndex());
    EXPECT_EQ(uitest::WindowText(combo->Handle()), uitest::WindowText(plain->Handle()));
    EXPECT_EQ(uitest::WindowText(combo->Handle()), combo->Items()[combo->ItemIndex()]);

    // Focused shows the hot cell; back to normal when the focus leaves.
    combo->SetFocus();
    MoveMouseTo(POINT{2, 2});
    Repaint(combo->Handle());
    plate(combo, 4);
    holder->SetFocus();
    Repaint(combo->Handle());
    plate(combo, 1);
}

// Edit, combo and picker frames; a borderless edit keeps its look; all of
// them look as before once the skin is taken off.
void EditSkinners::BordersAndLookGivenBack(const char* shot) {
    TEdit* edit = Add<TEdit>(10, 10, 120, 24);
    TEdit* flat = Add<TEdit>(10, 50, 120, 24);
    TComboBox* combo = Combo(10, 90);
    TDateTimePicker* picker = Add<TDateTimePicker>(10, 130, 160, 24);
    TEdit* holder = Add<TEdit>(250, 200, 100, 22);
    flat->SetBorderStyle(bsNone);
    edit->SetText(L"text");
    uitest::ShowAndActivate(*form);
    holder->SetFocus();
    uitest::Pump(60);
    std::vector<HWND> windows{edit->Handle(), flat->Handle(), combo->Handle(), picker->Handle()};
    std::vector<std::vector<uint32_t>> before;
    for (HWND h : windows) before.push_back(WindowShot(h));

    auto* se = SkinOf<TSkinEdit>(edit);
    auto* sf = SkinOf<TSkinEdit>(flat);
    auto* sc = SkinOf<TSkinComBox>(combo);
    auto* sd = SkinOf<TSkinDateTime>(picker);
    for (HWND h : windows) Repaint(h);
    uitest::Pump(60);
    SaveShot(*form, (std::string(shot) + "-skinned").c_str());

    EXPECT_EQ(WindowPixel(edit->Handle(), 0, 0), Shadow());
    EXPECT_EQ(WindowPixel(edit->Handle(), 1, 5), RGB(255, 255, 255));
    EXPECT_EQ(WindowPixel(edit->Handle(), 2, 5), RGB(255, 255, 255));
    EXPECT_EQ(WindowShot(flat->Handle()), before[1]);  // a borderless edit gets no frame
    EXPECT_EQ(WindowPixel(picker->Handle(), 0, 5), Shadow());
    EXPECT_EQ(WindowPixel(picker->Handle(), 1, 5), RGB(255, 255, 255));
    EXPECT_NE(WindowShot(combo->Handle()), before[2]);
    // The button's top right corner is the picture's own corner, unscaled.
    if (ComboCell(1, 40, 0) != RGB(255, 0, 255))
        EXPECT_EQ(WindowPixel(combo->Handle(), combo->Width() - 10, 0), ComboCell(1, 40, 0));

    // Repaints keep no GDI objects.
    const DWORD gdi = GdiObjectCount();
    for (int i = 0; i < 40; ++i)
        for (HWND h : windows) Repaint(h);
    EXPECT_LE(GdiObjectCount(), gdi + 2);

    for (TSkinControl* s : std::initializer_list<TSkinControl*>{se, sf, sc, sd}) s->Unsubclass();
    for (HWND h : windows) Repaint(h);
    uitest::Pump(60);
    SaveShot(*form, (std::string(shot) + "-unskinned").c_str());
    for (size_t i = 0; i < windows.size(); ++i) EXPECT_EQ(WindowShot(windows[i]), before[i]) << "window " << i;
    EXPECT_EQ(sd->arrow, nullptr);
    EXPECT_EQ(FindWindowExW(picker->Handle(), nullptr, L"TArrowButton", nullptr), nullptr);
}

TEST_F(EditSkinners, BordersAndTheLookGivenBack) { BordersAndLookGivenBack("strips"); }

TEST_F(EditSkinners, BordersAndTheLookGivenBackInTheLightSkin) {
    skin.LoadFromStream(skintest::LightSkin());
    ASSERT_TRUE(skin.combox && skin.combox->Map && skin.combox->style == 2);
    BordersAndLookGivenBack("light");
}

TEST_F(EditSkinners, DatePickedThroughTheSkinnedArrow) {
    TDateTimePicker* picker = Add<TDateTimePicker>(10, 10, 170, 24);
    TEdit* holder = Add<TEdit>(10, 200, 100, 22);
    picker->SetDate(EncodeDate(2026, 3, 10));
    auto* s = SkinOf<TSkinDateTime>(picker);
    uitest::ShowAndActivate(*form);
    holder->SetFocus();
    uitest::Pump(60);
    ASSERT_NE(s->arrow, nullptr);
    HWND arrow = s->arrow->Handle();
    RECT cr{}, ar{};
    GetClientRect(picker->Handle(), &cr);
    GetClientRect(arrow, &ar);
    EXPECT_EQ(s->arrow->Left() + s->arrow->Width(), cr.right);
    EXPECT_EQ(ar.bottom, cr.bottom);

    TBitmap& cells = *skin.comboxarrow->Map;
    const int cw = cells.Width() / skin.comboxarrow->frame;
    auto arrowCell = [&](int d) { return BitmapPixel(cells, (d - 1) * cw + cw / 2, 0); };
    EXPECT_EQ(WindowPixel(arrow, ar.right / 2, 0), arrowCell(1));
    MoveMouseTo(ScreenPoint(arrow, ar.right / 2, ar.bottom / 2));
    EXPECT_EQ(WindowPixel(arrow, ar.right / 2, 0), arrowCell(4));

    // A click on the arrow opens the calendar; a click on a day sets Date.
    uitest::ClickAt(ScreenPoint(arrow, ar.right / 2, ar.bottom / 2));
    ASSERT_TRUE(uitest::PumpUntil([] { return OpenCalendar() != nullptr; }, 1500));
    uitest::Pump(150);  // the release over the arrow leaves it open
    HWND cal = OpenCalendar();
    ASSERT_NE(cal, nullptr);
    RECT calr{};
    GetClientRect(cal, &calr);
    MCHITTESTINFO hit{};
    hit.cbSize = sizeof hit;
    for (int y = calr.bottom * 3 / 4; y > calr.bottom / 3; y -= 4) {
        hit.pt = POINT{calr.right / 2, y};
        SendMessageW(cal, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.uHit == MCHT_CALENDARDATE && hit.st.wDay != 10) break;
    }
    ASSERT_EQ(hit.uHit, static_cast<UINT>(MCHT_CALENDARDATE));
    const TDateTime wanted = EncodeDate(hit.st.wYear, hit.st.wMonth, hit.st.wDay);
    POINT at = hit.pt;
    ClientToScreen(cal, &at);
    uitest::ClickAt(at);
    EXPECT_TRUE(uitest::PumpUntil([&] { return picker->Date() == wanted; }, 1500));
    EXPECT_TRUE(uitest::PumpUntil([] { return OpenCalendar() == nullptr; }, 1000));
    EXPECT_EQ(GetFocus(), picker->Handle());
}

TEST_F(EditSkinners, ArrowFollowsThePickerAndNeverOutlivesIt) {
    TDateTimePicker* picker = Add<TDateTimePicker>(10, 10, 170, 24);
    TDateTimePicker* doomed = Add<TDateTimePicker>(10, 60, 170, 24);
    TComboBox* tiny = Combo(10, 100);
    TComboBox* thin = Combo(10, 140);
    auto* s = SkinOf<TSkinDateTime>(picker);
    SkinOf<TSkinDateTime>(doomed);
    auto* st = SkinOf<TSkinComBox>(tiny);
    auto* sn = SkinOf<TSkinComBox>(thin);
    uitest::ShowAndActivate(*form);
    ASSERT_NE(s->arrow, nullptr);

    // Resized: the arrow stays at the client's right end.
    picker->SetBounds(10, 10, 240, 30);
    uitest::Pump(60);
    RECT cr{};
    GetClientRect(picker->Handle(), &cr);
    EXPECT_EQ(s->arrow->Left() + s->arrow->Width(), cr.right);
    EXPECT_EQ(s->arrow->Height(), cr.bottom);
    // Hidden with the picker.
    picker->Hide();
    uitest::Pump(30);
    EXPECT_FALSE(IsWindowVisible(s->arrow->Handle()));
    picker->Show();
    uitest::Pump(30);

    // A disabled picker's arrow opens nothing.
    picker->SetEnabled(false);
    uitest::ClickAt(ScreenPoint(s->arrow->Handle(), 4, 4));
    EXPECT_FALSE(uitest::PumpUntil([] { return OpenCalendar() != nullptr; }, 400));
    picker->SetEnabled(true);

    // A new window: the skinner lets go and no arrow is left over it.
    picker->RecreateWnd();
    uitest::Pump(60);
    EXPECT_EQ(s->arrow, nullptr);
    EXPECT_EQ(FindWindowExW(picker->Handle(), nullptr, L"TArrowButton", nullptr), nullptr);

    // Freed with its picker.
    const HWND doomedArrow = FindWindowExW(doomed->Handle(), nullptr, L"TArrowButton", nullptr);
    ASSERT_NE(doomedArrow, nullptr);
    delete doomed;
    uitest::Pump(30);
    EXPECT_FALSE(IsWindow(doomedArrow));

    // Sizes far from any skin cell paint without a fault turning the skinner off.
    tiny->SetBounds(10, 100, 6, 22);
    thin->SetBounds(10, 140, 3000, 22);
    Repaint(tiny->Handle());
    Repaint(thin->Handle());
    uitest::Pump(30);
    EXPECT_TRUE(st->skinned);
    EXPECT_TRUE(sn->skinned);
}

TEST_F(EditSkinners, TimePickerUpDownStepsLikeAnUnskinnedOne) {
    TDateTimePicker* skinnedPicker = Add<TDateTimePicker>(10, 10, 140, 24);
    TDateTimePicker* plainPicker = Add<TDateTimePicker>(200, 10, 140, 24);
    for (TDateTimePicker* p : {skinnedPicker, plainPicker}) {
        p->SetKind(dtkTime);
        p->SetTime(EncodeTime(10, 20, 30, 0));
    }
    SkinOf<TSkinEdit>(skinnedPicker);
    uitest::ShowAndActivate(*form);
    uitest::Pump(60);
    EXPECT_EQ(WindowPixel(skinnedPicker->Handle(), 0, 5), Shadow());

    // Real clicks: into the first field, then twice on the up arrow.
    auto step = [](TDateTimePicker* p) {
        HWND updown = FindWindowExW(p->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
        ASSERT_NE(updown, nullptr);
        RECT ur{};
        GetClientRect(updown, &ur);
        uitest::ClickAt(ScreenPoint(p->Handle(), 6, p->ClientHeight() / 2));
        for (int i = 0; i < 2; ++i) uitest::ClickAt(ScreenPoint(updown, ur.right / 2, ur.bottom / 4));
        uitest::Pump(80);
    };
    step(skinnedPicker);
    step(plainPicker);
    EXPECT_NE(skinnedPicker->Time(), EncodeTime(10, 20, 30, 0));
    EXPECT_EQ(skinnedPicker->Time(), plainPicker->Time());
}

// Through the form skinner: the family starts the skinners its choice table
// names, and taking the skin off gives every control back, arrow included.
class EditFamilyInForm : public skintest::EngineTest {};

TEST_F(EditFamilyInForm, StartedByNameAndGivenBack) {
    TSkinData* d = skintest::MakeSkinData(root_.get());
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 420, 260);
    auto add = [&](auto* c, int y) {
        c->SetParent(form.get());
        c->SetBounds(10, y, 160, 24);
        return c;
    };
    auto* combo = add(new TComboBox(form.get()), 10);
    auto* simple = add(new TComboBox(form.get()), 40);
    simple->SetStyle(csSimple);
    simple->SetBounds(200, 10, 160, 90);
    auto* edit = add(new TEdit(form.get()), 70);
    auto* date = add(new TDateTimePicker(form.get()), 110);
    auto* time = add(new TDateTimePicker(form.get()), 150);
    time->SetKind(dtkTime);
    HWND h = form->Handle();
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(skintest::PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; }));
    TWinSkinForm* sf = mgr()->FindSkinForm(h);
    EXPECT_NE(dynamic_cast<TSkinComBox*>(sf->FindSkinComp(combo)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinComBox*>(sf->FindSkinComp(simple)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinEdit*>(sf->FindSkinComp(edit)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinEdit*>(sf->FindSkinComp(time)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinDateTime*>(sf->FindSkinComp(date)), nullptr);
    EXPECT_NE(FindWindowExW(date->Handle(), nullptr, L"TArrowButton", nullptr), nullptr);
    EXPECT_EQ(SendMessageW(combo->Handle(), CN_IsSkinned, 0, 0), 1);

    d->SetActive(false);
    ASSERT_TRUE(skintest::PumpUntil([&] { return mgr()->FindSkinForm(h) == nullptr; }));
    EXPECT_EQ(FindWindowExW(date->Handle(), nullptr, L"TArrowButton", nullptr), nullptr);
    for (TWinControl* c : std::initializer_list<TWinControl*>{combo, simple, edit, date, time})
        EXPECT_EQ(SendMessageW(c->Handle(), CN_IsSkinned, 0, 0), 0) << c->ClassName();
}
