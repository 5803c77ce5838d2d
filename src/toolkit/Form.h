#pragma once
// A top-level window holding controls. Border style and icons become real
// window styles. The form tracks its active control so that OnExit/OnEnter
// fire when focus moves between its controls, moves focus with Tab, and
// offers Enter/Esc to its buttons (Default / Cancel).
//
// A form class publishes its fields and handler methods for its form
// resource with a static Publish function (see Rtti.h):
//     static void Publish(TPublisher<TForm1>& p) {
//         p.Field(L"Bn_ser_conn", &TForm1::Bn_ser_conn);
//         p.Method(L"Bn_ser_connClick", &TForm1::Bn_ser_connClick);
//     }
#include "toolkit/CustomControl.h"
#include "toolkit/core/Rtti.h"

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                 poMainFormCenter, poOwnerFormCenter };
enum TCloseActionValue { caNone, caHide, caFree, caMinimize };
enum TTileMode { tbHorizontal, tbVertical };
class TMainMenu;
class TMenuItem;
using TCloseEvent = TMethod<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TMethod<void(TObject* Sender, bool& CanClose)>;

// Scroll bar of a form: visible or not, and the virtual extent it scrolls.
class TControlScrollBar : public TObject {
public:
    explicit TControlScrollBar(int bar) : bar_(bar) {}
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    int Range() const { return range_; }
    void SetRange(int r);
    int Position() const { return position_; }
    void SetPosition(int p);
    void Attach(TWinControl* control);
    void Update();
    void Scroll(WPARAM request);

private:
    int bar_;
    bool visible_ = true;
    int range_ = 0;
    int position_ = 0;
    TWinControl* control_ = nullptr;
};

class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    // Creates a form of class T, reads its form resource (when the module
    // has one named after the class), calls Loaded and then OnCreate.
    template <class T>
    static T* Create(TComponent* owner) {
        RegisterPublishedClass<T>();
        T* form = new T(owner);
        form->AfterConstruction();
        return form;
    }
    // Resource reading, Loaded and OnCreate; run once right after the
    // constructor (by Create or TApplication::CreateForm).
    void AfterConstruction();

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style) { formStyle_ = style; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool v) { keyPreview_ = v; }
    bool Scaled() const { return scaled_; }
    void SetScaled(bool v) { scaled_ = v; }
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool v) { autoScroll_ = v; }
    TControlScrollBar& HorzScrollBar() { return horzScrollBar_; }
    TControlScrollBar& VertScrollBar() { return vertScrollBar_; }
    void SetClientSize(int width, int height) override;
    RECT ClientRect() override;

    void Show();
    void Close();
    // Frees the form once the messages being handled are done.
    void Release();
    bool ModalResultSet() const { return false; }

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Focus moves to the next (or previous) tab stop after `current`.
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    // Notifications from the form's controls.
    void FocusChanged(TWinControl* control);
    void ControlDestroying(TControl* control);

    // The menu bar (SetMenu on the window). A change of its items rebuilds
    // the bar and sends CM_MENUCHANGED to the window.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // Called by the menu when its items changed.
    void MenuChanged();
    // Runs the menu item (of a popup menu of `focused` or its parents, the
    // form's menu, and an MDI child's main form) whose ShortCut this key is.
    bool IsShortCut(TControl* focused, WORD key, TShiftState shift);

    // MDI: a fsMDIForm has an "MDICLIENT" window (ClientHandle) holding the
    // fsMDIChild forms; WindowMenu lists them.
    HWND ClientHandle() const { return clientHandle_; }
    TMenuItem* WindowMenu() const { return windowMenu_; }
    void SetWindowMenu(TMenuItem* item);
    TTileMode TileMode() const { return tileMode_; }
    void SetTileMode(TTileMode mode) { tileMode_ = mode; }
    void Tile();
    void Cascade();
    void ArrangeIcons();
    void Next();
    void Previous();
    TForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    TForm* MDIChildren(int index) const;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TNotifyEvent OnResize;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    HWND CreateWindowHandle(const TCreateParams& params) override;
    void VisibleChanged() override;
    virtual void DoCreate();

private:
    DWORD BorderStyleBits() const;
    DWORD BorderExStyleBits() const;
    bool IsMDIChildWindow() const;
    void CreateMDIClient();
    void ApplyMenuToWindow();
    bool MenuCommand(TMessage& message);
    // The MDI form shows the active child's menu merged into its own.
    void MergeChildMenu(TForm* child);
    TForm* MDIMainForm() const;

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    bool keyPreview_ = false;
    bool scaled_ = true;
    bool autoScroll_ = true;
    bool constructed_ = false;
    TControlScrollBar horzScrollBar_{SB_HORZ};
    TControlScrollBar vertScrollBar_{SB_VERT};
    TWinControl* activeControl_ = nullptr;
    bool destroyingForm_ = false;
    // Client size read from a resource; applied once the border is known.
    int pendingClientWidth_ = -1;
    int pendingClientHeight_ = -1;
    TMainMenu* menu_ = nullptr;
    TMenuItem* windowMenu_ = nullptr;
    HWND clientHandle_ = nullptr;
    TTileMode tileMode_ = tbHorizontal;
};
