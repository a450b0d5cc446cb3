#include "pages/income/BusinessNew.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "computation/BusinessIncome.h"
#include "computation/TaxYearFigures.h"
#include "controls/CheckRun.h"
#include "controls/CheckedFigure.h"
#include "controls/DeclModified.h"
#include "controls/DeletionQuestion.h"
#include "controls/DisplayFormat.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "controls/SideBySideLayout.h"
#include "controls/VisualTabOrder.h"
#include "export/FieldLimits.h"
#include "model/DayDate.h"
#include "pages/income/InputBusinessIncome.h"

namespace {

// Narrow enough for the page to fit a small window; the column fills a wider list.
constexpr int ListColumnWidth = 300;
constexpr int ListRowsShown = 4;
// Tax paid goes into the declaration in whole roubles, each field with the digits it has there.
constexpr int AdvanceDigits = FieldFacetOf("ДоходПредпр", "УплФактАвИт").totalDigits;
constexpr int CorrectedTaxDigits = FieldFacetOf("НБКор105.3", "НалКорСам").totalDigits;
constexpr int PatentDigits = FieldFacetOf("РасчНалПУ", "УплПатентЗач").totalDigits;
constexpr int TradeFeeDigits = FieldFacetOf("РасчНалПУ", "ТСУплПерЗач").totalDigits;
constexpr int OktmoDigits = FieldFacetOf("ДоходИстРФ", "ОКТМО").maxLength;
constexpr int YearDigits = 4;
// The years a farm household may have been formed in; the year a new one starts from.
constexpr int FirstFarmYear = 1997;
constexpr int LastFarmYear = TaxYear;
constexpr int DefaultFarmYear = 2018;
// The foundation date stored when no year is typed.
constexpr int FarmYearWhenEmpty = 2000;
constexpr int UpDownWidth = 16;

const char* const QuarterNames[4] = {"I", "II", "III", "IV"};

// A year or a code: digits only.
TMaskedEdit* createDigits(QWidget* parent, const char* name, int digits)
{
    TMaskedEdit* edit = createEdit(parent, name, edtDigital, digits);
    edit->setFixedWidth(fieldWidth(edit, digits + 1));
    return edit;
}

Currency sumOf(std::initializer_list<const TMaskedEdit*> edits)
{
    Currency sum;
    for (const TMaskedEdit* edit : edits)
        sum += edit->currencyValue();
    return sum;
}

} // namespace

TfrBusinessNew::TfrBusinessNew(QWidget* owner, DeclarationSlot& declaration) : TThinkingFrame(owner, declaration)
{
    setObjectName(QStringLiteral("TfrBusinessNew"));
    createControls();
    layOutControls();
    connectHandlers();

    const LoadingScope loading(*this);
    const PageLoadingScope pageLoading;
    const QScopedValueRollback<bool> filling(FFilling, true);
    for (int i = 0; i < activityCount(); ++i)
        new QTreeWidgetItem(lvSourseIncomeInfo, {activityCaption(activity(i).ActivityKind)});
    showDeclarationFields();
    SetDetailEnabled(activityCount() > 0);
    updateListButtons();
}

TfrBusinessNew::~TfrBusinessNew()
{
    // The controls outlive this page's own parts; what they signal while going must not reach it.
    for (QObject* control : findChildren<QObject*>())
        QObject::disconnect(control, nullptr, this, nullptr);
}

mTBusinessNew& TfrBusinessNew::activity(int index) const
{
    return *Declaration->GetBusiness(std::size_t(index));
}

int TfrBusinessNew::activityCount() const
{
    return int(Declaration->BusinessCount());
}

void TfrBusinessNew::createControls()
{
    lvSourseIncomeInfo = createItemList(this, QStringLiteral("lvSourseIncomeInfo"),
                                        QStringLiteral("Виды деятельности"), ListColumnWidth);
    lvSourseIncomeInfo->setToolTip(QStringLiteral("Список видов деятельности"));
    fbAddSourseIncome = createItemButton(this, QStringLiteral("fbAddSourseIncome"), ItemAction::Add,
                                         QStringLiteral("Добавить вид деятельности"));
    fbDeleteSourseIncome = createItemButton(this, QStringLiteral("fbDeleteSourseIncome"), ItemAction::Delete,
                                            QStringLiteral("Удалить вид деятельности"));
    fbEditSourseIncome = createItemButton(this, QStringLiteral("fbEditSourseIncome"), ItemAction::Edit,
                                          QStringLiteral("Редактировать вид деятельности"));

    gbQuarters = createGroupBox(this, "gbQuarters", QStringLiteral("Доходы и расходы по кварталам"));
    for (int q = 0; q < 4; ++q) {
        const QString quarter = QString::fromLatin1(QuarterNames[q]);
        const QByteArray number = QByteArray::number(q + 1);
        lbDohKv[q] = createLabel(gbQuarters, ("lbDohKv" + number).constData(),
                                 QStringLiteral("Доходы за ") + quarter + QStringLiteral(" квартал"));
        meDohKv[q] = createMoneyEdit(gbQuarters, ("meDohKv" + number).constData());
        lbRashKv[q] = createLabel(gbQuarters, ("lbRashKv" + number).constData(),
                                  QStringLiteral("Расходы за ") + quarter + QStringLiteral(" квартал"));
        meRashKv[q] = createMoneyEdit(gbQuarters, (q == 2 ? QByteArray("meRashkv3") : "meRashKv" + number).constData());
    }
    lbSumDoh = createLabel(gbQuarters, "lbSumDoh", QStringLiteral("Итого доходов"));
    meSumDoh = createMoneyEdit(gbQuarters, "meSumDoh");
    lbSumRash = createLabel(gbQuarters, "lbSumRash", QStringLiteral("Итого расходов"));
    meSumRash = createMoneyEdit(gbQuarters, "meSumRash");

    chbIsConfirmedExpensies = createCheckBox(gbQuarters, "chbIsConfirmedExpensies",
                                             QStringLiteral("Имеются документально подтв. расходы"));
    lbMat = createLabel(gbQuarters, "lbMat", QStringLiteral("Мат. расходы"));
    meMat = createMoneyEdit(gbQuarters, "meMat");
    lbAm = createLabel(gbQuarters, "lbAm", QStringLiteral("Амортизац. начисл."));
    meAm = createMoneyEdit(gbQuarters, "meAm");
    lbTrud = createLabel(gbQuarters, "lbTrud", QStringLiteral("Оплата труда"));
    meTrud = createMoneyEdit(gbQuarters, "meTrud");
    lbProch = createLabel(gbQuarters, "lbProch", QStringLiteral("Прочие расходы"));
    meProch = createMoneyEdit(gbQuarters, "meProch");

    gbDeclaration = createGroupBox(this, "gbDeclaration", QStringLiteral("Сведения по декларации в целом"));
    lbActualPrepayment =
        createLabel(gbDeclaration, "lbActualPrepayment", QStringLiteral("Фактические авансовые платежи"));
    meActualPrepayment = createWholeRoublesEdit(gbDeclaration, "meActualPrepayment", AdvanceDigits);
    lbCorIncome = createLabel(gbDeclaration, "lbCorIncome", QStringLiteral("Скорректированная база"));
    meCorIncome = createMoneyEdit(gbDeclaration, "meCorIncome");
    lbCorExpense = createLabel(gbDeclaration, "lbCorExpense", QStringLiteral("Скорректированный налог"));
    meCorExpense = createWholeRoublesEdit(gbDeclaration, "meCorExpense", CorrectedTaxDigits);
    lbPatentPayment = createLabel(gbDeclaration, "lbPatentPayment", QStringLiteral("Платежи по патенту"));
    mePatentPayment = createWholeRoublesEdit(gbDeclaration, "mePatentPayment", PatentDigits);
    lbTradeTax = createLabel(gbDeclaration, "lbTradeTax", QStringLiteral("Торговый сбор"));
    meTradeTax = createWholeRoublesEdit(gbDeclaration, "meTradeTax", TradeFeeDigits);

    cbIsFH = createCheckBox(gbDeclaration, "cbIsFH", QStringLiteral("Крестьянское (фермерское) хозяйство"));
    lbYear = createLabel(gbDeclaration, "lbYear", QStringLiteral("Год образования"));
    meBeginninFH = createDigits(gbDeclaration, "meBeginninFH", YearDigits);
    updYearUp = new QToolButton(gbDeclaration);
    updYearUp->setObjectName(QStringLiteral("updBeginningUsePrivilegeDateUp"));
    updYearUp->setArrowType(Qt::UpArrow);
    updYearDown = new QToolButton(gbDeclaration);
    updYearDown->setObjectName(QStringLiteral("updBeginningUsePrivilegeDateDown"));
    updYearDown->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {updYearUp, updYearDown}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(UpDownWidth, meBeginninFH->sizeHint().height() / 2);
    }

    cbOktmo = createCheckBox(gbDeclaration, "cbOktmo", QStringLiteral("ОКТМО менялся"));
    for (int q = 0; q < OktmoQuarters; ++q) {
        const QByteArray number = QByteArray::number(q + 1);
        lbOKTMO[q] = createLabel(gbDeclaration, ("lbOKTMO" + number).constData(),
                                 QString::fromLatin1(QuarterNames[q]) + QStringLiteral(" кв."));
        meOKTMO[q] = createDigits(gbDeclaration, ("meOKTMO" + number).constData(), OktmoDigits);
    }
}

namespace {

constexpr int ColumnGap = 16;

// Fields one under the other, each after its label.
QGridLayout* labelledFields(const std::vector<std::pair<QLabel*, QWidget*>>& fields)
{
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(4);
    grid->setHorizontalSpacing(8);
    for (int row = 0; row < int(fields.size()); ++row) {
        grid->addWidget(fields[std::size_t(row)].first, row, 0);
        grid->addWidget(fields[std::size_t(row)].second, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
    grid->setColumnStretch(1, 1);
    return grid;
}

} // namespace

void TfrBusinessNew::layOutControls()
{
    auto* list = new QHBoxLayout;
    list->addLayout(buttonColumn({fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome}));
    list->addWidget(lvSourseIncomeInfo, 1);
    lvSourseIncomeInfo->setFixedHeight(lvSourseIncomeInfo->sizeHintForRow(0) > 0
                                           ? lvSourseIncomeInfo->sizeHintForRow(0) * (ListRowsShown + 1) + 8
                                           : fontMetrics().height() * (ListRowsShown + 2) + 12);

    // Incomes beside expenses, one quarter a line, and the breakdown of documented expenses in
    // two columns below them; in a narrow window each column stands under the other.
    auto* quarterColumns = new SideBySideLayout(ColumnGap);
    std::vector<std::pair<QLabel*, QWidget*>> incomes;
    std::vector<std::pair<QLabel*, QWidget*>> expenses;
    for (int q = 0; q < 4; ++q) {
        incomes.emplace_back(lbDohKv[q], meDohKv[q]);
        expenses.emplace_back(lbRashKv[q], meRashKv[q]);
    }
    incomes.emplace_back(lbSumDoh, meSumDoh);
    expenses.emplace_back(lbSumRash, meSumRash);
    quarterColumns->addLayout(labelledFields(incomes));
    quarterColumns->addLayout(labelledFields(expenses));
    auto* breakdownColumns = new SideBySideLayout(ColumnGap);
    breakdownColumns->addLayout(labelledFields({{lbMat, meMat}, {lbTrud, meTrud}}));
    breakdownColumns->addLayout(labelledFields({{lbAm, meAm}, {lbProch, meProch}}));
    auto* quarters = new QVBoxLayout(gbQuarters);
    quarters->setSpacing(4);
    quarters->addLayout(quarterColumns);
    quarters->addWidget(chbIsConfirmedExpensies);
    quarters->addLayout(breakdownColumns);

    auto* upDown = new QVBoxLayout;
    upDown->setSpacing(0);
    upDown->addWidget(updYearUp);
    upDown->addWidget(updYearDown);
    auto* year = new QHBoxLayout;
    year->setSpacing(4);
    year->addWidget(cbIsFH);
    year->addSpacing(8);
    year->addWidget(lbYear);
    year->addWidget(meBeginninFH);
    year->addLayout(upDown);
    year->addStretch();
    auto* oktmoCodes = new SideBySideLayout(ColumnGap);
    for (int q = 0; q < OktmoQuarters; ++q) {
        auto* code = new QHBoxLayout;
        code->setSpacing(4);
        code->addWidget(lbOKTMO[q]);
        code->addWidget(meOKTMO[q]);
        code->addStretch();
        oktmoCodes->addLayout(code);
    }

    auto* wholeColumns = new SideBySideLayout(ColumnGap);
    wholeColumns->addLayout(labelledFields(
        {{lbActualPrepayment, meActualPrepayment}, {lbCorIncome, meCorIncome}, {lbCorExpense, meCorExpense}}));
    wholeColumns->addLayout(labelledFields({{lbPatentPayment, mePatentPayment}, {lbTradeTax, meTradeTax}}));
    auto* whole = new QVBoxLayout(gbDeclaration);
    whole->setSpacing(4);
    whole->addLayout(wholeColumns);
    whole->addLayout(year);
    whole->addWidget(cbOktmo);
    whole->addLayout(oktmoCodes);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->setSpacing(4);
    page->addLayout(list);
    page->addWidget(gbQuarters);
    page->addWidget(gbDeclaration);
    page->addStretch(1);
    // The columns stand side by side in a wide window and one under the other in a narrow one:
    // Tab goes as the fields stand, not as they were made.
    keepTabInVisualOrder(gbQuarters);
    keepTabInVisualOrder(gbDeclaration);
}

void TfrBusinessNew::connectHandlers()
{
    connect(lvSourseIncomeInfo, &QTreeWidget::itemSelectionChanged, this, &TfrBusinessNew::selectionChanged);
    onItemOpened(lvSourseIncomeInfo, [this] { EditActivity(); });
    bindListCommands(lvSourseIncomeInfo, {fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome});
    connect(fbAddSourseIncome, &TFlashButton::clicked, this, &TfrBusinessNew::fbAddSourseIncomeClick);
    connect(fbDeleteSourseIncome, &TFlashButton::clicked, this, &TfrBusinessNew::fbDeleteSourseIncomeClick);
    connect(fbEditSourseIncome, &TFlashButton::clicked, this, &TfrBusinessNew::EditActivity);
    connect(chbIsConfirmedExpensies, &QCheckBox::clicked, this, &TfrBusinessNew::chbIsConfirmedExpensiesClick);
    connect(cbIsFH, &QCheckBox::clicked, this, &TfrBusinessNew::cbIsFHClick);
    connect(cbOktmo, &QCheckBox::clicked, this, &TfrBusinessNew::cbOktmoClick);
    connect(updYearUp, &QToolButton::clicked, this, [this] { stepFarmYear(1); });
    connect(updYearDown, &QToolButton::clicked, this, [this] { stepFarmYear(-1); });
    for (int q = 0; q < 4; ++q) {
        connect(meDohKv[q], &QLineEdit::textChanged, this, [this, q] { quarterIncomeChange(q); });
        connect(meRashKv[q], &QLineEdit::textChanged, this, [this] {
            if (!FFilling)
                SumExpenses();
        });
    }
    connect(meSumDoh, &QLineEdit::textChanged, this, &TfrBusinessNew::meSumDohChange);
}

void TfrBusinessNew::showDeclarationFields()
{
    const mTDeclaration& decl = *Declaration;
    meActualPrepayment->setCurrencyValue(decl.ActualAdvancePayments);
    meCorIncome->setCurrencyValue(decl.CorrectedBase);
    meCorExpense->setCurrencyValue(decl.CorrectedTax);
    meTradeTax->setCurrencyValue(decl.TradeLevy);
    mePatentPayment->setCurrencyValue(decl.PatentPayments);
    cbOktmo->setChecked(decl.OKTMOChanged != 0);
    meOKTMO[0]->setText(QString::fromStdString(decl.OKTMO1));
    meOKTMO[1]->setText(QString::fromStdString(decl.OKTMO2));
    meOKTMO[2]->setText(QString::fromStdString(decl.OKTMO3));
    cbIsFH->setChecked(decl.IsPeasantFarm != 0);
    // The stored year as it is, even outside the range the arrows step through.
    const int year = decodeDate(decl.FarmStartDate).year;
    meBeginninFH->setText(year > 0 ? QString::number(year) : QString());
}

void TfrBusinessNew::SetDetailEnabled(bool enabled)
{
    enableAll({lbCorIncome, meCorIncome, lbCorExpense, meCorExpense, lbPatentPayment, mePatentPayment, lbTradeTax,
               meTradeTax, lbActualPrepayment, meActualPrepayment, cbIsFH, cbOktmo},
              enabled);
    if (!enabled) {
        for (TMaskedEdit* edit : {meActualPrepayment, meCorIncome, meCorExpense, mePatentPayment, meTradeTax})
            edit->setText(QString());
        cbIsFH->setChecked(false);
        cbOktmo->setChecked(false);
        for (TMaskedEdit* code : meOKTMO)
            code->setText(QString());
    }
    setFarmYearEnabled(enabled && cbIsFH->isChecked());
    setOktmoEnabled(enabled && cbOktmo->isChecked());
    setActivityFieldsEnabled(enabled && FOpenIndex >= 0);
}

void TfrBusinessNew::setActivityFieldsEnabled(bool enabled)
{
    for (int q = 0; q < 4; ++q)
        enableAll({lbDohKv[q], meDohKv[q], lbRashKv[q], meRashKv[q]}, enabled);
    enableAll({lbSumDoh, lbSumRash, chbIsConfirmedExpensies, lbMat, meMat, lbAm, meAm, lbTrud, meTrud, lbProch,
               meProch},
              enabled);
    // The totals follow from the quarters.
    enableAll({meSumDoh, meSumRash}, false);
    if (enabled)
        return;
    const QScopedValueRollback<bool> filling(FFilling, true);
    for (int q = 0; q < 4; ++q) {
        meDohKv[q]->setText(QString());
        meRashKv[q]->setText(QString());
    }
    for (TMaskedEdit* edit : {meMat, meAm, meTrud, meProch})
        edit->setText(QString());
    for (TMaskedEdit* total : {meSumDoh, meSumRash})
        clearFigure(total);
}

void TfrBusinessNew::SetExpensesEnabled(bool documented)
{
    for (TMaskedEdit* expense : meRashKv)
        expense->setEnabled(documented);
    enableAll({lbMat, meMat, lbAm, meAm, lbTrud, meTrud, lbProch, meProch}, documented);
    if (documented)
        return;
    meMat->setText(QString());
    meAm->setText(QString());
    meTrud->setText(QString());
    meProch->setText(QString());
    for (int q = 0; q < 4; ++q)
        quarterIncomeChange(q);
}

void TfrBusinessNew::setFarmYearEnabled(bool enabled)
{
    enableAll({lbYear, meBeginninFH, updYearUp, updYearDown}, enabled);
}

void TfrBusinessNew::setOktmoEnabled(bool enabled)
{
    for (int q = 0; q < OktmoQuarters; ++q)
        enableAll({lbOKTMO[q], meOKTMO[q]}, enabled);
}

void TfrBusinessNew::updateListButtons()
{
    for (TFlashButton* button : {fbDeleteSourseIncome, fbEditSourseIncome})
        button->setEnabled(FOpenIndex >= 0);
}

bool TfrBusinessNew::usesNorm() const
{
    return !chbIsConfirmedExpensies->isChecked();
}

void TfrBusinessNew::storeActivity()
{
    if (FOpenIndex < 0)
        return;
    mTBusinessNew& stored = activity(FOpenIndex);
    for (int q = 0; q < 4; ++q) {
        stored.QuarterIncome[std::size_t(q)] = meDohKv[q]->currencyValue();
        stored.QuarterExpense[std::size_t(q)] = meRashKv[q]->currencyValue();
    }
    stored.IncomeSum = meSumDoh->currencyValue();
    stored.ExpensesConfirmed = chbIsConfirmedExpensies->isChecked() ? 1 : 0;
    // By the norm the expense is 20 % of the year's income as a whole, not the sum of the
    // quarters' rounded shares.
    stored.ExpenseSum = DocumentsExpenses(stored) ? meSumRash->currencyValue() : ExpenseNorm(stored.IncomeSum);
    stored.MaterialExpenses = meMat->currencyValue();
    stored.Depreciation = meAm->currencyValue();
    stored.LabourExpenses = meTrud->currencyValue();
    stored.OtherExpenses = meProch->currencyValue();
}

void TfrBusinessNew::showActivity(int index)
{
    const PageLoadingScope loading;
    const QScopedValueRollback<bool> filling(FFilling, true);
    FOpenIndex = index;
    const mTBusinessNew& shown = activity(index);
    const bool mayChoose = MayUseExpenseNorm(shown.ActivityKind);
    chbIsConfirmedExpensies->setChecked(DocumentsExpenses(shown));
    chbIsConfirmedExpensies->setVisible(mayChoose);
    setActivityFieldsEnabled(true);
    SetExpensesEnabled(chbIsConfirmedExpensies->isChecked());
    // The figures as stored: opening an activity derives nothing, and takes away a refusal shown
    // for another one.
    showFigure(meSumDoh, shown.IncomeSum, moneyText);
    showFigure(meSumRash, shown.ExpenseSum, moneyText);
    for (int q = 0; q < 4; ++q) {
        meDohKv[q]->setText(moneyText(shown.QuarterIncome[std::size_t(q)]));
        meRashKv[q]->setText(moneyText(shown.QuarterExpense[std::size_t(q)]));
    }
    meMat->setText(moneyText(shown.MaterialExpenses));
    meAm->setText(moneyText(shown.Depreciation));
    meTrud->setText(moneyText(shown.LabourExpenses));
    meProch->setText(moneyText(shown.OtherExpenses));
    updateListButtons();
}

void TfrBusinessNew::selectionChanged()
{
    if (isLoading() || FDeleting)
        return;
    storeActivity();
    FOpenIndex = -1;
    const int row = selectedRow(lvSourseIncomeInfo);
    if (row >= 0) {
        showActivity(row);
        return;
    }
    // No activity open: nothing could take what the quarters' fields would hold.
    setActivityFieldsEnabled(false);
    updateListButtons();
}

void TfrBusinessNew::fbAddSourseIncomeClick()
{
    TfmInputBusinessIncome dialog(this);
    if (dialog.exec() != TfmInputBusinessIncome::Confirmed || dialog.kind().isEmpty())
        return;
    declarationModified();
    if (activityCount() == 0)
        SetDetailEnabled(true);
    const std::size_t index = Declaration->AddBusiness();
    mTBusinessNew& added = activity(int(index));
    added.ActivityKind = dialog.kind().toStdString();
    added.ActivityCode = dialog.activityCode().toStdString();
    added.ExpensesConfirmed = MayUseExpenseNorm(added.ActivityKind) ? 0 : 1;
    new QTreeWidgetItem(lvSourseIncomeInfo, {activityCaption(added.ActivityKind)});
    // Selecting stores the activity that was open and opens the new one.
    selectRow(lvSourseIncomeInfo, int(index));
}

void TfrBusinessNew::EditActivity()
{
    const int row = selectedRow(lvSourseIncomeInfo);
    if (FOpenIndex < 0 || row != FOpenIndex)
        return;
    mTBusinessNew& edited = activity(row);
    TfmInputBusinessIncome dialog(this);
    dialog.setKind(QString::fromStdString(edited.ActivityKind));
    dialog.setActivityCode(QString::fromStdString(edited.ActivityCode));
    if (dialog.exec() != TfmInputBusinessIncome::Confirmed || dialog.kind().isEmpty())
        return;
    const std::string kind = dialog.kind().toStdString();
    const std::string code = dialog.activityCode().toStdString();
    if (kind == edited.ActivityKind && code == edited.ActivityCode)
        return;
    declarationModified();
    edited.ActivityKind = kind;
    edited.ActivityCode = code;
    // A kind that may take the norm keeps the way the box shows; any other documents its expenses,
    // and the norm's figures are no documented expenses: they start from none.
    const bool mayChoose = MayUseExpenseNorm(kind);
    if (!mayChoose && usesNorm()) {
        chbIsConfirmedExpensies->setChecked(true);
        for (TMaskedEdit* expense : meRashKv)
            expense->setText(QString());
    }
    chbIsConfirmedExpensies->setVisible(mayChoose);
    SetExpensesEnabled(chbIsConfirmedExpensies->isChecked());
    if (chbIsConfirmedExpensies->isChecked())
        SumExpenses();
    edited.ExpensesConfirmed = chbIsConfirmedExpensies->isChecked() ? 1 : 0;
    lvSourseIncomeInfo->topLevelItem(row)->setText(0, activityCaption(kind));
}

void TfrBusinessNew::fbDeleteSourseIncomeClick()
{
    const int row = selectedRow(lvSourseIncomeInfo);
    if (FOpenIndex < 0 || row != FOpenIndex)
        return;
    // The open activity's sums as typed, stored or not.
    std::size_t sums = 0;
    for (int q = 0; q < 4; ++q)
        sums += std::size_t(meDohKv[q]->currencyValue() != Currency()) + std::size_t(meRashKv[q]->currencyValue() != Currency());
    for (const TMaskedEdit* expense : {meMat, meAm, meTrud, meProch})
        sums += std::size_t(expense->currencyValue() != Currency());
    if (!rowDeletionConfirmed(
            lvSourseIncomeInfo, namedRecord(QStringLiteral("вид деятельности"), lvSourseIncomeInfo->topLevelItem(row)->text(0)),
            {countedRecords(QStringLiteral("его доходы и расходы"), QStringLiteral("сумм"), sums)}))
        return;
    declarationModified();
    // The activity goes now: nothing of the fields is stored into it, nor into the one after it.
    FOpenIndex = -1;
    {
        const QScopedValueRollback<bool> deleting(FDeleting, true);
        Declaration->DeleteBusiness(std::size_t(row));
        delete lvSourseIncomeInfo->takeTopLevelItem(row);
        selectRow(lvSourseIncomeInfo, -1);
    }
    if (activityCount() == 0) {
        SetDetailEnabled(false);
        updateListButtons();
        return;
    }
    selectRow(lvSourseIncomeInfo, std::max(row - 1, 0));
}

void TfrBusinessNew::focusFirst()
{
    focusList(lvSourseIncomeInfo);
}

void TfrBusinessNew::chbIsConfirmedExpensiesClick()
{
    declarationModified();
    const bool documented = chbIsConfirmedExpensies->isChecked();
    SetExpensesEnabled(documented);
    // Documented, the total expense is the sum of the quarters the user now edits.
    if (documented)
        SumExpenses();
}

void TfrBusinessNew::cbIsFHClick()
{
    declarationModified();
    setFarmYearEnabled(cbIsFH->isChecked());
}

void TfrBusinessNew::cbOktmoClick()
{
    declarationModified();
    const bool changed = cbOktmo->isChecked();
    setOktmoEnabled(changed);
    if (!changed) {
        for (TMaskedEdit* code : meOKTMO)
            code->setText(QString());
    }
}

void TfrBusinessNew::stepFarmYear(int steps)
{
    const QString shown = meBeginninFH->text();
    // A year typed past the range steps from the nearest bound.
    const int current = shown.isEmpty() ? DefaultFarmYear : std::clamp(shown.toInt(), FirstFarmYear, LastFarmYear);
    meBeginninFH->setText(QString::number(std::clamp(current + steps, FirstFarmYear, LastFarmYear)));
}

void TfrBusinessNew::quarterIncomeChange(int quarter)
{
    if (FFilling)
        return;
    if (usesNorm()) {
        const TMaskedEdit* income = meDohKv[quarter];
        if (income->text().isEmpty())
            clearFigure(meRashKv[quarter]);
        else
            showFigure(meRashKv[quarter], ExpenseNorm(income->currencyValue()));
    }
    SumIncome();
}

void TfrBusinessNew::SumIncome()
{
    showFigure(meSumDoh, checkedFigure([this] { return sumOf({meDohKv[0], meDohKv[1], meDohKv[2], meDohKv[3]}); }),
               moneyText);
}

void TfrBusinessNew::SumExpenses()
{
    showFigure(meSumRash,
               checkedFigure([this] { return sumOf({meRashKv[0], meRashKv[1], meRashKv[2], meRashKv[3]}); }),
               moneyText);
}

void TfrBusinessNew::meSumDohChange()
{
    if (FFilling || !usesNorm())
        return;
    if (meSumDoh->text().isEmpty()) {
        clearFigure(meSumRash);
        return;
    }
    // A refused total gives no norm either.
    const std::optional<Currency> income = parseCurrencyDisplayText(meSumDoh->text());
    showFigure(meSumRash, income ? checkedFigure([&] { return ExpenseNorm(*income); }) : std::nullopt);
}

void TfrBusinessNew::SaveData()
{
    storeActivity();
    mTDeclaration& decl = *Declaration;
    decl.ActualAdvancePayments = meActualPrepayment->currencyValue();
    decl.CorrectedBase = meCorIncome->currencyValue();
    decl.CorrectedTax = meCorExpense->currencyValue();
    decl.TradeLevy = meTradeTax->currencyValue();
    decl.PatentPayments = mePatentPayment->currencyValue();
    decl.OKTMOChanged = cbOktmo->isChecked() ? 1 : 0;
    decl.OKTMO1 = meOKTMO[0]->text().toStdString();
    decl.OKTMO2 = meOKTMO[1]->text().toStdString();
    decl.OKTMO3 = meOKTMO[2]->text().toStdString();
    decl.IsPeasantFarm = cbIsFH->isChecked() ? 1 : 0;
    const QString year = meBeginninFH->text();
    decl.FarmStartDate = *encodeDate(year.isEmpty() ? FarmYearWhenEmpty : year.toInt(), 1, 1);
}

std::uint16_t TfrBusinessNew::CheckData()
{
    FFixRule.reset();
    CheckRun run(this, QStringLiteral("Доходы от предпринимательской деятельности"));
    for (const BusinessFailure& failure : businessFailures(*Declaration)) {
        const auto number = std::uint16_t(failure.activity + 1);
        run.report(failure.message, number);
        if (run.isOver()) {
            if (run.result() != 0)
                FFixRule.emplace(number, failure.rule);
            return run.result();
        }
    }
    for (const OktmoFailure& failure : oktmoFailures(*Declaration)) {
        run.dialog().SetTitle(failure.title);
        run.report(failure.message, std::uint16_t(FirstOktmoElement + failure.quarter));
        if (run.isOver())
            return run.result();
    }
    return 0;
}

void TfrBusinessNew::FocusError(std::uint16_t code)
{
    if (code >= FirstOktmoElement && code < FirstOktmoElement + OktmoQuarters) {
        meOKTMO[code - FirstOktmoElement]->setFocus();
        return;
    }
    if (code < 1 || code > activityCount())
        return;
    lvSourseIncomeInfo->setFocus();
    selectRow(lvSourseIncomeInfo, code - 1);
    // The rule the check asked to fix decides where to put it right.
    std::optional<BusinessRule> rule;
    if (FFixRule && FFixRule->first == code)
        rule = FFixRule->second;
    FFixRule.reset();
    if (rule == BusinessRule::MixedExpenseWays && !chbIsConfirmedExpensies->isHidden())
        chbIsConfirmedExpensies->setFocus();
    else if (rule == BusinessRule::Breakdown && meMat->isEnabled())
        meMat->setFocus();
    else if (rule == BusinessRule::QuarterTotals && meDohKv[0]->isEnabled())
        meDohKv[0]->setFocus();
}
