#pragma once
// The form skinner's two tool-bar painters, hooked into a toolkit tool bar's
// custom-draw events where the bar has none of its own: the bar's ground is
// the skin's Toolbar image stretched over it, each button gets a plate of
// the skin's Button image (2 pressed, 4 hot or focused, 1 normal; none for
// disabled or checked buttons, which the bar draws itself) and the
// skin's caption colour; the bar then draws images and captions as usual,
// but not its own button ground and edges over a plate (it would cover the
// plate of a hot or pressed button), and disabled captions etched in the
// skin's face colour instead of white, which reads as bright text on a dark bar.
//
// The hook of one bar lives in a small component owned by the form skinner;
// it gives the events back (where they still hold our painters) when it is
// released: when the bar's box skinner is unskinned or freed, or when the
// form skinner goes. A bar freed first is forgotten.
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/ToolBar.h"

namespace relayon::skin {

class TToolBarPainters : public TComponent {
public:
    TToolBarPainters(TWinSkinForm* sf, TToolBar* bar);
    ~TToolBarPainters() override;
    void Notification(TComponent* component, TOperation operation) override;

    void ToolBarDrawBackground(TToolBar* Sender, const RECT& ARect, bool& DefaultDraw);
    void ToolBarDrawButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw);

    TToolBar* Bar() const { return bar_; }
    bool HookedBackground() const { return background_; }
    bool HookedButtons() const { return buttons_; }

private:
    void GiveBack();
    // The bar's messages pass here while its buttons are ours: a button
    // that got a plate is answered with "no ground, no edges".
    void BarWindowProc(TMessage& message);

    TWinSkinForm* sf_;
    TToolBar* bar_;
    bool background_ = false, buttons_ = false;
    TWndMethod oldBarProc_;
    bool plated_ = false;
};

// Hooks the painters into the bar's unassigned events (once per bar).
void HookPainters(TWinSkinForm* sf, TToolBar* bar);
// Gives a bar's events back and forgets its hook; nothing for a bar without one.
void ReleaseToolBarPainters(TComponent* bar);
// The hook of a bar, or null.
TToolBarPainters* FindToolBarPainters(const TComponent* bar);

// The button plate's cell for a custom-draw state: 2 pressed, 4 hot or
// focused, 1 an ordinary enabled button, 0 nothing drawn (disabled, grayed,
// checked, marked or indeterminate).
int ToolButtonCell(TCustomDrawState state);

}  // namespace relayon::skin
