#include "pages/income/RateLines.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/DisplayFormat.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MaskedEdit.h"
#include "model/Sourse.h"
#include "pages/income/Input13Income.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/UserTyping.h"

namespace {

Currency money(const char* text)
{
    return parseCurrencyDisplayText(QString::fromUtf8(text)).value();
}

std::unique_ptr<mTIncome> incomeLine(std::int32_t code, const char* amount, std::uint16_t month,
                                     std::int32_t deductCode = 0, const char* deduction = "0")
{
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = code;
    line->Amount = money(amount);
    line->Month = month;
    line->DeductionCode = deductCode;
    line->Deduction = money(deduction);
    return line;
}

// The texts of a list's rows, each row's columns joined by "|".
QStringList rows(const QTreeWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList columns;
        for (int column = 0; column < list->columnCount(); ++column) {
            if (!list->isColumnHidden(column))
                columns << list->topLevelItem(i)->text(column);
        }
        texts << columns.join(u'|');
    }
    return texts;
}

QStringList headings(const QTreeWidget* list)
{
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column) {
        if (!list->isColumnHidden(column))
            texts << list->headerItem()->text(column);
    }
    return texts;
}

// What the user types into the income line dialog.
struct TypedLine {
    const char* code;
    const char* income;
    const char* deduct = nullptr; // chosen from the picker when set
    const char* month = nullptr;
    const char* withheld = nullptr;
};

class RateLinesTest : public ::testing::Test {
protected:
    mTDeclaration& declaration() { return *window.declaration; }
    mbTSourse& source(std::size_t index = 0) { return *declaration().GetSource(index); }

    mbTSourse& addSource()
    {
        mbTSourse& added = *declaration().GetSource(declaration().AddSource());
        added.Name = "ООО \"Ромашка\"";
        added.Inn = "7707083893";
        added.Kpp = "773601001";
        added.Oktmo = "45382000";
        return added;
    }

    // Builds the frame as the sources page does, while pages are loading.
    TfrRateLines* showFrame(RateLines lines, int sourceIndex = 0)
    {
        delete frame;
        {
            const PageLoadingScope loading;
            frame = new TfrRateLines(lines, &window.window, window.declaration, sourceIndex);
        }
        window.window.layout()->addWidget(frame);
        window.window.show();
        return frame;
    }

    // Opens the income line dialog with `button` and answers it. The typing is no edit of the
    // declaration's: what the test counts is the frame's own notification.
    bool answerDialog(TFlashButton* button, const TypedLine& typed, bool confirm = true)
    {
        ModalAnswer<TfmInput13Income> answer([&](TfmInput13Income& dialog) {
            {
                const PageLoadingScope quiet;
                dialog.chooseIncomeCode(QString::fromUtf8(typed.code));
                typeText(dialog.meIncomeSum, QString::fromUtf8(typed.income));
                if (typed.deduct)
                    dialog.chooseDeductCode(QString::fromUtf8(typed.deduct));
                if (typed.month)
                    typeText(dialog.mePropSale, QString::fromUtf8(typed.month));
                if (typed.withheld)
                    typeText(dialog.meHoldSum, QString::fromUtf8(typed.withheld));
            }
            (confirm ? dialog.bnOk : dialog.bnCansel)->click();
        });
        userClick(button);
        return answer.shown;
    }

    ScriptedCheckAnswers checks; // rules that may be skipped are, unless a test answers otherwise
    UserEditCounter counter;
    PageWindow window;
    TfrRateLines* frame = nullptr;
};

TEST_F(RateLinesTest, LooksAsItShould)
{
    addSource();
    struct Case {
        RateLines lines;
        const char* holdCaption;
        const char* profitCaption; // nullptr: no profit tax
        QStringList headings;
    };
    const QStringList monthHeadings{QStringLiteral("Месяц дохода"), QStringLiteral("Код дохода"),
                                    QStringLiteral("Сумма дохода"), QStringLiteral("Код вычета"),
                                    QStringLiteral("Сумма вычета")};
    const Case cases[] = {
        {RateLines::Rate13, "Сумма налога удержанная (13%) ", "Сумма налога на прибыль орг.  (13%) ", monthHeadings},
        {RateLines::Rate15, "Сумма налога удержанная (15%) ", "Сумма налога на прибыль орг.  (15%) ", monthHeadings},
        {RateLines::Other, "Сумма налога удержанная ", nullptr,
         {QStringLiteral("Код дохода"), QStringLiteral("Сумма дохода"), QStringLiteral("Код вычета"),
          QStringLiteral("Сумма вычета"), QStringLiteral("Удержанный налог")}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.holdCaption);
        showFrame(test.lines);
        EXPECT_EQ(headings(frame->lvIncome), test.headings);
        EXPECT_EQ(frame->lvIncome->toolTip(), QStringLiteral("Список доходов по выбранному источнику выплат "));
        EXPECT_EQ(frame->gbResult->title(), QStringLiteral("Итоговые суммы по источнику выплат"));
        EXPECT_EQ(frame->lbItogIncomeSum->text(), QStringLiteral("Общая сумма дохода"));
        EXPECT_EQ(frame->lbHoldSum->text(), QString::fromUtf8(test.holdCaption));
        EXPECT_EQ(frame->fbAddIncome->toolTip(), QStringLiteral("Добавить доход"));
        EXPECT_EQ(frame->fbRemoveIncome->toolTip(), QStringLiteral("Удалить доход"));
        EXPECT_EQ(frame->fbEditIncome->toolTip(), QStringLiteral("Редактировать доход"));
        EXPECT_EQ(frame->fbCopy->toolTip(), QStringLiteral("Копировать доход"));
        EXPECT_EQ(frame->fbCopy->isHidden(), test.lines == RateLines::Other);
        EXPECT_TRUE(frame->pnlPribOrg->isHidden());
        if (test.profitCaption) {
            EXPECT_EQ(frame->lbPribOrg->text(), QString::fromUtf8(test.profitCaption));
        }
        // Taxes are whole roubles, as the exchange file holds them.
        for (TMaskedEdit* tax : {frame->meHoldSum, frame->mePribOrg}) {
            EXPECT_EQ(tax->editType(), edtWholeRoubles);
            EXPECT_EQ(tax->wholeLength(), 13);
        }
        for (int column = 0; column < frame->lvIncome->columnCount(); ++column) {
            const QString heading = frame->lvIncome->headerItem()->text(column);
            EXPECT_GE(frame->lvIncome->columnWidth(column),
                      frame->lvIncome->header()->fontMetrics().horizontalAdvance(heading))
                << heading.toStdString();
        }
    }
}

TEST_F(RateLinesTest, TheGroupIsCaptionedByRateAndDeclaration)
{
    struct Case {
        RateLines lines;
        std::uint8_t type;
        const char* caption;
    };
    const Case cases[] = {
        {RateLines::Rate13, DeclarationOrdinary,
         "Доходы, облагаемые по ставке 13% (из справки 2-НДФЛ, либо от источников, не являющихся налоговыми "
         "агентами)"},
        {RateLines::Rate15, DeclarationNonResident, "Доходы, облагаемые по ставке 15% (из справки 2-НДФЛ)"},
        {RateLines::Other, DeclarationOrdinary,
         "Доходы, облагаемые по ставкам, отличным от 13% и 15% (из справки 2-НДФЛ)"},
        // Only the ordinary declaration names its other-rate lines by the employer's statement.
        {RateLines::Other, DeclarationClosingBusiness,
         "Доходы, облагаемые по ставке 30% и другим ставкам, отличным от 13% и 15% (2-НДФЛ и другие источники)"},
        {RateLines::Other, DeclarationNonResident,
         "Доходы, облагаемые по ставке 30% и другим ставкам, отличным от 13% и 15% (2-НДФЛ и другие источники)"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(TfrRateLines::groupCaption(test.lines, test.type), QString::fromUtf8(test.caption));
}

TEST_F(RateLinesTest, ShowsTheLinesAndSavesThemBackUnchanged)
{
    mbTSourse& shown = addSource();
    shown.AddIncome13(incomeLine(2000, "50000", 1));
    shown.AddIncome13(incomeLine(2720, "10000,5", 12, 501, "4000"));
    auto sale = incomeLine(1510, "700000", 3, 901, "700000");
    sale->PropertyFlag = 1;
    sale->CadastralNumber = "77:01:0001001:1001";
    sale->CadastralValue = money("1000000");
    sale->ContractPrice = money("600000");
    shown.AddIncome13(std::move(sale));
    shown.AddIncome15(incomeLine(1010, "20000", 6));
    auto other = incomeLine(2610, "3000", 1);
    other->WithheldTax = money("1050,5");
    shown.AddIncome99(std::move(other));
    shown.WithheldTax13 = money("1234,56"); // kopecks of an earlier file are kept, not cut off
    shown.WithheldTax15 = money("3000");
    shown.WithheldTax99 = money("900");
    shown.OrgProfitTax13 = money("150");
    shown.OrgProfitTax15 = money("700");
    const QByteArray before = fileBytes(declaration());

    struct Case {
        RateLines lines;
        QStringList rows;
        const char* total;
        const char* withheld;
    };
    const Case cases[] = {
        {RateLines::Rate13,
         {QStringLiteral("1|2000|50000|Нет|-"), QStringLiteral("12|2720|10000,5|501|4000"),
          QStringLiteral("3|1510|700000|901|700000")},
         "760000,5",
         "1234,56"},
        {RateLines::Rate15, {QStringLiteral("6|1010|20000|Нет|-")}, "20000", "3000"},
        {RateLines::Other, {QStringLiteral("2610|3000|Нет|-|1050,5")}, "3000", "900"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.total);
        showFrame(test.lines);
        EXPECT_EQ(rows(frame->lvIncome), test.rows);
        EXPECT_EQ(frame->pnlItogIncomeSum->text(), QString::fromUtf8(test.total));
        EXPECT_EQ(frame->meHoldSum->text(), QString::fromUtf8(test.withheld));
        EXPECT_EQ(selectedRow(frame->lvIncome), -1);
        frame->SaveData();
        EXPECT_EQ(fileBytes(declaration()), before);
    }
    EXPECT_EQ(counter.userEdits, 0) << "showing a source's lines is no edit";
}

TEST_F(RateLinesTest, AddingEditingAndRemovingLinesKeepTheListAndTheTotal)
{
    addSource();
    showFrame(RateLines::Rate13);
    ASSERT_TRUE(answerDialog(frame->fbAddIncome, {"2720", "10000", "501", "5"}));
    EXPECT_EQ(counter.userEdits, 1);
    ASSERT_EQ(source().Income13Count(), 1u);
    const mTIncome& added = source().GetIncome13(0);
    EXPECT_EQ(added.IncomeCode, 2720);
    EXPECT_EQ(added.Amount, money("10000"));
    EXPECT_EQ(added.DeductionCode, 501);
    EXPECT_EQ(added.Deduction, money("4000"));
    EXPECT_EQ(added.Month, 5);
    EXPECT_EQ(rows(frame->lvIncome), QStringList{QStringLiteral("5|2720|10000|501|4000")});
    EXPECT_EQ(selectedRow(frame->lvIncome), 0);
    EXPECT_EQ(frame->pnlItogIncomeSum->text(), QStringLiteral("10000"));

    ASSERT_TRUE(answerDialog(frame->fbAddIncome, {"2000", "50000,25", nullptr, "7"}));
    EXPECT_EQ(counter.userEdits, 2);
    EXPECT_EQ(frame->pnlItogIncomeSum->text(), QStringLiteral("60000,25"));
    EXPECT_EQ(selectedRow(frame->lvIncome), 1);

    selectRow(frame->lvIncome, 0);
    ASSERT_TRUE(answerDialog(frame->fbEditIncome, {"2720", "3000", "501", "8"}));
    EXPECT_EQ(counter.userEdits, 3);
    EXPECT_EQ(source().GetIncome13(0).Amount, money("3000"));
    EXPECT_EQ(rows(frame->lvIncome),
              (QStringList{QStringLiteral("8|2720|3000|501|3000"), QStringLiteral("7|2000|50000,25|Нет|-")}));
    EXPECT_EQ(frame->pnlItogIncomeSum->text(), QStringLiteral("53000,25"));

    // A dialog that is cancelled changes nothing.
    ASSERT_TRUE(answerDialog(frame->fbAddIncome, {"2000", "1"}, false));
    selectRow(frame->lvIncome, 1);
    ASSERT_TRUE(answerDialog(frame->fbEditIncome, {"2000", "1"}, false));
    EXPECT_EQ(source().Income13Count(), 2u);
    EXPECT_EQ(source().GetIncome13(1).Amount, money("50000,25"));
    EXPECT_EQ(counter.userEdits, 3);

    selectRow(frame->lvIncome, 0);
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(frame->fbRemoveIncome);
    EXPECT_EQ(counter.userEdits, 4);
    EXPECT_EQ(rows(frame->lvIncome), QStringList{QStringLiteral("7|2000|50000,25|Нет|-")});
    EXPECT_EQ(source().Income13Count(), 1u);
    EXPECT_EQ(selectedRow(frame->lvIncome), 0);
    EXPECT_EQ(frame->pnlItogIncomeSum->text(), QStringLiteral("50000,25"));
    userClick(frame->fbRemoveIncome);
    EXPECT_EQ(source().Income13Count(), 0u);
    EXPECT_EQ(frame->pnlItogIncomeSum->text(), QStringLiteral("0"));
    userClick(frame->fbRemoveIncome);
    EXPECT_EQ(counter.userEdits, 5) << "nothing selected, nothing removed";
}

TEST_F(RateLinesTest, ALineReadsTheSameAfterAddingAndAfterShowingTheSourceAgain)
{
    addSource();
    showFrame(RateLines::Rate13);
    ASSERT_TRUE(answerDialog(frame->fbAddIncome, {"2000", "1000", nullptr, "2"}));
    ASSERT_TRUE(answerDialog(frame->fbAddIncome, {"2720", "3000", "0", "3"}));
    const QStringList added = rows(frame->lvIncome);
    EXPECT_EQ(added, (QStringList{QStringLiteral("2|2000|1000|Нет|-"), QStringLiteral("3|2720|3000|Нет|-")}));
    showFrame(RateLines::Rate13);
    EXPECT_EQ(rows(frame->lvIncome), added);
}

TEST_F(RateLinesTest, EditingKeepsWhatTheDialogDoesNotAsk)
{
    declaration().DeclarationType = DeclarationNonResident;
    mbTSourse& shown = addSource();
    auto line = incomeLine(2000, "1000", 9);
    line->LineReserved = 17;
    shown.AddIncome13(std::move(line));
    showFrame(RateLines::Rate13);
    selectRow(frame->lvIncome, 0);
    ASSERT_TRUE(answerDialog(frame->fbEditIncome, {"2000", "2000"}));
    const mTIncome& edited = source().GetIncome13(0);
    EXPECT_EQ(edited.Amount, money("2000"));
    EXPECT_EQ(edited.Month, 9) << "a non-resident's month is not asked";
    EXPECT_EQ(edited.LineReserved, 17);
    EXPECT_EQ(counter.userEdits, 1);

    selectRow(frame->lvIncome, 0);
    ModalAnswer<TfmInput13Income> unchanged([](TfmInput13Income& dialog) { dialog.bnOk->click(); });
    userClick(frame->fbEditIncome);
    ASSERT_TRUE(unchanged.shown);
    EXPECT_EQ(counter.userEdits, 1) << "a line taken back as it was is no edit";
}

// An author's fee corrected to another kind of work keeps its deduction of costs by the norm, at
// the new kind's share: 20 % of a literary work's fee, 40 % of a musical one's.
TEST_F(RateLinesTest, AKeptDeductionFollowsTheShareOfTheNewIncomeCode)
{
    const struct {
        std::int32_t from;
        std::int32_t fromPercent;
        const char* fromDeduction;
        std::int32_t to;
        std::int32_t toPercent;
        const char* toDeduction;
    } cases[] = {
        {2201, 20, "200", 2205, 40, "400"},
        {2205, 40, "400", 2201, 20, "200"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::to_string(test.from) + " to " + std::to_string(test.to));
        if (declaration().SourceCount() > 0)
            declaration().DeleteSource(0);
        auto line = incomeLine(test.from, "1000", 3, 405, test.fromDeduction);
        line->DeductionPercent = test.fromPercent;
        addSource().AddIncome13(std::move(line));
        showFrame(RateLines::Rate13);
        selectRow(frame->lvIncome, 0);
        QString shownSum;
        ModalAnswer<TfmInput13Income> corrected([&](TfmInput13Income& dialog) {
            dialog.chooseIncomeCode(QString::number(test.to));
            shownSum = dialog.meSubtractSum->text();
            dialog.bnOk->click();
        });
        userClick(frame->fbEditIncome);
        ASSERT_TRUE(corrected.shown);
        EXPECT_EQ(shownSum, QString::fromLatin1(test.toDeduction));
        const mTIncome& kept = source().GetIncome13(0);
        EXPECT_EQ(kept.IncomeCode, test.to);
        EXPECT_EQ(kept.DeductionCode, 405);
        EXPECT_EQ(kept.Deduction, money(test.toDeduction));
        EXPECT_EQ(kept.DeductionPercent, test.toPercent);
    }
}

TEST_F(RateLinesTest, ACopyGoesIntoTheNextMonthButNoFurtherThanDecember)
{
    mbTSourse& shown = addSource();
    shown.AddIncome13(incomeLine(2000, "1000", 5));
    auto sale = incomeLine(1510, "700000", 12, 901, "700000");
    sale->PropertyFlag = 1;
    sale->CadastralNumber = "77:01:0001001:1001";
    sale->CadastralValue = money("1000000");
    sale->ContractPrice = money("600000");
    sale->DeductionPercent = 0;
    shown.AddIncome13(std::move(sale));
    showFrame(RateLines::Rate13);

    selectRow(frame->lvIncome, 0);
    userClick(frame->fbCopy);
    EXPECT_EQ(counter.userEdits, 1);
    ASSERT_EQ(source().Income13Count(), 3u);
    EXPECT_EQ(source().GetIncome13(2).Month, 6);
    EXPECT_EQ(selectedRow(frame->lvIncome), 2);

    selectRow(frame->lvIncome, 1);
    userClick(frame->fbCopy);
    ASSERT_EQ(source().Income13Count(), 4u);
    const mTIncome& copy = source().GetIncome13(3);
    EXPECT_EQ(copy.Month, 12);
    EXPECT_EQ(copy.IncomeCode, 1510);
    EXPECT_EQ(copy.Amount, money("700000"));
    EXPECT_EQ(copy.DeductionCode, 901);
    EXPECT_EQ(copy.Deduction, money("700000"));
    EXPECT_EQ(copy.PropertyFlag, 0) << "the sale details are not copied";
    EXPECT_TRUE(copy.CadastralNumber.empty());
    EXPECT_EQ(copy.CadastralValue, Currency());
    EXPECT_EQ(copy.ContractPrice, Currency());
    EXPECT_EQ(rows(frame->lvIncome).mid(2), (QStringList{QStringLiteral("6|2000|1000|Нет|-"),
                                                         QStringLiteral("12|1510|700000|901|700000")}));
    EXPECT_EQ(frame->pnlItogIncomeSum->text(), QStringLiteral("1402000"));
    EXPECT_EQ(counter.userEdits, 2);
}

TEST_F(RateLinesTest, ADividendShowsTheProfitTaxUntilTheFrameIsBuiltAgain)
{
    for (RateLines lines : {RateLines::Rate13, RateLines::Rate15}) {
        SCOPED_TRACE(int(lines));
        if (declaration().SourceCount() > 0)
            declaration().DeleteSource(0);
        addSource();
        showFrame(lines);
        EXPECT_TRUE(frame->pnlPribOrg->isHidden());
        ASSERT_TRUE(answerDialog(frame->fbAddIncome, {"1010", "20000", nullptr, "4"}));
        EXPECT_FALSE(frame->pnlPribOrg->isHidden());
        ASSERT_TRUE(answerDialog(frame->fbAddIncome, {"2000", "1000", nullptr, "4"}));
        EXPECT_FALSE(frame->pnlPribOrg->isHidden());
        typeText(frame->mePribOrg, QStringLiteral("2600"));
        selectRow(frame->lvIncome, 0);
        // The delete commands ask first.
        MessageAnswers agreed(QMessageBox::Yes);
        userClick(frame->fbRemoveIncome);
        EXPECT_FALSE(frame->pnlPribOrg->isHidden()) << "a removal leaves the field";
        frame->SaveData();
        EXPECT_EQ(lines == RateLines::Rate13 ? source().OrgProfitTax13 : source().OrgProfitTax15, money("2600"));
        showFrame(lines);
        EXPECT_TRUE(frame->pnlPribOrg->isHidden());
    }

    mbTSourse& dividends = source();
    dividends.AddIncome13(incomeLine(1010, "5000", 1));
    showFrame(RateLines::Rate13);
    EXPECT_FALSE(frame->pnlPribOrg->isHidden());
    showFrame(RateLines::Other);
    EXPECT_TRUE(frame->pnlPribOrg->isHidden()) << "other rates have no profit tax";
}

TEST_F(RateLinesTest, OtherRatesCarryTheWithheldTaxPerLineForAResident)
{
    struct Case {
        std::uint8_t type;
        bool perLine;
    };
    for (const Case& test : {Case{DeclarationOrdinary, true}, Case{DeclarationNonResident, false}}) {
        SCOPED_TRACE(int(test.type));
        declaration().DeclarationType = test.type;
        if (declaration().SourceCount() > 0)
            declaration().DeleteSource(0);
        addSource();
        showFrame(RateLines::Other);
        EXPECT_EQ(frame->lvIncome->isColumnHidden(4), !test.perLine);
        EXPECT_EQ(frame->meHoldSum->isHidden(), test.perLine);
        EXPECT_EQ(frame->lbHoldSum->isHidden(), test.perLine);

        bool withheldAsked = false;
        bool monthShown = true;
        ModalAnswer<TfmInput13Income> answer([&](TfmInput13Income& dialog) {
            withheldAsked = !dialog.meHoldSum->isHidden();
            monthShown = !dialog.mePropSale->isHidden();
            dialog.chooseIncomeCode(QStringLiteral("2720"));
            typeText(dialog.meIncomeSum, QStringLiteral("9000"));
            dialog.chooseDeductCode(QStringLiteral("501"));
            if (withheldAsked)
                typeText(dialog.meHoldSum, QStringLiteral("650"));
            dialog.bnOk->click();
        });
        userClick(frame->fbAddIncome);
        ASSERT_TRUE(answer.shown);
        EXPECT_EQ(withheldAsked, test.perLine);
        EXPECT_FALSE(monthShown);
        ASSERT_EQ(source().Income99Count(), 1u);
        const mTIncome& added = source().GetIncome99(0);
        EXPECT_EQ(added.WithheldTax, test.perLine ? money("650") : Currency());
        EXPECT_EQ(added.Month, 1);
        EXPECT_EQ(rows(frame->lvIncome),
                  QStringList{test.perLine ? QStringLiteral("2720|9000|501|4000|650") : QStringLiteral("2720|9000|501|4000")});
    }
}

TEST_F(RateLinesTest, WithoutASourceTheFrameIsEmptyAndEditsNothing)
{
    addSource().WithheldTax13 = money("500");
    const QByteArray before = fileBytes(declaration());
    showFrame(RateLines::Rate13, -1);
    EXPECT_EQ(frame->lvIncome->topLevelItemCount(), 0);
    EXPECT_TRUE(frame->meHoldSum->text().isEmpty());
    EXPECT_TRUE(frame->pnlItogIncomeSum->text().isEmpty());
    for (TFlashButton* button : {frame->fbAddIncome, frame->fbRemoveIncome, frame->fbEditIncome, frame->fbCopy})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_FALSE(frame->meHoldSum->isEnabled());
    frame->SaveData();
    EXPECT_EQ(fileBytes(declaration()), before);

    showFrame(RateLines::Rate13, 0);
    frame->SetEditable(false);
    EXPECT_FALSE(frame->fbAddIncome->isEnabled());
    EXPECT_FALSE(frame->meHoldSum->isEnabled());
    frame->SetEditable(true);
    EXPECT_TRUE(frame->fbAddIncome->isEnabled());
    EXPECT_FALSE(frame->fbCopy->isEnabled()) << "no line is selected";
    EXPECT_TRUE(frame->meHoldSum->isEnabled());
    EXPECT_EQ(frame->CheckData(), 0);
}

TEST_F(RateLinesTest, TheWithheldTaxIsTypedInWholeRoubles)
{
    addSource();
    showFrame(RateLines::Rate15);
    EXPECT_EQ(frame->meHoldSum->text(), QString()) << "no tax withheld shows empty";
    typeText(frame->meHoldSum, QStringLiteral("4500"));
    EXPECT_EQ(counter.userEdits, 1) << "one edit for the sum typed into the empty field";
    frame->meHoldSum->end(false);
    frame->meHoldSum->insert(QStringLiteral(",5"));
    EXPECT_EQ(frame->meHoldSum->text(), QStringLiteral("4500"));
    EXPECT_EQ(counter.userEdits, 1) << "a refused fraction changes nothing";
    QTest::keyClick(frame->meHoldSum, Qt::Key_Backspace);
    EXPECT_EQ(counter.userEdits, 2);
    QTest::keyClick(frame->meHoldSum, Qt::Key_1);
    EXPECT_EQ(counter.userEdits, 3);
    frame->SaveData();
    EXPECT_EQ(source().WithheldTax15, money("4501"));
}

TEST_F(RateLinesTest, ALineTypedPastTheRangeLeavesTheTotalRefused)
{
    // 922 lines of the largest amount a line takes add up to 921 999 999 999 990,78 roubles; one
    // more is beyond what an amount holds (922 337 203 685 477,5807).
    addSource();
    for (int i = 0; i < 922; ++i)
        source().AddIncome13(incomeLine(2000, "999999999999,99", 1));
    showFrame(RateLines::Rate13);
    EXPECT_EQ(frame->pnlItogIncomeSum->text(), QStringLiteral("921999999999990,78"));

    ASSERT_TRUE(answerDialog(frame->fbAddIncome, {"2000", "999999999999,99", nullptr, "1"}));
    EXPECT_EQ(source().Income13Count(), 923u);
    EXPECT_EQ(source().GetIncome13(922).Amount, money("999999999999,99"));
    EXPECT_EQ(rows(frame->lvIncome).back(), QStringLiteral("1|2000|999999999999,99|Нет|-"));
    EXPECT_EQ(frame->pnlItogIncomeSum->text(), QStringLiteral("Вне диапазона"));
    EXPECT_EQ(frame->pnlItogIncomeSum->toolTip(),
              QStringLiteral("Сумма вне допустимого диапазона: она не может превышать 922337203685477 руб."));

    // The line edited down brings the total back.
    ASSERT_TRUE(answerDialog(frame->fbEditIncome, {"2000", "1", nullptr, "1"}));
    EXPECT_EQ(frame->pnlItogIncomeSum->text(), QStringLiteral("921999999999991,78"));
    EXPECT_TRUE(frame->pnlItogIncomeSum->toolTip().isEmpty());
}

} // namespace
