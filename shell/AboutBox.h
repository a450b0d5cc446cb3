#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program's picture with its name and purpose, its version, and where to turn
// with questions: the program's own help. Esc, a click on the picture or on the box, and the close
// button close it with 1.
class TfmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfmAbout(QWidget* owner);

    QLabel* Image1;
    QLabel* lbVersion;
    QLabel* lbSupport;
    QPushButton* bnClose;

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
