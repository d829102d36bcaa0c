#include "ui/QtGameTimer.h"

TQtGameTimer::TQtGameTimer()
{
    timer_.setInterval(kIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (OnTimer)
            OnTimer();
    });
}

void TQtGameTimer::Start()
{
    timer_.start();
}

void TQtGameTimer::Stop()
{
    timer_.stop();
}
