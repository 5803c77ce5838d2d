// Button-family skinners on real windows: each control shows the skin cell
// for its state (compared with the cell's own pixels), presses that end
// outside and the Space key click nothing, "||" breaks a caption, and a
// control given back looks exactly as before.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SkinTestSupport.h"
#include "skin/data/SkinWriter.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/SkinBitButton.h"
#include "skin/paint/win32/SkinButton.h"
#include "skin/paint/win32/SkinCheckBox.h"
#include "skin/paint/win32/SkinSpeedButton.h"
#include "toolkit/Application.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/RadioButton.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/core/BmpCodec.h"
#include "toolkit/testing/GdiObjectCount.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;

using skintest::MouseButton;
using skintest::MoveMouseTo;
using skintest::Snapshot;

namespace {

// `cells` solid cells of w x h side by side, each its own colour.
PixelImage Strip(int cells, int w, int h, uint32_t seed) {
    PixelImage img = MakePixelImage(cells * w, h, PixelLayout::Bgr24);
    for (int c = 0; c < cells; ++c)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.SetColor(c * w + x, y, PackRgb(40 + 17 * c, seed & 0xFF, 200 - 13 * c));
    return img;
}

std::vector<uint8_t> StripSkinFile() {
    std::string ini =
        "[TitlebarSkin]\nSkinName=Strips\n[Buttons]\nBitmap=buttons.bmp\nLeftWidth=3\nRightWidth=3\nTopHeight=3\n"
        "BottomHeight=3\nTrans=0\nCheckButton=check.bmp\nCheckButtonFrame=12\nRadioButton=radio.bmp\n"
        "RadioButtonFrame=8\n[Colours]\nButtonFace=236 233 216\nButtonText=0 0 0\n";
    return BuildSkinFile({{"skin.ini", {ini.begin(), ini.end()}},
                          {"buttons.bmp", EncodeBmpFile(Strip(5, 12, 12, 90))},
                          {"check.bmp", EncodeBmpFile(Strip(12, 13, 13, 150))},
                          {"radio.bmp", EncodeBmpFile(Strip(8, 13, 13, 30))}});
}

// The colour of cell `cell` (from 1) of a strip of `cells`.
COLORREF CellColour(TBitmap& strip, int cells, int cell) {
    const int w = strip.Width() / cells;
    return GetPixel(strip.Canvas().Handle(), (cell - 1) * w + w / 2, strip.Height() / 2);
}

COLORREF ScreenPixel(TWinControl& c, int x, int y) {
    HDC dc = GetDC(c.Handle());
    COLORREF p = GetPixel(dc, x, y);
    ReleaseDC(c.Handle(), dc);
    return p;
}


void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
    uitest::Pump(40);
}

class Counter : public TObject {
public:
    int clicks = 0;
    void Clicked(TObject*) { ++clicks; }
};

class ButtonSkinners : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        skin.LoadFromStream(StripSkinFile());
        ASSERT_FALSE(skin.Empty);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 420, 320);
    }
    template <class C>
    C* Add(int x, int y, int w, int h, const wchar_t* caption) {
        auto* c = new C(form.get());
        c->SetParent(form.get());
        c->SetBounds(x, y, w, h);
        c->SetCaption(caption);
        return c;
    }
    template <class S>
    S* SkinOf(TWinControl* c) {
        auto* s = new S(c);
        s->Init(nullptr, &skin, nullptr, false);
        return s;
    }
    TBitmap& Faces() { return *skin.Button->Map; }
    COLORREF Face(int cell) { return CellColour(Faces(), 5, cell); }
    COLORREF Check(int cell) { return CellColour(*skin.Button->CheckMap, 12, cell); }
    COLORREF Radio(int cell) { return CellColour(*skin.Button->RadioMap, 8, cell); }

    TSkinData skin{nullptr};
    std::unique_ptr<TForm> form;
    Counter counter;
};

}  // namespace

TEST_F(ButtonSkinners, PushButtonFacesFollowMouseKeysAndFocus) {
    TButton* plain = Add<TButton>(10, 10, 90, 30, L"Plain");
    TButton* deflt = Add<TButton>(110, 10, 90, 30, L"Default");
    TButton* off = Add<TButton>(210, 10, 90, 30, L"Off");
    TCheckBox* focusHolder = Add<TCheckBox>(10, 200, 100, 20, L"Holder");
    deflt->SetDefault(true);
    off->SetDefault(true);
    off->SetEnabled(false);
    plain->OnClick = TNotifyEvent(&counter, &Counter::Clicked);
    for (TButton* b : {plain, deflt, off}) SkinOf<TSkinButton>(b);
    MoveMouseTo(POINT{2, 2});  // wherever an earlier run left it, not over a button
    uitest::ShowAndActivate(*form);
    focusHolder->SetFocus();
    uitest::Pump(50);

    EXPECT_EQ(ScreenPixel(*plain, 1, 1), Face(1));
    EXPECT_EQ(ScreenPixel(*deflt, 1, 1), Face(5));
    EXPECT_EQ(ScreenPixel(*off, 1, 1), Face(3));  // a disabled default button is disabled first

    // Hot under the real mouse, pressed while held; released outside: no click.
    MoveMouseTo(uitest::ScreenCentre(*plain));
    EXPECT_EQ(ScreenPixel(*plain, 1, 1), Face(4));
    MouseButton(true);
    EXPECT_EQ(ScreenPixel(*plain, 1, 1), Face(2));
    MoveMouseTo(POINT{uitest::ScreenCentre(*plain).x, uitest::ScreenCentre(*focusHolder).y + 60});
    MouseButton(false);
    EXPECT_EQ(counter.clicks, 0);
    EXPECT_EQ(ScreenPixel(*plain, 1, 1), Face(5));  // it took the focus with the press

    // Space shows the press and clicks nothing.
    Key(VK_SPACE, false);
    EXPECT_EQ(ScreenPixel(*plain, 1, 1), Face(2));
    Key(VK_SPACE, true);
    EXPECT_EQ(counter.clicks, 0);

    // A whole click over the button still clicks once.
    uitest::Click(*plain);
    EXPECT_EQ(counter.clicks, 1);
}

TEST_F(ButtonSkinners, DoubleBarCaptionShowsOnTwoLines) {
    TButton* b = Add<TButton>(10, 10, 120, 70, L"HH||HH");
    TCheckBox* focusHolder = Add<TCheckBox>(10, 200, 100, 20, L"Holder");
    SkinOf<TSkinButton>(b);
    uitest::ShowAndActivate(*form);
    focusHolder->SetFocus();
    uitest::Pump(30);
    // Rows holding dark caption pixels form two bands, one per line.
    int bands = 0;
    bool inText = false;
    for (int y = 2; y < b->Height() - 2; ++y) {
        bool text = false;
        for (int x = 2; x < b->Width() - 2 && !text; ++x) {
            const COLORREF p = ScreenPixel(*b, x, y);
            text = GetRValue(p) + GetGValue(p) + GetBValue(p) < 200;
        }
        if (text && !inText) ++bands;
        inText = text;
    }
    EXPECT_EQ(bands, 2);
}

TEST_F(ButtonSkinners, CheckAndRadioCellsForEveryValue) {
    TCheckBox* unchecked = Add<TCheckBox>(10, 10, 120, 20, L"Unchecked");
    TCheckBox* checked = Add<TCheckBox>(10, 40, 120, 20, L"Checked");
    TCheckBox* grey = Add<TCheckBox>(10, 70, 120, 20, L"Grey");
    TCheckBox* offChecked = Add<TCheckBox>(10, 100, 120, 20, L"Off");
    TRadioButton* radio = Add<TRadioButton>(200, 10, 120, 20, L"Radio");
    TRadioButton* radioOff = Add<TRadioButton>(200, 40, 120, 20, L"Radio off");
    checked->SetChecked(true);
    grey->SetAllowGrayed(true);
    grey->SetState(cbGrayed);
    offChecked->SetChecked(true);
    offChecked->SetEnabled(false);
    radioOff->SetEnabled(false);
    for (TCheckBox* c : {unchecked, checked, grey, offChecked}) SkinOf<TSkinCheckBox>(c);
    for (TRadioButton* r : {radio, radioOff}) SkinOf<TSkinRadioButton>(r);
    // A plain three-state window in the mixed state, skinned by its handle.
    HWND mixed = CreateWindowExW(0, L"BUTTON", L"Mixed", WS_CHILD | WS_VISIBLE | BS_3STATE, 200, 100, 120, 20,
                                 form->Handle(), nullptr, nullptr, nullptr);
    SendMessageW(mixed, BM_SETCHECK, BST_INDETERMINATE, 0);
    auto mixedSkin = std::make_unique<TSkinCheckBox>(nullptr);
    mixedSkin->Inithwnd(mixed, &skin, nullptr, nullptr);
    uitest::ShowAndActivate(*form);
    auto glyphAt = [](HWND h) {
        HDC dc = GetDC(h);
        COLORREF p = GetPixel(dc, 6, 10);
        ReleaseDC(h, dc);
        return p;
    };

    EXPECT_EQ(glyphAt(unchecked->Handle()), Check(1));
    EXPECT_EQ(glyphAt(checked->Handle()), Check(5));
    EXPECT_EQ(glyphAt(grey->Handle()), Check(9));  // the window itself reports the mixed state
    EXPECT_EQ(glyphAt(offChecked->Handle()), Check(8));
    EXPECT_EQ(glyphAt(mixed), Check(9));
    EnableWindow(mixed, FALSE);
    uitest::Pump(30);
    EXPECT_EQ(glyphAt(mixed), Check(12));
    EXPECT_EQ(glyphAt(radio->Handle()), Radio(1));
    EXPECT_EQ(glyphAt(radioOff->Handle()), Radio(4));

    // A click changes the value and the picture with it, straight away.
    uitest::Click(*unchecked);
    EXPECT_TRUE(unchecked->Checked());
    EXPECT_EQ(glyphAt(unchecked->Handle()), Check(5));
    uitest::Click(*radio);
    EXPECT_EQ(glyphAt(radio->Handle()), Radio(5));
    mixedSkin.reset();
    DestroyWindow(mixed);
}

TEST_F(ButtonSkinners, GlyphButtonsAndFlatSpeedButtons) {
    TBitBtn* bit = Add<TBitBtn>(10, 10, 120, 40, L"Go");
    TSpeedButton* flat = Add<TSpeedButton>(150, 10, 60, 30, L"Flat");
    TSpeedButton* latched = Add<TSpeedButton>(230, 10, 60, 30, L"Down");
    // A glyph of three cells: up, disabled, pressed, with a keyed-out corner colour.
    TBitmap strip(3 * 8, 8);
    const COLORREF glyphCells[3] = {RGB(250, 0, 0), RGB(0, 250, 0), RGB(0, 0, 250)};
    for (int c = 0; c < 3; ++c)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) SetPixel(strip.Canvas().Handle(), c * 8 + x, y, glyphCells[c]);
    for (int c = 0; c < 3; ++c) SetPixel(strip.Canvas().Handle(), c * 8, 7, RGB(1, 2, 3));
    bit->Glyph().Assign(&strip);
    bit->SetNumGlyphs(3);
    flat->SetFlat(true);
    latched->SetGroupIndex(1);
    latched->SetDown(true);
    SkinOf<TSkinBitButton>(bit);
    for (TSpeedButton* s : {flat, latched}) (new TSkinSpeedButton(s))->InitGraphicControl(nullptr, &skin, nullptr);
    MoveMouseTo(POINT{2, 2});
    uitest::ShowAndActivate(*form);
    auto count = [&](COLORREF colour) {
        int n = 0;
        for (int y = 0; y < bit->Height(); ++y)
            for (int x = 0; x < bit->Width(); ++x) n += ScreenPixel(*bit, x, y) == colour;
        return n;
    };
    auto formPixel = [&](TControl& c, int x, int y) { return ScreenPixel(*form, c.Left() + x, c.Top() + y); };

    EXPECT_EQ(count(glyphCells[0]), 63);  // the up cell, its keyed-out corner left out
    EXPECT_EQ(count(glyphCells[2]), 0);
    bit->SetEnabled(false);
    uitest::Pump(30);
    EXPECT_EQ(count(glyphCells[1]), 63);
    EXPECT_EQ(ScreenPixel(*bit, 1, 1), Face(3));

    EXPECT_NE(formPixel(*flat, 1, 1), Face(1));  // a flat button shows no face until hovered
    MoveMouseTo(uitest::ScreenCentre(*flat));
    EXPECT_EQ(formPixel(*flat, 1, 1), Face(4));
    EXPECT_EQ(formPixel(*latched, 1, 1), Face(2));
}

TEST_F(ButtonSkinners, GivenBackControlsLookAsBeforeAndPaintingLeaksNothing) {
    TButton* b = Add<TButton>(10, 10, 90, 30, L"Button");
    TCheckBox* c = Add<TCheckBox>(10, 50, 120, 20, L"Check");
    TRadioButton* r = Add<TRadioButton>(10, 80, 120, 20, L"Radio");
    c->SetChecked(true);
    MoveMouseTo(POINT{2, 2});
    uitest::ShowAndActivate(*form);
    uitest::Pump(100);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::vector<uint32_t> before = Snapshot(form->Handle());

    std::vector<TSkinControl*> skinners = {SkinOf<TSkinButton>(b), SkinOf<TSkinCheckBox>(c),
                                           SkinOf<TSkinRadioButton>(r)};
    uitest::Pump(30);
    EXPECT_NE(Snapshot(form->Handle()), before);
    const DWORD gdi = GdiObjectCount();
    for (int i = 0; i < 40; ++i)
        for (TSkinControl* s : skinners) s->Invalidate();
    EXPECT_LE(GdiObjectCount(), gdi);

    for (TSkinControl* s : skinners) {
        s->Unsubclass();
        delete s;
    }
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    uitest::Pump(100);
    const std::vector<uint32_t> after = Snapshot(form->Handle());
    size_t differing = 0;
    for (size_t i = 0; i < after.size() && i < before.size(); ++i) differing += after[i] != before[i];
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(differing, 0u);
}
