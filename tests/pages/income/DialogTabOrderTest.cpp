#include <cstdint>
#include <functional>
#include <memory>

#include <QCheckBox>
#include <QDialog>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/CountryChooser.h"
#include "controls/ReferenceDocument.h"
#include "model/Sourse.h"
#include "pages/income/DocTypeDialog.h"
#include "pages/income/FormOkved.h"
#include "pages/income/IncomeDict.h"
#include "pages/income/Input13Income.h"
#include "pages/income/Input13SourseIncome.h"
#include "pages/income/InputBusinessIncome.h"
#include "pages/income/InputCurrencyCode.h"
#include "pages/income/InputCurrencySourseIncome.h"
#include "pages/income/InputDeductCode.h"
#include "pages/income/InputIncomeCode.h"
#include "pages/income/InputSSCDeduct.h"
#include "pages/income/InputTrataDialog.h"
#include "tests/pages/income/ActivityCodeFixture.h"
#include "tests/support/TabOrderCheck.h"
#include "tests/support/TestProgramContext.h"

namespace {

ReferenceElement countryDirectory()
{
    return parseReferenceXml(QByteArrayLiteral("<?xml version=\"1.0\"?>\n"
                                               "<Oksm>\n"
                                               "  <Country Code=\"643\">РОССИЯ</Country>\n"
                                               "  <Country Code=\"840\">СОЕДИНЕННЫЕ ШТАТЫ</Country>\n"
                                               "</Oksm>\n"));
}

ReferenceElement currencyDirectory()
{
    return parseReferenceXml(QByteArrayLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<CurrencyRates>
  <Currency Code="840" Name="Доллар США"/>
  <Currency Code="978" Name="Евро"/>
</CurrencyRates>
)"));
}

const DictionaryIncome& builtInIncome(const char* code)
{
    return *IncomeDict::builtIn().income(QString::fromLatin1(code));
}

// An income line at `rate`, its codes chosen as in the pickers; none where null.
std::unique_ptr<QDialog> incomeLine(const char* rate, bool resident, const char* incomeCode = nullptr,
                                    const char* deductCode = nullptr)
{
    auto dialog = std::make_unique<TfmInput13Income>(nullptr, QString::fromLatin1(rate), resident, false);
    if (incomeCode)
        dialog->chooseIncomeCode(QString::fromLatin1(incomeCode));
    if (deductCode)
        dialog->chooseDeductCode(QString::fromLatin1(deductCode));
    return dialog;
}

// A stored income line of a resident at 13 %, opened for editing.
std::unique_ptr<QDialog> storedResidentLine(std::int32_t incomeCode, std::int32_t deductCode, bool saleDetails)
{
    mTIncome stored;
    stored.IncomeCode = incomeCode;
    stored.DeductionCode = deductCode;
    stored.PropertyFlag = saleDetails ? 1 : 0;
    auto dialog = std::make_unique<TfmInput13Income>(nullptr, QStringLiteral("13"), true, false);
    dialog->showLine(stored);
    return dialog;
}

// A foreign payment source where a controlled foreign company's fixed profit is offered.
std::unique_ptr<QDialog> foreignSource(bool fixedProfit)
{
    auto dialog = std::make_unique<TfmInputCurrencySourseIncome>(nullptr);
    dialog->chbKIK->setVisible(true);
    dialog->SetFixedProfit(fixedProfit);
    return dialog;
}

// The main window's pickers the dialogs open, in place for every case.
struct RegisteredPickers {
    RegisteredPickers() { context.countries = &countries; }

    TestProgramContext context;
    ReferenceElement countryRoot = countryDirectory();
    TfmGrazhd countries{nullptr, countryRoot};
};

// Every income dialog, shown at its own size with the controls its state reveals, walks its
// controls with Tab as they stand: row by row from the top, left to right within a row.
TEST(DialogTabOrder, TabFollowsTheControlsAsTheyStand)
{
    const RegisteredPickers pickers;
    const ReferenceElement activityCodes = activityCodeFixture();
    const ReferenceElement currencies = currencyDirectory();

    struct Case {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> make;
        // What the user does once the dialog is open; controls shown or enabled then take their
        // place in the walk.
        std::function<void(QDialog&)> afterOpening;
        // The control the dialog opens on, where not the first on the screen.
        const char* opensOn = nullptr;
    };
    const Case cases[] = {
        {"payment source", [] { return std::make_unique<TfmInput13SourseIncome>(nullptr, true); }, {}},
        {"payment source, no investment partnership",
         [] { return std::make_unique<TfmInput13SourseIncome>(nullptr, false); }, {}},
        {"income line, nothing chosen", [] { return incomeLine("13", true); }, {}},
        {"income line with its deduction", [] { return incomeLine("13", true, "2720", "501"); }, {}},
        {"sale of real estate with its details and expenses", [] { return incomeLine("13", true, "1510", "903"); },
         [](QDialog& dialog) { static_cast<TfmInput13Income&>(dialog).cbNeenPrilA->setChecked(true); }},
        {"sale details shown once the code is chosen", [] { return incomeLine("13", true); },
         [](QDialog& dialog) {
             auto& line = static_cast<TfmInput13Income&>(dialog);
             line.chooseIncomeCode(QStringLiteral("1510"));
             line.cbNeenPrilA->setChecked(true);
             line.chooseDeductCode(QStringLiteral("903"));
         }},
        {"stored line reopened on its amount", [] { return storedResidentLine(2720, 501, false); }, {},
         "meIncomeSum"},
        {"stored sale of real estate reopened with its details", [] { return storedResidentLine(1510, 903, true); },
         {}},
        {"income line at other rates with the tax withheld", [] { return incomeLine("100", true, "2720"); }, {}},
        {"income line of a non-resident", [] { return incomeLine("30", false, "1520"); }, {}},
        {"foreign source", [] { return foreignSource(false); }, {}},
        {"foreign source, fixed profit", [] { return foreignSource(true); }, {}},
        {"foreign source, fixed profit unticked", [] { return foreignSource(true); },
         [](QDialog& dialog) { static_cast<TfmInputCurrencySourseIncome&>(dialog).chbKIK->click(); }},
        {"activity kind", [] { return std::make_unique<TfmInputBusinessIncome>(nullptr); }, {}},
        {"activity kind of an activity being edited",
         [] {
             auto dialog = std::make_unique<TfmInputBusinessIncome>(nullptr);
             dialog->setKind(QStringLiteral("6"));
             return dialog;
         },
         {}},
        {"agent's deduction, none chosen", [] { return std::make_unique<TfmInputSSCDeduct>(nullptr); }, {}},
        {"agent's deduction granted, opened on its sum",
         [] { return std::make_unique<TfmInputSSCDeduct>(nullptr, Currency(), 104); }, {}, "meSubtractSum"},
        {"application kind", [] { return std::make_unique<TfmInputTrata>(nullptr); }, {}},
        {"application kind, offset chosen with the arrow key",
         [] { return std::make_unique<TfmInputTrata>(nullptr); },
         [](QDialog& dialog) { QTest::keyClick(static_cast<TfmInputTrata&>(dialog).rbBank, Qt::Key_Down); }},
        {"document kinds", [] { return std::make_unique<TfmDocType>(nullptr, 21); }, {}},
        {"activity codes", [&activityCodes] { return std::make_unique<TFormOKVED>(nullptr, activityCodes); }, {}},
        {"currencies",
         [&currencies] { return std::make_unique<TfmInputCurrencyCode>(nullptr, QStringLiteral("978"), currencies); },
         {}},
        {"income codes",
         [] {
             return std::make_unique<TfmInputIncomeCode>(nullptr, IncomeDict::builtIn(), QStringLiteral("13"),
                                                         QStringLiteral("2000"), TfmInputIncomeCode::RussianSource);
         },
         {}},
        {"deduction codes",
         [] {
             return std::make_unique<TfmInputDeductCode>(nullptr, builtInIncome("2720"), QStringLiteral("501"), true);
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<QDialog> dialog = c.make();
        ASSERT_TRUE(showActive(*dialog));
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(controlName(QApplication::focusWidget()).toStdString(),
                  c.opensOn ? c.opensOn : screenOrder(dialog.get()).value(0).toStdString());
        if (c.afterOpening)
            c.afterOpening(*dialog);
        QTest::qWait(20);
        // Tab into a group of radio buttons lands on the checked one, so that Space changes nothing.
        for (const QRadioButton* radio : dialog->findChildren<QRadioButton*>()) {
            if (radio->focusPolicy() & Qt::TabFocus) {
                EXPECT_TRUE(radio->isChecked()) << controlName(radio).toStdString() << " is the group's Tab stop";
            }
        }
        expectTabFollowsTheScreen(dialog.get());
    }
}

} // namespace
