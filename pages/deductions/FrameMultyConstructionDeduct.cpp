#include "pages/deductions/FrameMultyConstructionDeduct.h"

#include <functional>
#include <initializer_list>
#include <memory>

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "computation/ConstructionDeductRules.h"
#include "computation/PropertyPurchaseDeductions.h"
#include "computation/TaxYearFigures.h"
#include "controls/CheckedFigure.h"
#include "controls/DeclModified.h"
#include "controls/DeletionQuestion.h"
#include "controls/DisplayFormat.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "controls/SideBySideLayout.h"
#include "export/FieldLimits.h"
#include "pages/deductions/InputConstruction.h"

namespace {

constexpr int ObjectColumnWidth = 540;
constexpr int ObjectListMinimumWidth = 300;
constexpr int ObjectListMinimumHeight = 120;
constexpr int SumEditWidth = 110;
constexpr QMargins GroupMargins(8, 4, 8, 6);
constexpr FieldFacet SumFacet = FieldFacetOf("РасчИмущВыч", "ВычНовЗачПред");
constexpr int SumWholeDigits = SumFacet.totalDigits - SumFacet.fractionDigits;

const QString EmployerHint = QStringLiteral("т.е. у работодателя");

QString kindName(std::int32_t kind)
{
    switch (kind) {
    case 1: return QStringLiteral("Жилой дом");
    case 2: return QStringLiteral("Квартира");
    case 3: return QStringLiteral("Комната");
    case 4: return QStringLiteral("Доля в доме, квартире, комнате");
    case 5: return QStringLiteral("Земельный участок под строительство");
    case 6: return QStringLiteral("Земельный участок с приобретенным домом");
    case 7: return QStringLiteral("Дом с земельным участком");
    case 8: return QStringLiteral("Доля в земле");
    }
    return QStringLiteral("Объект не выбран");
}

QString objectCaption(const mTConstructionDeductObj& object)
{
    return kindName(object.ObjectCode) + u' ' + QString::fromStdString(object.ObjectNumber);
}

TMaskedEdit* createSumEdit(QWidget* parent, const char* name)
{
    TMaskedEdit* edit = createMoneyEdit(parent, name, SumEditWidth);
    edit->setWholeLength(SumWholeDigits);
    return edit;
}

QLabel* createTotalPanel(QWidget* parent, const char* name)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedWidth(SumEditWidth);
    return panel;
}

QLabel* createWrappedLabel(QWidget* parent, const char* name, const QString& caption)
{
    QLabel* label = createLabel(parent, name, caption);
    label->setWordWrap(true);
    return label;
}

// Captions on the left, edits and totals in a column on the right.
void sumGrid(QGroupBox* group, std::initializer_list<std::pair<QLabel*, QWidget*>> rows)
{
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(GroupMargins);
    grid->setColumnStretch(0, 1);
    grid->setVerticalSpacing(3);
    int row = 0;
    for (const auto& [label, field] : rows) {
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1, Qt::AlignTop);
        ++row;
    }
    grid->setRowStretch(row, 1);
}

// Whether the dates of an edited object must be from 2014 on: always among three or more
// objects, never for a single one; of two, unless the edited object carries the cost alone and
// the other one the interest alone.
bool editNeedsRecentDates(const mTConstructionDeduct& deduction, std::size_t edited)
{
    const std::size_t count = deduction.ObjectCount();
    if (count >= 3)
        return true;
    if (count != 2)
        return false;
    const mTConstructionDeductObj& object = *deduction.GetObject(edited);
    const mTConstructionDeductObj& other = *deduction.GetObject(1 - edited);
    const bool costAndInterestSplit = object.Cost > Currency() && object.InterestPaid == Currency()
                                      && other.InterestPaid > Currency() && other.Cost == Currency();
    return !costAndInterestSplit;
}

// Makes the object dialog and lets `prepare` fill it. Filling a dialog is no edit of the
// declaration: only a confirmed object is.
std::unique_ptr<TfmInputConstruction> preparedDialog(QWidget* owner,
                                                     const std::function<void(TfmInputConstruction&)>& prepare)
{
    const PageLoadingScope filling;
    auto dialog = std::make_unique<TfmInputConstruction>(owner);
    prepare(*dialog);
    return dialog;
}

} // namespace

TfrMultyConstructionDeduct::TfrMultyConstructionDeduct(QWidget* owner, DeclarationSlot& declaration)
    : TThinkingFrame(owner, declaration)
{
    setObjectName(QStringLiteral("TfrMultyConstructionDeduct"));
    createControls();
    layOutControls();
    connectHandlers();

    const LoadingScope loading(*this);
    showDeduction();
}

mTConstructionDeduct& TfrMultyConstructionDeduct::deduction() const
{
    return Declaration->ConstructionDeduct;
}

void TfrMultyConstructionDeduct::createControls()
{
    chbGrantingDeduct = createCheckBox(this, "chbGrantingDeduct",
                                       QStringLiteral("Предоставить имущественный налоговый вычет"));
    chbGrantingDeduct->setChecked(true);

    gbObjectDAta = createGroupBox(this, "gbObjectDAta", QStringLiteral(" Сведения об объектах"));
    lvObjInfo = createItemList(gbObjectDAta, QStringLiteral("lvObjInfo"), QStringLiteral("Список объектов"),
                               ObjectColumnWidth);
    lvObjInfo->setToolTip(QStringLiteral("Список объектов"));
    fbAddObj = createItemButton(gbObjectDAta, QStringLiteral("fbAddObj"), ItemAction::Add,
                                QStringLiteral("Добавить объект"));
    fbDeleteObj = createItemButton(gbObjectDAta, QStringLiteral("fbDeleteObj"), ItemAction::Delete,
                                   QStringLiteral("Удалить объект"));
    fbEditObj = createItemButton(gbObjectDAta, QStringLiteral("fbEditObj"), ItemAction::Edit,
                                 QStringLiteral("Редактировать объект"));

    gbSum = createGroupBox(this, "gbSum", QStringLiteral(" Расчет имущественного вычета"));
    gbChargeSum = createGroupBox(gbSum, "gbChargeSum", QStringLiteral("Данные о покупке (строительстве) объектов"));
    lbVychUpr = createWrappedLabel(gbChargeSum, "lbVychUpr", QStringLiteral("Вычет, предоставленный в упрощенном порядке"));
    meVychUpr = createSumEdit(gbChargeSum, "meVychUpr");
    meVychUpr->setToolTip(EmployerHint);
    lbPostYears = createWrappedLabel(gbChargeSum, "lbPostYears", QStringLiteral("Вычет за предыдущие годы"));
    mePostYears = createSumEdit(gbChargeSum, "mePostYears");
    lbObsch = createWrappedLabel(gbChargeSum, "lbObsch",
                                 QStringLiteral("Общая стоимость всех объектов (с учетом ограничений вычета)"));
    pnlObsch = createTotalPanel(gbChargeSum, "pnlObsch");

    gbCreditSum = createGroupBox(gbSum, "gbCreditSum", QStringLiteral("Данные о процентах по кредитам"));
    lbVychIpUpr = createWrappedLabel(gbCreditSum, "lbVychIpUpr", QStringLiteral("Вычет, предоставленный в упрощенном порядке"));
    meVychIpUpr = createSumEdit(gbCreditSum, "meVychIpUpr");
    meVychIpUpr->setToolTip(EmployerHint);
    lbPostYearsIp = createWrappedLabel(gbCreditSum, "lbPostYearsIp", QStringLiteral("Вычет за предыдущие годы"));
    mePostYearsIp = createSumEdit(gbCreditSum, "mePostYearsIp");
    lbobschip = createWrappedLabel(gbCreditSum, "lbobschip", QStringLiteral("Проценты по кредитам за все годы"));
    pnlObschip = createTotalPanel(gbCreditSum, "pnlObschip");
}

void TfrMultyConstructionDeduct::layOutControls()
{
    letListNarrow(lvObjInfo, ObjectListMinimumWidth);
    lvObjInfo->setMinimumHeight(ObjectListMinimumHeight);
    auto* objects = new QHBoxLayout(gbObjectDAta);
    objects->setContentsMargins(GroupMargins);
    objects->addLayout(buttonColumn({fbAddObj, fbDeleteObj, fbEditObj}));
    objects->addWidget(lvObjInfo, 1);

    sumGrid(gbChargeSum, {{lbVychUpr, meVychUpr}, {lbPostYears, mePostYears}, {lbObsch, pnlObsch}});
    sumGrid(gbCreditSum, {{lbVychIpUpr, meVychIpUpr}, {lbPostYearsIp, mePostYearsIp}, {lbobschip, pnlObschip}});
    // Side by side where the window is wide, one under the other where it is not.
    auto* groups = new SideBySideLayout(6);
    groups->addWidget(gbChargeSum);
    groups->addWidget(gbCreditSum);
    auto* sums = new QVBoxLayout(gbSum);
    sums->setContentsMargins(GroupMargins);
    sums->addLayout(groups);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->addWidget(chbGrantingDeduct);
    page->addWidget(gbObjectDAta, 1);
    page->addWidget(gbSum);
}

void TfrMultyConstructionDeduct::connectHandlers()
{
    connect(chbGrantingDeduct, &QCheckBox::toggled, this, &TfrMultyConstructionDeduct::chbGrantingDeductClick);
    connect(fbAddObj, &TFlashButton::clicked, this, &TfrMultyConstructionDeduct::fbAddObjClick);
    connect(fbDeleteObj, &TFlashButton::clicked, this, &TfrMultyConstructionDeduct::fbDeleteObjClick);
    connect(fbEditObj, &TFlashButton::clicked, this, &TfrMultyConstructionDeduct::EditObjInfo);
    // The list's enabling follows the deduction's box, and the row buttons follow the list.
    enableWithSelectedRow(lvObjInfo, {fbDeleteObj, fbEditObj});
    onItemOpened(lvObjInfo, [this] { EditObjInfo(); });
    bindListCommands(lvObjInfo, {fbAddObj, fbDeleteObj, fbEditObj});
}

void TfrMultyConstructionDeduct::showDeduction()
{
    const mTConstructionDeduct& property = deduction();
    chbGrantingDeduct->setChecked(property.Granted != 0);
    const bool granted = chbGrantingDeduct->isChecked();
    // The rows always match the objects, so that a declaration saved without the deduction but
    // with objects shows them once the box is ticked.
    for (const auto& object : property.ObjectList)
        new QTreeWidgetItem(lvObjInfo, {objectCaption(*object)});
    if (granted) {
        const bool anyObject = property.ObjectCount() > 0;
        SetSumsEnabled(anyObject);
        UpdateTotals();
        // Sums of a declaration without objects are kept as they are, though they cannot be edited.
        meVychUpr->setCurrencyValue(property.SimplifiedDeduction);
        meVychIpUpr->setCurrencyValue(property.SimplifiedInterestDeduction);
        mePostYears->setCurrencyValue(property.PrevYearsDeduction);
        mePostYearsIp->setCurrencyValue(property.PrevYearsInterestDeduction);
    }
    fbAddObj->setEnabled(granted && canAddObject(property));
    if (granted && property.ObjectCount() > 0)
        SetPrevYearsEnabled();
}

void TfrMultyConstructionDeduct::SaveData()
{
    mTConstructionDeduct& property = deduction();
    property.Granted = chbGrantingDeduct->isChecked() ? 1 : 0;
    if (property.Granted == 0)
        return;
    property.SimplifiedDeduction = meVychUpr->currencyValue();
    property.SimplifiedInterestDeduction = meVychIpUpr->currencyValue();
    property.PrevYearsDeduction = mePostYears->currencyValue();
    property.PrevYearsInterestDeduction = mePostYearsIp->currencyValue();
}

void TfrMultyConstructionDeduct::SetSumsEnabled(bool value)
{
    for (QWidget* control : std::initializer_list<QWidget*>{lbObsch, lbobschip, lbVychUpr, meVychUpr, lbVychIpUpr,
                                                            meVychIpUpr, lbPostYears, mePostYears, lbPostYearsIp,
                                                            mePostYearsIp})
        control->setEnabled(value);
}

void TfrMultyConstructionDeduct::SetPrevYearsEnabled()
{
    const bool allowed = prevYearsAllowed(deduction());
    const bool interestAllowed = prevYearsInterestAllowed(deduction());
    lbPostYears->setEnabled(allowed);
    mePostYears->setEnabled(allowed);
    lbPostYearsIp->setEnabled(interestAllowed);
    mePostYearsIp->setEnabled(interestAllowed);
    if (!allowed)
        mePostYears->setText(QString());
    if (!interestAllowed)
        mePostYearsIp->setText(QString());
}

void TfrMultyConstructionDeduct::UpdateTotals()
{
    const mTConstructionDeduct& property = deduction();
    if (property.ObjectCount() == 0) {
        showFigure(pnlObsch, Currency());
        showFigure(pnlObschip, Currency());
        for (TMaskedEdit* edit : {mePostYearsIp, mePostYears, meVychUpr, meVychIpUpr})
            edit->setText(QString());
        return;
    }
    showFigure(pnlObsch, checkedFigure([&] { return CostWithinLimit(property); }));
    showFigure(pnlObschip, checkedFigure([&] { return InterestWithinLimit(property); }));
}

void TfrMultyConstructionDeduct::listChanged()
{
    UpdateTotals();
    fbAddObj->setEnabled(canAddObject(deduction()));
    if (deduction().ObjectCount() > 0)
        SetPrevYearsEnabled();
}

void TfrMultyConstructionDeduct::chbGrantingDeductClick(bool checked)
{
    if (isLoading()) {
        // A declaration is shown as it was saved: nothing of it is deleted on loading.
        for (QWidget* control : std::initializer_list<QWidget*>{gbObjectDAta, fbAddObj, lvObjInfo})
            control->setEnabled(checked);
        if (!checked)
            SetSumsEnabled(false);
        return;
    }
    if (!checked
        && !boxChangeConfirmed(chbGrantingDeduct, {countedRecords(QStringLiteral("объекты имущественного вычета"),
                                                                  QStringLiteral("объектов"),
                                                                  deduction().ObjectCount())}))
        return;
    declarationModified();
    for (QWidget* control : std::initializer_list<QWidget*>{gbObjectDAta, fbAddObj, lvObjInfo})
        control->setEnabled(checked);
    if (checked) {
        SetSumsEnabled(lvObjInfo->topLevelItemCount() > 0);
        listChanged();
        return;
    }
    SetSumsEnabled(false);
    mTConstructionDeduct& property = deduction();
    for (std::size_t i = property.ObjectCount(); i > 0; --i)
        property.DeleteObject(i - 1);
    lvObjInfo->clear();
}

void TfrMultyConstructionDeduct::storeObject(TfmInputConstruction& dialog, mTConstructionDeductObj& object)
{
    dialog.storeObject(object);
    if (object.ShareNumerator > object.ShareDenominator)
        object.ShareNumerator = object.ShareDenominator;
    for (auto& each : deduction().ObjectList)
        each->Pensioner = dialog.Pensioner() ? 1 : 0;
}

void TfrMultyConstructionDeduct::fbAddObjClick()
{
    const mTConstructionDeduct& property = deduction();
    const auto made = preparedDialog(this, [&](TfmInputConstruction& dialog) {
        dialog.SetMinDates(lvObjInfo->topLevelItemCount() > 0);
        dialog.FInterestOnly = singleOldObjectWithoutInterest(property);
        dialog.FInterestAllowed = noInterestBesides(property, property.ObjectCount());
        dialog.SetPensioner(anyPensioner(property));
    });
    TfmInputConstruction& dialog = *made;
    if (dialog.exec() != TfmInputConstruction::Confirmed)
        return;
    declarationModified();
    mTConstructionDeduct& changed = deduction();
    const std::size_t index = changed.AddObject(std::make_unique<mTConstructionDeductObj>());
    storeObject(dialog, *changed.GetObject(index));
    new QTreeWidgetItem(lvObjInfo, {dialog.RowText()});
    selectRow(lvObjInfo, int(index));
    SetSumsEnabled(true);
    listChanged();
}

void TfrMultyConstructionDeduct::EditObjInfo()
{
    const int row = selectedRow(lvObjInfo);
    if (row < 0)
        return;
    const std::size_t index = std::size_t(row);
    const mTConstructionDeduct& property = deduction();
    const mTConstructionDeductObj& object = *property.GetObject(index);
    const auto made = preparedDialog(this, [&](TfmInputConstruction& dialog) {
        dialog.SetMinDates(editNeedsRecentDates(property, index));
        dialog.FInterestOnly = property.ObjectCount() == 2 && !allYearsAfter(property, FirstYearOfNewPurchaseRules - 1)
                               && object.InterestPaid != Currency();
        dialog.FInterestAllowed = noInterestBesides(property, index);
        dialog.SetPensioner(anyPensioner(property));
        dialog.loadObject(object);
    });
    TfmInputConstruction& dialog = *made;
    if (dialog.exec() != TfmInputConstruction::Confirmed)
        return;
    declarationModified();
    storeObject(dialog, *deduction().GetObject(index));
    lvObjInfo->topLevelItem(row)->setText(0, dialog.RowText());
    selectRow(lvObjInfo, row);
    listChanged();
}

void TfrMultyConstructionDeduct::fbDeleteObjClick()
{
    const int row = selectedRow(lvObjInfo);
    if (row < 0)
        return;
    if (!rowDeletionConfirmed(lvObjInfo, namedRecord(QStringLiteral("объект"),
                                                     objectCaption(*deduction().GetObject(std::size_t(row))))))
        return;
    declarationModified();
    deduction().DeleteObject(std::size_t(row));
    delete lvObjInfo->takeTopLevelItem(row);
    UpdateTotals();
    if (lvObjInfo->topLevelItemCount() == 0) {
        SetSumsEnabled(false);
        fbAddObj->setEnabled(true);
        return;
    }
    selectRow(lvObjInfo, std::max(row - 1, 0));
    fbAddObj->setEnabled(canAddObject(deduction()));
    SetPrevYearsEnabled();
}
