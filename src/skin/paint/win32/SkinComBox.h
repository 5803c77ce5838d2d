#pragma once
// TSkinComBox: combo boxes keep their own edit, list and keyboard handling;
// the skinner paints the sunken border and the drop-down button plate over
// the system's drawing (frame 1 normal, 2 pressed, 3 disabled, 4 focused or
// hot), leaving the text area alone. The list of a drop-down combo and of a
// simple combo get scroll-bar skinners of their own, started by name; a
// missing scroll-bar family leaves them system-drawn.
#include <windows.h>

#include "skin/paint/core/ComboGeometry.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinComBox : public TSkinControl {
public:
    explicit TSkinComBox(TComponent* AOwner);
    ~TSkinComBox() override;
    void Notification(TComponent* component, TOperation operation) override;

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) override;
    void Unsubclass() override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    // The flat layout (combox style 1).
    void DrawControl1(HDC dc, const RECT& rc);
    void SkinDropList();
    void DeleteDropList();
    // Subclasses the combo's first child window so its paints refresh the frame.
    void FindBtn();
    void ButtonProc(TMessage& Message);
    void CNCommand(TMessage& Message);

    DWORD dwStyle = 0;
    DWORD ExStyle = 0;
    HWND hlist = nullptr;
    HWND hbtn = nullptr;
    bool isDrop = false;
    WNDPROC FBtnObjectInst = nullptr;
    WNDPROC FBtnPrevWndProc = nullptr;
    TSkinControl* vb = nullptr;  // the simple combo's list scroll bars
    TSkinControl* db = nullptr;  // the drop-down list's scroll bars
    COMBOBOXINFO info{};
    RECT rBtn{};
    bool HasButton = false;

private:
    void ReadStyle();
    bool LeftButton() const { return (ExStyle & WS_EX_LEFTSCROLLBAR) != 0; }
    bool EnabledNow() const { return !(dwStyle & WS_DISABLED); }
    bool FocusedNow() const;
    int FrameFor(int frameCount) const;
    void SetBit(TSkinControlState bit, bool on);
    void OnMouseMove(TMessage& Message);
    void ReleaseBtn();
    void WatchListSkinner(TSkinControl* s);
    void SkinSimpleList();
    void DrawWithButtonWindow(HDC dc, const RECT& R, int d);
    void DrawBorderAndStrip(HDC dc, const RECT& R, int d);
};

}  // namespace relayon::skin
