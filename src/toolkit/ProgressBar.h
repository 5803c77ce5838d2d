#pragma once
// Progress bar over the system msctls_progress32: Min .. Max with Position
// clamped into it; Smooth (PBS_SMOOTH) and a vertical Orientation
// (PBS_VERTICAL) are window styles.
#include "toolkit/WinControl.h"

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* AOwner);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position();
    void SetPosition(int value);
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation value);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);

    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;

private:
    void ShowRange();

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    TProgressBarOrientation orientation_ = pbHorizontal;
    bool smooth_ = false;
};
