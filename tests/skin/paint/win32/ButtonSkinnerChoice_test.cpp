// Which skinner the button family gives each control and window, the media
// player's overlay, drop-down faces and the glyph strips for other vendors'
// boxes.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "PixelCapture.h"
#include "skin/data/SkinWriter.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/SkinBitButton.h"
#include "skin/paint/win32/SkinButton.h"
#include "skin/paint/win32/SkinCheckBox.h"
#include "skin/paint/win32/SkinMP.h"
#include "skin/paint/win32/SkinMenuButton.h"
#include "skin/paint/win32/SkinObjImage.h"
#include "skin/paint/win32/SkinSpeedButton.h"
#include "skin/paint/win32/SkinnerButtons.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Application.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/RadioButton.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/core/BmpCodec.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;

namespace {

using skintest::ClientPixel;

PixelImage Strip(int cells, int w, int h, uint8_t green) {
    PixelImage img = MakePixelImage(cells * w, h, PixelLayout::Bgr24);
    for (int c = 0; c < cells; ++c)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.SetColor(c * w + x, y, PackRgb(30 + 20 * c, green, 220 - 20 * c));
    return img;
}

std::vector<uint8_t> SkinFile() {
    std::string ini =
        "[TitlebarSkin]\nSkinName=Choice\n[Buttons]\nBitmap=buttons.bmp\nCheckButton=check.bmp\n"
        "CheckButtonFrame=4\nRadioButton=radio.bmp\nRadioButtonFrame=4\n";
    return BuildSkinFile({{"skin.ini", {ini.begin(), ini.end()}},
                          {"buttons.bmp", EncodeBmpFile(Strip(5, 10, 10, 80))},
                          {"check.bmp", EncodeBmpFile(Strip(4, 13, 13, 140))},
                          {"radio.bmp", EncodeBmpFile(Strip(4, 13, 13, 200))}});
}

COLORREF CellColour(TBitmap& strip, int cells, int cell) {
    const int w = strip.Width() / cells;
    return GetPixel(strip.Canvas().Handle(), (cell - 1) * w + w / 2, strip.Height() / 2);
}

class Player : public TObject {
public:
    std::vector<::TMPBtnType> clicked;
    void Clicked(TObject*, ::TMPBtnType button, bool&) { clicked.push_back(button); }
};

class ButtonSkinnerChoice : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        skin.LoadFromStream(SkinFile());
        ASSERT_FALSE(skin.Empty);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 460, 300);
        sf = std::make_unique<TWinSkinForm>(nullptr);
        sf->fsd = &skin;
    }
    void TearDown() override {
        sf.reset();  // skinners first, while their controls live
        form.reset();
    }
    template <class C>
    C* Add(int x, int y, int w, int h) {
        auto* c = new C(form.get());
        c->SetParent(form.get());
        c->SetBounds(x, y, w, h);
        return c;
    }
    HWND Plain(DWORD style) {
        return CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD | WS_VISIBLE | style, 300, 200, 60, 20, form->Handle(),
                               nullptr, nullptr, nullptr);
    }
    COLORREF Face(int cell) { return CellColour(*skin.Button->Map, 5, cell); }

    TSkinData skin{nullptr};
    std::unique_ptr<TForm> form;
    std::unique_ptr<TWinSkinForm> sf;
};

}  // namespace

TEST_F(ButtonSkinnerChoice, EachControlGetsItsFamilysSkinner) {
    skin.SetSkinControls(TSkinControlTypes{xcButton, xcCheckBox, xcRadioButton, xcSpeedButton});
    auto* button = Add<TButton>(10, 10, 80, 25);
    auto* bit = Add<TBitBtn>(10, 40, 80, 25);
    auto* speed = Add<TSpeedButton>(10, 70, 80, 25);
    auto* check = Add<TCheckBox>(100, 10, 80, 20);
    auto* radio = Add<TRadioButton>(100, 40, 80, 20);
    auto* label = Add<TLabel>(100, 70, 80, 20);
    for (TComponent* c : std::initializer_list<TComponent*>{button, bit, speed, check, radio})
        EXPECT_TRUE(AddButtonSkinner(sf.get(), c, UpperCase(c->ClassName()))) << c->ClassName();
    EXPECT_FALSE(AddButtonSkinner(sf.get(), label, L"TLABEL"));

    EXPECT_TRUE(dynamic_cast<TSkinButton*>(sf->FindSkinComp(button)));
    EXPECT_EQ(sf->FindSkinComp(bit), nullptr);  // bit buttons have a flag of their own, off here
    EXPECT_TRUE(dynamic_cast<TSkinSpeedButton*>(sf->FindSkinComp(speed)));
    EXPECT_TRUE(dynamic_cast<TSkinCheckBox*>(sf->FindSkinComp(check)));
    EXPECT_FALSE(dynamic_cast<TSkinRadioButton*>(sf->FindSkinComp(check)));
    EXPECT_TRUE(dynamic_cast<TSkinRadioButton*>(sf->FindSkinComp(radio)));
    skin.SetSkinControls(TSkinControlTypes{xcBitBtn});
    EXPECT_TRUE(AddButtonSkinner(sf.get(), bit, L"TBITBTN"));
    EXPECT_TRUE(dynamic_cast<TSkinBitButton*>(sf->FindSkinComp(bit)));

    // Plain windows by style.
    skin.SetSkinControls(TSkinControlTypes{xcButton, xcCheckBox, xcRadioButton});
    const HWND group = Plain(BS_GROUPBOX), owner = Plain(BS_OWNERDRAW), push = Plain(BS_PUSHBUTTON),
               three = Plain(BS_AUTO3STATE), radios = Plain(BS_AUTORADIOBUTTON);
    for (HWND h : {group, owner, push, three, radios}) EXPECT_TRUE(AddButtonSkinnerHwnd(sf.get(), h, L"button", GetWindowLongW(h, GWL_STYLE)));
    EXPECT_FALSE(AddButtonSkinnerHwnd(sf.get(), push, L"edit", 0));
    EXPECT_EQ(sf->Lookupcontrol(group), nullptr);
    EXPECT_EQ(sf->Lookupcontrol(owner), nullptr);
    EXPECT_TRUE(dynamic_cast<TSkinButton*>(sf->Lookupcontrol(push)));
    EXPECT_TRUE(dynamic_cast<TSkinCheckBox*>(sf->Lookupcontrol(three)));
    EXPECT_FALSE(dynamic_cast<TSkinRadioButton*>(sf->Lookupcontrol(three)));
    EXPECT_TRUE(dynamic_cast<TSkinRadioButton*>(sf->Lookupcontrol(radios)));

    // Third-party kinds.
    auto* vendorButton = Add<TButton>(200, 10, 80, 25);
    auto* vendorItem = Add<TCheckBox>(200, 40, 80, 20);
    EXPECT_TRUE(AddButtonSkinnerKind(sf.get(), vendorButton, L"menubtn"));
    EXPECT_TRUE(AddButtonSkinnerKind(sf.get(), vendorItem, L"checkitem"));
    EXPECT_FALSE(AddButtonSkinnerKind(sf.get(), label, L"combobox"));
    EXPECT_TRUE(dynamic_cast<TSkinMenuButton*>(sf->FindSkinComp(vendorButton)));
    EXPECT_TRUE(dynamic_cast<TSkinCheckBox*>(sf->FindSkinComp(vendorItem)));
}

TEST_F(ButtonSkinnerChoice, DropDownButtonFacesHaveNoDisabledLook) {
    auto* menu = Add<TButton>(10, 10, 120, 30);
    auto* holder = Add<TCheckBox>(10, 200, 80, 20);
    menu->SetCaption(L"Menu");
    skin.SetSkinControls(TSkinControlTypes{});
    EXPECT_TRUE(AddButtonSkinnerKind(sf.get(), menu, L"menubtn"));
    EXPECT_EQ(sf->FindSkinComp(menu), nullptr);  // the kind is known, its flag is off
    skin.SetSkinControls(TSkinControlTypes{xcButton});
    ASSERT_TRUE(AddButtonSkinnerKind(sf.get(), menu, L"menubtn"));
    SetCursorPos(2, 2);  // not over the button, wherever an earlier run left it
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &move, sizeof move);
    uitest::ShowAndActivate(*form);
    holder->SetFocus();
    uitest::Pump(30);
    EXPECT_EQ(ClientPixel(menu->Handle(), 1, 1), Face(1));
    menu->SetFocus();
    uitest::Pump(30);
    EXPECT_EQ(ClientPixel(menu->Handle(), 1, 1), Face(4));  // focus shows as hot
    holder->SetFocus();
    menu->SetEnabled(false);
    uitest::Pump(30);
    EXPECT_EQ(ClientPixel(menu->Handle(), 1, 1), Face(1));
}

TEST_F(ButtonSkinnerChoice, MediaPlayerOverlayDrawsFacesAndClicksOnlyOnThePressedButton) {
    skin.SetSkinControls(TSkinControlTypes{xcButton});
    auto* player = Add<TMediaPlayer>(10, 10, 270, 30);
    Player events;
    player->OnClick = TMPBtnEvent(&events, &Player::Clicked);
    player->SetVisibleButtons(TButtonSet{::TMPBtnType::btPlay, ::TMPBtnType::btStop, ::TMPBtnType::btEject});
    player->SetEnabledButtons(TButtonSet{::TMPBtnType::btPlay, ::TMPBtnType::btStop});
    ASSERT_TRUE(AddButtonSkinner(sf.get(), player, L"TMEDIAPLAYER"));
    auto* skinner = dynamic_cast<TSkinMP*>(sf->FindSkinComp(player));
    ASSERT_TRUE(skinner && skinner->mp);
    uitest::ShowAndActivate(*form);
    TWMediaPlayer& overlay = *skinner->mp;
    EXPECT_EQ(overlay.BoundsRect().left, player->BoundsRect().left);
    EXPECT_EQ(overlay.Width(), player->Width());
    EXPECT_EQ(overlay.Tag(), skin.DisableTag());
    EXPECT_EQ(overlay.count, 3);

    // Three equal buttons: play and stop enabled, eject disabled.
    EXPECT_EQ(ClientPixel(overlay.Handle(), 1, 1), Face(1));
    EXPECT_EQ(ClientPixel(overlay.Handle(), 181, 1), Face(3));

    POINT origin{0, 0};
    ClientToScreen(overlay.Handle(), &origin);
    uitest::ClickAt(POINT{origin.x + 45, origin.y + 15});
    ASSERT_EQ(events.clicked.size(), 1u);
    EXPECT_EQ(events.clicked[0], ::TMPBtnType::btPlay);
    // Pressed on stop, released over play: no click.
    SetCursorPos(origin.x + 135, origin.y + 15);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &in, sizeof in);
    uitest::Pump(40);
    EXPECT_EQ(ClientPixel(overlay.Handle(), 91, 1), Face(2));
    SetCursorPos(origin.x + 45, origin.y + 15);
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    uitest::Pump(40);
    EXPECT_EQ(events.clicked.size(), 1u);

    // The overlay follows the player.
    player->SetBounds(20, 60, 180, 30);
    uitest::Pump(30);
    EXPECT_EQ(overlay.Top(), 60);
    EXPECT_EQ(overlay.Width(), 180);

    // The form goes first, its children with it: the skinner must not free the panel again.
    form.reset();
    EXPECT_EQ(sf->FindSkinComp(player), nullptr);  // the skinner went with its player
}

TEST_F(ButtonSkinnerChoice, VendorBoxesGetStripsOfTheSkinsCells) {
    TSkinObjImage radio(nullptr), check(nullptr);
    radio.fsd = check.fsd = &skin;
    radio.kind = 2;
    check.kind = 1;
    auto radioStrip = radio.BuildStrip(), checkStrip = check.BuildStrip();
    ASSERT_TRUE(radioStrip && checkStrip);
    const int radioCells[6] = {1, 2, 1, 2, 3, 4};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(CellColour(*radioStrip, 6, i + 1), CellColour(*skin.Button->RadioMap, 4, radioCells[i])) << i;
    // Unchecked, checked, grey; then the same disabled.
    const int checkCells[6] = {1, 2, 4, 3, 4, 4};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(CellColour(*checkStrip, 6, i + 1), CellColour(*skin.Button->CheckMap, 4, checkCells[i])) << i;
}
