#pragma once
// Track bar over the system msctls_trackbar32: a thumb moved by mouse or
// arrow keys between Min and Max, ticks every Frequency values (TBS_AUTOTICKS)
// and TBS_HORZ / TBS_VERT by Orientation. Any change of Position, by the
// user or by code, runs OnChange.
#include "toolkit/WinControl.h"

enum TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation value);
    int Frequency() const { return frequency_; }
    void SetFrequency(int value);

    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void ShowParams();
    void Changed();

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int frequency_ = 1;
    TTrackBarOrientation orientation_ = trHorizontal;
};
