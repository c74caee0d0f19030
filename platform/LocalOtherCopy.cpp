#include "platform/LocalOtherCopy.h"

#include "platform/FileInstanceBlock.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace morva {
namespace {

// A request or an answer is one short line (the longest, a token hand-over); anything
// longer is not one of ours.
constexpr qsizetype MaxLine = 16 + MaxActivationTokenLength;

const QByteArray VisibleRequest = "VISIBLE";
const QByteArray RestoreRequest = "RESTORE";
const QByteArray ForegroundRequest = "FOREGROUND";
const QByteArray TokenRequest = "TOKEN ";

QByteArray MessageRequest(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    return "MESSAGE " + QByteArray::number(message) + ' ' + QByteArray::number(quint64(wParam)) + ' '
         + QByteArray::number(qint64(lParam));
}

// The process at the other end of a connected socket, if the system tells.
std::optional<ucred> Peer(qintptr descriptor)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    if (descriptor < 0 || getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return std::nullopt;
    return peer;
}

// Earlier versions kept their sockets as files in the runtime folder; a killed copy left its
// file behind. Files whose process has gone are removed.
void RemoveDeadCopySocketFiles()
{
    std::filesystem::path folder;
    try {
        folder = RuntimeFolder();
    } catch (const EInstanceBlockError&) {
        return;
    }
    const std::string prefix = "kovrak-morva-";
    const std::string suffix = ".socket";
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
            continue;
        const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        if (kill(static_cast<pid_t>(std::stol(digits)), 0) != 0 && errno == ESRCH)
            std::filesystem::remove(entry->path(), error);
    }
}

} // namespace

QString CopySocketName(std::uint32_t handle)
{
    return QStringLiteral("kovrak-morva-%1-%2").arg(getuid()).arg(handle);
}

bool TLocalOtherCopy::Ask(std::uint32_t handle, const QByteArray& request)
{
    if (handle == 0)
        return false;

    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(CopySocketName(handle));
    const int timeout = static_cast<int>(replyTimeout_.count());
    if (!socket.waitForConnected(timeout))
        return false;
    // Anyone may take a name in the abstract namespace: answer only to the copy named.
    const std::optional<ucred> peer = Peer(socket.socketDescriptor());
    if (!peer || peer->uid != getuid() || static_cast<std::uint32_t>(peer->pid) != handle)
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

bool TLocalOtherCopy::HandOverActivationToken(std::uint32_t handle, const std::string& token)
{
    return IsActivationToken(token) && Ask(handle, TokenRequest + QByteArray::fromStdString(token));
}

TLocalOtherCopyServer::TLocalOtherCopyServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this))
{
    connect(server_, &QLocalServer::newConnection, this, &TLocalOtherCopyServer::Serve);
}

TLocalOtherCopyServer::~TLocalOtherCopyServer()
{
    server_->close();
}

std::uint32_t TLocalOtherCopyServer::Listen(TWindowRequests requests)
{
    requests_ = std::move(requests);
    RemoveDeadCopySocketFiles();
    const auto handle = static_cast<std::uint32_t>(getpid());
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    return server_->listen(CopySocketName(handle)) ? handle : 0;
}

void TLocalOtherCopyServer::Serve()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        const std::optional<ucred> peer = Peer(socket->socketDescriptor());
        if (!peer || peer->uid != getuid()) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
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
    if (request.startsWith(TokenRequest) && requests_.ActivationToken) {
        const std::string token = request.mid(TokenRequest.size()).toStdString();
        if (!IsActivationToken(token))
            return yes(false);
        requests_.ActivationToken(token);
        return yes(true);
    }
    if (request == MessageRequest(WakeUpMessage, WakeUpWParam, WakeUpLParam) && requests_.WakeUp) {
        requests_.WakeUp();
        return yes(true);
    }
    return yes(false);
}

} // namespace morva
