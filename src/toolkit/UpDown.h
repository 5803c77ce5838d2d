#pragma once
// Up-down arrows over the system msctls_updown32. Position runs from Min to
// Max; with an Associate (an edit) the arrows show the position as its text
// (UDS_SETBUDDYINT) and the up-down sits at its right edge. A click on an
// arrow, or an arrow key in the associate, moves Position and runs OnClick
// with btNext (up / right) or btPrev.
#include "toolkit/WinControl.h"

enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };
using TUDClickEvent = TMethod<void(TObject* Sender, TUDBtnType Button)>;

class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* AOwner);
    ~TUpDown() override;

    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* control);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position();
    void SetPosition(int value);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);

    TUDClickEvent OnClick;

    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;

private:
    void ShowParams();

    TWinControl* associate_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    TUDOrientation orientation_ = udVertical;
};
