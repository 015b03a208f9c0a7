#include "app/ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QWidget>

namespace {

constexpr char kRaise[] = "raise\n";
constexpr char kShown[] = "shown\n";
// Longer lines are no request of ours.
constexpr qint64 kLongestRequest = 16;

// A socket's path must fit an address of 108 bytes.
constexpr qsizetype kLongestSocketPath = 100;

// Beside the store, in a folder of the user's own where nobody else can
// take the name; a path too long for a socket address goes to the
// temporary folder under a name made from the store's path.
QString socketPath(const QString& storeFile) {
    const QString beside = storeFile + u".socket";
    if (QFile::encodeName(beside).size() <= kLongestSocketPath) {
        return beside;
    }
    const QByteArray hash =
        QCryptographicHash::hash(storeFile.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QDir::tempPath() + u"/brivanel-" + QString::fromLatin1(hash) + u".socket";
}

QString absoluteStoreFile(const QString& storeFile) {
    const QFileInfo info(storeFile);
    QDir().mkpath(info.absolutePath());
    return info.absoluteFilePath();
}

}  // namespace

SingleInstance::SingleInstance(const QString& storeFile)
    : socketName_(socketPath(absoluteStoreFile(storeFile))),
      lock_(absoluteStoreFile(storeFile) + u".lock") {
    // Only a dead holder's lock is taken over, never a slow one's.
    lock_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

SingleInstance::Claim SingleInstance::claim(int answerMs, int endWaitMs) {
    if (lock_.tryLock(0)) {
        listen();
        return Claim::First;
    }
    QLocalSocket socket;
    socket.connectToServer(socketName_);
    if (socket.waitForConnected(answerMs) && socket.write(kRaise) > 0 &&
        socket.waitForBytesWritten(answerMs)) {
        const QDeadlineTimer deadline(answerMs);
        while (!socket.canReadLine() && socket.waitForReadyRead(int(deadline.remainingTime()))) {
        }
        if (socket.canReadLine() && socket.readLine(kLongestRequest) == kShown) {
            return Claim::OtherShown;
        }
    }
    if (lock_.tryLock(endWaitMs)) {
        listen();
        return Claim::First;
    }
    return Claim::OtherBusy;
}

void SingleInstance::listen() {
    // A socket left by a run that was killed is in the way of a new one.
    QLocalServer::removeServer(socketName_);
    server_.listen(socketName_);
}

void SingleInstance::answer() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine() && socket->bytesAvailable() < kLongestRequest) {
                return;  // the rest of the line is still on its way
            }
            if (socket->readLine(kLongestRequest) == kRaise && raise_ && raise_()) {
                socket->write(kShown);
                socket->flush();
            }
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::bringToFront(QWidget& window) {
    if (!window.isVisible()) {
        return false;  // closing: the new start waits for this run's end
    }
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.raise();
    window.activateWindow();
    return true;
}
