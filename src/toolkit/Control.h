#pragma once
// Base of everything visible. A control has bounds relative to its parent's
// client area, a caption, a font and colour, and a replaceable WindowProc
// through which every message to it passes (defaults to the virtual WndProc).
#include <string>

#include "toolkit/Color.h"
#include "toolkit/core/Component.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/Font.h"

class TWinControl;
class TForm;
class TPopupMenu;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect();
    int ClientWidth() { return ClientRect().right; }
    int ClientHeight() { return ClientRect().bottom; }
    virtual void SetClientSize(int width, int height);
    void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
    void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    std::wstring Caption() { return GetText(); }
    void SetCaption(const std::wstring& text) { SetText(text); }
    std::wstring Text() { return GetText(); }
    void SetTextValue(const std::wstring& text) { SetText(text); }
    virtual std::wstring GetText();
    virtual void SetText(const std::wstring& text);

    TFont& Font() { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    const std::wstring& Hint() const { return hint_; }
    void SetHint(const std::wstring& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v) { showHint_ = v; }
    TBiDiMode BiDiMode() const { return biDiMode_; }
    virtual void SetBiDiMode(TBiDiMode mode);
    bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }
    bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }

    // Opened by a right click on the control (WM_CONTEXTMENU).
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    void Notification(TComponent* component, TOperation operation) override;

    // Every message to this control passes through WindowProc; save,
    // replace and restore it freely.
    TWndMethod WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    // Runs the handling for one message that WndProc did not take.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    virtual void Invalidate();
    void Update();
    void Repaint();
    // Runs OnClick (buttons add their own work).
    virtual void Click();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);

    // The form this control sits on (walking up parents), or null.
    TForm* ParentForm() const;
    virtual POINT ClientToScreen(POINT p);
    virtual POINT ScreenToClient(POINT p);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    friend class TWinControl;
    virtual void BoundsChanged() {}
    virtual void VisibleChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged() {}
    // Whether a left press and release inside the control means Click()
    // (controls whose system window reports clicks itself answer false).
    virtual bool ClicksOnMouseUp() const { return true; }
    void FontOnChange(TObject* sender);
    void MouseMessage(TMessage& message);

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentFont_ = true;
    bool parentColor_ = false;
    bool showHint_ = false;
    bool mouseCaptured_ = false;
    bool mouseInside_ = false;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TColor color_ = clBtnFace;
    std::wstring text_;
    std::wstring hint_;
    TFont font_;
    bool updatingParentFont_ = false;
    TPopupMenu* popupMenu_ = nullptr;
};
