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
// spinning, so an idle game costs only the frames it draws. While the view the
// frames are for is off the screen (its window minimised or hidden, its page
// not shown) it stops as it does for an inactive application.
//
// With the logging category "tamsel.frames" switched on (QT_LOGGING_RULES),
// it writes once a second how many frames it has run and, when
// PresentedFrames is set, how many of them were presented, with the time.
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
    // Counts the frames that reached the screen, for the statistics line.
    std::function<int()> PresentedFrames;

    // Whether the view is on the screen; frames run only while it is (true until told).
    void SetViewShown(bool shown);
    // Frames run since the timer was made.
    long Frames() const { return frames_; }

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
    void LogStatistics();

    bool enabled_ = false;
    bool active_ = false;
    bool running_ = false;
    bool viewShown_ = true;
    long frames_ = 0;
    std::int64_t nextLogMs_ = 0;
    std::uint32_t last_ = 0;
    std::int64_t periodUs_ = 16667;
    std::int64_t nextDueUs_ = 0;
    QTimer pacer_;
    QElapsedTimer monotonic_;
    Clock clock_;
};
