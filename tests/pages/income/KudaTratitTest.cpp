#include "pages/income/KudaTratit.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MaskedEdit.h"
#include "pages/income/InputTrataDialog.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/TabOrderCheck.h"
#include "tests/support/TestProgramContext.h"
#include "tests/support/UserTyping.h"

namespace {

const QString RefundRow = QStringLiteral("Заявление на возврат налога");
const QString OffsetRow = QStringLiteral("Заявление на зачет в счет налога");

mTTrata& addRefund(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindTrata);
    mTTrata& refund = *declaration.GetTrata(declaration.AddTrata());
    refund.IsRefund = 1;
    refund.RefundSum = Currency::fromUnits(15'005'000); // 1500,50
    refund.BankName = "ПАО Сбербанк";
    refund.BankBik = "044525225";
    refund.AccountKind = 2;
    refund.AccountNumber = "40817810099910004312";
    return refund;
}

mTTrata& addOffset(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindTrata);
    mTTrata& offset = *declaration.GetTrata(declaration.AddTrata());
    offset.IsRefund = 0;
    offset.OffsetSum = roubles(700);
    offset.TaxOfficeCode = "7701";
    offset.Kbk = "18210102010011000110";
    offset.OffsetPurpose = 1;
    offset.Oktmo = "45382000";
    offset.Note = "ГД.00.2021";
    return offset;
}

class KudaTratitTest : public ::testing::Test {
protected:
    mTDeclaration& declaration() { return *window.declaration; }
    mTTrata& application(int index) { return *declaration().GetTrata(std::size_t(index)); }
    TfrKudaTratit* showPage() { return page = window.show<TfrKudaTratit>(); }

    // Adds an application of the kind through the page's dialog.
    void addOnPage(bool refund)
    {
        ModalAnswer<TfmInputTrata> answer([refund](TfmInputTrata& dialog) {
            (refund ? dialog.rbBank : dialog.rbNalog)->click();
            dialog.bnOk->click();
        });
        userClick(page->fbAddSourseIncome);
        ASSERT_TRUE(answer.shown);
    }

    UserEditCounter counter;
    PageWindow window;
    TfrKudaTratit* page = nullptr;
};

TEST_F(KudaTratitTest, LooksAsItShould)
{
    showPage();
    EXPECT_EQ(page->lvSourseIncomeInfo->headerItem()->text(0), QStringLiteral("Возврат удержанного налога"));
    EXPECT_EQ(page->lvSourseIncomeInfo->toolTip(), QStringLiteral("Список возвратов и зачетов налога"));
    EXPECT_EQ(page->fbAddSourseIncome->caption(), QStringLiteral("Добавить заявление"));
    EXPECT_EQ(page->fbDeleteSourseIncome->caption(), QStringLiteral("Удалить заявление"));
    EXPECT_EQ(page->gbBank->title(), QStringLiteral("  Реквизиты банковского перевода"));
    // The offset group's title is longer than a small window: it wraps as the group's first line.
    const auto* nalogTitle = page->gbNalog->findChild<QLabel*>(QStringLiteral("gbNalogTitle"));
    ASSERT_NE(nalogTitle, nullptr);
    EXPECT_EQ(nalogTitle->text(),
              QStringLiteral("Сведения о налоговом органе, принимающем поступления, и о назначении платежа"));
    EXPECT_TRUE(nalogTitle->wordWrap());
    EXPECT_TRUE(page->gbNalog->title().isEmpty());
    EXPECT_EQ(page->chbAllIn->text(), QStringLiteral("Перечислить всю сумму возврата (весь остаток возврата)"));
    const std::pair<QLabel*, const char*> labels[] = {
        {page->lbMaxSum, "В сумме"},     {page->lbBankNaim, "Наименование банка"},
        {page->lbBIK, "БИК"},            {page->lbTypeSch, "Вид счета"},
        {page->lbNumSch, "Номер счета"}, {page->lbSum1, "В сумме"},
        {page->lbKind, "Зачет в счет"},  {page->lbKBK, "КБК"},
        {page->lbOKTMO, "ОКТМО"},        {page->lbInspection, "Номер инспекции"},
        {page->lbNote, "Налоговый (расчетный) период (код)"},
    };
    for (const auto& [label, caption] : labels)
        EXPECT_EQ(label->text(), QString::fromUtf8(caption));
    EXPECT_EQ(page->bnInspection->text(), QStringLiteral("..."));
    EXPECT_EQ(page->bnInspection->toolTip(), QStringLiteral("Выбрать код из справочника"));

    const auto items = [](const QComboBox* combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    };
    EXPECT_EQ(items(page->cbTypeSch), (QStringList{QStringLiteral("02 - Текущий счет"),
                                                   QStringLiteral("07 - Счет по вкладам (депозитам)")}));
    EXPECT_EQ(items(page->cbKind), (QStringList{QStringLiteral("1 – погашения недоимки (задолженности по пеням и штрафам)"),
                                                QStringLiteral("2 – предстоящих платежей")}));

    struct EditCase {
        TMaskedEdit* edit;
        TEditTypeControlEnum type;
        int whole;
        int fractional;
    };
    const EditCase edits[] = {
        {page->meMaxSum, edtCurrency, 13, 2}, {page->meSum1, edtCurrency, 13, 2},
        {page->meBankNaim, edtNone, 255, 0},  {page->meBIK, edtDigital, 9, 0},
        {page->meNumSch, edtDigital, 20, 0},  {page->meKBK, edtDigital, 20, 0},
        {page->meOKTMO, edtDigital, 11, 0},   {page->meInspection, edtDigital, 4, 0},
        {page->meNote, edtNone, 10, 0},
    };
    for (const EditCase& test : edits) {
        SCOPED_TRACE(test.edit->objectName().toStdString());
        EXPECT_EQ(test.edit->editType(), test.type);
        EXPECT_EQ(test.edit->wholeLength(), test.whole);
        EXPECT_EQ(test.edit->fractionalLength(), test.fractional);
    }
}

TEST_F(KudaTratitTest, ADeclarationLoadedAndSavedBackIsUnchanged)
{
    addRefund(declaration());
    addOffset(declaration());
    mTTrata& whole = addRefund(declaration());
    whole.RefundSum = Currency();
    whole.AllIn = 1;
    whole.AccountKind = 1;
    const QByteArray before = fileBytes(declaration());
    showPage();
    page->SaveData();
    EXPECT_EQ(fileBytes(declaration()), before) << "nothing open";
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        selectRow(page->lvSourseIncomeInfo, row);
        page->SaveData();
        EXPECT_EQ(fileBytes(declaration()), before);
    }
    selectRow(page->lvSourseIncomeInfo, 0);
    page->SaveData();
    EXPECT_EQ(fileBytes(declaration()), before);
    EXPECT_EQ(counter.userEdits, 0) << "filling the page and showing an application are no edits";
}

TEST_F(KudaTratitTest, ListsTheApplicationsWithNoneOpen)
{
    addRefund(declaration());
    addOffset(declaration());
    showPage();
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), (QStringList{RefundRow, OffsetRow}));
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), -1);
    EXPECT_FALSE(page->gbBank->isEnabled());
    EXPECT_FALSE(page->gbNalog->isEnabled());
    EXPECT_TRUE(page->meBankNaim->text().isEmpty());
    EXPECT_EQ(page->cbTypeSch->currentIndex(), -1);
    EXPECT_TRUE(page->fbAddSourseIncome->isEnabled());
    EXPECT_FALSE(page->fbDeleteSourseIncome->isEnabled()) << "nothing to delete without a selected row";
    selectRow(page->lvSourseIncomeInfo, 1);
    EXPECT_TRUE(page->fbDeleteSourseIncome->isEnabled());

    PageWindow empty;
    auto* emptyPage = empty.show<TfrKudaTratit>();
    EXPECT_EQ(emptyPage->lvSourseIncomeInfo->topLevelItemCount(), 0);
    EXPECT_TRUE(emptyPage->fbAddSourseIncome->isEnabled());
    EXPECT_FALSE(emptyPage->fbDeleteSourseIncome->isEnabled());
}

TEST_F(KudaTratitTest, SelectingAnApplicationShowsItInTheGroupOfItsKind)
{
    addRefund(declaration());
    addOffset(declaration()).OffsetSum = Currency();
    showPage();

    selectRow(page->lvSourseIncomeInfo, 0);
    EXPECT_TRUE(page->gbBank->isEnabled());
    EXPECT_FALSE(page->gbNalog->isEnabled());
    EXPECT_EQ(page->meMaxSum->text(), QStringLiteral("1500,5"));
    EXPECT_EQ(page->meBankNaim->text(), QStringLiteral("ПАО Сбербанк"));
    EXPECT_EQ(page->meBIK->text(), QStringLiteral("044525225"));
    EXPECT_EQ(page->cbTypeSch->currentIndex(), 1);
    EXPECT_EQ(page->meNumSch->text(), QStringLiteral("40817810099910004312"));
    EXPECT_FALSE(page->chbAllIn->isEnabled()) << "only the last application may take all that is left";

    selectRow(page->lvSourseIncomeInfo, 1);
    EXPECT_FALSE(page->gbBank->isEnabled());
    EXPECT_TRUE(page->gbNalog->isEnabled());
    EXPECT_TRUE(page->meSum1->text().isEmpty()) << "0 shows as an empty edit";
    EXPECT_EQ(page->cbKind->currentIndex(), 0);
    EXPECT_EQ(page->meKBK->text(), QStringLiteral("18210102010011000110"));
    EXPECT_EQ(page->meOKTMO->text(), QStringLiteral("45382000"));
    EXPECT_EQ(page->meInspection->text(), QStringLiteral("7701"));
    EXPECT_EQ(page->meNote->text(), QStringLiteral("ГД.00.2021"));
    EXPECT_TRUE(page->meInspection->isEnabled()) << "the code can be typed";
    EXPECT_FALSE(page->bnInspection->isEnabled()) << "without a directory there is nothing to choose from";

    // Taking the row away from the list closes the application, stored.
    typeText(page->meKBK, QStringLiteral("18210102010011000111"));
    page->lvSourseIncomeInfo->clearSelection();
    EXPECT_EQ(application(1).Kbk, "18210102010011000111");
    EXPECT_FALSE(page->gbNalog->isEnabled());
    EXPECT_TRUE(page->meKBK->text().isEmpty());
    page->SaveData();
    EXPECT_EQ(application(1).Kbk, "18210102010011000111");
}

TEST_F(KudaTratitTest, EachControlWritesItsOwnField)
{
    // An offset, then a refund: the last application may take the whole balance.
    declaration().SetIncomeKinds(IncomeKindSources | IncomeKindTrata);
    declaration().AddTrata();
    declaration().GetTrata(declaration().AddTrata())->IsRefund = 1;
    showPage();

    struct Case {
        const char* title;
        int row;
        std::function<void(TfrKudaTratit&)> edit;
        std::function<void(mTTrata&)> expected;
    };
    const Case cases[] = {
        {"refund sum", 1, [](TfrKudaTratit& p) { typeText(p.meMaxSum, QStringLiteral("1234.56")); },
         [](mTTrata& a) { a.RefundSum = Currency::fromUnits(12'345'600); }},
        {"whole balance", 1, [](TfrKudaTratit& p) { p.chbAllIn->click(); }, [](mTTrata& a) {
             a.AllIn = 1;
             a.RefundSum = Currency();
         }},
        {"bank", 1, [](TfrKudaTratit& p) { typeText(p.meBankNaim, QStringLiteral("АО \"Банк\"")); },
         [](mTTrata& a) { a.BankName = "АО \"Банк\""; }},
        {"BIC", 1, [](TfrKudaTratit& p) { typeText(p.meBIK, QStringLiteral("044525974")); },
         [](mTTrata& a) { a.BankBik = "044525974"; }},
        {"account kind", 1, [](TfrKudaTratit& p) { p.cbTypeSch->setCurrentIndex(0); },
         [](mTTrata& a) { a.AccountKind = 1; }},
        {"account number", 1, [](TfrKudaTratit& p) { typeText(p.meNumSch, QStringLiteral("40817810000000000001")); },
         [](mTTrata& a) { a.AccountNumber = "40817810000000000001"; }},
        {"offset sum", 0, [](TfrKudaTratit& p) { typeText(p.meSum1, QStringLiteral("99,9")); },
         [](mTTrata& a) { a.OffsetSum = Currency::fromUnits(999'000); }},
        {"purpose", 0, [](TfrKudaTratit& p) { p.cbKind->setCurrentIndex(1); }, [](mTTrata& a) { a.OffsetPurpose = 2; }},
        {"KBK", 0, [](TfrKudaTratit& p) { typeText(p.meKBK, QStringLiteral("18210102010011000110")); },
         [](mTTrata& a) { a.Kbk = "18210102010011000110"; }},
        {"OKTMO", 0, [](TfrKudaTratit& p) { typeText(p.meOKTMO, QStringLiteral("45382000001")); },
         [](mTTrata& a) { a.Oktmo = "45382000001"; }},
        {"tax office", 0, [](TfrKudaTratit& p) { typeText(p.meInspection, QStringLiteral("7702")); },
         [](mTTrata& a) { a.TaxOfficeCode = "7702"; }},
        {"period code", 0, [](TfrKudaTratit& p) { typeText(p.meNote, QStringLiteral("КВ.01.2021")); },
         [](mTTrata& a) { a.Note = "КВ.01.2021"; }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        const mTTrata other = application(1 - test.row);
        mTTrata expected = application(test.row);
        test.expected(expected);
        selectRow(page->lvSourseIncomeInfo, test.row);
        const int edits = counter.userEdits;
        test.edit(*page);
        EXPECT_GT(counter.userEdits, edits) << "an edit marks the declaration changed";
        page->SaveData();
        EXPECT_EQ(application(test.row), expected);
        EXPECT_EQ(application(1 - test.row), other);
    }
}

TEST_F(KudaTratitTest, MoneyIsTypedWithTwoDecimalsAndAnEmptyEditStoresZero)
{
    addRefund(declaration());
    showPage();
    selectRow(page->lvSourseIncomeInfo, 0);
    typeText(page->meMaxSum, QString());
    page->SaveData();
    EXPECT_EQ(application(0).RefundSum, Currency());

    typeInto(page->meMaxSum, QStringLiteral("1234,567"));
    EXPECT_EQ(page->meMaxSum->text(), QStringLiteral("1234,56"));
    typeInto(page->meMaxSum, QStringLiteral("12345678901234"));
    EXPECT_EQ(page->meMaxSum->text(), QStringLiteral("1234567890123")) << "13 whole digits at most";
    page->SaveData();
    EXPECT_EQ(application(0).RefundSum, Currency::fromWholeRoubles(1'234'567'890'123));
}

TEST_F(KudaTratitTest, AnOffsetNeverTakesTheBanksCode)
{
    addRefund(declaration());
    addOffset(declaration());
    showPage();
    selectRow(page->lvSourseIncomeInfo, 0);
    selectRow(page->lvSourseIncomeInfo, 1);
    // The bank's edits belong to refunds; whatever they hold stays out of an offset.
    page->meBIK->setText(QStringLiteral("044525225"));
    page->meBankNaim->setText(QStringLiteral("ПАО Сбербанк"));
    page->SaveData();
    EXPECT_TRUE(application(1).BankBik.empty());
    EXPECT_TRUE(application(1).BankName.empty());

    page->meInspection->setText(QStringLiteral("7799"));
    selectRow(page->lvSourseIncomeInfo, 0);
    EXPECT_EQ(application(0).TaxOfficeCode, "") << "nor does a refund take the offset's fields";
    EXPECT_EQ(application(1).TaxOfficeCode, "7799");
}

TEST_F(KudaTratitTest, CheckShowsEachApplicationsFirstFailure)
{
    struct Case {
        const char* title;
        std::function<void(mTDeclaration&)> fill;
        std::vector<int> answers;
        std::uint16_t result;
        std::vector<std::pair<const char*, const char*>> shown; // section, message
    };
    const char* const refund = "Проверка: Возврат излишне уплаченного налога";
    const char* const offset = "Проверка: Зачет излишне уплаченного налога";
    const Case cases[] = {
        {"all in order", [](mTDeclaration& d) { addRefund(d); addOffset(d); }, {}, 0, {}},
        {"no applications", [](mTDeclaration&) {}, {}, 0, {}},
        {"refund of no sum", [](mTDeclaration& d) { addRefund(d).RefundSum = Currency(); }, {CheckFix}, 1,
         {{refund, "Нужно указать сумму возврата или поставить признак возврата всей суммы излишне уплаченного "
                   "налога"}}},
        {"refund of all that is left without a sum",
         [](mTDeclaration& d) {
             mTTrata& a = addRefund(d);
             a.RefundSum = Currency();
             a.AllIn = 1;
         },
         {}, 0, {}},
        {"refund without a bank", [](mTDeclaration& d) { addRefund(d).BankName.clear(); }, {CheckFix}, 1,
         {{refund, "Не указано наименование банка"}}},
        {"refund with a short BIC", [](mTDeclaration& d) { addRefund(d).BankBik = "04452522"; }, {CheckFix}, 1,
         {{refund, "БИК не указан или имеет недопустимую длину"}}},
        {"refund without the kind of account", [](mTDeclaration& d) { addRefund(d).AccountKind = 0; }, {CheckFix},
         1, {{refund, "Не указан вид счета"}}},
        {"refund to an account of 19 digits",
         [](mTDeclaration& d) { addRefund(d).AccountNumber = "4081781009991000431"; }, {CheckFix}, 1,
         {{refund, "Номер счета не указан или имеет недопустимую длину"}}},
        {"offset without a tax office",
         [](mTDeclaration& d) {
             addRefund(d);
             addOffset(d).TaxOfficeCode = "770";
         },
         {CheckFix}, 2, {{offset, "Не указан код налогового органа"}}},
        {"offset with a short KBK", [](mTDeclaration& d) { addOffset(d).Kbk = "1821010201001100011"; }, {CheckFix},
         1,
         {{offset, "КБК налога (недоимки, пени штрафа) не указан или имеет недостаточное количество числовых "
                   "символов"}}},
        {"offset with an OKTMO of 9", [](mTDeclaration& d) { addOffset(d).Oktmo = "453820001"; }, {CheckFix}, 1,
         {{offset, "ОКТМО должен содержать 8 или 11 числовых символов"}}},
        {"offset of no sum", [](mTDeclaration& d) { addOffset(d).OffsetSum = Currency(); }, {CheckFix}, 1,
         {{offset, "Не указана сумма, перечисляемая на уплату налога (недоимки, пени штрафа)"}}},
        {"offset without a purpose", [](mTDeclaration& d) { addOffset(d).OffsetPurpose = 0; }, {CheckFix}, 1,
         {{offset, "Не указано, в счет чего перечисляется сумма: налога или недоимки (пени штрафа)"}}},
        {"offset with a period half typed", [](mTDeclaration& d) { addOffset(d).Note = "ГД.  .2021"; }, {CheckFix},
         1, {{offset, "Налоговый (расчетный) период (код) не заполнен или заполнен не полностью"}}},
        {"skipping goes on with the next application",
         [](mTDeclaration& d) {
             mTTrata& a = addRefund(d);
             a.BankName.clear();
             a.AccountKind = 0;
             addRefund(d);
             addOffset(d).Oktmo.clear();
         },
         {CheckSkip, CheckFix}, 3,
         {{refund, "Не указано наименование банка"}, {offset, "ОКТМО должен содержать 8 или 11 числовых символов"}}},
        {"skipping all ends the check",
         [](mTDeclaration& d) {
             addRefund(d).BankName.clear();
             addOffset(d).Oktmo.clear();
         },
         {CheckSkipAll}, 0, {{refund, "Не указано наименование банка"}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow fresh;
        test.fill(*fresh.declaration);
        auto* checked = fresh.show<TfrKudaTratit>();
        ScriptedCheckAnswers script;
        script.answers.assign(test.answers.begin(), test.answers.end());
        checked->SaveData();
        EXPECT_EQ(checked->CheckData(), test.result);
        ASSERT_EQ(script.shown.size(), test.shown.size());
        for (std::size_t i = 0; i < test.shown.size(); ++i) {
            EXPECT_EQ(script.shown[i].caption, QString::fromUtf8(test.shown[i].first));
            EXPECT_EQ(script.shown[i].message, QString::fromUtf8(test.shown[i].second));
            EXPECT_TRUE(script.shown[i].skip && script.shown[i].skipAll);
        }
        if (test.result == 0)
            continue;
        checked->FocusError(test.result);
        EXPECT_EQ(selectedRow(checked->lvSourseIncomeInfo), test.result - 1) << "the failing application opens";
        EXPECT_EQ(fresh.window.focusWidget(), checked->lvSourseIncomeInfo);
        const bool refundShown = fresh.declaration->GetTrata(test.result - 1)->IsRefund != 0;
        EXPECT_EQ(checked->gbBank->isEnabled(), refundShown);
    }
}

TEST_F(KudaTratitTest, FocusErrorWithoutApplicationsPointsAtTheAddButton)
{
    // The whole check's offer to dispose of a refund lands here with element 1 and no application.
    showPage();
    page->FocusError(1);
    EXPECT_EQ(window.window.focusWidget(), page->fbAddSourseIncome);

    PageWindow listed;
    addRefund(*listed.declaration);
    auto* listedPage = listed.show<TfrKudaTratit>();
    listedPage->FocusError(5);
    EXPECT_EQ(selectedRow(listedPage->lvSourseIncomeInfo), -1) << "a number past the list does nothing";
}

TEST_F(KudaTratitTest, ApplicationsAreAddedAndDeletedAtOnce)
{
    showPage();
    ModalAnswer<TfmInputTrata> cancelled([](TfmInputTrata& dialog) { dialog.bnCansel->click(); });
    userClick(page->fbAddSourseIncome);
    ASSERT_TRUE(cancelled.shown);
    EXPECT_EQ(declaration().TrataCount(), 0u);
    EXPECT_EQ(counter.userEdits, 0);

    addOnPage(true);
    ASSERT_EQ(declaration().TrataCount(), 1u);
    EXPECT_EQ(application(0).IsRefund, 1);
    EXPECT_TRUE(application(0).ApplicationNumber.empty());
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), QStringList{RefundRow});
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0) << "the new application is open";
    EXPECT_TRUE(page->gbBank->isEnabled());
    EXPECT_FALSE(page->gbNalog->isEnabled());
    EXPECT_TRUE(page->fbDeleteSourseIncome->isEnabled());
    EXPECT_GT(counter.userEdits, 0);
    typeText(page->meBankNaim, QStringLiteral("Первый банк"));

    addOnPage(false);
    EXPECT_EQ(application(0).BankName, "Первый банк") << "opening the new one stored the open one";
    EXPECT_EQ(application(1).IsRefund, 0);
    EXPECT_FALSE(page->gbBank->isEnabled());
    EXPECT_TRUE(page->gbNalog->isEnabled());
    EXPECT_TRUE(page->meKBK->text().isEmpty());
    typeText(page->meKBK, QStringLiteral("18210102010011000110"));

    addOnPage(true);
    typeText(page->meBankNaim, QStringLiteral("Третий банк"));
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), (QStringList{RefundRow, OffsetRow, RefundRow}));

    // Edit the second, then delete it: neither its neighbours nor anything else takes its fields.
    selectRow(page->lvSourseIncomeInfo, 1);
    typeText(page->meKBK, QStringLiteral("11111111111111111111"));
    typeText(page->meOKTMO, QStringLiteral("12345678"));
    const int beforeDeleting = counter.userEdits;
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_GT(counter.userEdits, beforeDeleting);
    ASSERT_EQ(declaration().TrataCount(), 2u);
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), (QStringList{RefundRow, RefundRow}));
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0) << "the row before the deleted one";
    EXPECT_EQ(page->meBankNaim->text(), QStringLiteral("Первый банк"));
    page->SaveData();
    mTTrata first;
    first.IsRefund = 1;
    first.BankName = "Первый банк";
    mTTrata third = first;
    third.BankName = "Третий банк";
    EXPECT_EQ(application(0), first);
    EXPECT_EQ(application(1), third);

    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), QStringList{RefundRow});
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0) << "the first row when the first was deleted";
    EXPECT_EQ(application(0), third);

    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(declaration().TrataCount(), 0u);
    EXPECT_FALSE(page->fbDeleteSourseIncome->isEnabled());
    EXPECT_FALSE(page->gbBank->isEnabled());
    EXPECT_FALSE(page->gbNalog->isEnabled());
    EXPECT_TRUE(page->meBankNaim->text().isEmpty());
    page->SaveData();
    EXPECT_EQ(declaration().TrataCount(), 0u);
}

TEST_F(KudaTratitTest, DeletingNeedsTheOpenApplication)
{
    addRefund(declaration());
    showPage();
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(declaration().TrataCount(), 1u) << "nothing selected, nothing deleted";
    EXPECT_EQ(counter.userEdits, 0);
}

TEST_F(KudaTratitTest, RowsReadTheSameAfterAddingAndAfterReopening)
{
    declaration().SetIncomeKinds(IncomeKindSources | IncomeKindTrata);
    showPage();
    addOnPage(true);
    addOnPage(false);
    const QStringList added = rowCaptions(page->lvSourseIncomeInfo);
    EXPECT_EQ(added, (QStringList{RefundRow, OffsetRow}));
    page->SaveData();

    PageWindow reopened;
    reopened.declaration = reloaded(declaration());
    EXPECT_EQ(rowCaptions(reopened.show<TfrKudaTratit>()->lvSourseIncomeInfo), added);
}

TEST_F(KudaTratitTest, TheWholeBalanceGoesOnlyToTheLastApplicationAndEndsTheList)
{
    addRefund(declaration());
    addRefund(declaration());
    showPage();
    selectRow(page->lvSourseIncomeInfo, 0);
    EXPECT_FALSE(page->chbAllIn->isEnabled());
    selectRow(page->lvSourseIncomeInfo, 1);
    ASSERT_TRUE(page->chbAllIn->isEnabled());

    page->chbAllIn->click();
    EXPECT_FALSE(page->fbAddSourseIncome->isEnabled()) << "nothing can follow the whole balance";
    EXPECT_FALSE(page->meMaxSum->isEnabled());
    EXPECT_TRUE(page->meMaxSum->text().isEmpty());

    selectRow(page->lvSourseIncomeInfo, 0);
    EXPECT_EQ(application(1).AllIn, 1);
    EXPECT_EQ(application(1).RefundSum, Currency());
    EXPECT_FALSE(page->fbAddSourseIncome->isEnabled()) << "another application open changes nothing";
    EXPECT_TRUE(page->meMaxSum->isEnabled());

    PageWindow reopened;
    reopened.declaration = reloaded(declaration());
    EXPECT_FALSE(reopened.show<TfrKudaTratit>()->fbAddSourseIncome->isEnabled());

    selectRow(page->lvSourseIncomeInfo, 1);
    EXPECT_TRUE(page->chbAllIn->isChecked());
    page->chbAllIn->click();
    EXPECT_TRUE(page->fbAddSourseIncome->isEnabled());
    EXPECT_TRUE(page->meMaxSum->isEnabled());
    page->SaveData();
    EXPECT_EQ(application(1).AllIn, 0);

    // Deleting the application that took the whole balance lets applications be added again.
    page->chbAllIn->click();
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_TRUE(page->fbAddSourseIncome->isEnabled());
    EXPECT_TRUE(page->chbAllIn->isEnabled()) << "the first application is the last one now";
}

TEST_F(KudaTratitTest, TheTaxOfficeIsChosenFromTheDirectoryOrTyped)
{
    addOffset(declaration());
    {
        TestProgramContext context;
        context.taxOfficeAnswer = [](const QString&) {
            return std::optional<TaxOfficeChoice>(TaxOfficeChoice{QStringLiteral("7702"), QStringLiteral("ИФНС № 2")});
        };
        showPage();
        selectRow(page->lvSourseIncomeInfo, 0);
        ASSERT_TRUE(page->bnInspection->isEnabled());
        const int edits = counter.userEdits;
        page->bnInspection->click();
        EXPECT_EQ(context.taxOfficePresets, std::vector<QString>{QStringLiteral("7701")}) << "preset with the code";
        EXPECT_EQ(page->meInspection->text(), QStringLiteral("7702"));
        EXPECT_GT(counter.userEdits, edits);
        page->SaveData();
        EXPECT_EQ(application(0).TaxOfficeCode, "7702");

        context.taxOfficeAnswer = [](const QString&) { return std::optional<TaxOfficeChoice>(); };
        page->bnInspection->click();
        EXPECT_EQ(page->meInspection->text(), QStringLiteral("7702")) << "cancelling keeps the code";

        typeText(page->meInspection, QStringLiteral("7703"));
        page->SaveData();
        EXPECT_EQ(application(0).TaxOfficeCode, "7703") << "typing works with the directory too";
    }
    delete page;

    TestProgramContext withoutDirectory;
    showPage();
    selectRow(page->lvSourseIncomeInfo, 0);
    EXPECT_FALSE(page->bnInspection->isEnabled());
    typeInto(page->meInspection, QStringLiteral("77a0412"));
    EXPECT_EQ(page->meInspection->text(), QStringLiteral("7704")) << "four digits";
    page->SaveData();
    EXPECT_EQ(application(0).TaxOfficeCode, "7704");
}

// Tab walks the fields of an application as they stand, in the smallest window and a wide one:
// the account's number comes right after the bank's code, whether beside or under it.
TEST_F(KudaTratitTest, TabFollowsTheFieldsAsTheyStand)
{
    struct Case {
        const char* name;
        int width;
        bool refund;
    };
    const Case cases[] = {
        {"refund, narrow", 520, true},
        {"refund, wide", 1200, true},
        {"offset, narrow", 520, false},
        {"offset, wide", 1200, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageWindow shown;
        (c.refund ? addRefund : addOffset)(*shown.declaration);
        shown.window.resize(c.width, 700);
        auto* tested = shown.show<TfrKudaTratit>();
        ASSERT_TRUE(showActive(shown.window));
        selectRow(tested->lvSourseIncomeInfo, 0);
        QTest::qWait(20);
        QGroupBox* group = c.refund ? tested->gbBank : tested->gbNalog;
        const QStringList onScreen = screenOrder(group);
        ASSERT_GE(onScreen.size(), c.refund ? 5 : 6);
        expectTabFollowsTheScreen(group);
        if (c.refund) {
            EXPECT_EQ(onScreen.indexOf(QStringLiteral("meNumSch")), onScreen.indexOf(QStringLiteral("meBIK")) + 1)
                << onScreen.join(u' ').toStdString();
        }
    }
}

} // namespace
