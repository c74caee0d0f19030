// A tiny program for the platform tests: takes the instance block like the real program.
//   platform_probe <block name> visible|tray|hang|fdlimit [reply timeout ms] [word]
// The first copy prints "FIRST <handle>" and serves requests until it is killed, printing
// each request it gets; a later copy asks the first one what the program's guard asks (or,
// given a word, hands the word over), prints "SECOND ..." and ends with exit code 0; it hands
// over $XDG_ACTIVATION_TOKEN first.
// fdlimit: the first copy then uses up every file descriptor it may have and prints "FULL";
// a line "free" on its standard input lets them go again and it prints "FREED".

#include "platform/FileInstanceBlock.h"
#include "platform/LocalOtherCopy.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace morva;

namespace {

void Say(const std::string& text)
{
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const std::string mode = argv[2];
    const auto timeout = std::chrono::milliseconds(argc > 3 ? std::stoi(argv[3]) : 5000);

    TFileInstanceBlock block;
    try {
        if (block.CreateOrOpen(argv[1]) == TBlockState::AlreadyExisted) {
            const std::uint32_t handle = block.ReadHandle();
            TLocalOtherCopy other(timeout);
            if (const char* token = std::getenv("XDG_ACTIVATION_TOKEN"))
                other.HandOverActivationToken(handle, token);
            if (argc > 4) {
                const QString word = QString::fromUtf8(argv[4]);
                Say(std::string("SECOND lookup ") + (other.LookUp(handle, word.toStdU16String()) ? "answered" : "unanswered"));
            } else if (other.IsVisible(handle)) {
                other.Restore(handle);
                other.SetForeground(handle);
                Say("SECOND visible");
            } else {
                Say(std::string("SECOND tray ") + (other.SendWakeUp(handle) ? "answered" : "unanswered"));
            }
            return 0;
        }
    } catch (const EInstanceBlockError& error) {
        Say(std::string("NOGUARD ") + error.what());
        return 3;
    }

    auto stall = [&] {
        if (mode == "hang")
            QThread::sleep(60);
    };
    TLocalOtherCopyServer server;
    const std::uint32_t handle = server.Listen({
        [&] { stall(); return mode == "visible"; },
        [] { Say("restore"); },
        [] { Say("activate"); },
        [&] { stall(); Say("wakeup"); },
        [](const std::string& token) { Say("token " + token); },
        [](const std::u16string& text) { Say("lookup " + QString::fromStdU16String(text).toStdString()); },
    });
    try {
        block.WriteHandle(handle);
    } catch (const EInstanceBlockError&) {
        // As in the program's guard: later copies still find this one through its lock.
    }
    Say("FIRST " + std::to_string(handle));

    std::vector<int> hogs;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    if (mode == "fdlimit") {
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = std::min<rlim_t>(limit.rlim_cur, 256);
        setrlimit(RLIMIT_NOFILE, &limit);
        for (int fd; (fd = open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
            hogs.push_back(fd);
        Say("FULL");
        QObject::connect(&input, &QSocketNotifier::activated, [&] {
            char line[64];
            if (read(STDIN_FILENO, line, sizeof line) <= 0)
                input.setEnabled(false);
            for (int fd : hogs)
                close(fd);
            hogs.clear();
            Say("FREED");
        });
    } else {
        input.setEnabled(false);
    }
    return app.exec();
}
