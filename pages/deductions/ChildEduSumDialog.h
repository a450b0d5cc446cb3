#pragma once

#include <QDialog>

#include "model/Currency.h"
#include "pages/deductions/ItemDialog.h"

class QLabel;
class TMaskedEdit;

// Asks for one sum paid for a child's education; any sum is confirmed.
class TfmChildEduSum : public TItemDialog {
    Q_OBJECT

public:
    explicit TfmChildEduSum(QWidget* owner);

    // 0 when the edit is empty.
    Currency sum() const;
    void setSum(Currency sum);

    QLabel* lbChildEduSum;
    TMaskedEdit* meChildEduSum;
};
