#include "platform/SystemCloseRequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace morva {
namespace {

constexpr int CloseSignals[] = {SIGTERM, SIGINT, SIGHUP};

int requestPipe[2] = {-1, -1};

// Only what is safe in a signal handler: one write to the pipe the event loop watches.
void WriteRequest(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(requestPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TSystemCloseRequests::TSystemCloseRequests(QObject* parent) : QObject(parent)
{
    if (requestPipe[0] >= 0)
        throw std::logic_error("TSystemCloseRequests exists already");
    if (::pipe2(requestPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("Cannot create the pipe for close requests");
    notifier_ = new QSocketNotifier(requestPipe[0], QSocketNotifier::Read, this);
    notifier_->setEnabled(false);
    connect(notifier_, &QSocketNotifier::activated, this, &TSystemCloseRequests::Drain);

    struct sigaction action {};
    action.sa_handler = WriteRequest;
    sigemptyset(&action.sa_mask);
    // A second signal ends the program at once, for a close that does not finish.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : CloseSignals)
        ::sigaction(signal, &action, nullptr);

    // Queued: the session manager's request is answered first, then the program closes.
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) {
                    QMetaObject::invokeMethod(this, &TSystemCloseRequests::CloseRequested, Qt::QueuedConnection);
                },
                Qt::DirectConnection);
}

TSystemCloseRequests::~TSystemCloseRequests()
{
    for (int signal : CloseSignals)
        ::signal(signal, SIG_DFL);
    delete notifier_;
    ::close(requestPipe[0]);
    ::close(requestPipe[1]);
    requestPipe[0] = requestPipe[1] = -1;
}

void TSystemCloseRequests::Deliver()
{
    notifier_->setEnabled(true);
}

void TSystemCloseRequests::Drain()
{
    char bytes[64];
    bool requested = false;
    while (::read(requestPipe[0], bytes, sizeof bytes) > 0)
        requested = true;
    if (requested)
        emit CloseRequested();
}

} // namespace morva
