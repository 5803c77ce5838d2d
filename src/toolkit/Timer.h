#pragma once
// A WM_TIMER-driven timer: fires OnTimer every Interval ms while Enabled, on
// the UI thread, also inside modal loops (message boxes, menus). Switching
// Enabled off and on, or changing Interval, starts a fresh period.
#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);

    TNotifyEvent OnTimer;

    void Loaded() override;
    // Runs OnTimer once (what a WM_TIMER does).
    virtual void Timer();

private:
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    unsigned id_ = 0;
};
