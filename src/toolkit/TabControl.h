#pragma once
// Tab control over the system SysTabControl32: one tab per Tabs entry, in
// the same order, and no pages (the application shows what a tab means, in
// DisplayRect). A tab picked by the user runs OnChanging (which may refuse)
// and then OnChange; setting TabIndex from code is silent. MultiLine, Style
// and TabPosition are styles; Images gives the tabs pictures (shared, never
// destroyed by the control).
#include <string>
#include <vector>

#include "toolkit/ImageList.h"
#include "toolkit/PageControl.h"
#include "toolkit/WinControl.h"
#include "toolkit/core/Strings.h"

class TTabControl : public TWinControl {
public:
    explicit TTabControl(TComponent* AOwner);
    ~TTabControl() override;

    TStrings& Tabs() { return tabs_; }
    int TabIndex() const;
    // -1 or an index out of range selects no tab.
    void SetTabIndex(int index);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle style);
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition position);
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* list) { images_.Set(list); }
    // Image of tab `index` (-1: none); kept per tab.
    int TabImage(int index) const;
    void SetTabImage(int index, int image);
    // The area inside the tabs' frame, in client coordinates.
    RECT DisplayRect();

    TNotifyEvent OnChange;
    using TTabChangingEvent = TMethod<void(TObject* Sender, bool& AllowChange)>;
    TTabChangingEvent OnChanging;

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    void SaveWindowState() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void TabsChanged(TStrings::Change change, int index, const std::wstring& value);
    void ShowTab(int index, bool insert);
    void FillWindow();
    void ApplyImages();
    void NotifyHandler(TMessage& message);
    LRESULT ChangingHandler();
    void ChangeHandler();

    TStrings tabs_;
    std::vector<int> tabImages_;
    int tabIndex_ = -1;
    bool multiLine_ = false;
    TTabStyle style_ = tsTabs;
    TTabPosition tabPosition_ = tpTop;
    TImagesLink images_{this, [this] { ApplyImages(); }};
};
