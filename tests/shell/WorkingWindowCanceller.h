#pragma once

#include <csignal>
#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QString>
#include <QTimer>

#include <sys/types.h>

#include "shell/PrintProgram.h"

// Watches for the print program's working window while a print call runs: notes what it says
// and, once it has been seen and the program has written a process number and a line end to
// `pidFile` (it is ready to be cancelled), presses "Отмена". That process, still running after
// 20 seconds, is killed, so that a failing test cannot hang.
class WorkingWindowCanceller {
public:
    explicit WorkingWindowCanceller(QString pidFile) : pidFile_(std::move(pidFile))
    {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start();
        elapsed_.start();
    }

    QString text;
    QString buttonText;
    bool wasModal = false;
    // -1 while the window has not shown.
    qint64 shownAfterMs = -1;

private:
    void look()
    {
        if (elapsed_.elapsed() > 20'000) {
            QFile file(pidFile_);
            if (file.open(QIODevice::ReadOnly))
                ::kill(file.readAll().trimmed().toInt(), SIGKILL);
            return;
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (!dialog || dialog->objectName() != QLatin1String(PrintProgramWorkingWindow) || !dialog->isVisible())
                continue;
            if (shownAfterMs < 0)
                shownAfterMs = elapsed_.elapsed();
            if (!programReady())
                return;
            wasModal = dialog->isModal();
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                text += label->text();
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                buttonText += button->text();
                if (button->isEnabled())
                    button->click();
            }
            timer_.stop();
            return;
        }
    }

    bool programReady() const
    {
        QFile file(pidFile_);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray text = file.readAll();
        return text.endsWith('\n') && text.trimmed().toInt() > 0;
    }

    QString pidFile_;
    QTimer timer_;
    QElapsedTimer elapsed_;
};
