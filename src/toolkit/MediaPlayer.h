#pragma once
// The button bar of a media player: Play, Pause, Stop, Next, Prev, Step,
// Back, Record and Eject. There is no device behind it; the bar shows the
// VisibleButtons side by side at equal widths, greys those not in
// EnabledButtons, colours the glyphs of ColoredButtons, and runs
// OnClick(Sender, Button, DoDefault) when a button is pressed and released
// over it. Mouse messages may also come through Perform from a window laid
// over the bar.
#include "toolkit/CustomControl.h"

// A scoped enumeration: the up-down's btNext / btPrev share the plain names.
enum class TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
using TButtonSet = TSet<TMPBtnType>;
using TMPBtnEvent = TMethod<void(TObject* Sender, TMPBtnType Button, bool& DoDefault)>;

class TMediaPlayer : public TCustomControl {
public:
    static constexpr int kButtonCount = 9;
    static constexpr TButtonSet kAllButtons{TMPBtnType::btPlay, TMPBtnType::btPause,  TMPBtnType::btStop,
                                            TMPBtnType::btNext, TMPBtnType::btPrev,   TMPBtnType::btStep,
                                            TMPBtnType::btBack, TMPBtnType::btRecord, TMPBtnType::btEject};

    explicit TMediaPlayer(TComponent* AOwner);

    TButtonSet VisibleButtons() const { return visible_; }
    void SetVisibleButtons(TButtonSet buttons);
    TButtonSet EnabledButtons() const { return enabled_; }
    void SetEnabledButtons(TButtonSet buttons);
    TButtonSet ColoredButtons() const { return colored_; }
    void SetColoredButtons(TButtonSet buttons);

    // Client rectangle of a visible button (empty for a hidden one).
    RECT ButtonRect(TMPBtnType button);
    // The visible button under a client point; false over none.
    bool ButtonAt(int x, int y, TMPBtnType& button);
    // The button's name as glyph resources use it ("MPPLAY", "MPPAUSE" ...).
    static const wchar_t* ButtonName(TMPBtnType button);
    // The button held down by the mouse, if any.
    bool Pressed(TMPBtnType& button) const;

    // Runs OnClick for the button; what the player does by default needs a
    // device, so DoDefault has nothing further to run here.
    void ClickButton(TMPBtnType button);

    // Hides the control's OnClick: the media player tells which button.
    TMPBtnEvent OnClick;

    void WndProc(TMessage& message) override;

protected:
    void Paint(HDC dc) override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void PaintGlyph(HDC dc, TMPBtnType button, const RECT& r, bool enabled);

    TButtonSet visible_ = kAllButtons;
    TButtonSet enabled_ = kAllButtons;
    TButtonSet colored_ = kAllButtons;
    int pressed_ = -1;      // button held down, or -1
    bool pressedIn_ = false; // the mouse is over the held button
};
