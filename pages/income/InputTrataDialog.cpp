#include "pages/income/InputTrataDialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int ButtonWidth = 90;

QPushButton* createButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedWidth(ButtonWidth);
    // Enter is the dialog's, whichever control has the focus.
    button->setAutoDefault(false);
    return button;
}

QRadioButton* createRadio(QWidget* parent, const char* name, const QString& caption)
{
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(QLatin1String(name));
    return radio;
}

} // namespace

TfmInputTrata::TfmInputTrata(QWidget* owner)
    : QDialog(owner),
      rbBank(createRadio(this, "rbBank", QStringLiteral("Заявление о возврате на банковский счет"))),
      rbNalog(createRadio(this, "rbNalog",
                          QStringLiteral("Заявление об использовании сумм возврата на уплату других налогов"))),
      bnOk(createButton(this, "bnOk", QStringLiteral("Да"))),
      bnCansel(createButton(this, "bnCansel", QStringLiteral("Нет")))
{
    setObjectName(QStringLiteral("TfmInputTrata"));
    setWindowTitle(QStringLiteral("Назначение возврата"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    rbBank->setChecked(true);
    connect(bnOk, &QPushButton::clicked, this, [this] { done(Confirmed); });
    connect(bnCansel, &QPushButton::clicked, this, [this] { done(Cancelled); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnOk);
    buttons->addWidget(bnCansel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(rbBank);
    layout->addWidget(rbNalog);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    rbBank->setFocus();
}

bool TfmInputTrata::isRefund() const
{
    return rbBank->isChecked();
}

void TfmInputTrata::reject()
{
    done(Cancelled);
}

void TfmInputTrata::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done(Confirmed);
        break;
    case Qt::Key_Escape:
        done(Cancelled);
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}
