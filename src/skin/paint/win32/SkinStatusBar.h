#pragma once
// TSkinStatusBar: a status bar repainted from the skin's StatusBar image
// (three cells: 1 lowered panel and the simple text, 2 raised panel, 3 no
// bevel), each panel's text on top in the skin's status colour, and the size
// grip from cell 5 of ExtraImages. Without a StatusBar image the panels get
// plain 3-D frames. The picture is composed off screen and copied once;
// OnDrawPanel then runs for every panel, owner-drawn or not.
#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/Winsubclass.h"

class TStatusBar;

namespace relayon::skin {

class TSkinStatusBar : public TSkinControl {
public:
    explicit TSkinStatusBar(TComponent* AOwner);

    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    // The panel background of state I from the skin image (nothing for an
    // inverted rectangle); text is drawn by the caller.
    void drawitem(HDC dc, const RECT& rect, UINT align, const std::wstring& text, int I);
    // Plain background: a one-pixel 3-D frame for I = 1 (lowered) or 2 (raised).
    void Defaultpaint(TCanvas& canvas, const RECT& rect, UINT align, const std::wstring& text, int I);

private:
    // One panel as the bar shows it.
    struct Panel {
        RECT rect{};
        std::wstring text;
        UINT align = DT_LEFT;
        int state = 1;
        bool ownerDraw = false;
    };
    std::vector<Panel> ReadPanels(const RECT& rc, bool& simple);
    void DrawBackground(HDC dc, TCanvas& canvas, const RECT& r, UINT align, const std::wstring& text, int I);
    void DrawGrip(HDC dc, const RECT& rc);
    void CallDrawPanel(const std::vector<Panel>& panels);
    TStatusBar* Bar() const;
    ButtonCanvas buf_;
};

}  // namespace relayon::skin
