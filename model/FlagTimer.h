#pragma once

#include "model/GameTimer.h"

// A game clock that only remembers whether it runs. The model uses it until the
// window supplies a real one; tests use it to see what the model did to the clock.
class TFlagTimer : public TGameTimer
{
public:
    void Start() override
    {
        enabled_ = true;
        ++starts_;
    }
    void Stop() override
    {
        enabled_ = false;
        ++stops_;
    }
    bool Enabled() const override { return enabled_; }
    void SetInterval(int ms) override { interval_ = ms; }
    int Interval() const override { return interval_; }
    int Starts() const { return starts_; }
    int Stops() const { return stops_; }

private:
    bool enabled_ = false;
    int interval_ = kIntervalMs;
    int starts_ = 0;
    int stops_ = 0;
};
