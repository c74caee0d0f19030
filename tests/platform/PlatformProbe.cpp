// A tiny program for the platform tests: takes the instance block like the real program.
//   platform_probe <block name> visible|tray|hang [reply timeout ms]
// The first copy prints "FIRST <handle>" and serves requests until it is killed, printing
// each request it gets; a later copy asks the first one what the program's guard asks,
// prints "SECOND ..." and ends with exit code 0; it hands over $XDG_ACTIVATION_TOKEN first.

#include "platform/FileInstanceBlock.h"
#include "platform/LocalOtherCopy.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <string>

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
            if (other.IsVisible(handle)) {
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
    });
    try {
        block.WriteHandle(handle);
    } catch (const EInstanceBlockError&) {
        // As in the program's guard: later copies still find this one through its lock.
    }
    Say("FIRST " + std::to_string(handle));
    return app.exec();
}
