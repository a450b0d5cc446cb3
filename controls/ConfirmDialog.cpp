#include "controls/ConfirmDialog.h"

#include <QKeyEvent>
#include <QPushButton>

#include "controls/PageWidgets.h"

TConfirmDialog::TConfirmDialog(QWidget* owner, const QString& name, const QString& title) : QDialog(owner)
{
    setObjectName(name);
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

QHBoxLayout* TConfirmDialog::createButtons()
{
    bnOk = createDialogButton(this, "bnOk", QStringLiteral("Да"));
    bnCansel = createDialogButton(this, "bnCansel", QStringLiteral("Нет"));
    // Enter is the dialog's, whichever control has the focus.
    for (QPushButton* button : {bnOk, bnCansel})
        button->setAutoDefault(false);
    connect(bnOk, &QPushButton::clicked, this, &TConfirmDialog::confirm);
    connect(bnCansel, &QPushButton::clicked, this, [this] { done(Cancelled); });
    return dialogButtonRow({bnOk, bnCansel});
}

void TConfirmDialog::confirm()
{
    done(Confirmed);
}

void TConfirmDialog::reject()
{
    done(Cancelled);
}

void TConfirmDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Leaving the field being typed in settles it, as the click on "Да" would.
        bnOk->setFocus();
        confirm();
        break;
    case Qt::Key_Escape:
        done(Cancelled);
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}
