#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program's picture, name and version, where to get support and the latest
// version. Esc, a click on the picture or on the box, and the close button close it with 1.
class TfmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfmAbout(QWidget* owner);

    QLabel* Image1;
    QLabel* lbVersion;
    QLabel* lbSupport;
    QLabel* lbFeedback;
    QLabel* lbSite;
    QLabel* lbOwnership;
    QLabel* lbTelephone;
    QPushButton* bnClose;

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
