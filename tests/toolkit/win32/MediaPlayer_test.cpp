// The media player's button bar: layout, clicks by real input and through
// Perform, and the published button sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/Panel.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TPlayerForm : public TForm {
public:
    using TForm::TForm;
    TMediaPlayer* Player = nullptr;
    std::vector<TMPBtnType> clicks;
    void PlayerClick(TObject*, TMPBtnType b, bool& doDefault) {
        clicks.push_back(b);
        EXPECT_TRUE(doDefault);
    }
    // A window laid over the player passes what it receives on.
    bool wasPressed = false;
    void OverlayDown(TObject*, TMouseButton, TShiftState, int x, int y) {
        Player->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    void OverlayUp(TObject*, TMouseButton, TShiftState, int x, int y) {
        TMPBtnType b{};
        wasPressed = Player->Pressed(b) && b == TMPBtnType::btPlay;
        Player->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static void Publish(TPublisher<TPlayerForm>& p) {
        p.Field(L"Player", &TPlayerForm::Player);
        p.Method(L"PlayerClick", &TPlayerForm::PlayerClick);
    }
};

POINT Centre(TMediaPlayer& player, TMPBtnType b) {
    RECT r = player.ButtonRect(b);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(player.Handle(), &p);
    return p;
}

LPARAM ClientPoint(TMediaPlayer& player, TMPBtnType b) {
    RECT r = player.ButtonRect(b);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class MediaPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterPublishedClass<TPlayerForm>();
        form = new TPlayerForm(nullptr);
        form->SetBounds(40, 40, 400, 200);
    }
    void TearDown() override { delete form; }
    TPlayerForm* form = nullptr;
};

}  // namespace

TEST_F(MediaPlayerTest, VisibleButtonsShareTheWidthAndClicksNameTheButton) {
    using enum TMPBtnType;
    auto* player = form->Player = new TMediaPlayer(form);
    player->SetParent(form);
    player->SetBounds(10, 10, 300, 30);
    player->SetVisibleButtons({btPlay, btStop, btNext, btEject});
    player->SetEnabledButtons({btPlay, btStop, btEject});
    player->OnClick = TMPBtnEvent(form, &TPlayerForm::PlayerClick);
    uitest::ShowAndActivate(*form);

    wchar_t cls[32] = {};
    GetClassNameW(player->Handle(), cls, 32);
    EXPECT_STREQ(cls, L"TMediaPlayer");
    RECT stop = player->ButtonRect(btStop), eject = player->ButtonRect(btEject), pause = player->ButtonRect(btPause);
    EXPECT_EQ(stop.left, 75);
    EXPECT_EQ(stop.right - stop.left, 75);
    EXPECT_EQ(eject.right, 300);
    EXPECT_TRUE(IsRectEmpty(&pause));

    uitest::ClickAt(Centre(*player, btStop));
    uitest::ClickAt(Centre(*player, btNext));  // disabled: nothing
    uitest::ClickAt(Centre(*player, btEject));
    EXPECT_EQ(form->clicks, (std::vector<TMPBtnType>{btStop, btEject}));

    // A window laid over the bar forwards presses and releases with Perform.
    form->clicks.clear();
    auto* overlay = new TPanel(form);
    overlay->SetParent(form);
    overlay->SetBounds(10, 10, 300, 30);
    overlay->OnMouseDown = TMouseEvent(form, &TPlayerForm::OverlayDown);
    overlay->OnMouseUp = TMouseEvent(form, &TPlayerForm::OverlayUp);
    uitest::ClickAt(Centre(*player, btPlay));
    EXPECT_NE(GetCapture(), player->Handle());
    EXPECT_EQ(form->clicks, std::vector<TMPBtnType>{btPlay});
    EXPECT_TRUE(form->wasPressed);
    // Pressed on Play, released over Stop: no click.
    player->Perform(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(*player, btPlay));
    player->Perform(WM_LBUTTONUP, 0, ClientPoint(*player, btStop));
    TMPBtnType held{};
    EXPECT_FALSE(player->Pressed(held));
    EXPECT_EQ(form->clicks.size(), 1u);
}

TEST_F(MediaPlayerTest, FormResourceSetsTheButtonSets) {
    using enum TMPBtnType;
    ReadFormText(*form,
                 "object PlayerForm: TPlayerForm\n"
                 "  object Player: TMediaPlayer\n    Width = 90\n"
                 "    VisibleButtons = [btPlay, btPause, btRecord]\n    EnabledButtons = [btPause]\n"
                 "    ColoredButtons = []\n    OnClick = PlayerClick\n  end\n"
                 "end\n");
    ASSERT_NE(form->Player, nullptr);
    EXPECT_EQ(form->Player->VisibleButtons(), (TButtonSet{btPlay, btPause, btRecord}));
    EXPECT_EQ(GetSetProp(form->Player, L"EnabledButtons"), L"[btPause]");
    EXPECT_TRUE(form->Player->ColoredButtons().Empty());
    EXPECT_EQ(GetSetProp(form->Player, L"VisibleButtons"), L"[btPlay,btPause,btRecord]");
    uitest::ShowAndActivate(*form);
    RECT record = form->Player->ButtonRect(btRecord);
    EXPECT_EQ(record.left, 60);
    uitest::ClickAt(Centre(*form->Player, btPause));
    EXPECT_EQ(form->clicks, std::vector<TMPBtnType>{btPause});
    EXPECT_STREQ(TMediaPlayer::ButtonName(btRecord), L"MPRECORD");
}
