#include "pages/deductions/FrameCB.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DayDate.h"
#include "pages/deductions/InfoIISDialog.h"
#include "tests/support/MessageAnswers.h"
#include "controls/ItemList.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/UserTyping.h"

namespace {

void addAccount(mTInvDeduct& investment, const char* name, Currency paidIn)
{
    bmTInfoIIS& account = *investment.GetInfoIIS(investment.AddInfoIIS());
    account.ParticipantName = name;
    account.ParticipantINN = "7707083893";
    account.ParticipantKPP = "773601001";
    account.ContractNumber = "ИИС-1";
    account.ContractDate = *encodeDate(2019, 2, 27);
    account.OpenDate = *encodeDate(2019, 3, 1);
    account.PaidIn = paidIn;
}

void fillLosses(mTCBDeduct& losses)
{
    losses.Granted = 1;
    losses.LossSecurities = roubles(1000);
    losses.LossSecuritiesIIS = Currency::fromUnits(20'005'000);
    losses.LossDerivatives = roubles(3000);
    losses.LossDerivativesIIS = roubles(4000);
    losses.LossPartnership = Currency::fromUnits(1'234);
    losses.LossPartnershipIIS = roubles(6000);
}

// Subparagraphs 1 and 2 with two accounts, and every loss.
void fillContributions(mTDeclaration& declaration)
{
    mTInvDeduct& investment = declaration.InvDeduct;
    investment.Granted = 1;
    investment.SecuritiesDeduction = roubles(11000);
    investment.PartnershipDeduction = roubles(12000);
    investment.IISContributionDeduction = roubles(13000);
    investment.IISDeductionToReturn = roubles(14000);
    addAccount(investment, "АО \"Брокер\"", roubles(150000));
    addAccount(investment, "ООО \"Управляющая компания\"", Currency::fromUnits(1'000'000'100));
    fillLosses(declaration.CBDeduct);
}

// Subparagraph 3 instead of any account.
void fillIncomeDeduction(mTDeclaration& declaration)
{
    mTInvDeduct& investment = declaration.InvDeduct;
    investment.Granted = 1;
    investment.SecuritiesDeduction = roubles(500);
    investment.ApplyIncomeDeduction = 1;
}

class FrameCBTest : public ::testing::Test {
protected:
    mTInvDeduct& investment() { return window.declaration->InvDeduct; }
    mTCBDeduct& losses() { return window.declaration->CBDeduct; }
    TfrCB* showPage() { return page = window.show<TfrCB>(); }

    // Adds an account through the page's dialog.
    void addAccountOnPage(const QString& name, const QString& paidIn)
    {
        ModalAnswer<TfmInputInfoIIS> answer([&](TfmInputInfoIIS& dialog) {
            typeText(dialog.meSourseName, name);
            typeText(dialog.meINN, QStringLiteral("7707083893"));
            typeText(dialog.meKPP, QStringLiteral("773601001"));
            typeText(dialog.meNomDog, QStringLiteral("ИИС-2"));
            dialog.dtpDataDog->setDateTime(*encodeDate(2021, 4, 1));
            dialog.dtpDataOpen->setDateTime(*encodeDate(2021, 4, 2));
            typeText(dialog.meSum, paidIn);
            dialog.cbPriznakUpr->click();
            dialog.bnOk->click();
        });
        page->fbAddObj->click();
        ASSERT_TRUE(answer.shown);
    }

    UserEditCounter counter;
    PageWindow window;
    TfrCB* page = nullptr;
};

TEST_F(FrameCBTest, LooksAsItShould)
{
    showPage();
    const std::pair<QString, QString> captions[] = {
        {page->GroupBox2->title(), QStringLiteral("Инвестиционные вычеты")},
        {page->chbGrantingInvDeduct->text(), QStringLiteral("Предоставить инвестиционные вычеты")},
        {page->lbInvCB->text(), QStringLiteral("Сумма вычета, предусмотренного пп. 1 п. 1 ст. 219.1 НК РФ (Приложение 8)")},
        {page->lbInvCBTov->text(),
         QStringLiteral("   - тот же вычет для операций, совершенных в рамках инвестиционного товарищества")},
        {page->chbIsP3->text(), QStringLiteral("Применить вычет из пп. 3 п. 1 ст. 219.1 НК РФ")},
        {page->lbInvP2->text(), QStringLiteral("Сумма вычета, предусмотренного пп. 2 п. 1 ст. 219.1 НК РФ (Приложение 5)")},
        {page->lbP2Vozvr->text(),
         QStringLiteral("Сумма вычета (пп. 2 п. 1 ст. 219.1 НК РФ) предшествующих периодов, подлежащая возврату")},
        {page->GroupBox3->title(),
         QStringLiteral("Сведения об индивидуальных инвестиционных счетах, действующих в 2021 году")},
        {page->lvObjInfo->headerItem()->text(0), QStringLiteral("Профессиональные участники рынка ЦБ")},
        {page->lvObjInfo->toolTip(), QStringLiteral("Профессиональные участники рынка ЦБ")},
        {page->fbAddObj->toolTip(), QStringLiteral("Добавить объект")},
        {page->fbDeleteObj->toolTip(), QStringLiteral("Удалить объект")},
        {page->fbEditObj->toolTip(), QStringLiteral("Редактировать объект")},
        {page->chbGrantingDeductCB->text(), QStringLiteral("Учет убытков прошлых лет")},
        {page->GroupBox1->title(), QStringLiteral("Убытки предыдущих налоговых периодов")},
        {page->Label1->text(), QStringLiteral("Вне ИИС")},
        {page->Label2->text(), QStringLiteral("В рамках ИИС")},
        {page->lbCB->text(), QStringLiteral("Убытки по операциям с ЦБ")},
        {page->lbFiss->text(), QStringLiteral("Убытки по операциям с ПФИ")},
        {page->lbInvTov->text(), QStringLiteral("Убытки по операциям в рамках инвестиционного товарищества")},
    };
    for (const auto& [shown, expected] : captions)
        EXPECT_EQ(shown, expected);
    EXPECT_FALSE(page->meInvP2->isVisible());
    EXPECT_FALSE(page->lbInvP2->isVisible());
    EXPECT_FALSE(page->chbGrantingInvDeduct->isChecked());
    EXPECT_FALSE(page->chbGrantingDeductCB->isChecked());
    EXPECT_FALSE(page->meInvCB->isEnabled());
    EXPECT_FALSE(page->chbIsP3->isEnabled());
    EXPECT_FALSE(page->fbAddObj->isEnabled());
    EXPECT_FALSE(page->meCB->isEnabled());
}

TEST_F(FrameCBTest, ADeclarationLoadedAndSavedBackIsUnchanged)
{
    struct Case {
        const char* title;
        std::function<void(mTDeclaration&)> fill;
    };
    const Case cases[] = {
        {"contributions and losses", fillContributions},
        {"income deduction", fillIncomeDeduction},
        {"losses only", [](mTDeclaration& d) { fillLosses(d.CBDeduct); }},
        {"nothing granted", [](mTDeclaration&) {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow fresh;
        test.fill(*fresh.declaration);
        const QByteArray before = fileBytes(*fresh.declaration);
        fresh.show<TfrCB>()->SaveData();
        EXPECT_EQ(fileBytes(*fresh.declaration), before);
    }
    EXPECT_EQ(counter.userEdits, 0) << "filling a page is no edit";
}

TEST_F(FrameCBTest, ShowsAmountsAboveZeroAndTheAccounts)
{
    fillContributions(*window.declaration);
    losses().LossDerivatives = Currency();
    showPage();
    EXPECT_EQ(page->meInvCB->text(), QStringLiteral("11000"));
    EXPECT_EQ(page->meP2Vozvr->text(), QStringLiteral("14000"));
    EXPECT_EQ(page->meCBIIS->text(), QStringLiteral("2000,5"));
    EXPECT_EQ(page->meInvTov->text(), QStringLiteral("0,1234"));
    EXPECT_TRUE(page->meFiss->text().isEmpty()) << "0 is shown empty";
    EXPECT_EQ(rowCaptions(page->lvObjInfo),
              (QStringList{QStringLiteral("АО \"Брокер\""), QStringLiteral("ООО \"Управляющая компания\"")}));
    EXPECT_FALSE(page->chbIsP3->isEnabled()) << "accounts and an amount to return exclude subparagraph 3";
}

TEST_F(FrameCBTest, EachAmountEditWritesItsOwnField)
{
    investment().Granted = 1;
    losses().Granted = 1;
    showPage();
    struct Field {
        TMaskedEdit* edit;
        std::function<Currency&()> field;
    };
    const Field fields[] = {
        {page->meInvCB, [this]() -> Currency& { return investment().SecuritiesDeduction; }},
        {page->meInvCBTov, [this]() -> Currency& { return investment().PartnershipDeduction; }},
        {page->meP2Vozvr, [this]() -> Currency& { return investment().IISDeductionToReturn; }},
        {page->meCB, [this]() -> Currency& { return losses().LossSecurities; }},
        {page->meCBIIS, [this]() -> Currency& { return losses().LossSecuritiesIIS; }},
        {page->meFiss, [this]() -> Currency& { return losses().LossDerivatives; }},
        {page->meFissIIS, [this]() -> Currency& { return losses().LossDerivativesIIS; }},
        {page->meInvTov, [this]() -> Currency& { return losses().LossPartnership; }},
        {page->meInvTovIIS, [this]() -> Currency& { return losses().LossPartnershipIIS; }},
    };
    for (const Field& typed : fields) {
        SCOPED_TRACE(typed.edit->objectName().toStdString());
        typeText(typed.edit, QStringLiteral("1234.56"));
        page->SaveData();
        for (const Field& other : fields)
            EXPECT_EQ(other.field(), other.edit == typed.edit ? Currency::fromUnits(12'345'600) : Currency());
        typeText(typed.edit, QString());
    }
    EXPECT_GT(counter.userEdits, 0);
}

TEST_F(FrameCBTest, SwitchingTheLossesOffEmptiesThemAndSavesZeros)
{
    fillLosses(losses());
    showPage();
    {
        MessageAnswers yes(QMessageBox::Yes);
        page->chbGrantingDeductCB->click();
        EXPECT_EQ(yes.texts, QStringList{QStringLiteral("Удалить убытки прошлых лет (сумм: 6)?")});
    }
    for (TMaskedEdit* edit : {page->meCB, page->meCBIIS, page->meFiss, page->meFissIIS, page->meInvTov,
                              page->meInvTovIIS}) {
        EXPECT_TRUE(edit->text().isEmpty());
        EXPECT_FALSE(edit->isEnabled());
    }
    EXPECT_FALSE(page->lbCB->isEnabled());
    page->SaveData();
    mTCBDeduct none;
    EXPECT_EQ(losses(), none);
    EXPECT_GT(counter.userEdits, 0);
}

TEST_F(FrameCBTest, SwitchingTheInvestmentDeductionOffRemovesItsAccounts)
{
    fillContributions(*window.declaration);
    showPage();
    {
        MessageAnswers yes(QMessageBox::Yes);
        page->chbGrantingInvDeduct->click();
        EXPECT_EQ(yes.texts, QStringList{QStringLiteral("Удалить суммы инвестиционных вычетов (сумм: 4) и "
                                                        "индивидуальные инвестиционные счета (счетов: 2)?")});
    }
    EXPECT_EQ(investment().InfoIISCount(), 0u);
    EXPECT_EQ(page->lvObjInfo->topLevelItemCount(), 0);
    for (QWidget* control : std::initializer_list<QWidget*>{page->meInvCB, page->meInvCBTov, page->meP2Vozvr,
                                                            page->chbIsP3, page->lbInvCB, page->lvObjInfo,
                                                            page->fbAddObj, page->fbEditObj})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    page->SaveData();
    EXPECT_EQ(investment().Granted, 0);
    EXPECT_EQ(investment().SecuritiesDeduction, Currency());
    EXPECT_EQ(investment().IISContributionDeduction, Currency());
    EXPECT_EQ(investment().IISDeductionToReturn, Currency());

    page->chbGrantingInvDeduct->click();
    EXPECT_TRUE(page->chbIsP3->isEnabled());
    EXPECT_TRUE(page->fbAddObj->isEnabled());
}

TEST_F(FrameCBTest, NothingEnablesSubparagraphThreeWhileTheDeductionIsOff)
{
    investment().Granted = 1;
    investment().IISDeductionToReturn = roubles(100);
    showPage();
    ASSERT_FALSE(page->chbIsP3->isEnabled());
    {
        MessageAnswers yes(QMessageBox::Yes);
        page->chbGrantingInvDeduct->click();
    }
    EXPECT_TRUE(page->meP2Vozvr->text().isEmpty());
    EXPECT_FALSE(page->chbIsP3->isEnabled());
}

TEST_F(FrameCBTest, ListedAccountsExcludeSubparagraphThreeFromTheStart)
{
    investment().Granted = 1;
    addAccount(investment(), "АО \"Брокер\"", roubles(1000));
    showPage();
    EXPECT_TRUE(page->meP2Vozvr->text().isEmpty());
    EXPECT_FALSE(page->chbIsP3->isEnabled());
}

TEST_F(FrameCBTest, AccountsOfADeductionNotGrantedAreDroppedWhenThePageIsShown)
{
    addAccount(investment(), "АО \"Брокер\"", roubles(1000));
    showPage();
    EXPECT_EQ(investment().InfoIISCount(), 0u);
    EXPECT_EQ(page->lvObjInfo->topLevelItemCount(), 0);
}

TEST_F(FrameCBTest, SubparagraphThreeExcludesContributionsAndAccounts)
{
    investment().Granted = 1;
    investment().IISContributionDeduction = roubles(100);
    showPage();
    ASSERT_TRUE(page->chbIsP3->isEnabled());

    {
        MessageAnswers yes(QMessageBox::Yes);
        page->chbIsP3->click();
        EXPECT_EQ(yes.texts,
                  QStringList{QStringLiteral("Удалить суммы вычета по пп. 2 п. 1 ст. 219.1 НК РФ (сумм: 1)?")});
    }
    EXPECT_TRUE(page->meInvP2->text().isEmpty()) << "ticking empties the contributions deduction";
    EXPECT_FALSE(page->meP2Vozvr->isEnabled());
    EXPECT_FALSE(page->lbP2Vozvr->isEnabled());
    EXPECT_FALSE(page->fbAddObj->isEnabled());
    EXPECT_FALSE(page->fbEditObj->isEnabled());
    page->SaveData();
    EXPECT_EQ(investment().ApplyIncomeDeduction, 1);
    EXPECT_EQ(investment().IISContributionDeduction, Currency());

    page->chbIsP3->click();
    EXPECT_TRUE(page->meP2Vozvr->isEnabled());
    EXPECT_TRUE(page->fbAddObj->isEnabled());

    page->chbIsP3->click();
    page->chbIsP3->click();
    typeText(page->meP2Vozvr, QStringLiteral("5"));
    EXPECT_FALSE(page->chbIsP3->isChecked());
    EXPECT_FALSE(page->chbIsP3->isEnabled()) << "an amount to return excludes subparagraph 3";
    typeText(page->meP2Vozvr, QString());
    EXPECT_TRUE(page->chbIsP3->isEnabled()) << "and frees it again when emptied";

    addAccountOnPage(QStringLiteral("АО \"Брокер\""), QStringLiteral("1000"));
    EXPECT_FALSE(page->chbIsP3->isChecked());
    EXPECT_FALSE(page->chbIsP3->isEnabled()) << "an account excludes subparagraph 3";
    typeText(page->meP2Vozvr, QStringLiteral("5"));
    typeText(page->meP2Vozvr, QString());
    EXPECT_FALSE(page->chbIsP3->isEnabled()) << "the account still does";

    typeText(page->meP2Vozvr, QStringLiteral("5"));
    selectRow(page->lvObjInfo, 0);
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    page->fbDeleteObj->click();
    EXPECT_FALSE(page->chbIsP3->isEnabled()) << "the amount to return still does";
    typeText(page->meP2Vozvr, QString());
    EXPECT_TRUE(page->chbIsP3->isEnabled());
}

TEST_F(FrameCBTest, AccountsAreAddedEditedAndDeletedAtOnce)
{
    investment().Granted = 1;
    showPage();

    addAccountOnPage(QStringLiteral("АО \"Брокер\""), QStringLiteral("100000,5"));
    ASSERT_EQ(investment().InfoIISCount(), 1u);
    bmTInfoIIS expected;
    expected.ParticipantName = "АО \"Брокер\"";
    expected.ParticipantINN = "7707083893";
    expected.ParticipantKPP = "773601001";
    expected.ContractNumber = "ИИС-2";
    expected.ContractDate = *encodeDate(2021, 4, 1);
    expected.OpenDate = *encodeDate(2021, 4, 2);
    expected.PaidIn = Currency::fromUnits(1'000'005'000);
    expected.SimplifiedSign = 1;
    EXPECT_EQ(*investment().GetInfoIIS(0), expected);
    EXPECT_EQ(rowCaptions(page->lvObjInfo), QStringList{QStringLiteral("АО \"Брокер\"")});
    EXPECT_EQ(selectedRow(page->lvObjInfo), 0);
    EXPECT_GT(counter.userEdits, 0);

    ModalAnswer<TfmInputInfoIIS> cancelled([](TfmInputInfoIIS& dialog) { dialog.bnCansel->click(); });
    page->fbAddObj->click();
    ASSERT_TRUE(cancelled.shown);
    EXPECT_EQ(investment().InfoIISCount(), 1u);

    ModalAnswer<TfmInputInfoIIS> edited([](TfmInputInfoIIS& dialog) {
        EXPECT_EQ(dialog.meSum->text(), QStringLiteral("100000,5"));
        typeText(dialog.meSourseName, QStringLiteral("АО \"Брокер 2\""));
        dialog.cbPriznakUpr->click();
        dialog.bnOk->click();
    });
    page->fbEditObj->click();
    ASSERT_TRUE(edited.shown);
    expected.ParticipantName = "АО \"Брокер 2\"";
    expected.SimplifiedSign = 0;
    EXPECT_EQ(*investment().GetInfoIIS(0), expected);
    EXPECT_EQ(page->lvObjInfo->topLevelItem(0)->text(0), QStringLiteral("АО \"Брокер 2\""));

    ModalAnswer<TfmInputInfoIIS> opened([](TfmInputInfoIIS& dialog) { dialog.bnCansel->click(); });
    QTest::keyClick(page->lvObjInfo, Qt::Key_Return);
    EXPECT_TRUE(opened.shown) << "Enter in the list opens the selected account";

    addAccountOnPage(QStringLiteral("ООО \"УК\""), QStringLiteral("1"));
    selectRow(page->lvObjInfo, 0);
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    page->fbDeleteObj->click();
    ASSERT_EQ(investment().InfoIISCount(), 1u);
    EXPECT_EQ(investment().GetInfoIIS(0)->ParticipantName, "ООО \"УК\"");
    EXPECT_EQ(selectedRow(page->lvObjInfo), -1);
    page->fbDeleteObj->click(); // nothing selected: nothing happens
    EXPECT_EQ(investment().InfoIISCount(), 1u);
}

TEST_F(FrameCBTest, CheckKeepsTheContributionsWithinTheLimit)
{
    struct Case {
        const char* title;
        std::vector<Currency> paidIn;
        bool granted;
        bool asked;
    };
    const Case cases[] = {
        {"one kopeck over", {roubles(150000), roubles(150000), Currency::fromUnits(1'000'000'100)}, true, true},
        {"exactly the limit", {roubles(150000), roubles(150000), roubles(100000)}, true, false},
        {"no account", {}, true, false},
        {"not granted", {roubles(500000)}, false, false},
        // Together more than an amount holds: over the limit too.
        {"beyond the range", {roubles(500'000'000'000'000), roubles(500'000'000'000'000)}, true, true},
    };
    investment().Granted = 1;
    showPage();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        investment() = mTInvDeduct();
        investment().Granted = test.granted ? 1 : 0;
        for (Currency paidIn : test.paidIn)
            addAccount(investment(), "АО", paidIn);
        for (int answer : {int(CheckFix), int(CheckSkip), int(CheckSkipAll)}) {
            ScriptedCheckAnswers checks;
            checks.answers = {answer};
            EXPECT_EQ(page->CheckData(), test.asked && answer == CheckFix ? 1 : 0);
            ASSERT_EQ(checks.shown.size(), test.asked ? 1u : 0u);
            if (test.asked) {
                EXPECT_EQ(checks.shown[0].caption, QStringLiteral("Проверка: Инвестиционный налоговый вычет"));
                EXPECT_EQ(checks.shown[0].message, QStringLiteral("Общая сумма денежных средств на ИИС, заявляемая к "
                                                                  "вычету не может превосходить 400 000 рублей"));
            }
        }
    }
    page->FocusError(TfrCB::AccountsOverLimit);
    EXPECT_EQ(window.window.focusWidget(), page->lvObjInfo);
}

} // namespace

// The accounts' title stands on the group's frame where the page is wide enough for it, and
// wraps as the group's first line where it is not, so that it never widens the page.
TEST_F(FrameCBTest, TheAccountsTitleWrapsInANarrowWindow)
{
    const QString title = QStringLiteral("Сведения об индивидуальных инвестиционных счетах, действующих в 2021 году");
    showPage();
    const auto* wrapped = page->GroupBox3->findChild<QLabel*>(QStringLiteral("GroupBox3Title"));
    ASSERT_NE(wrapped, nullptr);
    EXPECT_EQ(wrapped->text(), title);
    EXPECT_TRUE(wrapped->wordWrap());
    for (const int width : {1200, 420, 1200}) {
        SCOPED_TRACE(width);
        window.window.resize(width, 700);
        QTest::qWait(20);
        const bool onFrame = page->GroupBox3->title().trimmed() == title;
        EXPECT_EQ(onFrame, width > 420);
        EXPECT_EQ(wrapped->isVisible(), !onFrame);
        EXPECT_LE(page->GroupBox3->width(), window.window.width()) << "the title never widens the page";
    }
}
