#pragma once
// TSplashForm: the borderless picture shown for about half a second while the program starts.

#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class QTimer;

namespace morva {

class TSplashForm : public QWidget {
    Q_OBJECT

public:
    explicit TSplashForm(QWidget* parent = nullptr);

    // Whether the timer has run its handler (and so switched itself off).
    bool TimerFired() const { return timerFired_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TimerTimer();

    // The parts, under their object names.
    QFrame* Panel = nullptr;
    QLabel* SplashImage = nullptr;
    QTimer* Timer = nullptr;
    bool timerFired_ = false;
};

// Shows the splash and lets it paint and its timer fire: sleeps 50 ms and processes pending
// events, at least once, until the timer has fired or termination is requested.
void RunSplashWait(TSplashForm& splash, const std::function<bool()>& terminationRequested);

} // namespace morva
