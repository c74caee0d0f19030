#include "ui/ScreenCentre.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace morva {
namespace {

bool HasFrame(const QWidget& window)
{
    return window.frameGeometry() != window.geometry();
}

void MoveFrameToCentre(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(), window.frameGeometry().size());
    frame.moveCenter(screen->geometry().center());
    window.move(frame.topLeft());
}

// Waits for the window system to frame the window, centres it again and goes.
class TCentreWhenFramed : public QObject {
public:
    explicit TCentreWhenFramed(QWidget& window) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        const bool framed = window_.isVisible() && HasFrame(window_);
        if (framed)
            MoveFrameToCentre(window_);
        if (framed || event->type() == QEvent::Hide) {
            window_.removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

void CentreOnScreen(QWidget& window)
{
    MoveFrameToCentre(window);
    if (!HasFrame(window) && !(window.windowFlags() & Qt::FramelessWindowHint))
        new TCentreWhenFramed(window);
}

} // namespace morva
