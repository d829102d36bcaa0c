#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One game per save folder, as the window sees it. The game that holds the folder listens on a
// local socket named after the folder and the user; a later start on the same folder connects,
// asks it to come to the front and ends, so the player finds the game already running.
class TSingleGame : public QObject
{
    Q_OBJECT
public:
    explicit TSingleGame(const QString &saveDir, QObject *parent = nullptr);

    // Listens for later starts; FrontRequested comes for each. Call only while this process
    // holds the folder: a socket left by a game that crashed is removed first.
    bool Listen();

    // From a later start: asks the game that holds the folder to bring its window to the front.
    // False when no game answered in time.
    static bool AskToFront(const QString &saveDir);

    // The socket's name: the same for every start on one folder by one user.
    static QString ServerName(const QString &saveDir);

signals:
    void FrontRequested();

private:
    void Answer();

    QString saveDir_;
    QLocalServer *server_ = nullptr;
};
