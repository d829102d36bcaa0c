#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered in the event
// loop. The signal handler only writes the signal's number into a pipe (the
// one thing it may safely do); the loop reads it and emits Ended, so that
// whatever ends the session, the save runs on the one thread as a normal
// close runs it. One object at a time; its destruction puts the default
// handlers back.
class TSessionEndSignals : public QObject
{
    Q_OBJECT
public:
    explicit TSessionEndSignals(QObject *parent = nullptr);
    ~TSessionEndSignals() override;
    TSessionEndSignals(const TSessionEndSignals &) = delete;
    TSessionEndSignals &operator=(const TSessionEndSignals &) = delete;

signals:
    void Ended(int signalNumber);

private:
    void ReadSignals();

    QSocketNotifier *notifier_ = nullptr;
};
