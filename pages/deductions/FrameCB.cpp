#include "pages/deductions/FrameCB.h"

#include <algorithm>
#include <initializer_list>

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "computation/TaxYearFigures.h"
#include "controls/CheckRun.h"
#include "controls/DisplayFormat.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "controls/ItemList.h"
#include "controls/DeletionQuestion.h"
#include "pages/deductions/InfoIISDialog.h"
#include "pages/deductions/InvestmentAccountRules.h"

namespace {

constexpr int AmountEditWidth = 130;
constexpr int AccountColumnWidth = 540;
constexpr int AccountListMinimumWidth = 300;
constexpr QMargins GroupMargins(8, 4, 8, 6);
constexpr int RowSpacing = 3;

// A group's title stays on its frame while the group is wide enough for it; in a narrower group
// (a small main window) it wraps as the group's first line, so that the title does not widen
// the page.
class TitleWrapping : public QObject {
public:
    TitleWrapping(QGroupBox* group, QBoxLayout* layout)
        : QObject(group), group_(group), title_(group->title()),
          wrapped_(new QLabel(group->title().trimmed(), group))
    {
        wrapped_->setObjectName(group->objectName() + QStringLiteral("Title"));
        wrapped_->setWordWrap(true);
        wrapped_->hide();
        layout->insertWidget(0, wrapped_);
        // Without the title on the frame the group narrows to its contents.
        group->setTitle(QString());
        group->setMinimumWidth(group->minimumSizeHint().width());
        group->setTitle(title_);
        group->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == group_ && event->type() == QEvent::Resize) {
            const bool onFrame = group_->width() >= titledWidth();
            group_->setTitle(onFrame ? title_ : QString());
            wrapped_->setVisible(!onFrame);
        }
        return false;
    }

private:
    int titledWidth() const
    {
        QStyleOptionGroupBox option;
        option.initFrom(group_);
        option.text = title_;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QFontMetrics& metrics = group_->fontMetrics();
        const QSize text(metrics.horizontalAdvance(title_ + u' '), metrics.height());
        return group_->style()->sizeFromContents(QStyle::CT_GroupBox, &option, text, group_).width();
    }

    QGroupBox* group_;
    QString title_;
    QLabel* wrapped_;
};

// Amounts of this page that are not above 0 are shown as an empty field.
QString shownAmount(Currency amount)
{
    return amount > Currency() ? currencyDisplayText(amount) : QString();
}

} // namespace

TfrCB::TfrCB(QWidget* owner, DeclarationSlot& declaration) : TThinkingFrame(owner, declaration)
{
    setObjectName(QStringLiteral("TfrCB"));
    createControls();
    layOutControls();
    connectHandlers();

    const LoadingScope loading(*this);
    showDeductions();
}

mTInvDeduct& TfrCB::investment() const
{
    return Declaration->InvDeduct;
}

mTCBDeduct& TfrCB::losses() const
{
    return Declaration->CBDeduct;
}

void TfrCB::createControls()
{
    GroupBox2 = createGroupBox(this, "GroupBox2", QStringLiteral("Инвестиционные вычеты"));
    chbGrantingInvDeduct = createCheckBox(GroupBox2, "chbGrantingInvDeduct",
                                          QStringLiteral("Предоставить инвестиционные вычеты"));
    lbInvCB = createLabel(GroupBox2, "lbInvCB",
                          QStringLiteral("Сумма вычета, предусмотренного пп. 1 п. 1 ст. 219.1 НК РФ (Приложение 8)"));
    meInvCB = createMoneyEdit(GroupBox2, "meInvCB", AmountEditWidth);
    lbInvCBTov = createLabel(
        GroupBox2, "lbInvCBTov",
        QStringLiteral("   - тот же вычет для операций, совершенных в рамках инвестиционного товарищества"));
    meInvCBTov = createMoneyEdit(GroupBox2, "meInvCBTov", AmountEditWidth);
    chbIsP3 = createCheckBox(GroupBox2, "chbIsP3", QStringLiteral("Применить вычет из пп. 3 п. 1 ст. 219.1 НК РФ"));
    lbInvP2 = createLabel(GroupBox2, "lbInvP2",
                          QStringLiteral("Сумма вычета, предусмотренного пп. 2 п. 1 ст. 219.1 НК РФ (Приложение 5)"));
    meInvP2 = createMoneyEdit(GroupBox2, "meInvP2", AmountEditWidth);
    // The contributions deduction is taken from the accounts; its amount is kept, not shown.
    lbInvP2->hide();
    meInvP2->hide();
    lbP2Vozvr = createLabel(
        GroupBox2, "lbP2Vozvr",
        QStringLiteral("Сумма вычета (пп. 2 п. 1 ст. 219.1 НК РФ) предшествующих периодов, подлежащая возврату"));
    meP2Vozvr = createMoneyEdit(GroupBox2, "meP2Vozvr", AmountEditWidth);
    investmentAmounts_ = {{
        {meInvCB, &mTInvDeduct::SecuritiesDeduction},
        {meInvCBTov, &mTInvDeduct::PartnershipDeduction},
        {meInvP2, &mTInvDeduct::IISContributionDeduction},
        {meP2Vozvr, &mTInvDeduct::IISDeductionToReturn},
    }};

    const QString accountsHeading = QStringLiteral("Профессиональные участники рынка ЦБ");
    GroupBox3 = createGroupBox(
        this, "GroupBox3",
        QStringLiteral("Сведения об индивидуальных инвестиционных счетах, действующих в %1 году").arg(TaxYear));
    lvObjInfo = createItemList(GroupBox3, QStringLiteral("lvObjInfo"), accountsHeading, AccountColumnWidth);
    lvObjInfo->setToolTip(accountsHeading);
    fbAddObj = createItemButton(GroupBox3, QStringLiteral("fbAddObj"), ItemAction::Add,
                                QStringLiteral("Добавить объект"));
    fbDeleteObj = createItemButton(GroupBox3, QStringLiteral("fbDeleteObj"), ItemAction::Delete,
                                   QStringLiteral("Удалить объект"));
    fbEditObj = createItemButton(GroupBox3, QStringLiteral("fbEditObj"), ItemAction::Edit,
                                 QStringLiteral("Редактировать объект"));

    gbCbLastYears = createGroupBox(this, "gbCbLastYears", QString());
    chbGrantingDeductCB = createCheckBox(gbCbLastYears, "chbGrantingDeductCB",
                                         QStringLiteral("Учет убытков прошлых лет"));
    GroupBox1 = createGroupBox(gbCbLastYears, "GroupBox1", QStringLiteral("Убытки предыдущих налоговых периодов"));
    Label1 = createLabel(GroupBox1, "Label1", QStringLiteral("Вне ИИС"));
    Label2 = createLabel(GroupBox1, "Label2", QStringLiteral("В рамках ИИС"));
    lbCB = createLabel(GroupBox1, "lbCB", QStringLiteral("Убытки по операциям с ЦБ"));
    meCB = createMoneyEdit(GroupBox1, "meCB", AmountEditWidth);
    meCBIIS = createMoneyEdit(GroupBox1, "meCBIIS", AmountEditWidth);
    lbFiss = createLabel(GroupBox1, "lbFiss", QStringLiteral("Убытки по операциям с ПФИ"));
    meFiss = createMoneyEdit(GroupBox1, "meFiss", AmountEditWidth);
    meFissIIS = createMoneyEdit(GroupBox1, "meFissIIS", AmountEditWidth);
    lbInvTov = createLabel(GroupBox1, "lbInvTov",
                           QStringLiteral("Убытки по операциям в рамках инвестиционного товарищества"));
    meInvTov = createMoneyEdit(GroupBox1, "meInvTov", AmountEditWidth);
    meInvTovIIS = createMoneyEdit(GroupBox1, "meInvTovIIS", AmountEditWidth);
    losses_ = {{
        {meCB, &mTCBDeduct::LossSecurities},
        {meCBIIS, &mTCBDeduct::LossSecuritiesIIS},
        {meFiss, &mTCBDeduct::LossDerivatives},
        {meFissIIS, &mTCBDeduct::LossDerivativesIIS},
        {meInvTov, &mTCBDeduct::LossPartnership},
        {meInvTovIIS, &mTCBDeduct::LossPartnershipIIS},
    }};
}

void TfrCB::layOutControls()
{
    // Long captions wrap in a narrow window rather than widen the page.
    for (QLabel* caption : {lbInvCB, lbInvCBTov, lbInvP2, lbP2Vozvr, lbCB, lbFiss, lbInvTov})
        caption->setWordWrap(true);
    auto* amounts = new QGridLayout(GroupBox2);
    amounts->setColumnStretch(0, 1);
    amounts->setContentsMargins(GroupMargins);
    amounts->setVerticalSpacing(RowSpacing);
    amounts->addWidget(chbGrantingInvDeduct, 0, 0, 1, 2);
    amounts->addWidget(lbInvCB, 1, 0);
    amounts->addWidget(meInvCB, 1, 1);
    amounts->addWidget(lbInvCBTov, 2, 0);
    amounts->addWidget(meInvCBTov, 2, 1);
    amounts->addWidget(chbIsP3, 3, 0, 1, 2);
    amounts->addWidget(lbInvP2, 4, 0);
    amounts->addWidget(meInvP2, 4, 1);
    amounts->addWidget(lbP2Vozvr, 5, 0);
    amounts->addWidget(meP2Vozvr, 5, 1);

    letListNarrow(lvObjInfo, AccountListMinimumWidth);
    auto* accountsGroup = new QVBoxLayout(GroupBox3);
    accountsGroup->setContentsMargins(GroupMargins);
    auto* accounts = new QHBoxLayout;
    accounts->addWidget(lvObjInfo, 1);
    accounts->addLayout(buttonColumn({fbAddObj, fbDeleteObj, fbEditObj}));
    accountsGroup->addLayout(accounts, 1);
    new TitleWrapping(GroupBox3, accountsGroup);

    auto* lossGrid = new QGridLayout(GroupBox1);
    lossGrid->setColumnStretch(0, 1);
    lossGrid->setContentsMargins(GroupMargins);
    lossGrid->setVerticalSpacing(RowSpacing);
    lossGrid->addWidget(Label1, 0, 1, Qt::AlignHCenter);
    lossGrid->addWidget(Label2, 0, 2, Qt::AlignHCenter);
    QLabel* const lossLabels[] = {lbCB, lbFiss, lbInvTov};
    for (int row = 0; row < 3; ++row) {
        lossGrid->addWidget(lossLabels[row], row + 1, 0);
        lossGrid->addWidget(losses_[2 * row].edit, row + 1, 1);
        lossGrid->addWidget(losses_[2 * row + 1].edit, row + 1, 2);
    }
    auto* lastYears = new QVBoxLayout(gbCbLastYears);
    lastYears->setContentsMargins(GroupMargins);
    lastYears->setSpacing(RowSpacing);
    lastYears->addWidget(chbGrantingDeductCB);
    lastYears->addWidget(GroupBox1);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->setSpacing(2);
    page->addWidget(GroupBox2);
    page->addWidget(GroupBox3, 1);
    page->addWidget(gbCbLastYears);
}

void TfrCB::connectHandlers()
{
    connect(chbGrantingInvDeduct, &QCheckBox::toggled, this, [this](bool checked) {
        if (!checked && !isLoading() && !boxChangeConfirmed(chbGrantingInvDeduct, recordsLostWithoutInvestment()))
            return;
        declarationModified();
        SetInvDeductEnabled(checked);
    });
    connect(chbGrantingDeductCB, &QCheckBox::toggled, this, [this](bool checked) {
        if (!checked && !isLoading() && !boxChangeConfirmed(chbGrantingDeductCB, recordsLostWithoutLosses()))
            return;
        declarationModified();
        SetLossesEnabled(checked);
    });
    connect(chbIsP3, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked && !isLoading() && !boxChangeConfirmed(chbIsP3, recordsLostWithP3()))
            return;
        declarationModified();
        SetP3Mode(checked);
    });
    connect(meP2Vozvr, &QLineEdit::textChanged, this, &TfrCB::meP2VozvrChange);
    connect(fbAddObj, &TFlashButton::clicked, this, &TfrCB::fbAddObjClick);
    connect(fbDeleteObj, &TFlashButton::clicked, this, &TfrCB::fbDeleteObjClick);
    connect(fbEditObj, &TFlashButton::clicked, this, &TfrCB::EditIISInfo);
    updateAccountButtons_ = enableWithSelectedRow(lvObjInfo, {fbDeleteObj, fbEditObj}, [this] { return !chbIsP3->isChecked(); });
    onItemOpened(lvObjInfo, [this] { EditIISInfo(); });
    bindListCommands(lvObjInfo, {fbAddObj, fbDeleteObj, fbEditObj});
}

namespace {

bool holdsAmount(const TMaskedEdit* edit)
{
    return edit->currencyValue() != Currency();
}

template <typename Amounts>
std::size_t filledCount(const Amounts& amounts)
{
    return std::size_t(
        std::count_if(amounts.begin(), amounts.end(), [](const auto& amount) { return holdsAmount(amount.edit); }));
}

} // namespace

QStringList TfrCB::recordsLostWithoutInvestment() const
{
    return {countedRecords(QStringLiteral("суммы инвестиционных вычетов"), QStringLiteral("сумм"),
                           filledCount(investmentAmounts_)),
            countedRecords(QStringLiteral("индивидуальные инвестиционные счета"), QStringLiteral("счетов"),
                           investment().InfoIISCount())};
}

QStringList TfrCB::recordsLostWithoutLosses() const
{
    return {countedRecords(QStringLiteral("убытки прошлых лет"), QStringLiteral("сумм"), filledCount(losses_))};
}

QStringList TfrCB::recordsLostWithP3() const
{
    const std::size_t filled = std::size_t(holdsAmount(meInvP2)) + std::size_t(holdsAmount(meP2Vozvr));
    return {countedRecords(QStringLiteral("суммы вычета по пп. 2 п. 1 ст. 219.1 НК РФ"), QStringLiteral("сумм"), filled)};
}

void TfrCB::showDeductions()
{
    const mTInvDeduct& invest = investment();
    // Programmatic changes of the boxes run their handlers, as a click would.
    chbGrantingInvDeduct->setChecked(invest.Granted != 0);
    SetInvDeductEnabled(chbGrantingInvDeduct->isChecked());
    if (chbGrantingInvDeduct->isChecked()) {
        for (const InvestmentAmount& amount : investmentAmounts_)
            amount.edit->setText(shownAmount(invest.*amount.field));
        chbIsP3->setChecked(invest.ApplyIncomeDeduction != 0);
    }

    const mTCBDeduct& loss = losses();
    chbGrantingDeductCB->setChecked(loss.Granted != 0);
    SetLossesEnabled(chbGrantingDeductCB->isChecked());
    if (chbGrantingDeductCB->isChecked()) {
        for (const Loss& amount : losses_)
            amount.edit->setText(shownAmount(loss.*amount.field));
    }

    for (const auto& account : invest.IISList)
        new QTreeWidgetItem(lvObjInfo, {QString::fromStdString(account->ParticipantName)});
    // Listed accounts exclude subparagraph 3 as an account added here does.
    if (lvObjInfo->topLevelItemCount() > 0) {
        chbIsP3->setChecked(false);
        chbIsP3->setEnabled(false);
    }
}

void TfrCB::SaveData()
{
    mTCBDeduct& loss = losses();
    loss.Granted = chbGrantingDeductCB->isChecked() ? 1 : 0;
    for (const Loss& amount : losses_)
        loss.*amount.field = amount.edit->currencyValue();
    mTInvDeduct& invest = investment();
    invest.Granted = chbGrantingInvDeduct->isChecked() ? 1 : 0;
    for (const InvestmentAmount& amount : investmentAmounts_)
        invest.*amount.field = amount.edit->currencyValue();
    invest.ApplyIncomeDeduction = chbIsP3->isChecked() ? 1 : 0;
}

std::uint16_t TfrCB::CheckData()
{
    const QString failure = accountsOverLimitFailure(investment());
    if (failure.isEmpty())
        return 0;
    CheckRun run(this, QStringLiteral("Инвестиционный налоговый вычет"));
    run.report(failure, AccountsOverLimit);
    return run.result();
}

void TfrCB::FocusError(std::uint16_t code)
{
    if (code == AccountsOverLimit)
        lvObjInfo->setFocus();
}

void TfrCB::SetInvDeductEnabled(bool value)
{
    const std::initializer_list<QWidget*> controls{meInvCB,  meInvCBTov, meInvP2,  meP2Vozvr, chbIsP3,
                                                   lbInvCB,  lbInvCBTov, lbInvP2,  lbP2Vozvr, lvObjInfo,
                                                   fbAddObj};
    if (value) {
        enableAll(controls, true);
        GroupBox3->setPalette(QPalette());
        return;
    }

    chbIsP3->setChecked(false);
    enableAll(controls, false);
    for (const InvestmentAmount& amount : investmentAmounts_)
        amount.edit->setText(QString());
    mTInvDeduct& invest = investment();
    for (std::size_t i = invest.InfoIISCount(); i > 0; --i)
        invest.DeleteInfoIIS(i - 1);
    lvObjInfo->clear();
    QPalette greyed = GroupBox3->palette();
    greyed.setColor(QPalette::WindowText, greyed.color(QPalette::Dark));
    GroupBox3->setPalette(greyed);
}

void TfrCB::SetLossesEnabled(bool value)
{
    enableAll({lbCB, lbFiss, lbInvTov}, value);
    for (const Loss& amount : losses_) {
        amount.edit->setEnabled(value);
        if (!value)
            amount.edit->setText(QString());
    }
}

void TfrCB::SetP3Mode(bool value)
{
    if (value) {
        meInvP2->setText(QString());
        meP2Vozvr->setText(QString());
    }
    enableAll({meInvP2, meP2Vozvr, lbInvP2, lbP2Vozvr, fbAddObj}, !value);
    updateAccountButtons_();
}

void TfrCB::meP2VozvrChange()
{
    if (!meP2Vozvr->text().isEmpty()) {
        chbIsP3->setChecked(false);
        chbIsP3->setEnabled(false);
        return;
    }
    allowP3IfNothingExcludesIt();
}

void TfrCB::allowP3IfNothingExcludesIt()
{
    if (meP2Vozvr->text().isEmpty() && lvObjInfo->topLevelItemCount() == 0)
        chbIsP3->setEnabled(chbGrantingInvDeduct->isChecked());
}

void TfrCB::fbAddObjClick()
{
    TfmInputInfoIIS dialog(this);
    if (dialog.exec() != TfmInputInfoIIS::Confirmed || dialog.meSourseName->text().trimmed().isEmpty())
        return;
    declarationModified();
    mTInvDeduct& invest = investment();
    const std::size_t index = invest.AddInfoIIS();
    bmTInfoIIS& account = *invest.GetInfoIIS(index);
    dialog.storeAccount(account);
    new QTreeWidgetItem(lvObjInfo, {QString::fromStdString(account.ParticipantName)});
    selectRow(lvObjInfo, int(index));
    chbIsP3->setChecked(false);
    chbIsP3->setEnabled(false);
}

void TfrCB::EditIISInfo()
{
    const int row = selectedRow(lvObjInfo);
    if (row < 0)
        return;
    bmTInfoIIS& account = *investment().GetInfoIIS(std::size_t(row));
    TfmInputInfoIIS dialog(this);
    dialog.setAccount(account);
    if (dialog.exec() != TfmInputInfoIIS::Confirmed)
        return;
    declarationModified();
    dialog.storeAccount(account);
    lvObjInfo->topLevelItem(row)->setText(0, QString::fromStdString(account.ParticipantName));
    selectRow(lvObjInfo, row);
}

void TfrCB::fbDeleteObjClick()
{
    const int row = selectedRow(lvObjInfo);
    if (row < 0)
        return;
    const bmTInfoIIS& going = *investment().GetInfoIIS(std::size_t(row));
    if (!rowDeletionConfirmed(lvObjInfo, namedRecord(QStringLiteral("индивидуальный инвестиционный счет"),
                                                     QString::fromStdString(going.ParticipantName))))
        return;
    declarationModified();
    investment().DeleteInfoIIS(std::size_t(row));
    delete lvObjInfo->takeTopLevelItem(row);
    selectRow(lvObjInfo, -1);
    allowP3IfNothingExcludesIt();
}
