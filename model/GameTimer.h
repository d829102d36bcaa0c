#pragma once

// The game clock gmTimer as the model sees it: a switch that the model turns on
// and off. The owner of the real timer (the window, or a test) calls
// TD_Data::gmTimerTimer once per tick while Enabled() is true.
class TGameTimer
{
public:
    // One game hour per tick, at this many milliseconds of real time.
    static constexpr int kIntervalMs = 1000;

    virtual ~TGameTimer() = default;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Enabled() const = 0;
    // Milliseconds of real time per game hour; the player's speed keys change it.
    virtual void SetInterval(int ms) = 0;
    virtual int Interval() const = 0;
};
