#include "shell/StartWindow.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "shell/Pictures.h"

namespace {

constexpr QSize SplashSize(460, 104);
constexpr int SplashMilliseconds = 3000;

} // namespace

TfmStart::TfmStart(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      imgStart(new QLabel(this)),
      tmStartTimer(new QTimer(this))
{
    setFixedSize(SplashSize);
    imgStart->setGeometry(rect());
    imgStart->setPixmap(picture(QStringLiteral("splash"), SplashSize));

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    tmStartTimer->setInterval(SplashMilliseconds);
    connect(tmStartTimer, &QTimer::timeout, tmStartTimer, &QTimer::stop);
    tmStartTimer->start();
}

void TfmStart::waitForTimer()
{
    if (!tmStartTimer->isActive())
        return;
    QEventLoop loop;
    connect(tmStartTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
    loop.exec();
}
