#include "pages/income/Sourse.h"

#include <algorithm>
#include <memory>
#include <string>

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScopedValueRollback>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "computation/Residency.h"
#include "controls/DeclModified.h"
#include "controls/DeletionQuestion.h"
#include "controls/DisplayFormat.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "export/FieldLimits.h"
#include "pages/income/Input13SourseIncome.h"
#include "pages/income/InputSSCDeduct.h"

namespace {

constexpr int SourceListMinimumWidth = 300;
// Rows a list shows at least, however small the window: the page scrolls instead.
constexpr int SourceRowsShown = 3;
constexpr int DeductRowsShown = 3;
constexpr int DeductCodeWidth = 87;
constexpr int DeductSumWidth = 95;
constexpr int RateButtonHeight = 30;
// The fixed advance payments are tax paid, which the exchange file holds in whole roubles.
constexpr int AdvanceDigits = FieldFacetOf("РасчНалПУ", "СумФиксАван").totalDigits;

const QString DeductHint =
    QStringLiteral("Список вычетов по выбранному источнику выплат (раздел 4 справки о доходах)");

TFlashButton* createRateButton(QWidget* parent, const char* name, const QString& caption, const QString& hint)
{
    auto* button = new TFlashButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGroupIndex(1);
    button->setCaption(caption);
    button->setToolTip(hint);
    button->setFixedSize(button->fontMetrics().horizontalAdvance(caption) + 28, RateButtonHeight);
    button->setEnabled(false);
    return button;
}

// A group's caption as a label of its own: a group box title never wraps, and these captions are
// longer than a narrow window is wide.
QLabel* createGroupCaption(QGroupBox* group, const QString& caption)
{
    auto* label = new QLabel(caption, group);
    label->setObjectName(group->objectName() + QStringLiteral("Caption"));
    label->setWordWrap(true);
    return label;
}

// The list takes the height the page gives it, but never less than `rows` rows: the page scrolls
// instead. Its usual preferred height would make the page taller than a small window for nothing.
void showRowsAtLeast(QTreeWidget* list, int rows)
{
    const int rowHeight = list->fontMetrics().height() + 4;
    list->setMinimumHeight(list->header()->sizeHint().height() + rows * rowHeight + 2 * list->frameWidth());
    list->setSizePolicy(list->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
}

// One formatter for the rows of the granted deductions, whether just added or read back.
QStringList deductRow(const mbTSSCDeduct& deduct)
{
    const QString sum = deduct.Sum == Currency() ? QStringLiteral("-") : currencyDisplayText(deduct.Sum);
    return {QString::number(deduct.Code), sum};
}

// What the requisites dialog edits of a source.
struct Requisites {
    std::string name;
    std::string inn;
    std::string kpp;
    std::string oktmo;
    std::uint8_t standardDeductionsHere = 0;
    std::uint8_t investmentPartnership = 0;

    friend bool operator==(const Requisites&, const Requisites&) = default;
};

Requisites requisitesOf(const mbTSourse& source)
{
    return {source.Name, source.Inn, source.Kpp, source.Oktmo, source.StandardDeductionsHere,
            source.IsInvestmentPartnership};
}

Requisites requisitesOf(const TfmInput13SourseIncome& dialog)
{
    return {dialog.GetName().toStdString(),
            dialog.GetINN().toStdString(),
            dialog.GetKPP().toStdString(),
            dialog.GetOKTMO().toStdString(),
            std::uint8_t(dialog.GetPrimaryWorkplace() ? 1 : 0),
            std::uint8_t(dialog.GetIsIT() ? 1 : 0)};
}

void storeRequisites(const Requisites& requisites, mbTSourse& source)
{
    source.Name = requisites.name;
    source.Inn = requisites.inn;
    source.Kpp = requisites.kpp;
    source.Oktmo = requisites.oktmo;
    source.StandardDeductionsHere = requisites.standardDeductionsHere;
    source.IsInvestmentPartnership = requisites.investmentPartnership;
}

void showRequisites(const mbTSourse& source, TfmInput13SourseIncome& dialog)
{
    dialog.SetName(QString::fromStdString(source.Name));
    dialog.SetINN(QString::fromStdString(source.Inn));
    dialog.SetKPP(QString::fromStdString(source.Kpp));
    dialog.SetOKTMO(QString::fromStdString(source.Oktmo));
    dialog.SetPrimaryWorkplace(source.StandardDeductionsHere != 0);
    dialog.SetIsIT(source.IsInvestmentPartnership != 0);
}

// Shows an item dialog. What the user types there is no edit of the declaration until the
// dialog is confirmed: the page reports the change then, if there is one.
bool confirmed(TConfirmDialog& dialog)
{
    const PageLoadingScope notYetAnEdit;
    return dialog.exec() == TConfirmDialog::Confirmed;
}

} // namespace

TfrSourse::TfrSourse(QWidget* owner, DeclarationSlot& declaration) : TThinkingFrame(owner, declaration)
{
    setObjectName(QStringLiteral("TfrSourse"));
    createControls();
    layOutControls();
    {
        const LoadingScope loading(*this);
        const PageLoadingScope filling;
        meA25->setCurrencyValue(Declaration->ForeignerFixedPayments);
        listSources();
        // No source is selected yet: the frame is empty, and stays so until the user picks one.
        showFrame(isNonResident() ? RateLines::Other : RateLines::Rate13);
        SetSourceEditable(false, false);
    }
    connectHandlers();
}

TfrSourse::~TfrSourse()
{
    // The controls outlive this page's own parts; what they signal while going must not reach it.
    for (QObject* control : findChildren<QObject*>())
        QObject::disconnect(control, nullptr, this, nullptr);
    delete FRateFrame;
}

bool TfrSourse::isNonResident() const
{
    return !IsResidentDeclaration(*Declaration);
}

mbTSourse& TfrSourse::source(int index) const
{
    return *Declaration->GetSource(std::size_t(index));
}

int TfrSourse::sourceCount() const
{
    return int(Declaration->SourceCount());
}

void TfrSourse::createControls()
{
    pnlPersonData = new QFrame(this);
    pnlPersonData->setObjectName(QStringLiteral("pnlPersonData"));
    pnlPersonData->setFrameStyle(QFrame::Panel | QFrame::Raised);
    fb13 = createRateButton(pnlPersonData, "fb13", QStringLiteral("13%"),
                            QStringLiteral("Доходы, облагаемые по ставке 13%"));
    fb15 = createRateButton(pnlPersonData, "fb15", QStringLiteral("15%"),
                            QStringLiteral("Доходы, облагаемые по ставке 15%"));
    if (isNonResident()) {
        fbOther = createRateButton(pnlPersonData, "fbOther", QStringLiteral("30% и иные ставки"),
                                   QStringLiteral("Доходы, облагаемые по ставке 30%, а также по иным ставкам"));
    } else {
        fbOther = createRateButton(pnlPersonData, "fbOther", QStringLiteral("Иные ставки"),
                                   QStringLiteral("Доходы, облагаемые по иным ставкам"));
    }

    gbA25 = createGroupBox(this, "gbA25", QStringLiteral("  Авансовые платежи иностранца"));
    lbA25 = createLabel(gbA25, "lbA25", QStringLiteral("Сумма фиксированных платежей"));
    meA25 = createWholeRoublesEdit(gbA25, "meA25", AdvanceDigits);

    lvSourseIncomeInfo = createItemList(this, QStringLiteral("lvSourseIncomeInfo"),
                                        QStringLiteral("Источники выплат"), SourceListMinimumWidth);
    lvSourseIncomeInfo->setToolTip(QStringLiteral("Список источников выплат"));
    // The one column is as wide as the list: no horizontal scroll bar for a short name.
    lvSourseIncomeInfo->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    showRowsAtLeast(lvSourseIncomeInfo, SourceRowsShown);
    fbAddSourseIncome = createItemButton(this, QStringLiteral("fbAddSourseIncome"), ItemAction::Add,
                                         QStringLiteral("Добавить источник выплат"));
    fbDeleteSourseIncome = createItemButton(this, QStringLiteral("fbDeleteSourseIncome"), ItemAction::Delete,
                                            QStringLiteral("Удалить источник выплат"));
    fbEditSourseIncome = createItemButton(this, QStringLiteral("fbEditSourseIncome"), ItemAction::Edit,
                                          QStringLiteral("Редактировать источник выплат"));

    gbStSocImVych = createGroupBox(this, "gbStSocImVych", QString());
    gbStSocImVychCaption = createGroupCaption(
        gbStSocImVych,
        QStringLiteral("  Стандартные, социальные и имущественные вычеты, предоставленные налоговым агентом"));
    lvDeduct = createItemList(gbStSocImVych, QStringLiteral("lvDeduct"), QStringLiteral("Код вычета"), DeductCodeWidth);
    lvDeduct->setColumnCount(2);
    lvDeduct->setHeaderLabels({QStringLiteral("Код вычета"), QStringLiteral("Сумма вычета")});
    lvDeduct->setColumnWidth(0, DeductCodeWidth);
    lvDeduct->setColumnWidth(1, DeductSumWidth);
    lvDeduct->setToolTip(DeductHint);
    lvDeduct->setMinimumWidth(DeductCodeWidth + DeductSumWidth + 2 * lvDeduct->frameWidth() + 4);
    showRowsAtLeast(lvDeduct, DeductRowsShown);
    fbAddSSC = createItemButton(gbStSocImVych, QStringLiteral("fbAddSSC"), ItemAction::Add,
                                QStringLiteral("Добавить вычет"));
    fbRemoveSSC = createItemButton(gbStSocImVych, QStringLiteral("fbRemoveSSC"), ItemAction::Delete,
                                   QStringLiteral("Удалить вычет"));
    fbEditSSC = createItemButton(gbStSocImVych, QStringLiteral("fbEditSSC"), ItemAction::Edit,
                                 QStringLiteral("Редактировать вычет"));
    // A non-resident is granted no deductions.
    gbStSocImVych->setVisible(!isNonResident());

    GroupBox1 = createGroupBox(this, "GroupBox1", QString());
    GroupBox1Caption = createGroupCaption(GroupBox1, QString());
    PnlFormContainer = new QWidget(GroupBox1);
    PnlFormContainer->setObjectName(QStringLiteral("PnlFormContainer"));
}

void TfrSourse::layOutControls()
{
    auto* a25 = new QHBoxLayout(gbA25);
    a25->setContentsMargins(8, 2, 8, 4);
    a25->addWidget(lbA25);
    a25->addWidget(meA25);
    a25->addStretch();

    auto* strip = new QHBoxLayout(pnlPersonData);
    strip->setContentsMargins(4, 2, 4, 2);
    strip->setSpacing(2);
    for (TFlashButton* button : {fb13, fb15, fbOther})
        strip->addWidget(button, 0, Qt::AlignBottom);
    strip->addStretch();

    auto* sources = new QHBoxLayout;
    sources->setSpacing(4);
    sources->addWidget(lvSourseIncomeInfo, 1);
    sources->addLayout(buttonColumn({fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome}));

    auto* deductList = new QHBoxLayout;
    deductList->addWidget(lvDeduct, 1);
    deductList->addLayout(buttonColumn({fbAddSSC, fbRemoveSSC, fbEditSSC}));
    auto* deducts = new QVBoxLayout(gbStSocImVych);
    deducts->setContentsMargins(6, 2, 6, 6);
    deducts->setSpacing(2);
    deducts->addWidget(gbStSocImVychCaption);
    deducts->addLayout(deductList, 1);

    auto* container = new QVBoxLayout(PnlFormContainer);
    container->setContentsMargins(0, 0, 0, 0);
    auto* frame = new QVBoxLayout(GroupBox1);
    frame->setContentsMargins(4, 2, 4, 4);
    frame->setSpacing(2);
    frame->addWidget(GroupBox1Caption);
    frame->addWidget(PnlFormContainer, 1);

    // One column, so that a narrow window needs no horizontal scrolling.
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->setSpacing(4);
    page->addWidget(pnlPersonData);
    page->addWidget(gbA25);
    page->addLayout(sources, 2);
    page->addWidget(gbStSocImVych, 2);
    page->addWidget(GroupBox1, 5);
}

void TfrSourse::connectHandlers()
{
    connect(fb13, &TFlashButton::clicked, this, [this] { rateButtonClick(RateLines::Rate13); });
    connect(fb15, &TFlashButton::clicked, this, [this] { rateButtonClick(RateLines::Rate15); });
    connect(fbOther, &TFlashButton::clicked, this, [this] { rateButtonClick(RateLines::Other); });

    connect(lvSourseIncomeInfo, &QTreeWidget::itemSelectionChanged, this, &TfrSourse::sourceSelectionChanged);
    onItemOpened(lvSourseIncomeInfo, [this] { fbEditSourseIncomeClick(); });
    bindListCommands(lvSourseIncomeInfo, {fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome});
    connect(fbAddSourseIncome, &TFlashButton::clicked, this, &TfrSourse::fbAddSourseIncomeClick);
    connect(fbDeleteSourseIncome, &TFlashButton::clicked, this, &TfrSourse::fbDeleteSourseIncomeClick);
    connect(fbEditSourseIncome, &TFlashButton::clicked, this, &TfrSourse::fbEditSourseIncomeClick);

    connect(lvDeduct, &QTreeWidget::itemSelectionChanged, this, &TfrSourse::deductSelectionChanged);
    onItemOpened(lvDeduct, [this] { fbEditSSCClick(); });
    bindListCommands(lvDeduct, {fbAddSSC, fbRemoveSSC, fbEditSSC});
    connect(fbAddSSC, &TFlashButton::clicked, this, &TfrSourse::fbAddSSCClick);
    connect(fbRemoveSSC, &TFlashButton::clicked, this, &TfrSourse::fbRemoveSSCClick);
    connect(fbEditSSC, &TFlashButton::clicked, this, &TfrSourse::fbEditSSCClick);
}

void TfrSourse::listSources()
{
    for (int i = 0; i < sourceCount(); ++i)
        new QTreeWidgetItem(lvSourseIncomeInfo, {QString::fromStdString(source(i).Name)});
}

void TfrSourse::listDeductions()
{
    const QScopedValueRollback<bool> filling(FDeletingDeduct, true);
    lvDeduct->clear();
    FDeductIndex = -1;
    if (FSourceIndex < 0 || isNonResident())
        return;
    const mbTSourse& shown = source(FSourceIndex);
    for (std::size_t i = 0; i < shown.SSCDeductCount(); ++i)
        new QTreeWidgetItem(lvDeduct, deductRow(shown.GetSSCDeduct(i)));
    if (lvDeduct->topLevelItemCount() > 0) {
        selectRow(lvDeduct, 0);
        FDeductIndex = 0;
    }
}

void TfrSourse::SaveData()
{
    Declaration->ForeignerFixedPayments = meA25->currencyValue();
    FRateFrame->SaveData();
}

void TfrSourse::focusFirst()
{
    focusList(lvSourseIncomeInfo);
}

void TfrSourse::FocusError(std::uint16_t code)
{
    if (code < 1 || code > sourceCount())
        return;
    lvSourseIncomeInfo->setFocus();
    selectRow(lvSourseIncomeInfo, code - 1);
}

void TfrSourse::ShowRateFrame(int frame, std::uint16_t element)
{
    if (element < 1 || element > sourceCount())
        return;
    lvSourseIncomeInfo->setFocus();
    selectRow(lvSourseIncomeInfo, element - 1);
    const RateLines wanted = frame == 1                 ? RateLines::Rate15
                             : frame >= 2 && frame <= 70 ? RateLines::Other
                                                         : RateLines::Rate13;
    if (FRateFrame->lines() != wanted) {
        FRateFrame->SaveData();
        showFrame(wanted);
    }
    if (frame > 70)
        fbEditSourseIncomeClick();
}

void TfrSourse::SetSourceEditable(bool editable, bool isIT)
{
    FRateFrame->SetEditable(editable);
    for (TFlashButton* button : {fb13, fb15, fbOther})
        button->setEnabled(editable);
    FDeductsAllowed = editable && !isIT;
    updateSourceButtons();
    updateDeductButtons();
}

void TfrSourse::showFrame(RateLines lines)
{
    const PageLoadingScope filling;
    auto* frame = new TfrRateLines(lines, PnlFormContainer, Declaration, FSourceIndex);
    delete FRateFrame;
    FRateFrame = frame;
    PnlFormContainer->layout()->addWidget(frame);
    frame->SetEditable(FSourceIndex >= 0);
    GroupBox1Caption->setText(TfrRateLines::groupCaption(lines, Declaration->DeclarationType));
    rateButton(lines)->setDown(true);
}

TFlashButton* TfrSourse::rateButton(RateLines lines) const
{
    switch (lines) {
    case RateLines::Rate13: return fb13;
    case RateLines::Rate15: return fb15;
    case RateLines::Other: return fbOther;
    }
    return fb13;
}

void TfrSourse::rateButtonClick(RateLines lines)
{
    if (FRateFrame->lines() == lines)
        return;
    FRateFrame->SaveData();
    if (const std::uint16_t code = FRateFrame->CheckData(); code != 0) {
        rateButton(FRateFrame->lines())->setDown(true);
        FRateFrame->FocusError(code);
        return;
    }
    showFrame(lines);
}

void TfrSourse::updateSourceButtons()
{
    fbDeleteSourseIncome->setEnabled(FSourceIndex >= 0);
    fbEditSourseIncome->setEnabled(FSourceIndex >= 0);
}

void TfrSourse::updateDeductButtons()
{
    fbAddSSC->setEnabled(FDeductsAllowed);
    fbRemoveSSC->setEnabled(FDeductsAllowed && FDeductIndex >= 0);
    fbEditSSC->setEnabled(FDeductsAllowed && FDeductIndex >= 0);
}

void TfrSourse::sourceSelectionChanged()
{
    if (isLoading() || FDeleting)
        return;
    const int row = selectedRow(lvSourseIncomeInfo);
    if (row == FSourceIndex)
        return;
    // The sums typed for the source that was shown go into that source.
    FRateFrame->SaveData();
    FSourceIndex = row;
    if (row < 0) {
        // Nothing is selected, so nothing can be added: an empty frame of the kind shown.
        showFrame(FRateFrame->lines());
        listDeductions();
        SetSourceEditable(false, false);
        return;
    }
    showFrame(isNonResident() ? RateLines::Other : RateLines::Rate13);
    listDeductions();
    SetSourceEditable(true, source(row).IsInvestmentPartnership != 0);
}

void TfrSourse::fbAddSourseIncomeClick()
{
    TfmInput13SourseIncome dialog(this, true);
    dialog.chbPrimaryWorkplase->setVisible(!isNonResident());
    if (!confirmed(dialog))
        return;
    const Requisites typed = requisitesOf(dialog);
    if (QString::fromStdString(typed.name).trimmed().isEmpty())
        return;
    declarationModified();
    const std::size_t index = Declaration->AddSource();
    storeRequisites(typed, source(int(index)));
    new QTreeWidgetItem(lvSourseIncomeInfo, {dialog.GetName()});
    // Selecting it stores the frame of the source shown before and shows the new one.
    selectRow(lvSourseIncomeInfo, int(index));
}

void TfrSourse::fbEditSourseIncomeClick()
{
    const int row = selectedRow(lvSourseIncomeInfo);
    if (row < 0 || row != FSourceIndex)
        return;
    mbTSourse& edited = source(row);
    // An investment partnership has no 13 % lines and grants no deductions.
    const bool allowIT = edited.Income13Count() == 0 && edited.SSCDeductCount() == 0;
    TfmInput13SourseIncome dialog(this, allowIT);
    dialog.chbPrimaryWorkplase->setVisible(!isNonResident());
    {
        const PageLoadingScope filling;
        showRequisites(edited, dialog);
    }
    if (!confirmed(dialog))
        return;
    const Requisites typed = requisitesOf(dialog);
    if (QString::fromStdString(typed.name).trimmed().isEmpty() || typed == requisitesOf(edited))
        return;
    declarationModified();
    storeRequisites(typed, edited);
    lvSourseIncomeInfo->topLevelItem(row)->setText(0, dialog.GetName());
    SetSourceEditable(true, edited.IsInvestmentPartnership != 0);
}

void TfrSourse::fbDeleteSourseIncomeClick()
{
    const int row = selectedRow(lvSourseIncomeInfo);
    if (row < 0 || row != FSourceIndex)
        return;
    // The tax typed in the frame counts as the source's, though not yet stored.
    FRateFrame->SaveData();
    const mbTSourse& going = source(row);
    const bool withheld = going.WithheldTax13 != Currency() || going.WithheldTax15 != Currency()
                          || going.WithheldTax99 != Currency() || going.OrgProfitTax13 != Currency()
                          || going.OrgProfitTax15 != Currency();
    if (!rowDeletionConfirmed(
            lvSourseIncomeInfo, namedRecord(QStringLiteral("источник выплат"), QString::fromStdString(going.Name)),
            {countedRecords(QStringLiteral("его доходы"), QStringLiteral("строк"),
                            going.Income13Count() + going.Income15Count() + going.Income99Count()),
             countedRecords(QStringLiteral("предоставленные им вычеты"), QStringLiteral("строк"), going.SSCDeductCount()),
             withheld ? QStringLiteral("удержанный налог") : QString()}))
        return;
    declarationModified();
    {
        const QScopedValueRollback<bool> deleting(FDeleting, true);
        Declaration->DeleteSource(std::size_t(row));
        delete lvSourseIncomeInfo->takeTopLevelItem(row);
        // The source's frame goes with it, storing nothing: its index may be another's now.
        FSourceIndex = -1;
        showFrame(RateLines::Rate13);
        listDeductions();
        SetSourceEditable(false, false);
        // The list may have selected a neighbour by itself, when the focus went to it with the
        // frame; the row chosen below must arrive as a new selection to show its source.
        selectRow(lvSourseIncomeInfo, -1);
    }
    if (sourceCount() > 0)
        selectRow(lvSourseIncomeInfo, std::max(row - 1, 0));
}

void TfrSourse::deductSelectionChanged()
{
    if (FDeletingDeduct)
        return;
    FDeductIndex = selectedRow(lvDeduct);
    updateDeductButtons();
}

void TfrSourse::fbAddSSCClick()
{
    if (FSourceIndex < 0 || !FDeductsAllowed)
        return;
    TfmInputSSCDeduct dialog(this);
    if (!confirmed(dialog) || dialog.GetCode() == 0)
        return;
    declarationModified();
    auto granted = std::make_unique<mbTSSCDeduct>();
    granted->Code = dialog.GetCode();
    granted->Sum = dialog.GetSum();
    const QStringList row = deductRow(*granted);
    const std::size_t index = source(FSourceIndex).AddSSCDeduct(std::move(granted));
    new QTreeWidgetItem(lvDeduct, row);
    selectRow(lvDeduct, int(index));
}

void TfrSourse::fbEditSSCClick()
{
    const int row = selectedRow(lvDeduct);
    if (FSourceIndex < 0 || !FDeductsAllowed || row < 0 || row != FDeductIndex)
        return;
    mbTSourse& granting = source(FSourceIndex);
    const mbTSSCDeduct& granted = granting.GetSSCDeduct(std::size_t(row));
    TfmInputSSCDeduct dialog(this, granted.Sum, granted.Code);
    // Without a code there is nothing to keep: the deduction stays as it was.
    if (!confirmed(dialog) || dialog.GetCode() == 0)
        return;
    mbTSSCDeduct replacement;
    replacement.Code = dialog.GetCode();
    replacement.Sum = dialog.GetSum();
    if (replacement == granted)
        return;
    declarationModified();
    granting.DeleteSSCDeduct(std::size_t(row), &replacement);
    const QStringList texts = deductRow(replacement);
    QTreeWidgetItem* item = lvDeduct->topLevelItem(row);
    item->setText(0, texts[0]);
    item->setText(1, texts[1]);
}

void TfrSourse::fbRemoveSSCClick()
{
    const int row = selectedRow(lvDeduct);
    if (FSourceIndex < 0 || !FDeductsAllowed || row < 0 || row != FDeductIndex)
        return;
    const mbTSSCDeduct& going = source(FSourceIndex).GetSSCDeduct(std::size_t(row));
    QString named = QStringLiteral("вычет с кодом %1").arg(going.Code);
    if (going.Sum != Currency())
        named += QStringLiteral(" на сумму ") + currencyDisplayText(going.Sum);
    if (!rowDeletionConfirmed(lvDeduct, named))
        return;
    declarationModified();
    {
        const QScopedValueRollback<bool> deleting(FDeletingDeduct, true);
        source(FSourceIndex).DeleteSSCDeduct(std::size_t(row));
        delete lvDeduct->takeTopLevelItem(row);
        selectRow(lvDeduct, -1);
        FDeductIndex = -1;
    }
    if (lvDeduct->topLevelItemCount() > 0)
        selectRow(lvDeduct, std::max(row - 1, 0));
    updateDeductButtons();
}
