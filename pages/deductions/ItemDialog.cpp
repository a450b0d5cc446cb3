#include "pages/deductions/ItemDialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

#include "controls/CheckRun.h"

namespace {

constexpr int ButtonWidth = 90;

QPushButton* createButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedWidth(ButtonWidth);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TItemDialog::TItemDialog(QWidget* owner, const QString& name, const QString& title, QSize clientSize)
    : QDialog(owner)
{
    setObjectName(name);
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);
}

QHBoxLayout* TItemDialog::createButtons()
{
    bnOk = createButton(this, "bnOk", QStringLiteral("Да"));
    bnCansel = createButton(this, "bnCansel", QStringLiteral("Нет"));
    connect(bnOk, &QPushButton::clicked, this, &TItemDialog::confirm);
    connect(bnCansel, &QPushButton::clicked, this, [this] { done(Cancelled); });

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(bnOk);
    row->addWidget(bnCansel);
    return row;
}

void TItemDialog::forbidSkipping(CheckRun& run)
{
    run.dialog().Button2->setEnabled(false);
    run.dialog().Button3->setEnabled(false);
}

void TItemDialog::focusElement(std::uint16_t code,
                               std::initializer_list<std::pair<std::uint16_t, QWidget*>> elements)
{
    for (const auto& [element, control] : elements) {
        if (element == code) {
            control->setFocus();
            return;
        }
    }
}

void TItemDialog::reject()
{
    done(Cancelled);
}

void TItemDialog::keyPressEvent(QKeyEvent* event)
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

void TItemDialog::confirm()
{
    if (const std::uint16_t code = checkItem(); code != 0) {
        FocusError(code);
        return;
    }
    done(Confirmed);
}
