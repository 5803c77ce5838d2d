#pragma once
// Tool bar over the system ToolbarWindow32, keeping the bounds it is given.
// Its TToolButton children (Parent = the bar) are the bar's buttons, in the
// order they were placed: they are not child controls of their own (the
// system bar paints them and takes their mouse input), so they stay out of
// Controls(). A button's Caption, ImageIndex (into the bar's Images), Style,
// Down, Grouped, Enabled and Visible are shown by the bar; a click runs the
// button's OnClick.
//
// Custom drawing (NM_CUSTOMDRAW) reaches four events with the stage; each
// gets DefaultDraw = true and may clear it to stop the bar's own drawing of
// that stage. Canvas() draws on the bar's DC during the events; a font
// colour set on it in a button event becomes the button's text colour.
#include <vector>

#include "toolkit/Canvas.h"
#include "toolkit/Control.h"
#include "toolkit/ImageList.h"
#include "toolkit/WinControl.h"

class TToolBar;
class TMenuItem;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
enum TCustomDrawStateFlag { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked, cdsIndeterminate };
using TCustomDrawState = TSet<TCustomDrawStateFlag>;
enum TTBCustomDrawFlag { tbNoEdges, tbHiliteHotTrack, tbNoOffset, tbNoMark, tbNoEtchedEffect };
using TTBCustomDrawFlags = TSet<TTBCustomDrawFlag>;

class TToolButton : public TControl {
public:
    explicit TToolButton(TComponent* AOwner);
    ~TToolButton() override;

    TToolBar* ToolBar() const;
    // Position among the bar's buttons, -1 outside a bar.
    int Index() const;
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style);
    // Pressed in (a check button that is checked).
    bool Down() const;
    void SetDown(bool value);
    // Adjacent grouped check buttons: one of them down at a time.
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool value);
    // The menu item this button stands for (filled by menu code); forgotten
    // when the item is freed.
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* item);
    void Notification(TComponent* component, TOperation operation) override;

    void SetEnabled(bool enabled) override;
    // The bar's command identifier of this button.
    int CommandId() const { return commandId_; }

protected:
    void TextChanged() override;
    void VisibleChanged() override;

private:
    friend class TToolBar;
    void Changed();
    // Clears Down on the other buttons of this one's group.
    void ReleaseGroup();
    // Sets or clears the parent link without the TWinControl child list.
    void LinkParent(TWinControl* bar) { parent_ = bar; }

    int imageIndex_ = -1;
    TToolButtonStyle style_ = tbsButton;
    bool down_ = false;
    bool grouped_ = false;
    TMenuItem* menuItem_ = nullptr;
    int commandId_ = 0;
};

using TTBCustomDrawEvent = TMethod<void(TToolBar* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TTBCustomDrawBtnEvent = TMethod<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawEvent =
    TMethod<void(TToolBar* Sender, const RECT& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent = TMethod<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State,
                                                   TCustomDrawStage Stage, TTBCustomDrawFlags& Flags, bool& DefaultDraw)>;

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* AOwner);
    ~TToolBar() override;

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // Throws std::out_of_range outside 0 .. ButtonCount() - 1.
    TToolButton* Buttons(int index) const;
    int IndexOf(const TToolButton* button) const;
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* list) { images_.Set(list); }
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int value);
    // Bound to the bar's DC while a custom-draw event runs.
    TCanvas& Canvas() { return canvas_; }

    TTBCustomDrawEvent OnCustomDraw;
    TTBCustomDrawBtnEvent OnCustomDrawButton;
    TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
    TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;

    void InsertControl(TControl* control) override;
    void RemoveControl(TControl* control) override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    // Told by the buttons.
    void ButtonChanged(TToolButton* button);
    bool ButtonDownInWindow(const TToolButton* button) const;
    void ShowButtonState(TToolButton* button);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    void SaveWindowState() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void RebuildButtons();
    void ApplyImages();
    void ApplyButtonSize();
    void PlaceButtons();
    TToolButton* FindButton(int commandId) const;
    void CommandHandler(TMessage& message);
    void NotifyHandler(TMessage& message);
    void CustomDrawHandler(TMessage& message);
    LRESULT BarCustomDraw(NMTBCUSTOMDRAW& draw, TCustomDrawStage stage);
    LRESULT ButtonCustomDraw(NMTBCUSTOMDRAW& draw, TCustomDrawStage stage);

    std::vector<TToolButton*> buttons_;
    int nextCommandId_ = 1;
    bool showCaptions_ = false;
    bool flat_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    TCanvas canvas_;
    TImagesLink images_{this, [this] { ApplyImages(); }};
};
