#pragma once
// A control with its own window. The window is created on demand (Handle()),
// its Win32 class is named after the toolkit class (ClassName()) and, for
// controls built on a system control, superclasses that system class. Every
// message to the window goes through WindowProc; notifications the window
// receives from its child windows are reflected to the child as CN_BASE+msg.
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/GdiObject.h"

struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // Win32 class of the window; defaults to the toolkit class name.
    std::wstring WinClassName;
    // System class superclassed by WinClassName ("BUTTON", "EDIT" ...);
    // empty for windows the toolkit paints itself.
    std::wstring SystemClassName;
    UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // The window, created (with those of all parents and children) when first asked.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();
    // A foreign window to live in when the control has no toolkit parent.
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND window);

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    virtual void InsertControl(TControl* control);
    virtual void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The topmost visible child (graphic or windowed) under a client point.
    TControl* ControlAtPos(POINT clientPoint, bool allowDisabled = false, bool allowWinControls = false) const;

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // Windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list);

    bool CanFocus() const;
    virtual void SetFocus();
    virtual bool Focused();

    // Paints graphic children (from `first` on, or all) into dc, whose
    // origin is this control's client origin.
    void PaintControls(HDC dc, TControl* first);
    void InvalidateRect(const RECT& r);
    void Invalidate() override;
    void Update();
    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() override;
    POINT ClientToScreen(POINT p) override;
    POINT ScreenToClient(POINT p) override;
    std::wstring GetText() override;
    void SetText(const std::wstring& text) override;
    void SetEnabled(bool enabled) override;
    bool ParentBackground() const { return parentBackground_; }
    void SetParentBackground(bool value);

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Brush of Color for WM_CTLCOLORxxx answers (owned by the control).
    HBRUSH ColorBrush();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // Called by the form when focus enters / leaves this control.
    virtual void DoEnter();
    virtual void DoExit();

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // The CreateWindowEx call itself (MDI children are made by their client).
    virtual HWND CreateWindowHandle(const TCreateParams& params);
    // Called once the window exists and is bound, before children are created.
    virtual void CreateWindowHandleDone() {}
    // True while the children's windows wait for this control to be shown:
    // a page that is not shown makes none, so a start-up pays only for what
    // it shows. The objects keep their state meanwhile; Handle() still makes
    // a window on demand.
    virtual bool DefersChildWindows() const { return false; }
    virtual void DestroyWnd();
    // Copies what only the window knows (text, selection, check state) into
    // the object before the window goes, so a new window starts the same.
    virtual void SaveWindowState();
    void CreateHandleChildren();
    // Paints the window itself into dc (own classes: background; system
    // classes: the system procedure with the DC).
    virtual void PaintWindow(HDC dc);
    // Windows the toolkit paints itself (no system class) fill their background.
    bool IsOwnClass() const { return defWndProc_ == DefWindowProcW || !defWndProc_; }
    bool WantsDialogKey(WORD key);
    bool ClicksOnMouseUp() const override { return IsOwnClass(); }

    void VisibleChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void ApplyStyle(DWORD set, DWORD clear);
    void ApplyExStyle(DWORD set, DWORD clear);
    void UpdateBoundsFromWindow();

    HWND handle_ = nullptr;
    HWND parentWindow_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    bool tabStop_ = false;
    bool parentBackground_ = false;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;

private:
    friend LRESULT CALLBACK ToolkitWindowProc(HWND, UINT, WPARAM, LPARAM);
    void AttachHandle(HWND window);
    void DetachHandle();
    bool ReflectNotification(TMessage& message);
    bool RouteMouseToGraphicChild(TMessage& message);
    void PaintHandler(TMessage& message);
    bool ContextMenuHandler(TMessage& message);

    GdiObject<HBRUSH> brush_;
    TColor brushColor_ = clNone;
    TControl* mouseControl_ = nullptr;
    TControl* hotControl_ = nullptr;
    bool trackingLeave_ = false;
    bool recreating_ = false;
};

// The window procedure of every toolkit window class.
LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// Registers (once) the toolkit window class `className`, superclassing
// `systemClass` when given; returns the procedure to pass unhandled messages to.
WNDPROC RegisterToolkitClass(const std::wstring& className, const std::wstring& systemClass, UINT classStyle);
