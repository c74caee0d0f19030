#include "platform/CopyMessage.h"
#include "platform/FileInstanceBlock.h"
#include "tests/support/TestFolders.h"

#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

// Copies of the probe program, each a real process taking the same instance block.
class InstanceTest : public testing::Test {
protected:
    std::string block_ = "probe-" + std::to_string(getpid()) + "-"
                       + testing::UnitTest::GetInstance()->current_test_info()->name();

    ~InstanceTest() override
    {
        for (auto& copy : copies_) {
            copy->kill();
            copy->waitForFinished();
        }
    }

    QProcess& Start(const std::string& mode, int timeoutMs = 5000, const QString& word = {})
    {
        auto copy = std::make_unique<QProcess>();
        copy->setProcessEnvironment(environment_);
        QStringList arguments = {QString::fromStdString(block_), QString::fromStdString(mode), QString::number(timeoutMs)};
        if (!word.isEmpty())
            arguments.append(word);
        copy->start(PLATFORM_PROBE, arguments);
        copies_.push_back(std::move(copy));
        return *copies_.back();
    }

    // The next line the copy prints, or "" when it prints none in time.
    static std::string Line(QProcess& copy)
    {
        while (!copy.canReadLine())
            if (!copy.waitForReadyRead(20000))
                return "";
        return copy.readLine().trimmed().toStdString();
    }

    QProcess& StartFirst(const std::string& mode)
    {
        QProcess& first = Start(mode);
        EXPECT_EQ(Line(first).rfind("FIRST ", 0), 0u);
        return first;
    }

    // Runs a later copy to its end and gives what it printed.
    std::string RunSecond(int timeoutMs = 5000, const QString& word = {})
    {
        QProcess& second = Start("visible", timeoutMs, word);
        EXPECT_TRUE(second.waitForFinished(30000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        return second.readAll().trimmed().toStdString();
    }

    std::vector<std::unique_ptr<QProcess>> copies_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
};

TEST_F(InstanceTest, ASecondCopyBringsAVisibleFirstCopyToTheFront)
{
    QProcess& first = StartFirst("visible");
    EXPECT_EQ(RunSecond(), "SECOND visible");
    EXPECT_EQ(Line(first), "restore");
    EXPECT_EQ(Line(first), "activate");
}

TEST_F(InstanceTest, ASecondCopyHandsItsActivationTokenOverFirst)
{
    QProcess& first = StartFirst("tray");
    environment_.insert("XDG_ACTIVATION_TOKEN", "x11-or-wayland_TIME123");
    EXPECT_EQ(RunSecond(), "SECOND tray answered");
    EXPECT_EQ(Line(first), "token x11-or-wayland_TIME123");
    EXPECT_EQ(Line(first), "wakeup");
}

TEST_F(InstanceTest, ASecondCopyWakesAFirstCopyInTheTrayAndWaitsForIt)
{
    QProcess& first = StartFirst("tray");
    EXPECT_EQ(RunSecond(), "SECOND tray answered");
    EXPECT_EQ(Line(first), "wakeup");
}

TEST_F(InstanceTest, AWordGoesOverToTheFirstCopyBoundedInLength)
{
    QProcess& first = StartFirst("tray");
    EXPECT_EQ(RunSecond(5000, QStringLiteral("ice cream")), "SECOND lookup answered");
    EXPECT_EQ(Line(first), "lookup ice cream");

    const QString huge = QString(5000, QChar(u'\u0436'));
    EXPECT_EQ(RunSecond(5000, huge), "SECOND lookup answered");
    const std::string line = Line(first);
    ASSERT_EQ(line.rfind("lookup ", 0), 0u);
    const QString received = QString::fromStdString(line.substr(7));
    EXPECT_EQ(received, huge.left(received.size())) << "cut at a character, never inside one";
    EXPECT_LE(received.toUtf8().size(), MaxCopyPayload);
    EXPECT_GT(received.size(), 1000);
}

TEST_F(InstanceTest, AFirstCopyOutOfDescriptorsListensAgainOnceItHasThem)
{
    QProcess& first = Start("fdlimit");
    ASSERT_EQ(Line(first).rfind("FIRST ", 0), 0u);
    ASSERT_EQ(Line(first), "FULL");
    // Its accept fails now: a later copy reaches nothing, and still ends at once.
    EXPECT_EQ(RunSecond(500).rfind("SECOND ", 0), 0u);

    first.write("free\n");
    ASSERT_EQ(Line(first), "FREED");
    std::string answer;
    for (int attempt = 0; attempt < 40 && answer != "SECOND tray answered"; ++attempt) {
        answer = RunSecond(500);
        if (answer != "SECOND tray answered")
            QThread::msleep(250);
    }
    EXPECT_EQ(answer, "SECOND tray answered");
    EXPECT_EQ(Line(first), "wakeup");
}

TEST_F(InstanceTest, AHungFirstCopyDoesNotHoldTheSecondForEver)
{
    StartFirst("hang");
    EXPECT_EQ(RunSecond(300), "SECOND tray unanswered");
}

TEST_F(InstanceTest, CopiesFindEachOtherWhateverTheRuntimeFolderPathLength)
{
    const std::filesystem::path folder = test::FreshFolder(std::string(120, 'r')) / std::string(120, 'u');
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
    environment_.insert("XDG_RUNTIME_DIR", QString::fromStdString(folder.string()));

    QProcess& first = StartFirst("visible");
    EXPECT_EQ(RunSecond(), "SECOND visible");
    EXPECT_EQ(Line(first), "restore");
}

TEST_F(InstanceTest, AKilledFirstCopyLeavesTheBlockToTheNextStart)
{
    QProcess& killed = StartFirst("visible");
    killed.kill();
    ASSERT_TRUE(killed.waitForFinished());

    QProcess& next = StartFirst("visible");
    EXPECT_EQ(RunSecond(), "SECOND visible");
    EXPECT_EQ(Line(next), "restore");
}

TEST_F(InstanceTest, OfTwentyCopiesStartedTogetherExactlyOneStays)
{
    for (int i = 0; i < 20; ++i)
        Start(i % 2 ? "visible" : "tray");

    int firsts = 0;
    int running = 0;
    for (auto& copy : copies_) {
        const std::string line = Line(*copy);
        if (line.rfind("FIRST ", 0) == 0) {
            ++firsts;
        } else {
            EXPECT_EQ(line.rfind("SECOND ", 0), 0u) << line;
            EXPECT_TRUE(copy->waitForFinished(30000));
            EXPECT_EQ(copy->exitCode(), 0);
        }
        running += copy->state() != QProcess::NotRunning;
    }
    EXPECT_EQ(firsts, 1);
    EXPECT_EQ(running, 1);
}

// Whatever sits at the block file's name, before the first copy starts or put there while
// it runs, exactly one copy runs and a later start brings it forward.
TEST_F(InstanceTest, WhateverIsAtTheBlocksPlaceOneCopyRunsAndIsBroughtForward)
{
    namespace fs = std::filesystem;
    const fs::path place = RuntimeFolder() / (block_ + ".block");
    const fs::path other = RuntimeFolder() / (block_ + ".other");
    enum class TWhen { BeforeTheStart, WhileItRuns };
    const std::pair<const char*, std::function<void()>> obstacles[] = {
        {"dangling link", [&] { fs::create_symlink(RuntimeFolder() / "nowhere", place); }},
        {"link to a file", [&] { std::ofstream(other) << "1234"; fs::create_symlink(other, place); }},
        {"folder", [&] { fs::create_directory(place); }},
        {"FIFO", [&] { ASSERT_EQ(mkfifo(place.c_str(), 0600), 0); }},
        {"another file", [&] { std::ofstream(place) << "\x01\x02\x03\x04"; }},
        {"nothing", [] {}},
    };
    for (TWhen when : {TWhen::BeforeTheStart, TWhen::WhileItRuns}) {
        for (const auto& [name, put] : obstacles) {
            SCOPED_TRACE(std::string(name) + (when == TWhen::WhileItRuns ? " while it runs" : " before the start"));
            fs::remove_all(place);
            fs::remove_all(other);
            if (when == TWhen::BeforeTheStart)
                put();
            QProcess& first = StartFirst("visible");
            if (when == TWhen::WhileItRuns) {
                fs::remove_all(place);
                put();
            }
            EXPECT_EQ(RunSecond(), "SECOND visible");
            EXPECT_EQ(Line(first), "restore");
            EXPECT_EQ(first.state(), QProcess::Running);
            first.kill();
            first.waitForFinished();
        }
    }
}

TEST(InstanceBlock, AnOpenerThatFindsTheBlockHeldKeepsNoDescriptor)
{
    const auto openDescriptors = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator());
    };
    TFileInstanceBlock first;
    ASSERT_EQ(first.CreateOrOpen("held-" + std::to_string(getpid())), TBlockState::Created);
    const auto before = openDescriptors();
    TFileInstanceBlock second;
    ASSERT_EQ(second.CreateOrOpen("held-" + std::to_string(getpid())), TBlockState::AlreadyExisted);
    EXPECT_EQ(openDescriptors(), before);
}

TEST(InstanceBlock, AFreshBlockHoldsNoHandleAndAnOpenerReadsTheStoredOne)
{
    const std::string name = "block-" + std::to_string(getpid());
    TFileInstanceBlock first;
    ASSERT_EQ(first.CreateOrOpen(name), TBlockState::Created);
    EXPECT_EQ(first.ReadHandle(), 0u);
    first.WriteHandle(0xA1B2C3D4);

    TFileInstanceBlock second;
    ASSERT_EQ(second.CreateOrOpen(name), TBlockState::AlreadyExisted);
    EXPECT_EQ(second.ReadHandle(), 0xA1B2C3D4u);

    // flock belongs to the open file, so the block is taken over as soon as it is let go.
    first.Close();
    TFileInstanceBlock third;
    EXPECT_EQ(third.CreateOrOpen(name), TBlockState::Created);
    EXPECT_EQ(third.ReadHandle(), 0u);
}

} // namespace
} // namespace morva
