#pragma once

#include "model/GameTimer.h"

#include <QTimer>
#include <functional>

// The game clock gmTimer on the message loop: while started it calls OnTimer
// every Interval() milliseconds, TGameTimer::kIntervalMs
// unless the player chose another speed.
class TQtGameTimer : public TGameTimer
{
public:
    TQtGameTimer();

    void Start() override;
    void Stop() override;
    bool Enabled() const override { return timer_.isActive(); }
    void SetInterval(int ms) override { timer_.setInterval(ms); }
    int Interval() const override { return timer_.interval(); }

    std::function<void()> OnTimer;

private:
    QTimer timer_;
};
