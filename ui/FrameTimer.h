#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

// The frame timer of the scene: while enabled, and while the application is
// active when ActiveOnly is set, it calls OnTimer once per display refresh with
// the milliseconds since the previous frame (the lag count, at least 1). It
// waits for the next refresh with a precise single-shot timer instead of
// spinning, so an idle game costs only the frames it draws.
class TFrameTimer : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<std::uint32_t()>;

    explicit TFrameTimer(QObject *parent = nullptr);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Frames are at least Interval milliseconds apart; 0 means one per refresh.
    int Interval = 0;
    bool ActiveOnly = true;
    std::function<void(int lagCount)> OnTimer;

    // True while frames are being scheduled (enabled and, if ActiveOnly, active).
    bool Running() const { return running_; }
    // The refresh period the frames are paced to, in microseconds.
    std::int64_t FramePeriodUs() const { return periodUs_; }

    // The 32-bit wrapping millisecond clock; replaceable for tests.
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    // What the application's activation notice does; public so tests can act
    // it out without a window system.
    void ApplicationStateChanged(Qt::ApplicationState state);
    // One frame step as the pacing timer runs it: lag count, then OnTimer.
    void Tick();

private:
    void UpdateRunning();
    void ScheduleNext();
    std::int64_t RefreshPeriodUs() const;

    bool enabled_ = false;
    bool active_ = false;
    bool running_ = false;
    std::uint32_t last_ = 0;
    std::int64_t periodUs_ = 16667;
    std::int64_t nextDueUs_ = 0;
    QTimer pacer_;
    QElapsedTimer monotonic_;
    Clock clock_;
};
