#include "platform/LocalOtherCopy.h"

#include "platform/FileInstanceBlock.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QVariant>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace morva {
namespace {

// The numbers of the wake-up notification, as the message request carries them.
QByteArray WakeUpPayload()
{
    return QByteArray::number(WakeUpMessage) + ' ' + QByteArray::number(quint64(WakeUpWParam)) + ' '
         + QByteArray::number(qint64(WakeUpLParam));
}

// An answer is one byte; nothing longer is waited for.
constexpr qsizetype MaxAnswerPayload = 16;

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

const char* const PeerProperty = "morvaPeer";
const char* const BufferProperty = "morvaBuffer";
const char* const BusyProperty = "morvaBusy";

} // namespace

QString CopySocketName(std::uint32_t handle)
{
    return QStringLiteral("kovrak-morva-%1-%2").arg(getuid()).arg(handle);
}

bool TLocalOtherCopy::Ask(std::uint32_t handle, TCopyKind kind, const QByteArray& payload)
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
    socket.write(EncodeCopyMessage(kind, payload));
    if (!socket.waitForBytesWritten(timeout))
        return false;
    QByteArray buffer;
    TCopyMessage answer;
    for (;;) {
        const TCopyTake take = TakeCopyMessage(buffer, answer, MaxAnswerPayload);
        if (take == TCopyTake::Refused)
            return false;
        if (take == TCopyTake::Taken)
            return answer.Kind == std::uint8_t(TCopyKind::Answer) && answer.Payload == "1";
        if (!socket.bytesAvailable() && !socket.waitForReadyRead(timeout))
            return false;
        buffer += socket.read(CopyHeaderSize + MaxAnswerPayload - buffer.size());
    }
}

bool TLocalOtherCopy::IsVisible(std::uint32_t handle)
{
    return Ask(handle, TCopyKind::Visible);
}

bool TLocalOtherCopy::Restore(std::uint32_t handle)
{
    return Ask(handle, TCopyKind::Restore);
}

bool TLocalOtherCopy::SetForeground(std::uint32_t handle)
{
    return Ask(handle, TCopyKind::Foreground);
}

bool TLocalOtherCopy::SendWakeUp(std::uint32_t handle)
{
    return Ask(handle, TCopyKind::Message, WakeUpPayload());
}

bool TLocalOtherCopy::HandOverActivationToken(std::uint32_t handle, const std::string& token)
{
    return IsActivationToken(token) && Ask(handle, TCopyKind::Token, QByteArray::fromStdString(token));
}

bool TLocalOtherCopy::LookUp(std::uint32_t handle, const std::u16string& text)
{
    return Ask(handle, TCopyKind::LookUp, BoundedUtf8(text));
}

TLocalOtherCopyServer::TLocalOtherCopyServer(QObject* parent, TCopyServerLimits limits)
    : QObject(parent), limits_(limits), server_(new QLocalServer(this)), relisten_(new QTimer(this))
{
    connect(server_, &QLocalServer::newConnection, this, &TLocalOtherCopyServer::Serve);
    // Qt closes a server whose accept fails (no descriptors left): listen again once it can.
    relisten_->setInterval(limits_.Relisten);
    connect(relisten_, &QTimer::timeout, this, &TLocalOtherCopyServer::ListenAgain);
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
    name_ = CopySocketName(handle);
    if (!server_->listen(name_))
        return 0;
    relisten_->start();
    return handle;
}

void TLocalOtherCopyServer::ListenAgain()
{
    if (!server_->isListening())
        server_->listen(name_);
}

void TLocalOtherCopyServer::Serve()
{
    while (QLocalSocket* socket = server_->nextPendingConnection())
        Accept(socket);
}

void TLocalOtherCopyServer::Accept(QLocalSocket* socket)
{
    const std::optional<ucred> peer = Peer(socket->socketDescriptor());
    auto heldBy = [this](pid_t pid) {
        const auto found = perProcess_.find(pid);
        return found == perProcess_.end() ? 0 : found->second;
    };
    const bool welcome = peer && peer->uid == getuid() && connections_ < limits_.Connections
                      && heldBy(peer->pid) < limits_.ConnectionsPerProcess;
    if (!welcome) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++connections_;
    ++perProcess_[peer->pid];
    socket->setProperty(PeerProperty, qint64(peer->pid));
    // Qt stops reading from the system once this much waits: a flood stays in the kernel.
    socket->setReadBufferSize(CopyHeaderSize + MaxCopyPayload);

    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->setObjectName(QStringLiteral("idle"));
    idle->start(limits_.Idle);
    connect(idle, &QTimer::timeout, socket, &QLocalSocket::abort);
    connect(socket, &QLocalSocket::stateChanged, this, [this, socket](QLocalSocket::LocalSocketState state) {
        if (state == QLocalSocket::UnconnectedState)
            Forget(socket);
    });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
    if (socket->bytesAvailable() > 0)
        Read(socket);
}

void TLocalOtherCopyServer::Forget(QLocalSocket* socket)
{
    // Counted once: a socket may report its end more than once on the way out.
    if (!socket->property(PeerProperty).isValid())
        return;
    const qint64 pid = socket->property(PeerProperty).toLongLong();
    socket->setProperty(PeerProperty, QVariant());
    --connections_;
    if (--perProcess_[pid] <= 0)
        perProcess_.erase(pid);
    socket->deleteLater();
}

void TLocalOtherCopyServer::Read(QLocalSocket* socket)
{
    // An answer that runs a nested event loop brings this socket's next readyRead in here
    // again: the outer call goes on reading what came meanwhile.
    if (socket->property(BusyProperty).toBool())
        return;
    socket->setProperty(BusyProperty, true);
    QPointer<QLocalSocket> guard(socket);
    QByteArray buffer = socket->property(BufferProperty).toByteArray();
    for (;;) {
        buffer += socket->readAll();
        TCopyMessage request;
        const TCopyTake take = TakeCopyMessage(buffer, request);
        if (take == TCopyTake::Incomplete)
            break;
        if (take == TCopyTake::Refused) {
            socket->abort();
            return;
        }
        const QByteArray answer = EncodeCopyMessage(TCopyKind::Answer, Answer(request));
        if (!guard || guard->state() != QLocalSocket::ConnectedState)
            return;
        if (socket->bytesToWrite() > limits_.UnreadAnswers) {
            socket->abort();
            return;
        }
        socket->write(answer);
        // What the system takes at once leaves Qt's queue: only a client that does not read
        // makes it grow.
        socket->flush();
        if (auto* idle = socket->findChild<QTimer*>(QStringLiteral("idle")))
            idle->start(limits_.Idle);
    }
    socket->setProperty(BufferProperty, buffer);
    socket->setProperty(BusyProperty, false);
}

QByteArray TLocalOtherCopyServer::Answer(const TCopyMessage& request)
{
    auto yes = [](bool value) { return QByteArray(value ? "1" : "0"); };
    switch (TCopyKind(request.Kind)) {
    case TCopyKind::Visible:
        return yes(requests_.IsVisible && requests_.IsVisible());
    case TCopyKind::Restore:
        if (!requests_.Restore)
            break;
        requests_.Restore();
        return yes(true);
    case TCopyKind::Foreground:
        if (!requests_.Activate)
            break;
        requests_.Activate();
        return yes(true);
    case TCopyKind::Message:
        if (request.Payload != WakeUpPayload() || !requests_.WakeUp)
            break;
        requests_.WakeUp();
        return yes(true);
    case TCopyKind::LookUp:
        if (!requests_.LookUp)
            break;
        requests_.LookUp(QString::fromUtf8(request.Payload).toStdU16String());
        return yes(true);
    case TCopyKind::Token: {
        if (!requests_.ActivationToken)
            break;
        const std::string token = request.Payload.toStdString();
        if (!IsActivationToken(token))
            break;
        requests_.ActivationToken(token);
        return yes(true);
    }
    case TCopyKind::Answer:
        break;
    }
    return yes(false);
}

} // namespace morva
