#include "ui/SingleGame.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {

// What a later start sends; anything else on the socket is ignored.
const QByteArray FrontRequest = "front\n";
constexpr int AnswerWaitMs = 2000;
// Enough hex digits of the folder's hash to tell folders apart in a short socket name.
constexpr int HashDigits = 16;

} // namespace

TSingleGame::TSingleGame(const QString &saveDir, QObject *parent)
    : QObject(parent), saveDir_(saveDir)
{
}

QString TSingleGame::ServerName(const QString &saveDir)
{
    const QString folder = QDir(saveDir).canonicalPath().isEmpty()
                               ? QDir::cleanPath(QDir(saveDir).absolutePath())
                               : QDir(saveDir).canonicalPath();
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("tamsel-hotel-%1-%2")
        .arg(::geteuid())
        .arg(QString::fromLatin1(hash.left(HashDigits)));
}

bool TSingleGame::Listen()
{
    const QString name = ServerName(saveDir_);
    QLocalServer::removeServer(name);
    server_ = new QLocalServer(this);
    // Only the player's own later starts may ask.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &TSingleGame::Answer);
    return server_->listen(name);
}

void TSingleGame::Answer()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().startsWith(FrontRequest.trimmed()))
                emit FrontRequested();
            socket->disconnectFromServer();
        });
    }
}

bool TSingleGame::AskToFront(const QString &saveDir)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName(saveDir));
    if (!socket.waitForConnected(AnswerWaitMs))
        return false;
    socket.write(FrontRequest);
    if (!socket.waitForBytesWritten(AnswerWaitMs))
        return false;
    // The game closes the connection once it has read the request.
    socket.waitForDisconnected(AnswerWaitMs);
    return true;
}
