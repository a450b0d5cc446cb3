#pragma once

#include <cstdint>

#include "controls/ConfirmDialog.h"

class CheckRun;

// A dialog for one item of a deduction's list. "Да" and Enter confirm it once its check passes.
class TItemDialog : public TConfirmDialog {
    Q_OBJECT

public:
    // Puts the focus on the control a failed check names.
    virtual void FocusError(std::uint16_t) {}

protected:
    TItemDialog(QWidget* owner, const QString& name, const QString& title, QSize clientSize);

    // The check of "Да": 0 when the dialog may close, else the element the user is to fix.
    virtual std::uint16_t checkItem() { return 0; }

    // Faults of an item cannot be skipped: the user fixes them or cancels the dialog.
    static void forbidSkipping(CheckRun& run);

    void confirm() override;
};
