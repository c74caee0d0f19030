#include "platform/FileInstanceBlock.h"
#include "platform/CopyMessage.h"
#include "platform/LocalOtherCopy.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSemaphore>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <memory>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

namespace morva {
namespace {

// A server on its own thread that answers "1" to every request, under any copy's name.
class TYesServer {
public:
    explicit TYesServer(std::uint32_t handle)
    {
        thread_.reset(QThread::create([this, handle] {
            QLocalServer server;
            server.setSocketOptions(QLocalServer::AbstractNamespaceOption);
            listening_ = server.listen(CopySocketName(handle));
            QEventLoop loop;
            QObject::connect(&server, &QLocalServer::newConnection, [&] {
                QLocalSocket* socket = server.nextPendingConnection();
                QObject::connect(socket, &QLocalSocket::readyRead, [socket] {
                    socket->readAll();
                    socket->write(EncodeCopyMessage(TCopyKind::Answer, "1"));
                });
            });
            ready_.release();
            while (!stop_)
                loop.processEvents(QEventLoop::AllEvents, 20);
        }));
        thread_->start();
        ready_.acquire();
    }
    ~TYesServer()
    {
        stop_ = true;
        thread_->wait();
    }
    bool Listening() const { return listening_; }

private:
    std::unique_ptr<QThread> thread_;
    QSemaphore ready_;
    std::atomic<bool> listening_ = false;
    std::atomic<bool> stop_ = false;
};

// Asks this process's own server from another thread, as a later copy would: one activation
// token a message; one answer each ("" where none came).
std::vector<std::string> AskOwnServerTokens(const std::vector<QByteArray>& tokens)
{
    std::vector<std::string> answers;
    std::atomic<bool> done = false;
    std::unique_ptr<QThread> client(QThread::create([&] {
        QLocalSocket socket;
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        socket.connectToServer(CopySocketName(static_cast<std::uint32_t>(getpid())));
        if (socket.waitForConnected(5000)) {
            QByteArray buffer;
            for (const QByteArray& token : tokens) {
                socket.write(EncodeCopyMessage(TCopyKind::Token, token));
                socket.waitForBytesWritten(5000);
                TCopyMessage answer;
                while (TakeCopyMessage(buffer, answer) == TCopyTake::Incomplete && socket.waitForReadyRead(5000))
                    buffer += socket.readAll();
                answers.push_back(answer.Payload.toStdString());
            }
        }
        done = true;
    }));
    client->start();
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    client->wait();
    return answers;
}

TEST(CopySocket, TheFirstCopyTakesOnlyWhatCanBeAnActivationToken)
{
    std::vector<std::string> tokens;
    TWindowRequests requests;
    requests.ActivationToken = [&tokens](const std::string& token) { tokens.push_back(token); };
    TLocalOtherCopyServer server;
    ASSERT_NE(server.Listen(requests), 0u);
    const QByteArray longest(MaxActivationTokenLength, 't');
    const std::vector<QByteArray> asked = {"kwin-4f2a", "two words", "", longest, longest + 't'};
    EXPECT_EQ(AskOwnServerTokens(asked), (std::vector<std::string>{"1", "0", "0", "1", "0"}));
    EXPECT_EQ(tokens, (std::vector<std::string>{"kwin-4f2a", longest.toStdString()}));
}

// The real server on its own thread, under this process's name, with short limits.
class TServerThread {
public:
    explicit TServerThread(TCopyServerLimits limits, std::chrono::milliseconds idle = std::chrono::milliseconds(300))
    {
        limits.Idle = idle;
        thread_.reset(QThread::create([this, limits] {
            TLocalOtherCopyServer server(nullptr, limits);
            server_ = &server;
            TWindowRequests requests;
            requests.IsVisible = [] { return true; };
            requests.LookUp = [this](const std::u16string&) { ++lookUps_; };
            handle_ = server.Listen(requests);
            QEventLoop loop;
            ready_.release();
            while (!stop_)
                loop.processEvents(QEventLoop::AllEvents, 20);
            server_ = nullptr;
        }));
        thread_->start();
        ready_.acquire();
    }
    ~TServerThread()
    {
        stop_ = true;
        thread_->wait();
    }
    std::uint32_t Handle() const { return handle_; }
    int LookUps() const { return lookUps_; }
    int Connections()
    {
        int count = -1;
        QMetaObject::invokeMethod(server_, [&] { count = server_->Connections(); }, Qt::BlockingQueuedConnection);
        return count;
    }

private:
    std::unique_ptr<QThread> thread_;
    TLocalOtherCopyServer* server_ = nullptr;
    QSemaphore ready_;
    std::atomic<std::uint32_t> handle_ = 0;
    std::atomic<int> lookUps_ = 0;
    std::atomic<bool> stop_ = false;
};

std::unique_ptr<QLocalSocket> Connect(std::uint32_t handle)
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket->connectToServer(CopySocketName(handle));
    EXPECT_TRUE(socket->waitForConnected(5000));
    return socket;
}

// Waits (bounded) for the server to close the connection.
bool ClosedByServer(QLocalSocket& socket)
{
    for (int i = 0; i < 100 && socket.state() == QLocalSocket::ConnectedState; ++i)
        socket.waitForDisconnected(100);
    return socket.state() != QLocalSocket::ConnectedState;
}

TEST(CopySocket, AGarbageHalfOrSilentClientIsCutOffAndNeverStallsTheOthers)
{
    TServerThread server({});
    ASSERT_NE(server.Handle(), 0u);
    const std::pair<const char*, QByteArray> clients[] = {
        {"silent", {}},
        {"too long", QByteArray("\x05\xFF\xFF") + QByteArray(100, 'x')},
        {"half a message", QByteArray("\x05\x00\x0A" "bo")},
        {"half a header", QByteArray("\x05")},
    };
    for (const auto& [name, bytes] : clients) {
        SCOPED_TRACE(name);
        auto client = Connect(server.Handle());
        client->write(bytes);
        client->flush();
        // Meanwhile a copy of ours is answered at once.
        EXPECT_TRUE(TLocalOtherCopy(std::chrono::seconds(5)).IsVisible(server.Handle()));
        EXPECT_TRUE(ClosedByServer(*client));
    }
    EXPECT_EQ(server.LookUps(), 0);
    // An unknown kind is answered "no", so a newer copy can ask something new.
    auto client = Connect(server.Handle());
    client->write(EncodeCopyMessage(TCopyKind(0x42), "?"));
    ASSERT_TRUE(client->waitForReadyRead(5000));
    EXPECT_EQ(client->readAll(), EncodeCopyMessage(TCopyKind::Answer, "0"));
}

TEST(CopySocket, ConnectionsAreLimitedPerProcessAndInAll)
{
    struct TCase {
        int Connections, PerProcess, Kept;
    };
    for (const TCase& c : {TCase{16, 4, 4}, TCase{3, 4, 3}}) {
        SCOPED_TRACE(c.Kept);
        TCopyServerLimits limits;
        limits.Connections = c.Connections;
        limits.ConnectionsPerProcess = c.PerProcess;
        TServerThread server(limits, std::chrono::seconds(30));
        std::vector<std::unique_ptr<QLocalSocket>> clients;
        for (int i = 0; i < 10; ++i)
            clients.push_back(Connect(server.Handle()));
        // The ones past the limit are closed at once; the others stay.
        int closed = 0;
        for (int round = 0; round < 100 && closed < 10 - c.Kept; ++round) {
            closed = 0;
            for (auto& client : clients) {
                client->waitForDisconnected(5);
                closed += client->state() != QLocalSocket::ConnectedState;
            }
        }
        EXPECT_EQ(closed, 10 - c.Kept);
        EXPECT_EQ(server.Connections(), c.Kept);
        EXPECT_FALSE(TLocalOtherCopy(std::chrono::seconds(5)).IsVisible(server.Handle())) << "no room left";

        // Once they are gone a copy is served again.
        clients.clear();
        bool served = false;
        for (int round = 0; round < 50 && !served; ++round)
            served = TLocalOtherCopy(std::chrono::seconds(5)).IsVisible(server.Handle()) || (QThread::msleep(20), false);
        EXPECT_TRUE(served);
        int left = -1;
        for (int round = 0; round < 100 && (left = server.Connections()) != 0; ++round)
            QThread::msleep(20);
        EXPECT_EQ(left, 0) << "every connection that ended is forgotten";
    }
}

TEST(CopySocket, AClientThatNeverReadsItsAnswersIsCutOff)
{
    TCopyServerLimits limits;
    limits.UnreadAnswers = 64;
    TServerThread server(limits);
    auto client = Connect(server.Handle());
    QByteArray flood;
    for (int i = 0; i < 20000; ++i)
        flood += EncodeCopyMessage(TCopyKind::Visible);
    qint64 sent = 0;
    while (client->state() == QLocalSocket::ConnectedState && sent < 64 * 1024 * 1024) {
        client->write(flood);
        sent += flood.size();
        client->waitForBytesWritten(100);
    }
    EXPECT_TRUE(ClosedByServer(*client)) << sent << " bytes sent";
    EXPECT_TRUE(TLocalOtherCopy(std::chrono::seconds(5)).IsVisible(server.Handle()));
}

TEST(CopySocket, OnlyTheCopyTheHandleNamesIsBelieved)
{
    // Under this process's own name the answer counts...
    {
        TYesServer own(static_cast<std::uint32_t>(getpid()));
        ASSERT_TRUE(own.Listening());
        EXPECT_TRUE(TLocalOtherCopy(std::chrono::seconds(5)).IsVisible(static_cast<std::uint32_t>(getpid())));
    }
    // ...under the name of another process it is someone pretending.
    const auto other = static_cast<std::uint32_t>(getppid());
    TYesServer impostor(other);
    ASSERT_TRUE(impostor.Listening());
    EXPECT_FALSE(TLocalOtherCopy(std::chrono::seconds(5)).IsVisible(other));
}

TEST(CopySocket, ANameAlreadyTakenLeavesTheCopyUnguardedAndRunning)
{
    QLocalServer taken;
    taken.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    ASSERT_TRUE(taken.listen(CopySocketName(static_cast<std::uint32_t>(getpid()))));
    TLocalOtherCopyServer server;
    EXPECT_EQ(server.Listen({}), 0u);
}

TEST(CopySocket, SocketFilesOfCopiesThatHaveGoneAreRemoved)
{
    const pid_t dead = fork();
    ASSERT_GE(dead, 0);
    if (dead == 0)
        _exit(0);
    waitpid(dead, nullptr, 0);
    const std::filesystem::path folder = RuntimeFolder();
    const auto deadFile = folder / ("kovrak-morva-" + std::to_string(dead) + ".socket");
    const auto liveFile = folder / ("kovrak-morva-" + std::to_string(getppid()) + ".socket");
    for (const auto& file : {deadFile, liveFile})
        std::ofstream(file) << "";

    TLocalOtherCopyServer server;
    EXPECT_NE(server.Listen({}), 0u);
    EXPECT_FALSE(std::filesystem::exists(deadFile));
    EXPECT_TRUE(std::filesystem::exists(liveFile));
    std::filesystem::remove(liveFile);
}

} // namespace
} // namespace morva
