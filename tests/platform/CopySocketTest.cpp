#include "platform/FileInstanceBlock.h"
#include "platform/LocalOtherCopy.h"

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
