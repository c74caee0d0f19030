#pragma once
// The other copy's window operations as requests over a local socket. The handle is the
// first copy's process id, which names its socket in Linux's abstract socket namespace: the
// name does not depend on any folder's path, and the socket goes with its process. Both
// ends check who is at the other end: only this user's copies talk, and only to the
// process the handle names.

#include "platform/OtherCopy.h"

#include <QObject>

#include <QString>

#include <chrono>

class QLocalServer;

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

private:
    bool Ask(std::uint32_t handle, const QByteArray& request);

    std::chrono::milliseconds replyTimeout_;
};

// Serves the requests on the thread it lives on (the UI thread) while it exists.
class TLocalOtherCopyServer : public QObject, public IOtherCopyServer {
    Q_OBJECT

public:
    explicit TLocalOtherCopyServer(QObject* parent = nullptr);
    ~TLocalOtherCopyServer() override;

    // 0 when it cannot listen (the copy then runs unguarded); never throws.
    std::uint32_t Listen(TWindowRequests requests) override;

private:
    void Serve();
    QByteArray Answer(const QByteArray& request);

    QLocalServer* server_;
    TWindowRequests requests_;
};

} // namespace morva
