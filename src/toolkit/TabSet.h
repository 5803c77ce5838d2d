#pragma once
// A row of tabs along the bottom of a page area, painted by the toolkit.
// Tabs holds the captions; TabIndex is the selected one. Each tab is its
// caption's width plus 9 pixels wide, laid out from StartMargin on, starting
// with FirstIndex, as far as EndMargin allows. When the tabs do not all fit,
// the tab set's scroller (its first component: a small window with a left
// and a right arrow) appears at the right end and moves FirstIndex.
// A click on a tab selects it; OnChange(Sender, NewTab, AllowChange) runs
// before every change of TabIndex (not while loading) and may refuse it.
#include "toolkit/CustomControl.h"
#include "toolkit/core/Strings.h"

using TTabChangeEvent = TMethod<void(TObject* Sender, int NewTab, bool& AllowChange)>;

// The left / right arrow pair of a tab set.
class TTabScroller : public TCustomControl {
public:
    explicit TTabScroller(TComponent* AOwner);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void SetParams(int position, int min, int max);
    // OnClick runs after an arrow moved Position.
    void WndProc(TMessage& message) override;

protected:
    void Paint(HDC dc) override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    int min_ = 0;
    int max_ = 0;
    int position_ = 0;
    int pressed_ = 0;  // -1 left arrow held, 1 right arrow held
};

class TTabSet : public TCustomControl {
public:
    static constexpr int kScrollerWidth = 24;

    explicit TTabSet(TComponent* AOwner);

    TStrings& Tabs() { return tabs_; }
    int TabIndex() const { return tabIndex_; }
    // -1 or an index out of range selects nothing.
    void SetTabIndex(int index);
    int FirstIndex() const { return firstIndex_; }
    void SetFirstIndex(int index);
    int StartMargin() const { return startMargin_; }
    void SetStartMargin(int v);
    int EndMargin() const { return endMargin_; }
    void SetEndMargin(int v);
    TColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TColor c);
    TColor UnselectedColor() const { return unselectedColor_; }
    void SetUnselectedColor(TColor c);
    TTabScroller& Scroller() { return *scroller_; }

    // Client rectangle of a tab that is shown (empty otherwise).
    RECT ItemRect(int index);
    // Tabs shown from FirstIndex on.
    int VisibleTabs();
    // The shown tab under a client point, or -1.
    int ItemAtPos(int x, int y);

    TTabChangeEvent OnChange;

    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void Paint(HDC dc) override;
    void FontChanged() override;
    void BoundsChanged() override { Layout(); }

private:
    friend class TTabScroller;
    void TabsChanged();
    // Widths of every tab, measured in the control's font.
    void Measure();
    // Shows or hides the scroller and keeps FirstIndex usable.
    void Layout();
    bool AllFit() const;
    void ScrollerClicked(TObject* sender);

    TStrings tabs_;
    std::vector<int> widths_;
    TTabScroller* scroller_ = nullptr;
    int tabIndex_ = -1;
    int firstIndex_ = 0;
    int startMargin_ = 5;
    int endMargin_ = 5;
    TColor selectedColor_ = clBtnFace;
    TColor unselectedColor_ = clWindow;
};
