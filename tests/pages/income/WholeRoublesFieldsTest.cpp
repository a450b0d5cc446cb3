// Every field of the income pages and dialogs that holds a sum in whole roubles, typed into key by
// key as the user types: zero kopecks after a comma or a point are taken, other kopecks are
// refused with a word under the field, the digits around a separator are never joined, and the
// declaration holds exactly the sum the field shows.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPushButton>
#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/Sourse.h"
#include "pages/income/BusinessNew.h"
#include "pages/income/CurrencyFrame.h"
#include "pages/income/Input13Income.h"
#include "pages/income/RateLines.h"
#include "pages/income/Sourse.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/pages/income/CurrencyFrameFixture.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/UserTyping.h"

namespace {

const QString KopecksRefused = QStringLiteral("Сумма указывается в полных рублях, без копеек");

// What a field shows after the user typed into it, what the user was told under it, and the sum
// the declaration holds once the page or dialog kept it.
struct Outcome {
    QString shown;
    QString refusal;
    Currency held;
};

// Types `keys` into one field in a page or dialog of its own and keeps what the field took.
using FieldRun = std::function<Outcome(const QString& keys)>;

Outcome typeKeys(TMaskedEdit* field, const QString& keys)
{
    typeInto(field, keys);
    return {field->text(), field->shownRefusal(), Currency()};
}

// The sums of the whole declaration on the business page; an activity lets them be typed.
FieldRun businessField(TMaskedEdit* TfrBusinessNew::*field, Currency mTDeclaration::*held)
{
    return [=](const QString& keys) {
        PageWindow window;
        mTBusinessNew& activity = *window.declaration->GetBusiness(window.declaration->AddBusiness());
        activity.ActivityKind = "2";
        activity.ExpensesConfirmed = 1;
        auto* page = window.show<TfrBusinessNew>();
        Outcome outcome = typeKeys(page->*field, keys);
        page->SaveData();
        outcome.held = *window.declaration.*held;
        return outcome;
    };
}

Outcome foreignerFixedPayments(const QString& keys)
{
    PageWindow window;
    auto* page = window.show<TfrSourse>();
    Outcome outcome = typeKeys(page->meA25, keys);
    page->SaveData();
    outcome.held = window.declaration->ForeignerFixedPayments;
    return outcome;
}

mbTSourse& addSource(mTDeclaration& declaration)
{
    mbTSourse& source = *declaration.GetSource(declaration.AddSource());
    source.Name = "ООО \"Ромашка\"";
    source.Inn = "7707083893";
    source.Kpp = "773601001";
    source.Oktmo = "45382000";
    return source;
}

TfrRateLines* showRateLines(PageWindow& window, RateLines lines)
{
    TfrRateLines* frame = nullptr;
    {
        const PageLoadingScope loading;
        frame = new TfrRateLines(lines, &window.window, window.declaration, 0);
    }
    window.window.layout()->addWidget(frame);
    window.window.show();
    return frame;
}

std::unique_ptr<mTIncome> dividend()
{
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = 1010;
    line->Amount = roubles(20'000);
    line->Month = 4;
    return line;
}

// A sum of a payment source under one rate; a dividend among its lines asks for the profit tax.
FieldRun sourceField(RateLines lines, std::uint8_t declarationType, TMaskedEdit* TfrRateLines::*field,
                     Currency mbTSourse::*held)
{
    return [=](const QString& keys) {
        PageWindow window;
        window.declaration->DeclarationType = declarationType;
        mbTSourse& source = addSource(*window.declaration);
        source.AddIncome13(dividend());
        source.AddIncome15(dividend());
        TfrRateLines* frame = showRateLines(window, lines);
        Outcome outcome = typeKeys(frame->*field, keys);
        frame->SaveData();
        outcome.held = source.*held;
        return outcome;
    };
}

// The tax withheld on one other-rate line of a resident, typed in the income line dialog.
Outcome lineWithheldTax(const QString& keys)
{
    ScriptedCheckAnswers checks;
    PageWindow window;
    mbTSourse& source = addSource(*window.declaration);
    TfrRateLines* frame = showRateLines(window, RateLines::Other);
    Outcome outcome;
    ModalAnswer<TfmInput13Income> answer([&](TfmInput13Income& dialog) {
        dialog.chooseIncomeCode(QStringLiteral("2720"));
        typeText(dialog.meIncomeSum, QStringLiteral("1000000"));
        dialog.chooseDeductCode(QStringLiteral("501"));
        outcome = typeKeys(dialog.meHoldSum, keys);
        dialog.bnOk->click();
    });
    userClick(frame->fbAddIncome);
    EXPECT_TRUE(answer.shown);
    EXPECT_TRUE(checks.shown.empty());
    EXPECT_EQ(source.Income99Count(), 1u);
    if (source.Income99Count() == 1)
        outcome.held = source.GetIncome99(0).WithheldTax;
    return outcome;
}

// The tax withheld in Russia on a controlled foreign company's profit.
Outcome companyWithheldTax(const QString& keys)
{
    TestProgramContext context;
    context.directories().currencyRates = readReferenceFile(sourceTreeFile("resources/CurrencyRates.xml"));
    PageWindow window;
    addCompanyProfit(*window.declaration);
    auto* page = window.show<TfrCurrency>();
    selectRow(page->lvSourseIncomeInfo, 0);
    Outcome outcome = typeKeys(page->me150, keys);
    page->SaveData();
    outcome.held = window.declaration->GetCurrencyIncome(0)->Line150Sum;
    return outcome;
}

TEST(WholeRoublesFields, TakeZeroKopecksAndRefuseOthers)
{
    struct Field {
        const char* name;
        FieldRun run;
    };
    const std::vector<Field> fields = {
        {"business: advances paid", businessField(&TfrBusinessNew::meActualPrepayment,
                                                  &mTDeclaration::ActualAdvancePayments)},
        {"business: corrected tax", businessField(&TfrBusinessNew::meCorExpense, &mTDeclaration::CorrectedTax)},
        {"business: patent payments", businessField(&TfrBusinessNew::mePatentPayment, &mTDeclaration::PatentPayments)},
        {"business: trade fee", businessField(&TfrBusinessNew::meTradeTax, &mTDeclaration::TradeLevy)},
        {"sources: a foreigner's fixed payments", foreignerFixedPayments},
        {"13 %: tax withheld", sourceField(RateLines::Rate13, DeclarationOrdinary, &TfrRateLines::meHoldSum,
                                           &mbTSourse::WithheldTax13)},
        {"13 %: the company's profit tax", sourceField(RateLines::Rate13, DeclarationOrdinary,
                                                       &TfrRateLines::mePribOrg, &mbTSourse::OrgProfitTax13)},
        {"15 %: tax withheld", sourceField(RateLines::Rate15, DeclarationOrdinary, &TfrRateLines::meHoldSum,
                                           &mbTSourse::WithheldTax15)},
        {"15 %: the company's profit tax", sourceField(RateLines::Rate15, DeclarationOrdinary,
                                                       &TfrRateLines::mePribOrg, &mbTSourse::OrgProfitTax15)},
        {"other rates of a non-resident: tax withheld", sourceField(RateLines::Other, DeclarationNonResident,
                                                                   &TfrRateLines::meHoldSum,
                                                                   &mbTSourse::WithheldTax99)},
        {"income line dialog: tax withheld", lineWithheldTax},
        {"foreign income: tax withheld on a company's profit", companyWithheldTax},
    };
    struct Typing {
        const char* keys;
        const char* shown;
        std::int64_t held;
        bool refused;
    };
    const Typing typings[] = {
        {"124800,00", "124800,00", 124'800, false},
        {"124800.00", "124800,00", 124'800, false},
        {"124800,", "124800,", 124'800, false},
        // The 5 is refused, the 0 after it taken.
        {"156000,50", "156000,0", 156'000, true},
        {"156000.05", "156000,0", 156'000, true},
    };
    for (const Field& field : fields) {
        for (const Typing& typing : typings) {
            SCOPED_TRACE(std::string(field.name) + ", typed " + typing.keys);
            const Outcome outcome = field.run(QString::fromLatin1(typing.keys));
            EXPECT_EQ(outcome.shown, QString::fromLatin1(typing.shown));
            EXPECT_EQ(outcome.held, roubles(typing.held));
            EXPECT_EQ(outcome.refusal, typing.refused ? KopecksRefused : QString());
        }
    }
}

} // namespace
