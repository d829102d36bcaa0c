#pragma once

#include "model/GameTimer.h"

#include <QTimer>
#include <functional>

// The game clock gmTimer on the message loop: while started it calls OnTimer
// every TGameTimer::kIntervalMs milliseconds.
class TQtGameTimer : public TGameTimer
{
public:
    TQtGameTimer();

    void Start() override;
    void Stop() override;
    bool Enabled() const override { return timer_.isActive(); }

    std::function<void()> OnTimer;

private:
    QTimer timer_;
};
