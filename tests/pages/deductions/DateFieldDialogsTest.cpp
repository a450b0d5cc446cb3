// Every date field of the deduction dialogs: a typed date that is no date within the field's
// bounds is never replaced, "Да" and Enter are refused with a check naming the field, and the
// corrected date is what the dialog stores.

#include <functional>
#include <memory>
#include <string>

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "model/ConstructionDeduct.h"
#include "model/DayDate.h"
#include "model/InvDeduct.h"
#include "model/SocialDeduct.h"
#include "pages/deductions/InfoIISDialog.h"
#include "pages/deductions/InputConstruction.h"
#include "pages/deductions/SoursePensDialog.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/DateTyping.h"

namespace {

double date(int year, int month, int day)
{
    return *encodeDate(year, month, day);
}

std::unique_ptr<TItemDialog> iisDialog()
{
    bmTInfoIIS account;
    account.ParticipantName = "АО Брокер";
    account.ParticipantINN = "7707083893";
    account.ParticipantKPP = "773601001";
    account.ContractNumber = "ИИС-7";
    account.ContractDate = date(2019, 2, 27);
    account.OpenDate = date(2019, 3, 1);
    account.PaidIn = Currency::fromWholeRoubles(100'000);
    auto dialog = std::make_unique<TfmInputInfoIIS>(nullptr);
    dialog->setAccount(account);
    return dialog;
}

std::unique_ptr<TItemDialog> pensionDialog()
{
    mTPens contract;
    contract.ContractKind = 1;
    contract.OrgName = "АО НПФ";
    contract.OrgINN = "7707083893";
    contract.OrgKPP = "773601001";
    contract.ContractNumber = "П-1";
    contract.ContractDate = date(2018, 5, 4);
    contract.Sum = Currency::fromWholeRoubles(12'000);
    auto dialog = std::make_unique<TfmInputSoursePens>(nullptr);
    dialog->setContract(contract);
    return dialog;
}

mTConstructionDeductObj flat()
{
    mTConstructionDeductObj object;
    object.ObjectCode = 2;
    object.ObjectNumber = "77:01:0004012:1234";
    object.ObjectNumberKind = 1;
    object.OwnerSign = 1;
    object.DwellingRegDate = date(2012, 6, 15);
    object.ActDate = date(2021, 1, 1);
    object.ShareNumerator = 1;
    object.ShareDenominator = 1;
    object.Cost = Currency::fromWholeRoubles(2'000'000);
    return object;
}

std::unique_ptr<TItemDialog> constructionDialog(const mTConstructionDeductObj& object)
{
    auto dialog = std::make_unique<TfmInputConstruction>(nullptr);
    dialog->loadObject(object);
    return dialog;
}

mTConstructionDeductObj houseWithLand()
{
    mTConstructionDeductObj house = flat();
    house.ObjectCode = 7;
    house.AcquisitionMethod = 2;
    house.DwellingRegDate = date(2019, 4, 1);
    house.LandRegDate = date(2019, 4, 2);
    return house;
}

mTConstructionDeductObj investedFlat()
{
    mTConstructionDeductObj invested = flat();
    invested.ByInvestment = 1;
    invested.ActDate = date(2020, 5, 6);
    return invested;
}

TfmInputConstruction& construction(TItemDialog& dialog)
{
    return dynamic_cast<TfmInputConstruction&>(dialog);
}

double storedConstructionDate(TItemDialog& dialog, double mTConstructionDeductObj::* date)
{
    mTConstructionDeductObj object;
    construction(dialog).storeObject(object);
    return object.*date;
}

struct DateInput {
    const char* name;
    std::function<std::unique_ptr<TItemDialog>()> make; // a dialog whose data pass its check
    std::function<TDtpPanel*(TItemDialog&)> field;
    std::function<double(TItemDialog&)> stored; // the field's date as the dialog stores it
    const char* checkCaption;
    const char* fieldCaption;
    const char* beforeLowerBound;
};

const DateInput Inputs[] = {
    {"investment account: contract date", iisDialog,
     [](TItemDialog& d) { return dynamic_cast<TfmInputInfoIIS&>(d).dtpDataDog; },
     [](TItemDialog& d) {
         bmTInfoIIS account;
         dynamic_cast<TfmInputInfoIIS&>(d).storeAccount(account);
         return account.ContractDate;
     },
     "Проверка: Сведения об индивидуальных инвестиционных счетах", "Дата договора", "31121989"},
    {"investment account: opening date", iisDialog,
     [](TItemDialog& d) { return dynamic_cast<TfmInputInfoIIS&>(d).dtpDataOpen; },
     [](TItemDialog& d) {
         bmTInfoIIS account;
         dynamic_cast<TfmInputInfoIIS&>(d).storeAccount(account);
         return account.OpenDate;
     },
     "Проверка: Сведения об индивидуальных инвестиционных счетах", "Дата открытия ИИС", "31121989"},
    {"pension contract: contract date", pensionDialog,
     [](TItemDialog& d) { return dynamic_cast<TfmInputSoursePens&>(d).dtpDatDog; },
     [](TItemDialog& d) {
         mTPens contract;
         dynamic_cast<TfmInputSoursePens&>(d).storeContract(contract);
         return contract.ContractDate;
     },
     "Проверка: Пенсионные договоры", "Дата договора", "31121899"},
    {"property: dwelling registered", [] { return constructionDialog(flat()); },
     [](TItemDialog& d) { return construction(d).dtpRegRightDate; },
     [](TItemDialog& d) { return storedConstructionDate(d, &mTConstructionDeductObj::DwellingRegDate); },
     "Проверка: Проверка данных объекта", "Дата регистрации права собственности на жилой дом, квартиру, комнату",
     "31121989"},
    {"property: land registered", [] { return constructionDialog(houseWithLand()); },
     [](TItemDialog& d) { return construction(d).dtpRegZemDate; },
     [](TItemDialog& d) { return storedConstructionDate(d, &mTConstructionDeductObj::LandRegDate); },
     "Проверка: Проверка данных объекта", "Дата регистрации права собственности на земельный участок", "31121989"},
    {"property: handed over", [] { return constructionDialog(investedFlat()); },
     [](TItemDialog& d) { return construction(d).dtpBuyDate; },
     [](TItemDialog& d) { return storedConstructionDate(d, &mTConstructionDeductObj::ActDate); },
     "Проверка: Проверка данных объекта", "Дата акта о передаче квартиры, комнаты или доли в них", "31121989"},
};

enum class Answer { Yes, Enter };

void answer(TItemDialog& dialog, TDtpPanel* field, Answer way)
{
    if (way == Answer::Yes)
        QTest::mouseClick(dialog.bnOk, Qt::LeftButton);
    else
        QTest::keyClick(field->findChild<TTestMaskD*>(), Qt::Key_Return);
}

TEST(DateFieldDialogs, ATypedDateThatIsNoneIsNeverReplacedAndKeepsTheDialogOpen)
{
    struct Typed {
        const char* name;
        const char* digits; // nullptr: the field's date before its lower bound
    };
    const Typed typedDates[] = {{"a day that does not exist", "31022021"},
                                {"an incomplete date", "12"},
                                {"after the upper bound", "31122051"},
                                {"before the lower bound", nullptr},
                                {"an emptied field", ""}};
    for (const DateInput& input : Inputs) {
        for (const Typed& typed : typedDates) {
            for (const Answer way : {Answer::Yes, Answer::Enter}) {
                SCOPED_TRACE(std::string(input.name) + ", " + typed.name + (way == Answer::Yes ? ", Да" : ", Enter"));
                ScriptedCheckAnswers checks;
                checks.answers = {CheckFix};
                const std::unique_ptr<TItemDialog> dialog = input.make();
                dialog->show();
                TDtpPanel* field = input.field(*dialog);
                ASSERT_TRUE(field->isEnabled());
                const double held = field->dateTime();

                typeDate(field, typed.digits ? typed.digits : input.beforeLowerBound);
                const QString shown = shownText(field);
                answer(*dialog, field, way);

                ASSERT_EQ(checks.shown.size(), 1u);
                EXPECT_EQ(checks.shown[0].caption, QString::fromUtf8(input.checkCaption));
                EXPECT_TRUE(checks.shown[0].message.startsWith(
                    QStringLiteral("Неверная дата в поле «%1».").arg(QString::fromUtf8(input.fieldCaption))))
                    << checks.shown[0].message.toStdString();
                EXPECT_FALSE(checks.shown[0].skip);
                EXPECT_FALSE(checks.shown[0].skipAll);
                EXPECT_TRUE(dialog->isVisible());
                EXPECT_TRUE(field->isAncestorOf(dialog->focusWidget())) << "the field to correct has the focus";
                EXPECT_EQ(shownText(field), shown) << "the typed text stays";
                EXPECT_EQ(input.stored(*dialog), held) << "and the date held is not changed by it";

                typeDate(field, "15062020");
                answer(*dialog, field, way);
                EXPECT_EQ(checks.shown.size(), 1u);
                EXPECT_FALSE(dialog->isVisible());
                EXPECT_EQ(dialog->result(), TItemDialog::Confirmed);
                EXPECT_EQ(input.stored(*dialog), date(2020, 6, 15)) << "the corrected date is taken";
            }
        }
    }
}

TEST(DateFieldDialogs, EscCancelsWhateverTheDateField)
{
    for (const DateInput& input : Inputs) {
        SCOPED_TRACE(input.name);
        ScriptedCheckAnswers checks;
        const std::unique_ptr<TItemDialog> dialog = input.make();
        dialog->show();
        TDtpPanel* field = input.field(*dialog);
        const double held = field->dateTime();
        typeDate(field, "31022021");
        QTest::keyClick(field->findChild<TTestMaskD*>(), Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), TItemDialog::Cancelled);
        EXPECT_TRUE(checks.shown.empty());
        EXPECT_EQ(field->dateTime(), held);
    }
}

} // namespace
