#pragma once

#include <csignal>
#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QString>
#include <QTimer>

#include <sys/types.h>

#include "shell/PrintProgram.h"

// Watches for the print program's working window while a print call runs: notes when it first
// shows, however briefly, and what it says, and once the program has written a process number and
// a line end to `pidFile` (it is ready to be cancelled), presses "Отмена". That process, still
// running after 20 seconds, is killed, so that a failing test cannot hang.
class WorkingWindowCanceller {
public:
    explicit WorkingWindowCanceller(QString pidFile) : pidFile_(std::move(pidFile))
    {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start();
        elapsed_.start();
        qApp->installEventFilter(&showWatch_);
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
            // 0 would name the test's own process group.
            if (const int pid = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toInt() : 0; pid > 0)
                ::kill(pid, SIGKILL);
            return;
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (!dialog || dialog->objectName() != QLatin1String(PrintProgramWorkingWindow) || !dialog->isVisible())
                continue;
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

    // Sees every show of the window, also one between two looks of the timer.
    class ShowWatch : public QObject {
    public:
        explicit ShowWatch(WorkingWindowCanceller& canceller) : canceller_(canceller) {}

        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Show && canceller_.shownAfterMs < 0
                && watched->objectName() == QLatin1String(PrintProgramWorkingWindow))
                canceller_.shownAfterMs = canceller_.elapsed_.elapsed();
            return false;
        }

    private:
        WorkingWindowCanceller& canceller_;
    };

    QString pidFile_;
    QTimer timer_;
    QElapsedTimer elapsed_;
    ShowWatch showWatch_{*this};
};
