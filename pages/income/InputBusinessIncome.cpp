#include "pages/income/InputBusinessIncome.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/DeclModified.h"
#include "controls/PageWidgets.h"
#include "controls/ProgramContext.h"
#include "pages/income/FormOkved.h"

namespace {

constexpr int ActivityCodeLength = 8;
constexpr int ActivityCodeWidth = 90;

const ReferenceElement* activityCodeDirectory()
{
    const ProgramContext* context = programContext();
    if (!context || !context->referenceDirectories().activityCodes)
        return nullptr;
    return &*context->referenceDirectories().activityCodes;
}

} // namespace

TfmInputBusinessIncome::TfmInputBusinessIncome(QWidget* owner)
    : TConfirmDialog(owner, QStringLiteral("TfmInputBusinessIncome"), QStringLiteral("Вид деятельности")),
      lbActivityType(createLabel(this, "lbActivityType", QStringLiteral("Вид деятельности"))),
      rbPredp(createRadio(this, "rbPredp", QStringLiteral("Предпринимательская"))),
      rbNota(createRadio(this, "rbNota", QStringLiteral("Нотариальная"))),
      rbAdvokat(createRadio(this, "rbAdvokat", QStringLiteral("Адвокатская"))),
      rbArbitr(createRadio(this, "rbArbitr", QStringLiteral("Арбитражного управляющего"))),
      rbKFH(createRadio(this, "rbKFH", QStringLiteral("Главы КФХ"))),
      rbOcen(createRadio(this, "rbOcen", QStringLiteral("Оценщика"))),
      rbPatent(createRadio(this, "rbPatent", QStringLiteral("Патентного поверенного"))),
      rbMedia(createRadio(this, "rbMedia", QStringLiteral("Медиатора"))),
      rbInaya(createRadio(this, "rbInaya", QStringLiteral("Иная деятельность"))),
      Label1(createLabel(this, "Label1", QStringLiteral("Код вида деятельности"))),
      me1(createEdit(this, "me1", edtNone, ActivityCodeLength)),
      bnIncomeCod(createChooserButton(this, "bnIncomeCod", QStringLiteral("Выбрать код из справочника ОКВЭД")))
{
    auto* kinds = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(6);
    layout->addWidget(lbActivityType);
    for (QRadioButton* button : kindButtons()) {
        kinds->addButton(button);
        layout->addWidget(button);
    }
    connect(kinds, &QButtonGroup::buttonClicked, this,
            [this](QAbstractButton* button) { kindClicked(static_cast<QRadioButton*>(button)); });
    rbPredp->setChecked(true);

    // The exchange file has no place for an activity code, so the row stays hidden; the code an
    // activity already has passes through unchanged.
    me1->setEnabled(false);
    me1->setFixedWidth(ActivityCodeWidth);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(Label1);
    codeRow->addWidget(me1);
    codeRow->addWidget(bnIncomeCod);
    codeRow->addStretch();
    layout->addLayout(codeRow);
    for (QWidget* control : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(me1),
                             static_cast<QWidget*>(bnIncomeCod)})
        control->setVisible(false);

    layout->addSpacing(8);
    layout->addLayout(createButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (const ReferenceElement* directory = activityCodeDirectory())
        picker_ = new TFormOKVED(this, *directory);
    connect(bnIncomeCod, &QPushButton::clicked, this, &TfmInputBusinessIncome::chooseCode);

    rbPredp->setFocus();
}

std::array<QRadioButton*, 9> TfmInputBusinessIncome::kindButtons() const
{
    return {rbPredp, rbNota, rbAdvokat, rbArbitr, rbKFH, rbOcen, rbPatent, rbMedia, rbInaya};
}

QString TfmInputBusinessIncome::kind() const
{
    const auto buttons = kindButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked())
            return QString::number(i + 1);
    }
    return QString();
}

void TfmInputBusinessIncome::setKind(const QString& kind)
{
    const auto buttons = kindButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (kind == QString::number(i + 1)) {
            buttons[i]->setChecked(true);
            // A radio button that takes the focus becomes its group's Tab stop: the dialog opens
            // on the kind set, so that Tab comes back to it and Space there changes nothing.
            buttons[i]->setFocus();
            kindClicked(buttons[i]);
        }
    }
}

QString TfmInputBusinessIncome::activityCode() const
{
    return me1->text();
}

void TfmInputBusinessIncome::setActivityCode(const QString& code)
{
    // The caller's preset is no edit of the user's.
    const PageLoadingScope preset;
    me1->setText(code);
}

void TfmInputBusinessIncome::kindClicked(QRadioButton* button)
{
    // Only an entrepreneur's activity is chosen from the code directory.
    const bool entrepreneur = button == rbPredp;
    bnIncomeCod->setEnabled(entrepreneur);
    Label1->setEnabled(entrepreneur);
}

void TfmInputBusinessIncome::chooseCode()
{
    if (picker_ && picker_->exec() == TFormOKVED::Chosen)
        me1->setText(picker_->edOKV->text());
}
