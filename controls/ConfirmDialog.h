#pragma once

#include <QDialog>

class QHBoxLayout;
class QKeyEvent;
class QPushButton;

// A dialog that takes the user's data and closes on the answer: "Да" and Enter confirm,
// whichever control has the focus; "Нет", Esc and the close box cancel.
class TConfirmDialog : public QDialog {
    Q_OBJECT

public:
    enum Result : int {
        Confirmed = 1, // "Да" or Enter, once `confirm` lets the dialog close
        Cancelled = 2, // "Нет", Esc or the close box
    };

    void reject() override;

    QPushButton* bnOk = nullptr;
    QPushButton* bnCansel = nullptr;

protected:
    TConfirmDialog(QWidget* owner, const QString& name, const QString& title);

    // Makes "Да" and "Нет" and returns their row. Called after the fields are made, so that the
    // buttons close the tab order.
    QHBoxLayout* createButtons();

    // What "Да" and Enter do: close the dialog as Confirmed.
    virtual void confirm();

    void keyPressEvent(QKeyEvent* event) override;
};
