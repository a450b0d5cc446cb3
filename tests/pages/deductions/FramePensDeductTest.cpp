#include "pages/deductions/FramePensDeduct.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DayDate.h"
#include "pages/deductions/ChildEduSumDialog.h"
#include "controls/ItemList.h"
#include "pages/deductions/SoursePensDialog.h"
#include "tests/support/MessageAnswers.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/UserTyping.h"

namespace {

void addContract(mTSocialDeduct& social, int kind, const char* name, Currency sum)
{
    mTPens& contract = *social.GetPens(social.AddPens());
    contract.ContractKind = kind;
    contract.OrgName = name;
    if (kind != 4) {
        contract.OrgINN = "7707083893";
        contract.OrgKPP = "773601001";
        contract.ContractNumber = "Д-1";
        contract.ContractDate = *encodeDate(2015, 6, 30);
    }
    contract.Sum = sum;
}

// Every sum of the year, two children and both kinds of contract.
void fillSocialDeduction(mTSocialDeduct& social)
{
    social.Granted = 1;
    social.CharitySum = roubles(1000);
    social.CharitySum30 = Currency::fromUnits(20'005'000); // 2000,50
    social.SelfEducationSum = roubles(3000);
    social.MedicalSum = roubles(4000);
    social.MedicamentSum = Currency::fromUnits(1'234); // 0,1234 stays exact
    social.ExpensiveMedicalSum = roubles(6000);
    social.InsuranceSum = roubles(7000);
    social.QualificationSum = roubles(8000);
    social.AddChildEduSum(roubles(50000));
    social.AddChildEduSum(Currency::fromUnits(255'000));
    addContract(social, 1, "АО \"НПФ Будущее\"", roubles(12000));
    addContract(social, 4, "", roubles(2000));
}

class FramePensDeductTest : public ::testing::Test {
protected:
    mTSocialDeduct& social() { return window.declaration->SocialDeduct; }
    TfrFramePensDeduct* showPage() { return page = window.show<TfrFramePensDeduct>(); }

    // Adds a child-education sum through the page's dialog.
    void addSum(const QString& typed)
    {
        ModalAnswer<TfmChildEduSum> answer([&](TfmChildEduSum& dialog) {
            typeText(dialog.meChildEduSum, typed);
            dialog.bnOk->click();
        });
        page->fbAddSum->click();
        ASSERT_TRUE(answer.shown);
    }

    UserEditCounter counter;
    PageWindow window;
    TfrFramePensDeduct* page = nullptr;
};

TEST_F(FramePensDeductTest, LooksAsItShould)
{
    showPage();
    EXPECT_EQ(page->gbSocialDeduct->title(), QStringLiteral("  Социальные налоговые вычеты"));
    EXPECT_EQ(page->chbGrantingSocDeduct->text(), QStringLiteral("Предоставить социальные налоговые вычеты"));
    EXPECT_EQ(page->gbSimplSocialDeduct->title(), QStringLiteral("  Суммы, затраченные на"));
    EXPECT_EQ(page->gbChildrensEduDeduct->title(), QStringLiteral("Суммы, уплаченные за обучение детей"));
    const std::pair<QLabel*, const char*> labels[] = {
        {page->lbCharitySum, "благотворительность"},
        {page->lbCharitySum30, "благотворительность до 30%"},
        {page->lbSelfEducationSum, "свое обучение"},
        {page->lbMedicalSum, "лечение"},
        {page->lbMedicament, "лекарственные препараты"},
        {page->lbExpensiveMedicalSum, "дорогостоящее лечение"},
        {page->lbStrahovka, "добровольное страхование"},
        {page->lbKval, "оценка квалификации"},
    };
    for (const auto& [label, caption] : labels)
        EXPECT_EQ(label->text(), QString::fromUtf8(caption));
    EXPECT_EQ(page->lvSumList->headerItem()->text(0), QStringLiteral("Суммы"));
    EXPECT_EQ(page->lvSumList->toolTip(), QStringLiteral("Список сумм, уплаченных за всех детей"));
    const QString contracts = QStringLiteral("Договоры добровольного страх. жизни, пенс. страх., негос. пенс. обеспеч. и "
                                             "доп. страх. взносы на накопит. пенсию");
    EXPECT_EQ(page->lvPensInfo->headerItem()->text(0), contracts);
    EXPECT_EQ(page->lvPensInfo->toolTip(), contracts);
    EXPECT_EQ(page->fbAddSum->toolTip(), QStringLiteral("Добавить очередную сумму, уплаченную за обучение детей"));
    EXPECT_EQ(page->fbDeleteSum->toolTip(), QStringLiteral("Удалить сумму, уплаченную за обучение детей"));
    EXPECT_EQ(page->fbEditSum->toolTip(), QStringLiteral("Редактировать сумму, уплаченную за обучение детей"));
    EXPECT_EQ(page->fbAddPens->toolTip(), QStringLiteral("Добавить договор"));
    EXPECT_EQ(page->fbDeletePens->toolTip(), QStringLiteral("Удалить договор"));
    EXPECT_EQ(page->fbEditPens->toolTip(), QStringLiteral("Редактировать договор"));
    EXPECT_EQ(page->meKval->wholeLength(), 12);
    EXPECT_EQ(page->meKval->fractionalLength(), 2);
}

TEST_F(FramePensDeductTest, ADeclarationLoadedAndSavedBackIsUnchanged)
{
    struct Case {
        const char* title;
        std::function<void(mTSocialDeduct&)> fill;
    };
    const Case cases[] = {
        {"everything entered", fillSocialDeduction},
        {"granted, nothing entered", [](mTSocialDeduct& social) { social.Granted = 1; }},
        {"not granted", [](mTSocialDeduct&) {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow fresh;
        test.fill(fresh.declaration->SocialDeduct);
        const QByteArray before = fileBytes(*fresh.declaration);
        fresh.show<TfrFramePensDeduct>()->SaveData();
        EXPECT_EQ(fileBytes(*fresh.declaration), before);
    }
    EXPECT_EQ(counter.userEdits, 0) << "filling a page is no edit";
}

TEST_F(FramePensDeductTest, ShowsTheDeclarationsSumsAndLists)
{
    fillSocialDeduction(social());
    showPage();
    EXPECT_TRUE(page->chbGrantingSocDeduct->isChecked());
    EXPECT_EQ(page->meCharitySum30->text(), QStringLiteral("2000,5"));
    EXPECT_EQ(page->meMedicament->text(), QStringLiteral("0,1234"));
    EXPECT_EQ(rowCaptions(page->lvSumList), (QStringList{QStringLiteral("50000"), QStringLiteral("25,5")}));
    EXPECT_EQ(selectedRow(page->lvSumList), 0) << "the first sum is selected";
    EXPECT_EQ(rowCaptions(page->lvPensInfo),
              (QStringList{QStringLiteral("АО \"НПФ Будущее\""),
                           QStringLiteral("Дополнительные страховые взносы на накопительную пенсию")}));
    EXPECT_EQ(selectedRow(page->lvPensInfo), -1);

    PageWindow zeros;
    zeros.declaration->SocialDeduct.Granted = 1;
    EXPECT_EQ(zeros.show<TfrFramePensDeduct>()->meKval->text(), QString()) << "a zero sum shows empty, as typed";
}

TEST_F(FramePensDeductTest, EachSumEditWritesItsOwnField)
{
    social().Granted = 1;
    showPage();
    const std::pair<TMaskedEdit*, Currency mTSocialDeduct::*> edits[] = {
        {page->meCharitySum, &mTSocialDeduct::CharitySum},
        {page->meCharitySum30, &mTSocialDeduct::CharitySum30},
        {page->meSelfEducationSum, &mTSocialDeduct::SelfEducationSum},
        {page->meMedicalSum, &mTSocialDeduct::MedicalSum},
        {page->meMedicament, &mTSocialDeduct::MedicamentSum},
        {page->meExpensiveMedicalSum, &mTSocialDeduct::ExpensiveMedicalSum},
        {page->meStrahovka, &mTSocialDeduct::InsuranceSum},
        {page->meKval, &mTSocialDeduct::QualificationSum},
    };
    for (const auto& [edit, field] : edits)
        typeText(edit, QString());
    for (const auto& [edit, field] : edits) {
        SCOPED_TRACE(edit->objectName().toStdString());
        typeText(edit, QStringLiteral("1234.56"));
        page->SaveData();
        for (const auto& [other, otherField] : edits)
            EXPECT_EQ(social().*otherField, other == edit ? Currency::fromUnits(12'345'600) : Currency());
        typeText(edit, QString());
    }
    EXPECT_GT(counter.userEdits, 0);
}

TEST_F(FramePensDeductTest, SwitchingTheDeductionOffRemovesAllOfIt)
{
    fillSocialDeduction(social());
    showPage();
    {
        MessageAnswers yes(QMessageBox::Yes);
        page->chbGrantingSocDeduct->click();
        EXPECT_EQ(yes.texts, QStringList{QStringLiteral(
                                 "Удалить суммы социальных расходов (сумм: 8), суммы, уплаченные за обучение детей "
                                 "(сумм: 2) и договоры страхования и пенсионного обеспечения (договоров: 2)?")});
    }
    EXPECT_GT(counter.userEdits, 0);

    EXPECT_EQ(social().ChildEduCount(), 0);
    EXPECT_EQ(social().PensCount(), 0u);
    EXPECT_EQ(page->lvSumList->topLevelItemCount(), 0);
    EXPECT_EQ(page->lvPensInfo->topLevelItemCount(), 0);
    for (QWidget* control : std::initializer_list<QWidget*>{page->meCharitySum, page->lbKval, page->meKval,
                                                            page->fbAddSum, page->fbEditPens, page->lvSumList,
                                                            page->lvPensInfo})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(page->meCharitySum->text().isEmpty());

    page->SaveData();
    EXPECT_EQ(social().Granted, 0);
    EXPECT_EQ(social().CharitySum, Currency());
    EXPECT_EQ(social().QualificationSum, Currency());

    page->chbGrantingSocDeduct->click();
    EXPECT_TRUE(page->meCharitySum->isEnabled());
    EXPECT_TRUE(page->fbAddPens->isEnabled());
}

TEST_F(FramePensDeductTest, NoHiddenChildrensSumsOutliveADeductionLoadedSwitchedOff)
{
    // Sums that a page could not list must not count once the deduction is switched on again.
    social().AddChildEduSum(roubles(1000));
    addContract(social(), 2, "СК", roubles(500));
    showPage();
    EXPECT_FALSE(page->chbGrantingSocDeduct->isChecked());
    EXPECT_FALSE(page->fbAddSum->isEnabled());
    EXPECT_EQ(social().ChildEduCount(), 0);
    EXPECT_EQ(social().PensCount(), 0u);

    page->chbGrantingSocDeduct->click();
    page->SaveData();
    EXPECT_EQ(social().Granted, 1);
    EXPECT_EQ(social().ChildEduCount(), 0);
    EXPECT_EQ(page->lvSumList->topLevelItemCount(), 0);
}

TEST_F(FramePensDeductTest, ChildrensSumsAreAddedEditedAndDeletedAtOnce)
{
    social().Granted = 1;
    showPage();

    addSum(QStringLiteral("1000"));
    addSum(QStringLiteral("2000,5"));
    addSum(QStringLiteral("3000"));
    EXPECT_EQ(social().ChildEduList, (std::vector<Currency>{roubles(1000), Currency::fromUnits(20'005'000),
                                                             roubles(3000)}));
    EXPECT_EQ(rowCaptions(page->lvSumList),
              (QStringList{QStringLiteral("1000"), QStringLiteral("2000,5"), QStringLiteral("3000")}));
    EXPECT_EQ(selectedRow(page->lvSumList), 2) << "the new row is selected";
    const int afterAdding = counter.userEdits;
    EXPECT_GE(afterAdding, 3);

    addSum(QStringLiteral("0"));
    addSum(QString());
    EXPECT_EQ(social().ChildEduCount(), 3) << "a zero sum is not added";
    ModalAnswer<TfmChildEduSum> cancelled([](TfmChildEduSum& dialog) {
        typeText(dialog.meChildEduSum, QStringLiteral("5"));
        dialog.bnCansel->click();
    });
    page->fbAddSum->click();
    EXPECT_EQ(social().ChildEduCount(), 3);

    selectRow(page->lvSumList, 1);
    ModalAnswer<TfmChildEduSum> edited([](TfmChildEduSum& dialog) {
        EXPECT_EQ(dialog.meChildEduSum->text(), QStringLiteral("2000,5"));
        typeText(dialog.meChildEduSum, QStringLiteral("2500"));
        QTest::keyClick(dialog.meChildEduSum, Qt::Key_Return);
    });
    page->fbEditSum->click();
    ASSERT_TRUE(edited.shown);
    EXPECT_EQ(social().GetChildEduSum(1), roubles(2500));
    EXPECT_EQ(page->lvSumList->topLevelItem(1)->text(0), QStringLiteral("2500"));

    ModalAnswer<TfmChildEduSum> zeroed([](TfmChildEduSum& dialog) {
        typeText(dialog.meChildEduSum, QString());
        dialog.bnOk->click();
    });
    QTest::keyClick(page->lvSumList, Qt::Key_Return);
    ASSERT_TRUE(zeroed.shown) << "Enter in the list opens the selected sum";
    EXPECT_EQ(social().GetChildEduSum(1), roubles(2500)) << "editing to 0 keeps the sum";

    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    page->fbDeleteSum->click();
    EXPECT_EQ(social().ChildEduList, (std::vector<Currency>{roubles(1000), roubles(3000)}));
    EXPECT_EQ(selectedRow(page->lvSumList), 0) << "the row before the deleted one";
    page->fbDeleteSum->click();
    EXPECT_EQ(rowCaptions(page->lvSumList), QStringList{QStringLiteral("3000")});
    EXPECT_EQ(selectedRow(page->lvSumList), 0) << "the first row when the first was deleted";
    page->fbDeleteSum->click();
    EXPECT_EQ(social().ChildEduCount(), 0);
    EXPECT_EQ(selectedRow(page->lvSumList), -1);
    EXPECT_GT(counter.userEdits, afterAdding);

    page->fbDeleteSum->click(); // nothing selected: nothing happens
    page->fbEditSum->click();
}

TEST_F(FramePensDeductTest, ContractsAreAddedEditedAndDeletedAtOnce)
{
    social().Granted = 1;
    showPage();

    ModalAnswer<TfmInputSoursePens> added([](TfmInputSoursePens& dialog) {
        dialog.rbSelf2->click();
        typeText(dialog.meSourseName, QStringLiteral("АО \"НПФ\""));
        typeText(dialog.meINN, QStringLiteral("7707083893"));
        typeText(dialog.meKPP, QStringLiteral("773601001"));
        typeText(dialog.meNomDog, QStringLiteral("77-1"));
        dialog.dtpDatDog->setDateTime(*encodeDate(2020, 2, 29));
        typeText(dialog.meVZSum, QStringLiteral("15000,1"));
        dialog.bnOk->click();
    });
    page->fbAddPens->click();
    ASSERT_TRUE(added.shown);
    ASSERT_EQ(social().PensCount(), 1u);
    mTPens expected;
    expected.ContractKind = 2;
    expected.OrgName = "АО \"НПФ\"";
    expected.OrgINN = "7707083893";
    expected.OrgKPP = "773601001";
    expected.ContractNumber = "77-1";
    expected.ContractDate = *encodeDate(2020, 2, 29);
    expected.Sum = Currency::fromUnits(150'001'000);
    EXPECT_EQ(*social().GetPens(0), expected);
    EXPECT_EQ(rowCaptions(page->lvPensInfo), QStringList{QStringLiteral("АО \"НПФ\"")});
    EXPECT_EQ(selectedRow(page->lvPensInfo), 0);

    ModalAnswer<TfmInputSoursePens> funded([](TfmInputSoursePens& dialog) {
        dialog.rbSelf4->click();
        typeText(dialog.meVZSum, QStringLiteral("2000"));
        dialog.bnOk->click();
    });
    page->fbAddPens->click();
    ASSERT_EQ(social().PensCount(), 2u);
    EXPECT_EQ(social().GetPens(1)->ContractKind, 4);
    EXPECT_EQ(page->lvPensInfo->topLevelItem(1)->text(0),
              QStringLiteral("Дополнительные страховые взносы на накопительную пенсию"));

    selectRow(page->lvPensInfo, 0);
    ModalAnswer<TfmInputSoursePens> cancelled([](TfmInputSoursePens& dialog) {
        typeText(dialog.meVZSum, QStringLiteral("1"));
        dialog.bnCansel->click();
    });
    page->fbEditPens->click();
    ASSERT_TRUE(cancelled.shown);
    EXPECT_EQ(*social().GetPens(0), expected) << "a cancelled dialog changes nothing";

    ModalAnswer<TfmInputSoursePens> edited([](TfmInputSoursePens& dialog) {
        EXPECT_TRUE(dialog.rbSelf2->isChecked());
        EXPECT_EQ(dialog.meNomDog->text(), QStringLiteral("77-1"));
        typeText(dialog.meSourseName, QStringLiteral("АО \"НПФ Сбер\""));
        dialog.bnOk->click();
    });
    page->fbEditPens->click();
    ASSERT_TRUE(edited.shown);
    expected.OrgName = "АО \"НПФ Сбер\"";
    EXPECT_EQ(*social().GetPens(0), expected);
    EXPECT_EQ(page->lvPensInfo->topLevelItem(0)->text(0), QStringLiteral("АО \"НПФ Сбер\""));

    const int beforeDeleting = counter.userEdits;
    selectRow(page->lvPensInfo, 0);
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    page->fbDeletePens->click();
    EXPECT_EQ(social().PensCount(), 1u);
    EXPECT_EQ(social().GetPens(0)->ContractKind, 4);
    EXPECT_EQ(page->lvPensInfo->topLevelItemCount(), 1);
    EXPECT_EQ(selectedRow(page->lvPensInfo), -1) << "no row is selected after deleting";
    EXPECT_GT(counter.userEdits, beforeDeleting);
}

TEST_F(FramePensDeductTest, CheckAsksForSomeSocialDataWhenTheDeductionIsGranted)
{
    struct Case {
        const char* title;
        std::function<void(mTSocialDeduct&)> fill;
        int answer;
        bool asked;
        std::uint16_t result;
    };
    const Case cases[] = {
        {"nothing entered, fix", [](mTSocialDeduct&) {}, CheckFix, true, 1},
        {"nothing entered, skip", [](mTSocialDeduct&) {}, CheckSkip, true, 0},
        {"nothing entered, skip all", [](mTSocialDeduct&) {}, CheckSkipAll, true, 0},
        {"nothing entered, closed", [](mTSocialDeduct&) {}, CheckClosed, true, 0},
        {"a sum of the year", [](mTSocialDeduct& s) { s.InsuranceSum = Currency::fromUnits(1); }, CheckFix, false, 0},
        {"a child's sum", [](mTSocialDeduct& s) { s.AddChildEduSum(roubles(1)); }, CheckFix, false, 0},
        {"a contract", [](mTSocialDeduct& s) { addContract(s, 4, "", roubles(1)); }, CheckFix, false, 0},
        {"not granted", [](mTSocialDeduct& s) { s.Granted = 0; }, CheckFix, false, 0},
    };
    social().Granted = 1;
    showPage();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        social() = mTSocialDeduct();
        social().Granted = 1;
        test.fill(social());
        ScriptedCheckAnswers checks;
        checks.answers = {test.answer};
        EXPECT_EQ(page->CheckData(), test.result);
        ASSERT_EQ(checks.shown.size(), test.asked ? 1u : 0u);
        if (test.asked) {
            EXPECT_EQ(checks.shown[0].caption, QStringLiteral("Проверка: Социальные вычеты"));
            EXPECT_EQ(checks.shown[0].message, QStringLiteral("Не введены данные по социальным налоговым вычетам"));
            EXPECT_TRUE(checks.shown[0].skip);
            EXPECT_TRUE(checks.shown[0].skipAll);
        }
    }
}

TEST_F(FramePensDeductTest, FocusErrorGoesToTheChargedControl)
{
    social().Granted = 1;
    showPage();
    page->FocusError(TfrFramePensDeduct::NoSocialData);
    EXPECT_EQ(window.window.focusWidget(), page->meCharitySum);
    page->FocusError(TfrFramePensDeduct::ChildEduSums);
    EXPECT_EQ(window.window.focusWidget(), page->lvSumList);
    page->FocusError(2);
    EXPECT_EQ(window.window.focusWidget(), page->lvSumList) << "an unknown code does nothing";
}

} // namespace
