#include "pages/deductions/FramePensDeduct.h"

#include <algorithm>
#include <initializer_list>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/CheckRun.h"
#include "controls/DisplayFormat.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "controls/ItemList.h"
#include "controls/PageWidgets.h"
#include "controls/SideBySideLayout.h"
#include "pages/deductions/ChildEduSumDialog.h"
#include "controls/DeletionQuestion.h"
#include "pages/deductions/SocialDeductionRules.h"
#include "pages/deductions/SoursePensDialog.h"

namespace {

constexpr int FundedPensionKind = 4;
constexpr int SumEditWidth = 130;
constexpr int SumListColumnWidth = 230;
constexpr int ContractColumnWidth = 540;
constexpr int ContractListMinimumWidth = 300;
constexpr QMargins GroupMargins(8, 4, 8, 6);
constexpr int RowSpacing = 3;

const QString FundedPensionCaption = QStringLiteral("Дополнительные страховые взносы на накопительную пенсию");
const QString ContractsHeading = QStringLiteral(
    "Договоры добровольного страх. жизни, пенс. страх., негос. пенс. обеспеч. и доп. страх. взносы на накопит. пенсию");

QString contractCaption(const mTPens& contract)
{
    return contract.ContractKind == FundedPensionKind ? FundedPensionCaption
                                                      : QString::fromStdString(contract.OrgName);
}

} // namespace

TfrFramePensDeduct::TfrFramePensDeduct(QWidget* owner, DeclarationSlot& declaration)
    : TThinkingFrame(owner, declaration)
{
    setObjectName(QStringLiteral("TfrFramePensDeduct"));
    createControls();
    layOutControls();
    connectHandlers();

    const LoadingScope loading(*this);
    showDeduction();
}

mTSocialDeduct& TfrFramePensDeduct::social() const
{
    return Declaration->SocialDeduct;
}

void TfrFramePensDeduct::createControls()
{
    gbSocialDeduct = createGroupBox(this, "gbSocialDeduct", QStringLiteral("  Социальные налоговые вычеты"));
    chbGrantingSocDeduct = createCheckBox(gbSocialDeduct, "chbGrantingSocDeduct",
                                          QStringLiteral("Предоставить социальные налоговые вычеты"));
    chbGrantingSocDeduct->setChecked(true);

    gbSimplSocialDeduct =
        createGroupBox(gbSocialDeduct, "gbSimplSocialDeduct", QStringLiteral("  Суммы, затраченные на"));
    QWidget* sums = gbSimplSocialDeduct;
    lbCharitySum = createLabel(sums, "lbCharitySum", QStringLiteral("благотворительность"));
    meCharitySum = createMoneyEdit(sums, "meCharitySum", SumEditWidth);
    lbCharitySum30 = createLabel(sums, "lbCharitySum30", QStringLiteral("благотворительность до 30%"));
    meCharitySum30 = createMoneyEdit(sums, "meCharitySum30", SumEditWidth);
    lbSelfEducationSum = createLabel(sums, "lbSelfEducationSum", QStringLiteral("свое обучение"));
    meSelfEducationSum = createMoneyEdit(sums, "meSelfEducationSum", SumEditWidth);
    lbMedicalSum = createLabel(sums, "lbMedicalSum", QStringLiteral("лечение"));
    meMedicalSum = createMoneyEdit(sums, "meMedicalSum", SumEditWidth);
    lbMedicament = createLabel(sums, "lbMedicament", QStringLiteral("лекарственные препараты"));
    meMedicament = createMoneyEdit(sums, "meMedicament", SumEditWidth);
    lbExpensiveMedicalSum = createLabel(sums, "lbExpensiveMedicalSum", QStringLiteral("дорогостоящее лечение"));
    meExpensiveMedicalSum = createMoneyEdit(sums, "meExpensiveMedicalSum", SumEditWidth);
    lbStrahovka = createLabel(sums, "lbStrahovka", QStringLiteral("добровольное страхование"));
    meStrahovka = createMoneyEdit(sums, "meStrahovka", SumEditWidth);
    lbKval = createLabel(sums, "lbKval", QStringLiteral("оценка квалификации"));
    meKval = createMoneyEdit(sums, "meKval", SumEditWidth);
    yearSums_ = {{
        {lbCharitySum, meCharitySum, &mTSocialDeduct::CharitySum},
        {lbCharitySum30, meCharitySum30, &mTSocialDeduct::CharitySum30},
        {lbSelfEducationSum, meSelfEducationSum, &mTSocialDeduct::SelfEducationSum},
        {lbMedicalSum, meMedicalSum, &mTSocialDeduct::MedicalSum},
        {lbMedicament, meMedicament, &mTSocialDeduct::MedicamentSum},
        {lbExpensiveMedicalSum, meExpensiveMedicalSum, &mTSocialDeduct::ExpensiveMedicalSum},
        {lbStrahovka, meStrahovka, &mTSocialDeduct::InsuranceSum},
        {lbKval, meKval, &mTSocialDeduct::QualificationSum},
    }};

    gbChildrensEduDeduct = createGroupBox(gbSocialDeduct, "gbChildrensEduDeduct",
                                          QStringLiteral("Суммы, уплаченные за обучение детей"));
    lvSumList = createItemList(gbChildrensEduDeduct, QStringLiteral("lvSumList"), QStringLiteral("Суммы"),
                               SumListColumnWidth);
    lvSumList->setToolTip(QStringLiteral("Список сумм, уплаченных за всех детей"));
    fbAddSum = createItemButton(gbChildrensEduDeduct, QStringLiteral("fbAddSum"), ItemAction::Add,
                                QStringLiteral("Добавить очередную сумму, уплаченную за обучение детей"));
    fbDeleteSum = createItemButton(gbChildrensEduDeduct, QStringLiteral("fbDeleteSum"), ItemAction::Delete,
                                   QStringLiteral("Удалить сумму, уплаченную за обучение детей"));
    fbEditSum = createItemButton(gbChildrensEduDeduct, QStringLiteral("fbEditSum"), ItemAction::Edit,
                                 QStringLiteral("Редактировать сумму, уплаченную за обучение детей"));

    lvPensInfo = createItemList(gbSocialDeduct, QStringLiteral("lvPensInfo"), ContractsHeading, ContractColumnWidth);
    lvPensInfo->setToolTip(ContractsHeading);
    fbAddPens = createItemButton(gbSocialDeduct, QStringLiteral("fbAddPens"), ItemAction::Add,
                                 QStringLiteral("Добавить договор"));
    fbDeletePens = createItemButton(gbSocialDeduct, QStringLiteral("fbDeletePens"), ItemAction::Delete,
                                    QStringLiteral("Удалить договор"));
    fbEditPens = createItemButton(gbSocialDeduct, QStringLiteral("fbEditPens"), ItemAction::Edit,
                                  QStringLiteral("Редактировать договор"));
}

void TfrFramePensDeduct::layOutControls()
{
    auto* sumsGrid = new QGridLayout(gbSimplSocialDeduct);
    sumsGrid->setColumnStretch(0, 1);
    sumsGrid->setHorizontalSpacing(16);
    sumsGrid->setVerticalSpacing(RowSpacing);
    sumsGrid->setContentsMargins(GroupMargins);
    for (int row = 0; row < int(yearSums_.size()); ++row) {
        sumsGrid->addWidget(yearSums_[row].label, row, 0);
        sumsGrid->addWidget(yearSums_[row].edit, row, 1);
    }

    auto* childEdu = new QHBoxLayout(gbChildrensEduDeduct);
    childEdu->setContentsMargins(GroupMargins);
    childEdu->addWidget(lvSumList, 1);
    childEdu->addLayout(buttonColumn({fbAddSum, fbDeleteSum, fbEditSum}));
    // Side by side the two boxes stand as tall as each other, the list as tall as the sums.
    gbChildrensEduDeduct->setMinimumHeight(gbSimplSocialDeduct->sizeHint().height());

    // Side by side where the window is wide, the sums for children under the year's sums where
    // it is not.
    auto* upper = new SideBySideLayout(6);
    upper->addWidget(gbSimplSocialDeduct);
    upper->addWidget(gbChildrensEduDeduct);

    letListNarrow(lvPensInfo, ContractListMinimumWidth);
    auto* contracts = new QHBoxLayout;
    contracts->addWidget(lvPensInfo, 1);
    contracts->addLayout(buttonColumn({fbAddPens, fbDeletePens, fbEditPens}));

    auto* deduction = new QVBoxLayout(gbSocialDeduct);
    deduction->setContentsMargins(GroupMargins);
    deduction->addWidget(chbGrantingSocDeduct);
    deduction->addLayout(upper);
    deduction->addLayout(contracts, 1);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->addWidget(gbSocialDeduct);
}

void TfrFramePensDeduct::connectHandlers()
{
    connect(chbGrantingSocDeduct, &QCheckBox::toggled, this, &TfrFramePensDeduct::chbGrantingSocDeductClick);
    connect(fbAddSum, &TFlashButton::clicked, this, &TfrFramePensDeduct::fbAddSumClick);
    connect(fbDeleteSum, &TFlashButton::clicked, this, &TfrFramePensDeduct::fbDeleteSumClick);
    connect(fbEditSum, &TFlashButton::clicked, this, &TfrFramePensDeduct::EditChildEduSum);
    onItemOpened(lvSumList, [this] { EditChildEduSum(); });
    bindListCommands(lvSumList, {fbAddSum, fbDeleteSum, fbEditSum});
    connect(fbAddPens, &TFlashButton::clicked, this, &TfrFramePensDeduct::fbAddPensClick);
    connect(fbDeletePens, &TFlashButton::clicked, this, &TfrFramePensDeduct::fbDeletePensClick);
    connect(fbEditPens, &TFlashButton::clicked, this, &TfrFramePensDeduct::EditPensInfo);
    enableWithSelectedRow(lvSumList, {fbDeleteSum, fbEditSum});
    enableWithSelectedRow(lvPensInfo, {fbDeletePens, fbEditPens});
    onItemOpened(lvPensInfo, [this] { EditPensInfo(); });
    bindListCommands(lvPensInfo, {fbAddPens, fbDeletePens, fbEditPens});
}

void TfrFramePensDeduct::showDeduction()
{
    mTSocialDeduct& deduction = social();
    chbGrantingSocDeduct->setChecked(deduction.Granted != 0);
    if (!chbGrantingSocDeduct->isChecked())
        return;
    for (const YearSum& sum : yearSums_)
        sum.edit->setCurrencyValue(deduction.*sum.field);
    for (int i = 0; i < deduction.ChildEduCount(); ++i)
        new QTreeWidgetItem(lvSumList, {currencyDisplayText(deduction.GetChildEduSum(i))});
    if (lvSumList->topLevelItemCount() > 0)
        selectRow(lvSumList, 0);
    for (const auto& contract : deduction.PensList)
        new QTreeWidgetItem(lvPensInfo, {contractCaption(*contract)});
}

void TfrFramePensDeduct::SaveData()
{
    mTSocialDeduct& deduction = social();
    deduction.Granted = chbGrantingSocDeduct->isChecked() ? 1 : 0;
    for (const YearSum& sum : yearSums_)
        deduction.*sum.field = sum.edit->currencyValue();
}

std::uint16_t TfrFramePensDeduct::CheckData()
{
    const mTSocialDeduct& deduction = social();
    if (deduction.Granted == 0)
        return 0;
    if (!socialDeductionIsEmpty(deduction))
        return 0;
    CheckRun run(this, QStringLiteral("Социальные вычеты"));
    run.report(QStringLiteral("Не введены данные по социальным налоговым вычетам"), NoSocialData);
    return run.result();
}

void TfrFramePensDeduct::FocusError(std::uint16_t code)
{
    focusElement(code, {{NoSocialData, meCharitySum}, {ChildEduSums, lvSumList}});
}

QStringList TfrFramePensDeduct::recordsLostWithoutDeduction() const
{
    const auto filledSums = std::count_if(yearSums_.begin(), yearSums_.end(), [](const YearSum& sum) {
        return sum.edit->currencyValue() != Currency();
    });
    const mTSocialDeduct& deduction = social();
    return {countedRecords(QStringLiteral("суммы социальных расходов"), QStringLiteral("сумм"),
                           std::size_t(filledSums)),
            countedRecords(QStringLiteral("суммы, уплаченные за обучение детей"), QStringLiteral("сумм"),
                           std::size_t(deduction.ChildEduCount())),
            countedRecords(QStringLiteral("договоры страхования и пенсионного обеспечения"),
                           QStringLiteral("договоров"), deduction.PensCount())};
}

void TfrFramePensDeduct::chbGrantingSocDeductClick(bool checked)
{
    if (!checked && !isLoading() && !boxChangeConfirmed(chbGrantingSocDeduct, recordsLostWithoutDeduction()))
        return;
    declarationModified();
    for (const YearSum& sum : yearSums_) {
        sum.label->setEnabled(checked);
        sum.edit->setEnabled(checked);
    }
    // The buttons of a selected row follow their list.
    for (QWidget* control : std::initializer_list<QWidget*>{fbAddSum, fbAddPens, lvSumList, lvPensInfo})
        control->setEnabled(checked);
    if (checked)
        return;

    // Without the deduction nothing of it stays in the declaration, listed or not.
    for (const YearSum& sum : yearSums_)
        sum.edit->setText(QString());
    mTSocialDeduct& deduction = social();
    for (int i = deduction.ChildEduCount() - 1; i >= 0; --i)
        deduction.DeleteChildEduSum(i);
    lvSumList->clear();
    for (std::size_t i = deduction.PensCount(); i > 0; --i)
        deduction.DeletePens(i - 1);
    lvPensInfo->clear();
}

void TfrFramePensDeduct::fbAddSumClick()
{
    TfmChildEduSum dialog(this);
    if (dialog.exec() != TfmChildEduSum::Confirmed || dialog.sum() == Currency())
        return;
    declarationModified();
    const int index = social().AddChildEduSum(dialog.sum());
    new QTreeWidgetItem(lvSumList, {currencyDisplayText(dialog.sum())});
    selectRow(lvSumList, index);
}

void TfrFramePensDeduct::EditChildEduSum()
{
    const int row = selectedRow(lvSumList);
    if (row < 0)
        return;
    TfmChildEduSum dialog(this);
    dialog.setSum(social().GetChildEduSum(row));
    if (dialog.exec() != TfmChildEduSum::Confirmed || dialog.sum() == Currency())
        return;
    declarationModified();
    social().SetChildEduSum(row, dialog.sum());
    lvSumList->topLevelItem(row)->setText(0, currencyDisplayText(dialog.sum()));
    selectRow(lvSumList, row);
}

void TfrFramePensDeduct::fbDeleteSumClick()
{
    const int row = selectedRow(lvSumList);
    if (row < 0)
        return;
    if (!rowDeletionConfirmed(lvSumList, QStringLiteral("сумму %1, уплаченную за обучение ребенка")
                                             .arg(currencyDisplayText(social().GetChildEduSum(row)))))
        return;
    declarationModified();
    social().DeleteChildEduSum(row);
    delete lvSumList->takeTopLevelItem(row);
    selectRow(lvSumList, lvSumList->topLevelItemCount() > 0 ? std::max(row - 1, 0) : -1);
}

void TfrFramePensDeduct::fbAddPensClick()
{
    TfmInputSoursePens dialog(this);
    if (dialog.exec() != TfmInputSoursePens::Confirmed)
        return;
    if (dialog.meSourseName->text().trimmed().isEmpty() && dialog.kind() != FundedPensionKind)
        return;
    declarationModified();
    mTSocialDeduct& deduction = social();
    const std::size_t index = deduction.AddPens();
    mTPens& contract = *deduction.GetPens(index);
    dialog.storeContract(contract);
    new QTreeWidgetItem(lvPensInfo, {contractCaption(contract)});
    selectRow(lvPensInfo, int(index));
}

void TfrFramePensDeduct::EditPensInfo()
{
    const int row = selectedRow(lvPensInfo);
    if (row < 0)
        return;
    mTPens& contract = *social().GetPens(std::size_t(row));
    TfmInputSoursePens dialog(this);
    dialog.setContract(contract);
    if (dialog.exec() != TfmInputSoursePens::Confirmed)
        return;
    if (dialog.meSourseName->text().trimmed().isEmpty() && dialog.kind() != FundedPensionKind)
        return;
    declarationModified();
    dialog.storeContract(contract);
    lvPensInfo->topLevelItem(row)->setText(0, contractCaption(contract));
    selectRow(lvPensInfo, row);
}

void TfrFramePensDeduct::fbDeletePensClick()
{
    const int row = selectedRow(lvPensInfo);
    if (row < 0)
        return;
    if (!rowDeletionConfirmed(lvPensInfo, namedRecord(QStringLiteral("договор"),
                                                      contractCaption(*social().GetPens(std::size_t(row))))))
        return;
    declarationModified();
    social().DeletePens(std::size_t(row));
    delete lvPensInfo->takeTopLevelItem(row);
    selectRow(lvPensInfo, -1);
}
