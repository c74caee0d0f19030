#include "platform/LocalOtherCopy.h"

#include "platform/FileInstanceBlock.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <stdexcept>
#include <unistd.h>

namespace morva {
namespace {

// A request or an answer is one short line; anything longer is not one of ours.
constexpr qsizetype MaxLine = 64;

const QByteArray VisibleRequest = "VISIBLE";
const QByteArray RestoreRequest = "RESTORE";
const QByteArray ForegroundRequest = "FOREGROUND";

QByteArray MessageRequest(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    return "MESSAGE " + QByteArray::number(message) + ' ' + QByteArray::number(quint64(wParam)) + ' '
         + QByteArray::number(qint64(lParam));
}

} // namespace

std::filesystem::path CopySocketPath(std::uint32_t handle)
{
    return RuntimeFolder() / ("kovrak-morva-" + std::to_string(handle) + ".socket");
}

bool TLocalOtherCopy::Ask(std::uint32_t handle, const QByteArray& request)
{
    if (handle == 0)
        return false;
    QString path;
    try {
        path = QString::fromStdString(CopySocketPath(handle).string());
    } catch (const EInstanceBlockError&) {
        return false;
    }

    QLocalSocket socket;
    socket.connectToServer(path);
    const int timeout = static_cast<int>(replyTimeout_.count());
    if (!socket.waitForConnected(timeout))
        return false;
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(timeout))
        return false;
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > MaxLine || !socket.waitForReadyRead(timeout))
            return false;
    }
    return socket.readLine(MaxLine).trimmed() == "1";
}

bool TLocalOtherCopy::IsVisible(std::uint32_t handle)
{
    return Ask(handle, VisibleRequest);
}

bool TLocalOtherCopy::Restore(std::uint32_t handle)
{
    return Ask(handle, RestoreRequest);
}

bool TLocalOtherCopy::SetForeground(std::uint32_t handle)
{
    return Ask(handle, ForegroundRequest);
}

bool TLocalOtherCopy::SendWakeUp(std::uint32_t handle)
{
    return Ask(handle, MessageRequest(WakeUpMessage, WakeUpWParam, WakeUpLParam));
}

TLocalOtherCopyServer::TLocalOtherCopyServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &TLocalOtherCopyServer::Serve);
}

TLocalOtherCopyServer::~TLocalOtherCopyServer()
{
    server_->close();
}

std::uint32_t TLocalOtherCopyServer::Listen(TWindowRequests requests)
{
    requests_ = std::move(requests);
    const auto handle = static_cast<std::uint32_t>(getpid());
    const QString path = QString::fromStdString(CopySocketPath(handle).string());
    // A socket file of this name can only be left by a dead process that had our id.
    QLocalServer::removeServer(path);
    if (!server_->listen(path))
        throw std::runtime_error("Cannot listen on " + path.toStdString() + ": " + server_->errorString().toStdString());
    return handle;
}

void TLocalOtherCopyServer::Serve()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket = QPointer<QLocalSocket>(socket)] {
            while (socket && socket->canReadLine()) {
                // The answer may run a nested event loop that lets the socket go.
                QByteArray answer = Answer(socket->readLine(MaxLine + 1).trimmed());
                if (socket)
                    socket->write(answer + '\n');
            }
            if (socket && socket->bytesAvailable() > MaxLine)
                socket->abort();
        });
    }
}

QByteArray TLocalOtherCopyServer::Answer(const QByteArray& request)
{
    auto yes = [](bool value) { return QByteArray(value ? "1" : "0"); };
    if (request == VisibleRequest)
        return yes(requests_.IsVisible && requests_.IsVisible());
    if (request == RestoreRequest && requests_.Restore) {
        requests_.Restore();
        return yes(true);
    }
    if (request == ForegroundRequest && requests_.Activate) {
        requests_.Activate();
        return yes(true);
    }
    if (request == MessageRequest(WakeUpMessage, WakeUpWParam, WakeUpLParam) && requests_.WakeUp) {
        requests_.WakeUp();
        return yes(true);
    }
    return yes(false);
}

} // namespace morva
