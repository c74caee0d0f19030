#pragma once
// Closing "by the system": SIGTERM (a session that ends, systemd, kill), SIGHUP (a terminal
// that closes), SIGINT (Ctrl+C) and the session manager's end-of-session request reach the
// program as one signal on the UI thread, so it closes, and saves, as every close does.

#include <QObject>

class QSocketNotifier;

namespace morva {

// One at a time: the signal handlers it installs write to a pipe of its own.
class TSystemCloseRequests : public QObject {
    Q_OBJECT

public:
    // Takes the signals at once; requests wait until Deliver.
    explicit TSystemCloseRequests(QObject* parent = nullptr);
    ~TSystemCloseRequests() override;

    // From now on CloseRequested is emitted, first for any request that came while the
    // program was starting.
    void Deliver();

signals:
    void CloseRequested();

private:
    void Drain();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace morva
