#pragma once
// A bordered container whose contents may be larger than itself. With
// AutoScroll the extent of its visible children sets the range of its window
// scroll bars (WS_HSCROLL / WS_VSCROLL appear only while the contents do not
// fit); scrolling moves the children, windowed and graphic alike.
#include "toolkit/CustomControl.h"

class TScrollBox;

// One window scroll bar of a scroll box: the extent it covers (Range, in
// pixels of content), how far the view is scrolled (Position) and the step
// of an arrow click (Increment).
class TScrollBoxBar : public TObject {
public:
    TScrollBoxBar(TScrollBox& box, int bar) : box_(box), bar_(bar) {}
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    int Range() const { return range_; }
    void SetRange(int r);
    int Position() const { return position_; }
    // Kept within 0 .. Range minus the visible extent.
    void SetPosition(int p);
    int Increment() const { return increment_; }
    void SetIncrement(int v) { increment_ = v < 1 ? 1 : v; }
    // True while the window shows this bar.
    bool IsScrollBarVisible() const;

private:
    friend class TScrollBox;
    int ClientExtent() const;
    int MaxPosition() const { return range_ - ClientExtent() > 0 ? range_ - ClientExtent() : 0; }
    void Scroll(WORD request);
    void Show();

    TScrollBox& box_;
    int bar_;
    bool visible_ = true;
    int range_ = 0;
    int position_ = 0;
    int increment_ = 8;
};

class TScrollBox : public TCustomControl {
public:
    explicit TScrollBox(TComponent* AOwner);

    TScrollBoxBar& HorzScrollBar() { return horz_; }
    TScrollBoxBar& VertScrollBar() { return vert_; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);
    // Scrolls so that the control lies inside the view.
    void ScrollInView(TControl* control);
    // Measures the children again (after moving or resizing them from code).
    void Realign();

    void InsertControl(TControl* control) override;
    void RemoveControl(TControl* control) override;
    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;

private:
    friend class TScrollBoxBar;
    // Moves every child by (dx, dy) and repaints.
    void ScrollBy(int dx, int dy);
    void UpdateBars();

    TScrollBoxBar horz_{*this, SB_HORZ};
    TScrollBoxBar vert_{*this, SB_VERT};
    TBorderStyle borderStyle_ = bsSingle;
    bool autoScroll_ = true;
    bool updating_ = false;
};
