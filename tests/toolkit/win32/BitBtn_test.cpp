// Bit buttons: an owner-drawn push button with a glyph beside its caption.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Bitmap.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TBitForm : public TForm {
public:
    using TForm::TForm;
    TBitBtn* Go = nullptr;
    int clicks = 0;
    void Clicked(TObject*) { ++clicks; }
    static void Publish(TPublisher<TBitForm>& p) {
        p.Field(L"Go", &TBitForm::Go);
        p.Method(L"Clicked", &TBitForm::Clicked);
    }
};

// Glyph.Data as form designers write it: 4-byte size, then a 3x3 red .bmp.
std::string RedGlyphData() {
    TBitmap source(3, 3, pf24bit);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) source.Canvas().SetPixel(x, y, clRed);
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
    return hex;
}

// Bounding box of the red pixels the button shows (client coordinates).
RECT RedArea(TBitBtn& b) {
    InvalidateRect(b.Handle(), nullptr, TRUE);
    UpdateWindow(b.Handle());
    HDC dc = GetDC(b.Handle());
    RECT area{10000, 10000, -1, -1};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (GetPixel(dc, x, y) == RGB(255, 0, 0)) {
                area.left = std::min<LONG>(area.left, x), area.top = std::min<LONG>(area.top, y);
                area.right = std::max<LONG>(area.right, x + 1), area.bottom = std::max<LONG>(area.bottom, y + 1);
            }
    ReleaseDC(b.Handle(), dc);
    return area;
}

}  // namespace

TEST(BitBtn, GlyphFollowsLayoutAndMarginAndClicksWork) {
    Application->Initialize();
    RegisterPublishedClass<TBitForm>();
    TBitForm form(nullptr);
    form.SetBounds(50, 50, 300, 200);
    ReadFormText(form, "object BitForm: TBitForm\n"
                       "  object Go: TBitBtn\n    Left = 10\n    Top = 10\n    Width = 120\n    Height = 40\n"
                       "    Caption = 'Go'\n    Glyph.Data = {" + RedGlyphData() + "}\n    Layout = blGlyphLeft\n"
                       "    Margin = 6\n    Spacing = 2\n    OnClick = Clicked\n  end\n"
                       "end\n");
    TBitBtn& go = *form.Go;
    uitest::ShowAndActivate(form);

    wchar_t name[32] = {};
    GetClassNameW(go.Handle(), name, 32);
    EXPECT_EQ(std::wstring(name), L"TBitBtn");
    EXPECT_EQ(FindControl(go.Handle()), &go);
    EXPECT_EQ(GetWindowLongPtrW(go.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(go.Margin(), 6);
    EXPECT_EQ(GetPropText(&go, L"Layout"), L"blGlyphLeft");

    // The glyph sits Margin pixels from the left edge, vertically centred.
    RECT red = RedArea(go);
    EXPECT_EQ(red.left, 6);
    EXPECT_EQ(red.right - red.left, 3);
    EXPECT_NEAR((red.top + red.bottom) / 2.0, go.Height() / 2.0, 1.5);
    go.SetLayout(blGlyphRight);
    EXPECT_EQ(RedArea(go).right, go.Width() - 6);
    go.SetMargin(-1);
    go.SetLayout(blGlyphTop);
    red = RedArea(go);
    EXPECT_NEAR((red.left + red.right) / 2.0, go.Width() / 2.0, 1.5);
    EXPECT_LT(red.bottom, go.Height() / 2);  // above the caption

    // Becoming the default button keeps the owner drawing.
    go.SetDefault(true);
    EXPECT_EQ(GetWindowLongPtrW(go.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    uitest::Click(go);
    go.SetFocus();
    uitest::PressKey(VK_SPACE);
    uitest::Pump(20);
    EXPECT_EQ(form.clicks, 2);
}
