#include "ui/FrameTimer.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(FrameStatistics, "tamsel.frames", QtWarningMsg)

constexpr std::int64_t StatisticsPeriodMs = 1000;

} // namespace

TFrameTimer::TFrameTimer(QObject *parent) : QObject(parent)
{
    monotonic_.start();
    clock_ = [this] { return static_cast<std::uint32_t>(monotonic_.elapsed()); };
    pacer_.setSingleShot(true);
    pacer_.setTimerType(Qt::PreciseTimer);
    connect(&pacer_, &QTimer::timeout, this, &TFrameTimer::Tick);
    active_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &TFrameTimer::ApplicationStateChanged);
}

void TFrameTimer::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    UpdateRunning();
}

void TFrameTimer::ApplicationStateChanged(Qt::ApplicationState state)
{
    active_ = state == Qt::ApplicationActive;
    UpdateRunning();
}

void TFrameTimer::SetViewShown(bool shown)
{
    viewShown_ = shown;
    UpdateRunning();
}

void TFrameTimer::UpdateRunning()
{
    const bool run = enabled_ && (active_ || !ActiveOnly) && viewShown_;
    if (run == running_)
        return;
    running_ = run;
    if (!running_) {
        pacer_.stop();
        return;
    }
    // The first lag after a pause counts from now, so animations do not jump.
    last_ = clock_();
    periodUs_ = RefreshPeriodUs();
    nextDueUs_ = monotonic_.nsecsElapsed() / 1000 + periodUs_;
    ScheduleNext();
}

std::int64_t TFrameTimer::RefreshPeriodUs() const
{
    qreal hz = 60.0;
    if (const QScreen *screen = QGuiApplication::primaryScreen();
        screen && screen->refreshRate() > 1)
        hz = screen->refreshRate();
    return std::max<std::int64_t>(static_cast<std::int64_t>(1e6 / hz), 1000);
}

void TFrameTimer::ScheduleNext()
{
    const std::int64_t nowUs = monotonic_.nsecsElapsed() / 1000;
    // A frame that came too late starts a new rhythm instead of a catch-up burst.
    if (nextDueUs_ < nowUs - periodUs_)
        nextDueUs_ = nowUs + periodUs_;
    const std::int64_t waitUs = std::max<std::int64_t>(nextDueUs_ - nowUs, 0);
    pacer_.start(static_cast<int>((waitUs + 999) / 1000));
}

void TFrameTimer::Tick()
{
    if (!running_)
        return;
    nextDueUs_ += periodUs_;
    const std::uint32_t now = clock_();
    const std::uint32_t elapsed = now - last_; // unsigned: the clock may wrap
    if (elapsed >= static_cast<std::uint32_t>(std::max(Interval, 0))) {
        last_ = now;
        const std::uint32_t lag = elapsed / static_cast<std::uint32_t>(std::max(Interval, 1));
        ++frames_;
        if (OnTimer)
            OnTimer(static_cast<int>(std::max<std::uint32_t>(lag, 1)));
        LogStatistics();
    }
    // OnTimer may have switched the timer off.
    if (running_)
        ScheduleNext();
}

void TFrameTimer::LogStatistics()
{
    if (!FrameStatistics().isDebugEnabled())
        return;
    const std::int64_t nowMs = monotonic_.elapsed();
    if (nowMs < nextLogMs_)
        return;
    nextLogMs_ = nowMs + StatisticsPeriodMs;
    qCDebug(FrameStatistics, "frames %ld presented %d at %lld ms", frames_,
            PresentedFrames ? PresentedFrames() : -1, static_cast<long long>(nowMs));
}
