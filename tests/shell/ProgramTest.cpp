// The real program, started as a user starts it: one copy runs, a second one hands over to
// it and ends, and a copy that was killed does not keep the next start from running.

#include "tests/support/TestFolders.h"

#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace morva::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() : home_(FreshFolder("program"))
    {
        fs::create_directories(home_ / "config");
        fs::create_directories(home_ / "runtime");
        fs::permissions(home_ / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    }

    ~ProgramTest() override
    {
        for (auto& copy : copies_)
            if (copy->state() != QProcess::NotRunning) {
                copy->kill();
                copy->waitForFinished();
            }
    }

    QProcess& Start(const QStringList& arguments = {})
    {
        auto copy = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", QString::fromStdString(home_.string()));
        env.insert("XDG_CONFIG_HOME", QString::fromStdString((home_ / "config").string()));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString((home_ / "runtime").string()));
        env.remove("LC_ALL");
        env.insert("LANG", "ru_RU.UTF-8");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        copy->setProcessEnvironment(env);
        copy->setProgram(QString::fromStdString((fs::path(std::getenv("MORVA_BIN")) / "morva").string()));
        copy->setArguments(arguments);
        copy->start();
        EXPECT_TRUE(copy->waitForStarted());
        copies_.push_back(std::move(copy));
        return *copies_.back();
    }

    // The first copy has read its settings once the registry file exists; it listens by then.
    bool WaitUntilRunning(QProcess& copy)
    {
        const fs::path registry = home_ / "config" / "kovrak-morva" / "registry.reg";
        for (auto waited = 0ms; waited < 20s; waited += 50ms) {
            if (copy.state() != QProcess::Running)
                return false;
            if (fs::exists(registry))
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    void ExpectHandsOver()
    {
        QProcess& second = Start();
        ASSERT_TRUE(second.waitForFinished(20000)) << "the second copy did not end";
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
    }

    void ForgetSettings() const { fs::remove_all(home_ / "config" / "kovrak-morva"); }

    std::string Registry() const
    {
        std::ifstream in(home_ / "config" / "kovrak-morva" / "registry.reg", std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

private:
    fs::path home_;
    std::vector<std::unique_ptr<QProcess>> copies_;
};

TEST_F(ProgramTest, ASecondCopyHandsOverAndEnds)
{
    QProcess& first = Start();
    ASSERT_TRUE(WaitUntilRunning(first)) << first.readAllStandardError().toStdString();
    ExpectHandsOver();
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(ProgramTest, AKilledCopyDoesNotBlockTheNextStart)
{
    QProcess& first = Start();
    ASSERT_TRUE(WaitUntilRunning(first));
    first.kill();
    first.waitForFinished();

    QProcess& next = Start();
    EXPECT_FALSE(next.waitForFinished(3000)) << "the next start did not stay";
    EXPECT_EQ(next.state(), QProcess::Running);
    ExpectHandsOver();
}

// A session that ends, a terminal that closes or Ctrl+C close the program as its close box
// does: it saves its placement and settings and ends normally.
TEST_F(ProgramTest, ClosedByTheSystemItSavesAsEveryCloseDoes)
{
    const std::pair<int, QStringList> cases[] = {{SIGTERM, {}}, {SIGINT, {}}, {SIGHUP, {"/autorun"}}};
    for (const auto& [signal, arguments] : cases) {
        SCOPED_TRACE(signal);
        ForgetSettings();
        QProcess& copy = Start(arguments);
        ASSERT_TRUE(WaitUntilRunning(copy)) << copy.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(copy.processId()), signal);
        ASSERT_TRUE(copy.waitForFinished(20000));
        EXPECT_EQ(copy.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(copy.exitCode(), 0);
        const std::string registry = Registry();
        // A window never shown, at a start into the tray, has no placement to keep.
        if (arguments.isEmpty()) {
            EXPECT_NE(registry.find("[HKEY_CURRENT_USER\\Software\\Kovrak\\Morva\\MainWindow]\n\"Line0000000000\"="),
                      std::string::npos)
                << registry;
        }
        EXPECT_NE(registry.find("\"DestLang\"=\"1\""), std::string::npos) << registry;
    }
}

} // namespace
} // namespace morva::test
