#include "platform/FileInstanceBlock.h"
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
                    socket->write("1\n");
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

// Asks this process's own server from another thread, as a later copy would; one answer a
// request ("" where none came).
std::vector<std::string> AskOwnServer(const std::vector<QByteArray>& requests)
{
    std::vector<std::string> answers;
    std::atomic<bool> done = false;
    std::unique_ptr<QThread> client(QThread::create([&] {
        QLocalSocket socket;
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        socket.connectToServer(CopySocketName(static_cast<std::uint32_t>(getpid())));
        if (socket.waitForConnected(5000)) {
            for (const QByteArray& request : requests) {
                socket.write(request + '\n');
                socket.waitForBytesWritten(5000);
                while (!socket.canReadLine() && socket.waitForReadyRead(5000)) {
                }
                answers.push_back(socket.readLine().trimmed().toStdString());
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
    const std::vector<QByteArray> asked = {"TOKEN kwin-4f2a", "TOKEN two words", "TOKEN ", "TOKEN " + longest,
                                           "TOKEN " + longest + 't'};
    EXPECT_EQ(AskOwnServer(asked), (std::vector<std::string>{"1", "0", "0", "1", "0"}));
    EXPECT_EQ(tokens, (std::vector<std::string>{"kwin-4f2a", longest.toStdString()}));
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
