#pragma once
// Page control over the system SysTabControl32. Each TTabSheet placed in it
// (Parent = the page control) adds a tab showing the sheet's caption; the
// sheets are child windows of the tab control sized to its display area, and
// only the active one is visible. The windows of a page's controls are made
// when the page is first shown. OnChange runs when the user picks a tab,
// not when ActivePage is set in code.
#include <vector>

#include "toolkit/CustomControl.h"

class TPageControl;

class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* pageControl);
    int PageIndex() const;
    void SetParent(TWinControl* parent) override;

protected:
    void TextChanged() override;
    // A page makes its controls' windows when it is first shown.
    bool DefersChildWindows() const override { return !visible_; }
};

// The area inside a tab control's frame for its client rectangle: what the
// window `tabs` answers, or before it exists (null) the usual strip and border.
RECT TabDisplayRect(HWND tabs, RECT client);

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The selected tab as the system control reports it.
    int TabIndex();
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle style);
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition position);
    // The area pages fill, in the page control's client coordinates.
    RECT DisplayRect();
    // The next (or previous) page, wrapping around, as if the user picked
    // its tab: OnChanging may refuse, OnChange follows.
    void SelectNextPage(bool goForward);

    void InsertControl(TControl* control) override;
    void RemoveControl(TControl* control) override;
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& message) override;

    TNotifyEvent OnChange;
    using TTabChangingEvent = TMethod<void(TObject* Sender, bool& AllowChange)>;
    TTabChangingEvent OnChanging;

    // Called by a sheet whose caption changed.
    void UpdateTab(TTabSheet* page);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void ShowActivePage();
    void LayoutPages();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    TTabStyle style_ = tsTabs;
    TTabPosition tabPosition_ = tpTop;
};
