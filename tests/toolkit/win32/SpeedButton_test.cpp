// Speed buttons: drawn by their parent, clicked for real, grouped, and read
// from form resources with their glyph.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TSpeedForm : public TForm {
public:
    using TForm::TForm;
    TSpeedButton* Play = nullptr;
    TSpeedButton* Stop = nullptr;
    int clicks = 0;
    void Clicked(TObject*) { ++clicks; }
    static void Publish(TPublisher<TSpeedForm>& p) {
        p.Field(L"Play", &TSpeedForm::Play);
        p.Field(L"Stop", &TSpeedForm::Stop);
        p.Method(L"Clicked", &TSpeedForm::Clicked);
    }
};

// The form's pixel at the centre of a control, as shown on screen.
COLORREF PixelAt(TForm& form, TControl& c, int dx, int dy) {
    UpdateWindow(form.Handle());
    HDC dc = GetDC(form.Handle());
    COLORREF pixel = GetPixel(dc, c.Left() + dx, c.Top() + dy);
    ReleaseDC(form.Handle(), dc);
    return pixel;
}

class SpeedButtons : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterPublishedClass<TSpeedForm>();
        form = new TSpeedForm(nullptr);
        form->SetBounds(50, 50, 300, 200);
    }
    void TearDown() override { delete form; }
    TSpeedForm* form = nullptr;
};

}  // namespace

TEST_F(SpeedButtons, GroupedButtonsStayDownOneAtATime) {
    auto* a = new TSpeedButton(form);
    auto* b = new TSpeedButton(form);
    auto* plain = new TSpeedButton(form);
    int left = 10;
    for (TSpeedButton* s : {a, b, plain}) {
        s->SetParent(form);
        s->SetBounds(left, 10, 40, 30);
        s->OnClick = TNotifyEvent(form, &TSpeedForm::Clicked);
        left += 50;
    }
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    uitest::ShowAndActivate(*form);
    COLORREF raisedEdge = PixelAt(*form, *a, 0, 0);

    uitest::Click(*a);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(form->clicks, 1);
    EXPECT_NE(PixelAt(*form, *a, 0, 0), raisedEdge);  // drawn sunken
    uitest::Click(*b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(PixelAt(*form, *a, 0, 0), raisedEdge);
    uitest::Click(*b);  // the last down button of the group stays down
    EXPECT_TRUE(b->Down());
    b->SetAllowAllUp(true);
    uitest::Click(*b);
    EXPECT_FALSE(b->Down());
    uitest::Click(*plain);  // outside a group: a click, never down
    EXPECT_FALSE(plain->Down());
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
    EXPECT_EQ(form->clicks, 5);

    plain->SetFlat(true);
    EXPECT_NE(PixelAt(*form, *plain, 0, 0), raisedEdge);  // no frame
}

TEST_F(SpeedButtons, FormResourceReadsGlyphAndGroup) {
    // A 2x1 glyph: a red and a blue pixel, written as form designers do.
    TBitmap source(2, 1, pf24bit);
    source.Canvas().SetPixel(0, 0, clRed);
    source.Canvas().SetPixel(1, 0, clBlue);
    std::vector<uint8_t> bmp = source.SaveToBytes();
    std::string hex;
    char pair[3];
    for (int i = 0; i < 4; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(bmp.size() >> (8 * i)) & 0xFF);
        hex += pair;
    }
    for (uint8_t byte : bmp) {
        std::snprintf(pair, sizeof pair, "%02X", byte);
        hex += pair;
    }
    ReadFormText(*form, "object SpeedForm: TSpeedForm\n"
                        "  object Play: TSpeedButton\n    AllowAllUp = True\n    Down = True\n    Flat = True\n"
                        "    Glyph.Data = {" + hex + "}\n    GroupIndex = 2\n    NumGlyphs = 2\n    OnClick = Clicked\n  end\n"
                        "  object Stop: TSpeedButton\n    Left = 40\n  end\n"
                        "end\n");
    ASSERT_NE(form->Stop, nullptr);
    EXPECT_TRUE(form->Play->Down());
    EXPECT_TRUE(form->Play->Flat());
    EXPECT_EQ(form->Play->GroupIndex(), 2);
    EXPECT_EQ(form->Play->NumGlyphs(), 2);
    EXPECT_EQ(form->Play->Glyph().Width(), 2);
    EXPECT_EQ(form->Play->Glyph().Canvas().Pixels(1, 0), clBlue);
    // Only the first of the two images is drawn: red shows, blue does not.
    uitest::ShowAndActivate(*form);
    int red = 0, blue = 0;
    for (int y = 0; y < form->Play->Height(); ++y)
        for (int x = 0; x < form->Play->Width(); ++x) {
            COLORREF p = PixelAt(*form, *form->Play, x, y);
            red += p == RGB(255, 0, 0);
            blue += p == RGB(0, 0, 255);
        }
    EXPECT_EQ(red, 1);
    EXPECT_EQ(blue, 0);
    // Bitmap data whose size prefix does not match, or that is no bitmap, is refused.
    for (const char* data : {"05000000424D", "02000000424D"}) {
        TSpeedForm other(nullptr);
        EXPECT_THROW(ReadFormText(other, std::string("object SpeedForm: TSpeedForm\n  object Play: TSpeedButton\n"
                                                     "    Glyph.Data = {") + data + "}\n  end\nend\n"),
                     EPropertyError);
    }
}
