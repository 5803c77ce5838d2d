#pragma once
// TSkinDateTime: drop-down date pickers keep their fields and calendar; the
// skinner frames the border and covers the picker's own drop-down button with
// a TArrowButton window drawn from the skin's combo arrow. A press on that
// window is handed to the picker as a click on its own button.
//
// The arrow window is a child of the picker and is owned by the skinner, so
// it dies with whichever goes first; it follows the picker's size, goes away
// when the skin is taken off or the picker's window is destroyed (moved to
// another parent, recreated), and a press while the picker is gone or
// disabled does nothing.
#include <windows.h>

#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/CustomControl.h"

namespace relayon::skin {

class TSkinDateTime;

class TArrowButton : public TCustomControl {
public:
    explicit TArrowButton(TComponent* AOwner);
    ~TArrowButton() override;
    void Notification(TComponent* component, TOperation operation) override;

    void Attach(TSkinDateTime* aobj, TWinControl* acontrol);
    // Places the button at the right (left) end of the picker's client area.
    void MoveArrow(const RECT& r);
    void WndProc(TMessage& message) override;

    int cw = 0;
    TWinControl* control = nullptr;
    TSkinDateTime* obj = nullptr;
    HWND hwnd = nullptr;
    int state = 0;  // bit 1: hot

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc) override;

private:
    // The picker's live window, or null when it is gone.
    HWND PickerWindow() const;
    bool PickerUsable() const;
    void WMLButtonDown(TMessage& message);
    void WMLButtonUp(TMessage& message);
    void SetHot(bool hot);
};

class TSkinDateTime : public TSkinControl {
public:
    explicit TSkinDateTime(TComponent* AOwner);
    ~TSkinDateTime() override;
    void Notification(TComponent* component, TOperation operation) override;

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Unsubclass() override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;

    TArrowButton* arrow = nullptr;

private:
    void DropArrow();
};

}  // namespace relayon::skin
