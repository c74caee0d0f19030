#include "shell/Splash.h"

#include "resources/JpegImage.h"
#include "ui/ScreenCentre.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QThread>
#include <QTimer>

namespace morva {
namespace {

constexpr QSize PanelSize(477, 287);
constexpr int Bevel = 2;
constexpr int SplashInterval = 500;
constexpr int WaitStep = 50;

} // namespace

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(PanelSize);

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setGeometry(QRect(QPoint(0, 0), PanelSize));
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setLineWidth(Bevel);
    Panel->setAutoFillBackground(true);

    // The caption shows only where the picture does not cover it (a picture that fails to
    // decode leaves the panel with its caption).
    auto* caption = new QLabel(QStringLiteral("Loading..."), Panel);
    caption->setGeometry(Panel->rect());
    caption->setAlignment(Qt::AlignCenter);
    QFont captionFont(QStringLiteral("Times New Roman"));
    captionFont.setStyleHint(QFont::Serif);
    captionFont.setPixelSize(24);
    captionFont.setBold(true);
    caption->setFont(captionFont);

    SplashImage = new QLabel(Panel);
    SplashImage->setObjectName(QStringLiteral("SplashImage"));
    SplashImage->setGeometry(Panel->rect().adjusted(Bevel, Bevel, -Bevel, -Bevel));
    QFile picture(QStringLiteral(":/pictures/Splash.jpg"));
    if (picture.open(QIODevice::ReadOnly)) {
        const QImage image = DecodeJpeg(picture.readAll());
        if (!image.isNull())
            SplashImage->setPixmap(QPixmap::fromImage(image));
    }
    if (SplashImage->pixmap().isNull())
        SplashImage->hide();

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(SplashInterval);
    connect(Timer, &QTimer::timeout, this, &TSplashForm::TimerTimer);
    Timer->start();
}

void TSplashForm::TimerTimer()
{
    Timer->stop();
    timerFired_ = true;
}

void TSplashForm::showEvent(QShowEvent* event)
{
    CentreOnScreen(*this);
    QWidget::showEvent(event);
}

void RunSplashWait(TSplashForm& splash, const std::function<bool()>& terminationRequested)
{
    splash.show();
    do {
        QThread::msleep(WaitStep);
        QCoreApplication::processEvents();
    } while (!terminationRequested() && !splash.TimerFired());
}

} // namespace morva
