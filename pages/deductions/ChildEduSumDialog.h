#pragma once

#include <QDialog>

#include "model/Currency.h"

class QLabel;
class QPushButton;
class TMaskedEdit;

// Asks for one sum paid for a child's education.
class TfmChildEduSum : public QDialog {
    Q_OBJECT

public:
    enum Result : int {
        Confirmed = 1, // "Да" or Enter
        Cancelled = 2, // "Нет", Esc or the close box
    };

    explicit TfmChildEduSum(QWidget* owner);

    // 0 when the edit is empty.
    Currency sum() const;
    void setSum(Currency sum);

    // The close box and Esc.
    void reject() override;

    QLabel* lbChildEduSum;
    TMaskedEdit* meChildEduSum;
    QPushButton* bnOk;
    QPushButton* bnCansel;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
