#include "shell/StartWindow.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(StartWindowTest, FramelessPictureCentredOnTheScreen)
{
    TfmStart splash;
    EXPECT_EQ(splash.size(), QSize(460, 104));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.windowType(), Qt::SplashScreen);
    EXPECT_EQ(splash.geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    ASSERT_FALSE(splash.imgStart->pixmap().isNull());
    EXPECT_EQ(splash.imgStart->pixmap().size(), QSize(460, 104));
}

TEST(StartWindowTest, TimerRunsThreeSecondsOnce)
{
    TfmStart splash;
    EXPECT_TRUE(splash.tmStartTimer->isActive());
    EXPECT_EQ(splash.tmStartTimer->interval(), 3000);
}

TEST(StartWindowTest, WaitEndsWhenTheTimerFires)
{
    TfmStart splash;
    splash.tmStartTimer->setInterval(50);
    QElapsedTimer clock;
    clock.start();
    splash.waitForTimer();
    EXPECT_GE(clock.elapsed(), 45);
    EXPECT_FALSE(splash.tmStartTimer->isActive());

    // A timer that has fired already (say while a message box was open) is not waited for.
    clock.restart();
    splash.waitForTimer();
    EXPECT_LT(clock.elapsed(), 45);
}

} // namespace
