#include "pages/deductions/ItemDialog.h"

#include <QPushButton>

#include "controls/CheckRun.h"

TItemDialog::TItemDialog(QWidget* owner, const QString& name, const QString& title, QSize clientSize)
    : TConfirmDialog(owner, name, title)
{
    setFixedSize(clientSize);
}

void TItemDialog::forbidSkipping(CheckRun& run)
{
    run.dialog().Button2->setEnabled(false);
    run.dialog().Button3->setEnabled(false);
}

void TItemDialog::confirm()
{
    if (const std::uint16_t code = checkItem(); code != 0) {
        FocusError(code);
        return;
    }
    done(Confirmed);
}
