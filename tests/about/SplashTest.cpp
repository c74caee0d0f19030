#include "shell/Splash.h"
#include "tests/support/Part.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

namespace morva {
namespace {

using test::Part;

TEST(Splash, PictureCoversThePanelInsideItsBevel)
{
    TSplashForm splash;
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.size(), QSize(477, 287));
    EXPECT_EQ(Part<QLabel>(splash, "SplashImage")->geometry(), QRect(2, 2, 473, 283));
    EXPECT_EQ(Part<QLabel>(splash, "SplashImage")->pixmap().size(), QSize(473, 283));
    EXPECT_TRUE(Part<QLabel>(splash, "SplashImage")->isVisibleTo(&splash));

    splash.show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE(std::abs(splash.frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(splash.frameGeometry().center().y() - screen.center().y()), 1);
}

TEST(Splash, WaitEndsWhenTheTimerHasFired)
{
    TSplashForm splash;
    EXPECT_EQ(Part<QTimer>(splash, "Timer")->interval(), 500);
    int asked = 0;
    QElapsedTimer clock;
    clock.start();
    RunSplashWait(splash, [&] { ++asked; return false; });
    // It cannot end before the timer has fired (coarse timers may fire a little early).
    EXPECT_GE(clock.elapsed(), 450);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.TimerFired());
    EXPECT_FALSE(Part<QTimer>(splash, "Timer")->isActive()) << "the handler switches the timer off";
    EXPECT_GE(asked, 1);
}

TEST(Splash, WaitEndsAfterOneRoundWhenTerminationIsRequested)
{
    TSplashForm splash;
    int asked = 0;
    RunSplashWait(splash, [&] { ++asked; return true; });
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(splash.TimerFired());
}

} // namespace
} // namespace morva
