#pragma once
// TSkinMP: media players. A TWMediaPlayer panel is laid over the player
// (same parent and bounds, kept there as the player moves or resizes) and
// draws the visible buttons on the skin's push-button faces. It reads the
// player only through its published sets VisibleButtons, EnabledButtons and
// ColoredButtons, and hands presses and releases to the player, a release
// only over the button that was pressed. Glyphs come from the module's
// resources ("EN_MPPLAY" ...); a program without them gets glyphs drawn in
// the skin's colours: its button text, the disabled text, and fixed
// signal colours for coloured buttons.
#include <array>

#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Panel.h"

namespace relayon::skin {

enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
enum TMPGlyph { mgEnabled, mgDisabled, mgColored };

struct TMPButton {
    bool Visible = false, Enabled = false, Colored = false, Auto = false;
    // Glyphs per TMPGlyph, on a magenta ground.
    std::array<TBitmap, 3> Bitmaps;
    // Which of them are drawn by the skinner (no resource), to be drawn
    // again in a new skin's colours.
    std::array<bool, 3> Drawn{};
};

class TSkinMP;

class TWMediaPlayer : public TPanel {
public:
    explicit TWMediaPlayer(TComponent* AOwner);

    // Lays the panel over `aObj` and starts drawing with `askin`.
    void Attach(TSkinData* askin, TWinControl* aObj);
    // Same parent and bounds as `aObj`.
    void SetPosition(TWinControl* aObj);
    // Reads the player's published sets again.
    void ReadButtons();
    // The visible button under a client point, or -1.
    int ButtonAt(int x) const;
    // Draws the glyphs that have no resource in the skin's colours.
    void DrawMissingGlyphs();

    std::array<TMPButton, 9> Buttons;
    int count = 0;
    TSkinData* fsd = nullptr;
    bool IsDown = false;
    int BtnClick = -1;
    int BtnFocuse = -1;
    int BtnWidth = 0;
    TWinControl* obj = nullptr;
    TSkinMP* skincontrol = nullptr;

    void WndProc(TMessage& message) override;

protected:
    void Paint(HDC dc) override;

private:
    void LoadGlyphs();
    void Forward(TMessage& message);
    ButtonCanvas picture_;
};

class TSkinMP : public TSkinControl {
public:
    explicit TSkinMP(TComponent* AOwner);
    ~TSkinMP() override;

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void AfterProc(TMessage& Message) override;
    void Unsubclass() override;
    void SkinChange() override;
    // The panel is a child of the player's parent, which deletes its
    // children when it goes: the skinner then forgets it.
    void Notification(TComponent* component, TOperation operation) override;

    TWMediaPlayer* mp = nullptr;

private:
    void DropOverlay();
};

}  // namespace relayon::skin
