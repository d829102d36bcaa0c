#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QMessageBox;
class QWidget;
class TD_Data;

// Saves the hotels at least once a minute of real time, whatever the game
// clock does, and when asked (a hotel closed with Main menu), so that a crash
// loses at most a minute of play. It writes what the exit save would write
// and only when that changed. It never saves while a modal window (the
// model's message window, the new-hotel box) runs its own loop, since a
// command is then half done; it tries again a second later. A failed save is
// said once, in a box that does not stop the game, and tried again at the
// next minute.
class TAutoSaver : public QObject
{
    Q_OBJECT
public:
    static constexpr int IntervalMilliseconds = 60 * 1000;
    static constexpr int RetryMilliseconds = 1000;

    TAutoSaver(TD_Data &data, QWidget *window, QObject *parent = nullptr);

    // Saves now when no modal window is up, else as soon as none is.
    void SaveNow();
    // Whether the last autosave failed.
    bool Failing() const { return failing_; }

private:
    bool CanSaveNow() const;
    void Save();

    TD_Data &data_;
    QPointer<QWidget> window_;
    QTimer minute_;
    QTimer retry_;
    bool failing_ = false;
    QPointer<QMessageBox> notice_;
};
