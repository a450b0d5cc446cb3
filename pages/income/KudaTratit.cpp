#include "pages/income/KudaTratit.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/CheckRun.h"
#include "controls/DeclModified.h"
#include "controls/DeletionQuestion.h"
#include "controls/DisplayFormat.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "controls/ProgramContext.h"
#include "controls/VisualTabOrder.h"
#include "export/FieldLimits.h"
#include "pages/income/ApplicationRules.h"
#include "pages/income/FieldRowsLayout.h"
#include "pages/income/InputTrataDialog.h"

namespace {

constexpr int ListColumnWidth = 320;
constexpr int MoneyWholeDigits = 13;
constexpr int PeriodCodeLength = 10; // "ГД.00.2021"
constexpr QMargins GroupMargins(8, 4, 8, 6);
// About what a group has beside the section column of the smallest window.
constexpr int NarrowestTitle = 400;
constexpr int ItemButtonHeight = 28;
constexpr int ItemGlyphWidth = 20;

const QString RefundRow = QStringLiteral("Заявление на возврат налога");
const QString OffsetRow = QStringLiteral("Заявление на зачет в счет налога");

QString rowText(const mTTrata& application)
{
    return application.IsRefund != 0 ? RefundRow : OffsetRow;
}

TMaskedEdit* createSizedEdit(QWidget* parent, const char* name, TEditTypeControlEnum type, int length)
{
    TMaskedEdit* edit = createEdit(parent, name, type, length);
    edit->setFixedWidth(fieldWidth(edit, length));
    return edit;
}

TMaskedEdit* createMoney(QWidget* parent, const char* name)
{
    TMaskedEdit* edit = createEdit(parent, name, edtCurrency, MoneyWholeDigits);
    edit->setFractionalLength(2);
    edit->setFixedWidth(fieldWidth(edit, MoneyWholeDigits + 3));
    return edit;
}

QComboBox* createChoice(QWidget* parent, const char* name, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItems(items);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

// A choice stored as its 1-based position; 0, and any number the list does not hold, is none.
int choiceIndex(const QComboBox* combo, std::int32_t stored)
{
    return stored >= 1 && stored <= combo->count() ? stored - 1 : -1;
}

std::int32_t storedChoice(const QComboBox* combo)
{
    return combo->currentIndex() + 1;
}

// The list's buttons carry their caption: on an empty page the add button is where to start.
TFlashButton* createListButton(QWidget* parent, const char* name, ItemAction action, const QString& caption)
{
    TFlashButton* button = createItemButton(parent, QLatin1String(name), action, caption);
    button->setCaption(caption);
    const int content = ItemGlyphWidth + button->spacing() + button->fontMetrics().horizontalAdvance(caption);
    button->setFixedSize(content + 20, ItemButtonHeight);
    return button;
}

} // namespace

TfrKudaTratit::TfrKudaTratit(QWidget* owner, DeclarationSlot& declaration) : TThinkingFrame(owner, declaration)
{
    setObjectName(QStringLiteral("TfrKudaTratit"));
    createControls();
    layOutControls();
    connectHandlers();

    const LoadingScope loading(*this);
    listApplications();
}

TfrKudaTratit::~TfrKudaTratit()
{
    // The controls outlive this page's own parts; what they signal while going must not reach it.
    for (QObject* control : findChildren<QObject*>())
        QObject::disconnect(control, nullptr, this, nullptr);
}

mTTrata& TfrKudaTratit::application(int index) const
{
    return *Declaration->GetTrata(std::size_t(index));
}

int TfrKudaTratit::applicationCount() const
{
    return int(Declaration->TrataCount());
}

void TfrKudaTratit::createControls()
{
    const QString listHeading = QStringLiteral("Возврат удержанного налога");
    lvSourseIncomeInfo = createItemList(this, QStringLiteral("lvSourseIncomeInfo"), listHeading, ListColumnWidth);
    lvSourseIncomeInfo->setToolTip(QStringLiteral("Список возвратов и зачетов налога"));
    fbAddSourseIncome = createListButton(this, "fbAddSourseIncome", ItemAction::Add,
                                         QStringLiteral("Добавить заявление"));
    fbDeleteSourseIncome = createListButton(this, "fbDeleteSourseIncome", ItemAction::Delete,
                                            QStringLiteral("Удалить заявление"));

    gbBank = createGroupBox(this, "gbBank", QStringLiteral("  Реквизиты банковского перевода"));
    lbMaxSum = createLabel(gbBank, "lbMaxSum", QStringLiteral("В сумме"));
    meMaxSum = createMoney(gbBank, "meMaxSum");
    chbAllIn =
        createCheckBox(gbBank, "chbAllIn", QStringLiteral("Перечислить всю сумму возврата (весь остаток возврата)"));
    lbBankNaim = createLabel(gbBank, "lbBankNaim", QStringLiteral("Наименование банка"));
    meBankNaim = createEdit(gbBank, "meBankNaim", edtNone, FieldLimits::BankName);
    lbBIK = createLabel(gbBank, "lbBIK", QStringLiteral("БИК"));
    meBIK = createSizedEdit(gbBank, "meBIK", edtDigital, FieldLimits::Bik);
    lbTypeSch = createLabel(gbBank, "lbTypeSch", QStringLiteral("Вид счета"));
    cbTypeSch = createChoice(gbBank, "cbTypeSch",
                             {QStringLiteral("02 - Текущий счет"), QStringLiteral("07 - Счет по вкладам (депозитам)")});
    lbNumSch = createLabel(gbBank, "lbNumSch", QStringLiteral("Номер счета"));
    meNumSch = createSizedEdit(gbBank, "meNumSch", edtDigital, FieldLimits::AccountNumber);

    gbNalog = createGroupBox(
        this, "gbNalog",
        QStringLiteral("  Сведения о налоговом органе, принимающем поступления, и о назначении платежа"));
    lbSum1 = createLabel(gbNalog, "lbSum1", QStringLiteral("В сумме"));
    meSum1 = createMoney(gbNalog, "meSum1");
    lbKind = createLabel(gbNalog, "lbKind", QStringLiteral("Зачет в счет"));
    cbKind = createChoice(gbNalog, "cbKind",
                          {QStringLiteral("1 – погашения недоимки (задолженности по пеням и штрафам)"),
                           QStringLiteral("2 – предстоящих платежей")});
    lbKBK = createLabel(gbNalog, "lbKBK", QStringLiteral("КБК"));
    meKBK = createSizedEdit(gbNalog, "meKBK", edtDigital, FieldLimits::Kbk);
    lbOKTMO = createLabel(gbNalog, "lbOKTMO", QStringLiteral("ОКТМО"));
    meOKTMO = createSizedEdit(gbNalog, "meOKTMO", edtDigital, FieldLimits::Oktmo);
    lbInspection = createLabel(gbNalog, "lbInspection", QStringLiteral("Номер инспекции"));
    meInspection = createSizedEdit(gbNalog, "meInspection", edtDigital, FieldLimits::TaxOfficeCode);
    bnInspection = createChooserButton(gbNalog, "bnInspection", QStringLiteral("Выбрать код из справочника"));
    // Sized by the font, as the fields beside it are.
    bnInspection->setFixedWidth(bnInspection->fontMetrics().horizontalAdvance(bnInspection->text()) + 20);
    lbNote = createLabel(gbNalog, "lbNote", QStringLiteral("Налоговый (расчетный) период (код)"));
    meNote = createSizedEdit(gbNalog, "meNote", edtNone, PeriodCodeLength);
}

void TfrKudaTratit::layOutControls()
{
    // The buttons stand left of the list, as on the other pages, in sight whatever the window.
    auto* list = new QHBoxLayout;
    list->addLayout(buttonColumn({fbAddSourseIncome, fbDeleteSourseIncome}));
    list->addWidget(lvSourseIncomeInfo, 1);

    // Label, field, label, field where the page is wide enough; one pair under another in a
    // narrow window.
    const auto rows = [](QGroupBox* group) {
        auto* layout = new FieldRowsLayout;
        layout->setSpacing(8);
        auto* groupLayout = new QVBoxLayout(group);
        groupLayout->setContentsMargins(GroupMargins);
        groupLayout->setSpacing(4);
        // A title longer than a small window is wide wraps as the group's first line.
        if (group->fontMetrics().horizontalAdvance(group->title()) > NarrowestTitle) {
            auto* title = new QLabel(group->title().trimmed(), group);
            title->setObjectName(group->objectName() + QStringLiteral("Title"));
            title->setWordWrap(true);
            group->setTitle(QString());
            groupLayout->addWidget(title);
        }
        groupLayout->addLayout(layout);
        return layout;
    };

    FieldRowsLayout* bank = rows(gbBank);
    bank->addRow({lbMaxSum, meMaxSum, nullptr, chbAllIn});
    bank->addRow({lbBankNaim, meBankNaim});
    bank->addRow({lbBIK, meBIK, lbNumSch, meNumSch});
    bank->addRow({lbTypeSch, cbTypeSch});

    // The office's code and its chooser make one field.
    auto* inspection = new QWidget(gbNalog);
    inspection->setObjectName(QStringLiteral("pnlInspection"));
    auto* inspectionLayout = new QHBoxLayout(inspection);
    inspectionLayout->setContentsMargins(0, 0, 0, 0);
    inspectionLayout->setSpacing(2);
    inspectionLayout->addWidget(meInspection);
    inspectionLayout->addWidget(bnInspection);
    inspection->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    FieldRowsLayout* offset = rows(gbNalog);
    offset->addRow({lbSum1, meSum1});
    offset->addRow({lbKind, cbKind});
    offset->addRow({lbKBK, meKBK, lbOKTMO, meOKTMO});
    offset->addRow({lbInspection, inspection, lbNote, meNote});

    // Both groups share their columns, so that their fields line up.
    const auto widest = [](std::initializer_list<QWidget*> widgets) {
        int width = 0;
        for (const QWidget* widget : widgets)
            width = std::max({width, widget->sizeHint().width(), widget->minimumWidth()});
        return width;
    };
    const int columns[] = {
        widest({lbMaxSum, lbBankNaim, lbBIK, lbTypeSch, lbSum1, lbKind, lbKBK, lbInspection}),
        widest({meMaxSum, meBIK, meSum1, meKBK}),
        widest({lbNumSch, lbOKTMO, lbNote}),
        widest({meNumSch, meOKTMO, meNote}),
    };
    for (FieldRowsLayout* group : {bank, offset}) {
        for (int column = 0; column < 4; ++column)
            group->setColumnMinimumWidth(column, columns[column]);
    }
    // A bank's name is rarely longer than this; the edit still takes 255 characters.
    meBankNaim->setMaximumWidth(fieldWidth(meBankNaim, 80));

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->setSpacing(4);
    page->addLayout(list, 1);
    page->addWidget(gbBank);
    page->addWidget(gbNalog);
    // The account's number stands beside its bank's code in a wide window and under it in a
    // narrow one, always before its kind: Tab goes as the fields stand, not as they were made.
    keepTabInVisualOrder(gbBank);
    keepTabInVisualOrder(gbNalog);
}

void TfrKudaTratit::connectHandlers()
{
    connect(lvSourseIncomeInfo, &QTreeWidget::itemSelectionChanged, this, &TfrKudaTratit::selectionChanged);
    connect(fbAddSourseIncome, &TFlashButton::clicked, this, &TfrKudaTratit::fbAddSourseIncomeClick);
    connect(fbDeleteSourseIncome, &TFlashButton::clicked, this, &TfrKudaTratit::fbDeleteSourseIncomeClick);
    enableWithSelectedRow(lvSourseIncomeInfo, {fbDeleteSourseIncome});
    bindListCommands(lvSourseIncomeInfo, {.add = fbAddSourseIncome, .remove = fbDeleteSourseIncome});
    connect(bnInspection, &QPushButton::clicked, this, &TfrKudaTratit::bnInspectionClick);
    connect(chbAllIn, &QCheckBox::toggled, this, [this] {
        declarationModified();
        applyAllIn();
    });
    for (QComboBox* combo : {cbTypeSch, cbKind})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { declarationModified(); });
}

void TfrKudaTratit::listApplications()
{
    for (int i = 0; i < applicationCount(); ++i)
        new QTreeWidgetItem(lvSourseIncomeInfo, {rowText(application(i))});
    // No application is open until the user picks one.
    clearFields();
}

void TfrKudaTratit::SaveData()
{
    storeApplication();
}

std::uint16_t TfrKudaTratit::CheckData()
{
    std::optional<CheckRun> run;
    for (int i = 0; i < applicationCount(); ++i) {
        const mTTrata& checked = application(i);
        const QString failure = applicationFailure(checked);
        if (failure.isEmpty())
            continue;
        if (!run)
            run.emplace(this, applicationCheckTitle(checked));
        run->dialog().SetTitle(applicationCheckTitle(checked));
        run->report(failure, std::uint16_t(i + 1));
        if (run->isOver())
            break;
    }
    return run ? run->result() : 0;
}

void TfrKudaTratit::focusFirst()
{
    focusList(lvSourseIncomeInfo);
}

void TfrKudaTratit::FocusError(std::uint16_t code)
{
    if (applicationCount() == 0) {
        fbAddSourseIncome->setFocus();
        return;
    }
    if (code < 1 || code > applicationCount())
        return;
    lvSourseIncomeInfo->setFocus();
    selectRow(lvSourseIncomeInfo, code - 1);
}

void TfrKudaTratit::storeApplication()
{
    if (edited_ >= 0)
        storeFields(application(edited_));
}

void TfrKudaTratit::storeFields(mTTrata& stored) const
{
    if (stored.IsRefund != 0) {
        stored.RefundSum = meMaxSum->currencyValue();
        stored.AllIn = chbAllIn->isChecked() ? 1 : 0;
        stored.BankName = meBankNaim->text().toStdString();
        stored.BankBik = meBIK->text().toStdString();
        stored.AccountKind = storedChoice(cbTypeSch);
        stored.AccountNumber = meNumSch->text().toStdString();
    } else {
        stored.OffsetSum = meSum1->currencyValue();
        stored.TaxOfficeCode = meInspection->text().toStdString();
        stored.Kbk = meKBK->text().toStdString();
        stored.OffsetPurpose = storedChoice(cbKind);
        stored.Oktmo = meOKTMO->text().toStdString();
        stored.Note = meNote->text().toStdString();
    }
}

void TfrKudaTratit::showApplication(int index)
{
    const PageLoadingScope filling;
    edited_ = index;
    const mTTrata& shown = application(index);
    const bool refund = shown.IsRefund != 0;
    gbBank->setEnabled(refund);
    gbNalog->setEnabled(!refund);

    meMaxSum->setEnabled(true);
    meMaxSum->setText(moneyText(shown.RefundSum));
    meBankNaim->setText(QString::fromStdString(shown.BankName));
    meBIK->setText(QString::fromStdString(shown.BankBik));
    cbTypeSch->setCurrentIndex(choiceIndex(cbTypeSch, shown.AccountKind));
    meNumSch->setText(QString::fromStdString(shown.AccountNumber));
    meSum1->setText(moneyText(shown.OffsetSum));
    cbKind->setCurrentIndex(choiceIndex(cbKind, shown.OffsetPurpose));
    meKBK->setText(QString::fromStdString(shown.Kbk));
    meOKTMO->setText(QString::fromStdString(shown.Oktmo));
    meInspection->setText(QString::fromStdString(shown.TaxOfficeCode));
    meNote->setText(QString::fromStdString(shown.Note));

    // Only the last application may take all that is left; one that does already can let it go.
    chbAllIn->setChecked(shown.AllIn != 0);
    chbAllIn->setEnabled(index == applicationCount() - 1 || shown.AllIn != 0);
    const ProgramContext* context = programContext();
    bnInspection->setEnabled(context && context->hasTaxOffices());
    applyAllIn();
}

void TfrKudaTratit::clearFields()
{
    const PageLoadingScope filling;
    edited_ = -1;
    gbBank->setEnabled(false);
    gbNalog->setEnabled(false);
    chbAllIn->setChecked(false);
    for (TMaskedEdit* edit : {meMaxSum, meBankNaim, meBIK, meNumSch, meSum1, meKBK, meOKTMO, meInspection, meNote})
        edit->setText(QString());
    cbTypeSch->setCurrentIndex(-1);
    cbKind->setCurrentIndex(-1);
    updateAddButton();
}

void TfrKudaTratit::applyAllIn()
{
    if (edited_ >= 0 && application(edited_).IsRefund != 0) {
        const bool allIn = chbAllIn->isChecked();
        if (allIn)
            meMaxSum->setText(QString());
        meMaxSum->setEnabled(!allIn);
    }
    updateAddButton();
}

void TfrKudaTratit::updateAddButton()
{
    // The open refund counts as its box stands, not yet stored.
    bool allTaken = false;
    for (int i = 0; i < applicationCount() && !allTaken; ++i) {
        const mTTrata& listed = application(i);
        allTaken = i == edited_ && listed.IsRefund != 0 ? chbAllIn->isChecked() : listed.AllIn != 0;
    }
    fbAddSourseIncome->setEnabled(!allTaken);
}

void TfrKudaTratit::selectionChanged()
{
    if (isLoading() || deleting_)
        return;
    const PageLoadingScope filling;
    storeApplication();
    edited_ = -1;
    const int row = selectedRow(lvSourseIncomeInfo);
    if (row >= 0)
        showApplication(row);
    else
        clearFields();
}

void TfrKudaTratit::fbAddSourseIncomeClick()
{
    TfmInputTrata dialog(this);
    if (dialog.exec() != TfmInputTrata::Confirmed)
        return;
    declarationModified();
    const std::size_t index = Declaration->AddTrata();
    mTTrata& added = *Declaration->GetTrata(index);
    added.IsRefund = dialog.isRefund() ? 1 : 0;
    new QTreeWidgetItem(lvSourseIncomeInfo, {rowText(added)});
    // Selecting stores the application that was open and opens the new one.
    selectRow(lvSourseIncomeInfo, int(index));
}

void TfrKudaTratit::fbDeleteSourseIncomeClick()
{
    const int row = selectedRow(lvSourseIncomeInfo);
    if (edited_ < 0 || row != edited_)
        return;
    mTTrata typed = application(row);
    storeFields(typed);
    mTTrata blank;
    blank.IsRefund = typed.IsRefund;
    // The kind was the one choice of adding it; an application with nothing more goes unasked.
    QString named;
    if (typed != blank) {
        named = rowText(typed);
        named[0] = named[0].toLower();
        const Currency sum = typed.IsRefund != 0 ? typed.RefundSum : typed.OffsetSum;
        if (sum != Currency())
            named += QStringLiteral(" на сумму ") + currencyDisplayText(sum);
    }
    if (!rowDeletionConfirmed(lvSourseIncomeInfo, named))
        return;
    declarationModified();
    // The entry goes now: nothing of the fields is stored into it, nor into the one after it.
    edited_ = -1;
    {
        const QScopedValueRollback<bool> deleting(deleting_, true);
        Declaration->DeleteTrata(std::size_t(row));
        delete lvSourseIncomeInfo->takeTopLevelItem(row);
        selectRow(lvSourseIncomeInfo, applicationCount() > 0 ? std::max(row - 1, 0) : -1);
    }
    if (applicationCount() == 0) {
        clearFields();
        return;
    }
    showApplication(selectedRow(lvSourseIncomeInfo));
}

void TfrKudaTratit::bnInspectionClick()
{
    ProgramContext* context = programContext();
    if (!context)
        return;
    const std::optional<TaxOfficeChoice> choice = context->chooseTaxOffice(meInspection->text());
    // The edit reports the change of its text itself.
    if (choice && choice->code != meInspection->text())
        meInspection->setText(choice->code);
    meInspection->setFocus();
}
