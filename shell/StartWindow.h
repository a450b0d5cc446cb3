#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The splash window shown while the program starts: a picture without a frame, centred on the
// screen, for at least three seconds.
class TfmStart : public QWidget {
    Q_OBJECT

public:
    explicit TfmStart(QWidget* parent = nullptr);

    // Runs the event loop until the start timer has fired; returns at once when it already has.
    void waitForTimer();

    QLabel* imgStart;
    // Started with the window; stops itself when it fires.
    QTimer* tmStartTimer;
};
