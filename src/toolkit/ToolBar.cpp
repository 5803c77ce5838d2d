#include "toolkit/ToolBar.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "toolkit/MenuItem.h"

namespace {

// Binds a canvas to a DC the system lends for one notification; the canvas
// puts the DC's own objects back when the notification is done.
class CanvasBinding {
public:
    CanvasBinding(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.SetHandle(dc); }
    ~CanvasBinding() { canvas_.SetHandle(nullptr); }
    CanvasBinding(const CanvasBinding&) = delete;
    CanvasBinding& operator=(const CanvasBinding&) = delete;

private:
    TCanvas& canvas_;
};

TCustomDrawState DrawStateOf(UINT itemState) {
    TCustomDrawState state;
    const std::pair<UINT, TCustomDrawStateFlag> map[] = {
        {CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed}, {CDIS_DISABLED, cdsDisabled},
        {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused}, {CDIS_DEFAULT, cdsDefault},
        {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked}, {CDIS_INDETERMINATE, cdsIndeterminate},
    };
    for (auto [bit, flag] : map)
        if (itemState & bit) state.Include(flag);
    return state;
}

LRESULT DrawFlagBits(TTBCustomDrawFlags flags) {
    LRESULT bits = 0;
    if (flags.Contains(tbNoEdges)) bits |= TBCDRF_NOEDGES;
    if (flags.Contains(tbHiliteHotTrack)) bits |= TBCDRF_HILITEHOTTRACK;
    if (flags.Contains(tbNoOffset)) bits |= TBCDRF_NOOFFSET;
    if (flags.Contains(tbNoMark)) bits |= TBCDRF_NOMARK;
    if (flags.Contains(tbNoEtchedEffect)) bits |= TBCDRF_NOETCHEDEFFECT;
    return bits;
}

BYTE ButtonStyleBits(const TToolButton& button) {
    switch (button.Style()) {
    case tbsCheck: return static_cast<BYTE>(BTNS_CHECK | (button.Grouped() ? BTNS_GROUP : 0));
    case tbsDropDown: return BTNS_DROPDOWN;
    case tbsSeparator:
    case tbsDivider: return BTNS_SEP;
    default: return BTNS_BUTTON;
    }
}

}  // namespace

// ---- buttons ----

TToolButton::TToolButton(TComponent* AOwner) : TControl(AOwner) {
    width_ = 23;
    height_ = 22;
}

TToolButton::~TToolButton() {
    SetDestroying();
    // Leave the bar while this object is still a button (the base destructor
    // would reach the bar with a plain control).
    if (TToolBar* bar = ToolBar()) bar->RemoveControl(this);
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(parent_); }

int TToolButton::Index() const {
    TToolBar* bar = ToolBar();
    return bar ? bar->IndexOf(this) : -1;
}

void TToolButton::Changed() {
    if (TToolBar* bar = ToolBar()) bar->ButtonChanged(this);
}

void TToolButton::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    Changed();
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TToolButton::SetGrouped(bool value) {
    if (value == grouped_) return;
    grouped_ = value;
    Changed();
}

bool TToolButton::Down() const {
    TToolBar* bar = ToolBar();
    if (bar && bar->HandleAllocated()) return bar->ButtonDownInWindow(this);
    return down_;
}

void TToolButton::SetDown(bool value) {
    down_ = value;
    if (value && grouped_ && style_ == tbsCheck) ReleaseGroup();
    if (TToolBar* bar = ToolBar()) bar->ShowButtonState(this);
}

void TToolButton::ReleaseGroup() {
    TToolBar* bar = ToolBar();
    if (!bar) return;
    auto inGroup = [](TToolButton* b) { return b->Grouped() && b->Style() == tbsCheck; };
    int index = bar->IndexOf(this);
    for (int step : {-1, 1})
        for (int i = index + step; i >= 0 && i < bar->ButtonCount() && inGroup(bar->Buttons(i)); i += step) {
            bar->Buttons(i)->down_ = false;
            bar->ShowButtonState(bar->Buttons(i));
        }
}

void TToolButton::SetMenuItem(TMenuItem* item) {
    if (item == menuItem_) return;
    if (menuItem_) menuItem_->RemoveFreeNotification(this);
    menuItem_ = item;
    if (menuItem_) menuItem_->FreeNotification(this);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == opRemove && menuItem_ && component == menuItem_) menuItem_ = nullptr;
}

void TToolButton::SetEnabled(bool enabled) {
    TControl::SetEnabled(enabled);
    if (TToolBar* bar = ToolBar()) bar->ShowButtonState(this);
}

void TToolButton::TextChanged() { Changed(); }

void TToolButton::VisibleChanged() {
    if (TToolBar* bar = ToolBar()) bar->ShowButtonState(this);
}

// ---- the bar ----

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 150;
    height_ = 29;
}

TToolBar::~TToolBar() {
    SetDestroying();
    // Buttons owned elsewhere outlive the bar: they leave it now.
    for (TToolButton* button : buttons_) button->LinkParent(nullptr);
    buttons_.clear();
}

TToolButton* TToolBar::Buttons(int index) const {
    if (index < 0 || index >= ButtonCount()) throw std::out_of_range("tool button index out of range");
    return buttons_[static_cast<size_t>(index)];
}

int TToolBar::IndexOf(const TToolButton* button) const {
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    return it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
}

TToolButton* TToolBar::FindButton(int commandId) const {
    for (TToolButton* button : buttons_)
        if (button->commandId_ == commandId) return button;
    return nullptr;
}

void TToolBar::InsertControl(TControl* control) {
    auto* button = dynamic_cast<TToolButton*>(control);
    if (!button) {
        TWinControl::InsertControl(control);
        return;
    }
    if (IndexOf(button) >= 0) return;
    buttons_.push_back(button);
    button->LinkParent(this);
    button->commandId_ = nextCommandId_++;
    RebuildButtons();
}

void TToolBar::RemoveControl(TControl* control) {
    auto it = std::find_if(buttons_.begin(), buttons_.end(), [control](TToolButton* b) { return b == control; });
    if (it == buttons_.end()) {
        TWinControl::RemoveControl(control);
        return;
    }
    TToolButton* button = *it;
    const int index = static_cast<int>(it - buttons_.begin());
    if (HandleAllocated() && !IsDestroying()) {
        button->down_ = ButtonDownInWindow(button);
        SendMessageW(handle_, TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
    }
    buttons_.erase(buttons_.begin() + index);
    button->LinkParent(nullptr);
    PlaceButtons();
}

void TToolBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = TOOLBARCLASSNAMEW;
    // The bar keeps the bounds it is given instead of docking to its parent.
    // Custom erase: the erase stages reach the custom-draw events too.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_CUSTOMERASE;
    if (flat_) params.Style |= TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
}

void TToolBar::CreateWindowHandleDone() {
    SendMessageW(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(handle_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    ApplyImages();
    RebuildButtons();
}

void TToolBar::SaveWindowState() {
    if (HandleAllocated())
        for (TToolButton* button : buttons_) button->down_ = ButtonDownInWindow(button);
    TWinControl::SaveWindowState();
}

void TToolBar::ApplyImages() {
    if (!HandleAllocated()) return;
    SendMessageW(handle_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.Handle()));
    if (TImageList* list = images_.Get())
        SendMessageW(handle_, TB_SETBITMAPSIZE, 0, MAKELONG(list->Width(), list->Height()));
    ApplyButtonSize();
}

void TToolBar::ApplyButtonSize() {
    if (!HandleAllocated()) return;
    SendMessageW(handle_, TB_SETBUTTONSIZE, 0, MAKELONG(buttonWidth_, buttonHeight_));
    SendMessageW(handle_, TB_AUTOSIZE, 0, 0);
    PlaceButtons();
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    images_.Notification(component, operation);
}

void TToolBar::RebuildButtons() {
    if (!HandleAllocated() || IsDestroying()) return;
    int shown = static_cast<int>(SendMessageW(handle_, TB_BUTTONCOUNT, 0, 0));
    // What the user pressed lives in the window: keep it across the rebuild.
    for (TToolButton* button : buttons_)
        if (SendMessageW(handle_, TB_COMMANDTOINDEX, static_cast<WPARAM>(button->commandId_), 0) >= 0)
            button->down_ = ButtonDownInWindow(button);
    for (int i = shown - 1; i >= 0; --i) SendMessageW(handle_, TB_DELETEBUTTON, static_cast<WPARAM>(i), 0);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        TToolButton* button = buttons_[i];
        std::wstring caption = button->Caption();
        const bool separator = button->Style() == tbsSeparator || button->Style() == tbsDivider;
        TBBUTTON tb{};
        // A separator's "image" is its width.
        tb.iBitmap = separator ? 8 : (button->ImageIndex() >= 0 ? button->ImageIndex() : I_IMAGENONE);
        tb.idCommand = button->commandId_;
        tb.fsState = static_cast<BYTE>((button->Enabled() ? TBSTATE_ENABLED : 0) | (button->down_ ? TBSTATE_CHECKED : 0) |
                                       (button->Visible() ? 0 : TBSTATE_HIDDEN));
        tb.fsStyle = ButtonStyleBits(*button);
        // The bar copies the text.
        tb.iString = showCaptions_ && !separator ? reinterpret_cast<INT_PTR>(caption.c_str()) : -1;
        SendMessageW(handle_, TB_INSERTBUTTONW, i, reinterpret_cast<LPARAM>(&tb));
    }
    ApplyButtonSize();
}

void TToolBar::PlaceButtons() {
    if (!HandleAllocated()) return;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        if (SendMessageW(handle_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            buttons_[i]->TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

void TToolBar::ButtonChanged(TToolButton*) { RebuildButtons(); }

bool TToolBar::ButtonDownInWindow(const TToolButton* button) const {
    if (!handle_) return button->down_;
    // -1 for a button the window does not hold (yet).
    return SendMessageW(handle_, TB_ISBUTTONCHECKED, static_cast<WPARAM>(button->commandId_), 0) > 0;
}

void TToolBar::ShowButtonState(TToolButton* button) {
    if (!HandleAllocated() || IsDestroying() || IndexOf(button) < 0) return;
    WPARAM id = static_cast<WPARAM>(button->commandId_);
    SendMessageW(handle_, TB_CHECKBUTTON, id, MAKELONG(button->down_ ? TRUE : FALSE, 0));
    SendMessageW(handle_, TB_ENABLEBUTTON, id, MAKELONG(button->Enabled() ? TRUE : FALSE, 0));
    SendMessageW(handle_, TB_HIDEBUTTON, id, MAKELONG(button->Visible() ? FALSE : TRUE, 0));
    PlaceButtons();
}

void TToolBar::SetShowCaptions(bool value) {
    if (value == showCaptions_) return;
    showCaptions_ = value;
    // The bar keeps the size of texts it once had; a new window forgets them.
    RecreateWnd();
}

void TToolBar::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    RecreateWnd();
}

void TToolBar::SetButtonWidth(int value) {
    buttonWidth_ = std::max(value, 0);
    ApplyButtonSize();
}

void TToolBar::SetButtonHeight(int value) {
    buttonHeight_ = std::max(value, 0);
    ApplyButtonSize();
}

void TToolBar::CommandHandler(TMessage& message) {
    message.Result = 0;
    TToolButton* button = FindButton(LOWORD(message.WParam));
    if (!button) return;
    if (button->Style() == tbsCheck) button->down_ = ButtonDownInWindow(button);
    button->Click();
}

LRESULT TToolBar::BarCustomDraw(NMTBCUSTOMDRAW& draw, TCustomDrawStage stage) {
    const bool buttonEvents = OnCustomDrawButton || OnAdvancedCustomDrawButton;
    bool defaultDraw = true;
    if (OnCustomDraw || OnAdvancedCustomDraw) {
        CanvasBinding binding(canvas_, draw.nmcd.hdc);
        RECT r = ClientRect();
        if (stage == cdPrePaint && OnCustomDraw) OnCustomDraw(this, r, defaultDraw);
        if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, r, stage, defaultDraw);
    }
    if (!defaultDraw) return CDRF_SKIPDEFAULT;
    switch (stage) {
    case cdPrePaint:
        return (buttonEvents ? CDRF_NOTIFYITEMDRAW : 0) | (OnAdvancedCustomDraw ? CDRF_NOTIFYPOSTPAINT : 0);
    case cdPreErase: return OnAdvancedCustomDraw ? CDRF_NOTIFYPOSTERASE : CDRF_DODEFAULT;
    default: return CDRF_DODEFAULT;
    }
}

LRESULT TToolBar::ButtonCustomDraw(NMTBCUSTOMDRAW& draw, TCustomDrawStage stage) {
    TToolButton* button = FindButton(static_cast<int>(draw.nmcd.dwItemSpec));
    if (!button) return CDRF_DODEFAULT;
    CanvasBinding binding(canvas_, draw.nmcd.hdc);
    canvas_.Font().Assign(Font());
    const TColor textColor = canvas_.Font().Color();
    const TCustomDrawState state = DrawStateOf(draw.nmcd.uItemState);
    bool defaultDraw = true;
    TTBCustomDrawFlags flags;
    if (stage == cdPrePaint && OnCustomDrawButton) OnCustomDrawButton(this, button, state, defaultDraw);
    if (OnAdvancedCustomDrawButton) OnAdvancedCustomDrawButton(this, button, state, stage, flags, defaultDraw);
    if (!defaultDraw) return CDRF_SKIPDEFAULT;
    if (stage != cdPrePaint) return CDRF_DODEFAULT;
    LRESULT result = DrawFlagBits(flags) | (OnAdvancedCustomDrawButton ? CDRF_NOTIFYPOSTPAINT : 0);
    if (canvas_.Font().Color() != textColor) {
        draw.clrText = ColorToRGB(canvas_.Font().Color());
        result |= CDRF_NEWFONT;
    }
    return result;
}

void TToolBar::CustomDrawHandler(TMessage& message) {
    auto& draw = *reinterpret_cast<NMTBCUSTOMDRAW*>(message.LParam);
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: message.Result = BarCustomDraw(draw, cdPrePaint); break;
    case CDDS_POSTPAINT: message.Result = BarCustomDraw(draw, cdPostPaint); break;
    case CDDS_PREERASE: message.Result = BarCustomDraw(draw, cdPreErase); break;
    case CDDS_POSTERASE: message.Result = BarCustomDraw(draw, cdPostErase); break;
    case CDDS_ITEMPREPAINT: message.Result = ButtonCustomDraw(draw, cdPrePaint); break;
    case CDDS_ITEMPOSTPAINT: message.Result = ButtonCustomDraw(draw, cdPostPaint); break;
    default: message.Result = CDRF_DODEFAULT;
    }
}

void TToolBar::NotifyHandler(TMessage& message) {
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    message.Result = 0;
    switch (header->code) {
    case NM_CUSTOMDRAW: CustomDrawHandler(message); break;
    case TBN_DROPDOWN: message.Result = TBDDRET_DEFAULT; break;
    }
}

void TToolBar::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND: CommandHandler(message); return;
    case CN_NOTIFY:
        if (message.LParam) {
            NotifyHandler(message);
            return;
        }
        break;
    }
    TWinControl::WndProc(message);
}
