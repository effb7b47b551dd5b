#include "pane/SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLocalSocket>
#include <QLockFile>
#include <cerrno>
#include <cstdlib>

namespace corvane {
namespace {

constexpr const char* kBaseName = "CorvaneWirelessUtility";
constexpr const char* kRaiseRequest = "raise\n";
constexpr const char* kRaisedReply = "raised ";
constexpr int kConnectTimeoutMs = 1000;
constexpr int kAnswerTimeoutMs = 5000;
constexpr int kLockTimeoutMs = 10000;
constexpr qsizetype kMaxSessionLength = 32;
constexpr qsizetype kMaxRequestLength = 64;

// A folder that is ours alone: a real folder (not a link), owned by us, that
// no one else may enter.
bool IsPrivateFolder(const QByteArray& path) {
    struct stat st {};
    return lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
           (st.st_mode & 077) == 0;
}

QByteArray PrivateFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && IsPrivateFolder(runtime)) return runtime;
    const QByteArray fallback = "/tmp/corvane-" + QByteArray::number(uint(getuid()));
    if (mkdir(fallback.constData(), 0700) != 0 && errno != EEXIST) return {};
    return IsPrivateFolder(fallback) ? fallback : QByteArray();
}

// The session id as a file-name part: letters, digits, '.', '_' and '-'.
QString SessionSuffix() {
    const QString session = QString::fromLocal8Bit(qgetenv("XDG_SESSION_ID"));
    QString clean;
    for (QChar c : session) {
        if (clean.size() >= kMaxSessionLength) break;
        if (c.isLetterOrNumber() && c.unicode() < 128)
            clean += c;
        else if (c == u'.' || c == u'_' || c == u'-')
            clean += c;
    }
    return clean.isEmpty() ? QString() : u'-' + clean;
}

}  // namespace

SingleInstance::SingleInstance(std::function<void()> raise) : raise_(std::move(raise)) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnection);
}

SingleInstance::~SingleInstance() { server_.close(); }

QString SingleInstance::SocketPath() {
    const QByteArray folder = PrivateFolder();
    if (folder.isEmpty()) return {};
    return QString::fromLocal8Bit(folder) + u'/' + QString::fromLatin1(kBaseName) +
           SessionSuffix() + QStringLiteral(".socket");
}

SingleInstance::Outcome SingleInstance::Start(qint64* otherPid) {
    const QString path = SocketPath();
    if (path.isEmpty()) return Outcome::Unguarded;
    QLockFile lock(path + QStringLiteral(".lock"));
    const bool locked = lock.tryLock(kLockTimeoutMs);

    QLocalSocket socket;
    socket.connectToServer(path);
    if (socket.waitForConnected(kConnectTimeoutMs)) {
        socket.write(kRaiseRequest);
        socket.waitForBytesWritten(kConnectTimeoutMs);
        QByteArray answer;
        while (!answer.contains('\n') && socket.waitForReadyRead(kAnswerTimeoutMs))
            answer += socket.readAll();
        if (!answer.startsWith(kRaisedReply)) return Outcome::NotAnswering;
        if (otherPid)
            *otherPid = answer.mid(qsizetype(qstrlen(kRaisedReply))).trimmed().toLongLong();
        return Outcome::Raised;
    }

    // Nobody answers: whatever socket file is left belongs to a window that
    // has gone.
    QLocalServer::removeServer(path);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    const bool listening = server_.listen(path);
    if (locked) lock.unlock();
    return listening ? Outcome::First : Outcome::Unguarded;
}

void SingleInstance::AcceptConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, &SingleInstance::ReadRequest);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void SingleInstance::ReadRequest() {
    auto* socket = qobject_cast<QLocalSocket*>(sender());
    if (!socket) return;
    if (!socket->canReadLine()) {
        // A peer that sends no line end gets no room to grow the buffer.
        if (socket->bytesAvailable() > kMaxRequestLength) socket->abort();
        return;
    }
    const QByteArray request = socket->readLine(kMaxRequestLength);
    if (request == kRaiseRequest) {
        if (raise_) raise_();
        socket->write(kRaisedReply + QByteArray::number(QCoreApplication::applicationPid()) + '\n');
        socket->flush();
    }
    socket->disconnectFromServer();
}

}  // namespace corvane
