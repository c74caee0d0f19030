#pragma once
// The other copy's window operations as requests over a local socket (platform/CopyMessage.h).
// The handle is the first copy's process id, which names its socket in Linux's abstract
// socket namespace: the name does not depend on any folder's path, and the socket goes with
// its process. Both ends check who is at the other end: only this user's copies talk, and
// only to the process the handle names.

#include "platform/CopyMessage.h"
#include "platform/OtherCopy.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <map>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace morva {

QString CopySocketName(std::uint32_t handle);

class TLocalOtherCopy : public IOtherCopy {
public:
    // A first copy that does not answer within replyTimeout counts as unreachable.
    explicit TLocalOtherCopy(std::chrono::milliseconds replyTimeout = std::chrono::seconds(5))
        : replyTimeout_(replyTimeout)
    {
    }

    bool IsVisible(std::uint32_t handle) override;
    bool Restore(std::uint32_t handle) override;
    bool SetForeground(std::uint32_t handle) override;
    bool SendWakeUp(std::uint32_t handle) override;
    bool HandOverActivationToken(std::uint32_t handle, const std::string& token) override;
    bool LookUp(std::uint32_t handle, const std::u16string& text) override;

private:
    bool Ask(std::uint32_t handle, TCopyKind kind, const QByteArray& payload = {});

    std::chrono::milliseconds replyTimeout_;
};

// How much the server lets its clients take; a client past a limit is cut off.
struct TCopyServerLimits {
    int Connections = 16;
    int ConnectionsPerProcess = 4;
    // A connection with no whole request for this long is closed.
    std::chrono::milliseconds Idle = std::chrono::seconds(3);
    // Answers a client leaves unread before it is cut off.
    qsizetype UnreadAnswers = 1024;
    // How often a server that lost its socket (an accept that failed) tries to listen again.
    std::chrono::milliseconds Relisten = std::chrono::seconds(1);
};

// Serves the requests on the thread it lives on (the UI thread) while it exists. No client,
// however it behaves, holds the thread: every read and write is non-blocking.
class TLocalOtherCopyServer : public QObject, public IOtherCopyServer {
    Q_OBJECT

public:
    explicit TLocalOtherCopyServer(QObject* parent = nullptr, TCopyServerLimits limits = {});
    ~TLocalOtherCopyServer() override;

    // 0 when it cannot listen (the copy then runs unguarded); never throws.
    std::uint32_t Listen(TWindowRequests requests) override;
    int Connections() const { return connections_; }

private:
    void Serve();
    void Accept(QLocalSocket* socket);
    void Read(QLocalSocket* socket);
    void Forget(QLocalSocket* socket);
    void ListenAgain();
    QByteArray Answer(const TCopyMessage& request);

    TCopyServerLimits limits_;
    QLocalServer* server_;
    QTimer* relisten_;
    QString name_;
    TWindowRequests requests_;
    int connections_ = 0;
    std::map<qint64, int> perProcess_;
};

} // namespace morva
