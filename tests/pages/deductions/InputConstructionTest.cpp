#include "pages/deductions/InputConstruction.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/MaskedEdit.h"
#include "model/ConstructionDeduct.h"
#include "model/DayDate.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/pages/deductions/ItemDialogCheck.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/UserTyping.h"
#include "tests/support/DateTyping.h"

namespace {

const QString CheckCaption = QStringLiteral("Проверка: Проверка данных объекта");

double date(int year, int month, int day)
{
    return *encodeDate(year, month, day);
}

QStringList items(const QComboBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

// A flat bought under a contract of sale, registered in 2012, with all a check asks for.
mTConstructionDeductObj flatOf2012()
{
    mTConstructionDeductObj flat;
    flat.ObjectCode = 2;
    flat.ObjectNumber = "77:01:0004012:1234";
    flat.ObjectLocation = "Москва, ул. Лесная, д. 5, кв. 12";
    flat.ObjectNumberKind = 1;
    flat.OwnerSign = 1;
    flat.AcquisitionMethod = 0;
    flat.DwellingRegDate = date(2012, 6, 15);
    flat.LandRegDate = 0;
    flat.ActDate = date(2021, 1, 1);
    flat.ShareNumerator = 1;
    flat.ShareDenominator = 2;
    flat.Cost = Currency::fromUnits(45'000'005'000);
    flat.InterestPaid = Currency::fromUnits(1'234'567'800);
    return flat;
}

TEST(InputConstruction, StartsAsAnEmptyObjectBoughtUnderAContract)
{
    TfmInputConstruction dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Данные объекта"));
    EXPECT_EQ(dialog.gbObjectDAta->title(), QStringLiteral(" Сведения об объекте"));
    EXPECT_EQ(dialog.chbPensioner->text(), QStringLiteral("Являюсь пенсионером"));
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnCansel->text(), QStringLiteral("Нет"));
    EXPECT_EQ(items(dialog.cbObjectNaim), TfmInputConstruction::DesignObjectNames);
    EXPECT_EQ(dialog.Kind(), 0);
    EXPECT_TRUE(dialog.rbBay->isChecked());
    EXPECT_EQ(dialog.NumberCode(), 0);

    for (TDtpPanel* field : {dialog.dtpRegRightDate, dialog.dtpRegZemDate, dialog.dtpBuyDate}) {
        EXPECT_EQ(field->dateTime(), date(2021, 1, 1)) << field->objectName().toStdString();
        EXPECT_EQ(field->minDate(), date(1990, 1, 1));
        EXPECT_EQ(field->maxDate(), date(2021, 12, 31));
    }
    EXPECT_TRUE(dialog.dtpRegRightDate->isEnabled());
    EXPECT_FALSE(dialog.dtpRegZemDate->isEnabled());
    EXPECT_FALSE(dialog.dtpBuyDate->isEnabled());
    EXPECT_FALSE(dialog.meNom->isEnabled());
    EXPECT_FALSE(dialog.meMesto->isEnabled());
    // Both dates lie after 2013: the share is the whole object.
    EXPECT_FALSE(dialog.meDol1->isEnabled());
    EXPECT_EQ(dialog.meDol1->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.meDol2->text(), QStringLiteral("1"));

    struct Limits {
        TMaskedEdit* edit;
        TEditTypeControlEnum type;
        int wholeLength;
        int fractionalLength;
    };
    for (const Limits& limits :
         {Limits{dialog.meNom, edtNone, 100, 0}, Limits{dialog.meMesto, edtNone, 512, 0},
          Limits{dialog.meDol1, edtDigital, 6, 0}, Limits{dialog.meDol2, edtDigital, 6, 0},
          Limits{dialog.meObsch, edtCurrency, 8, 2}, Limits{dialog.meobschip, edtCurrency, 8, 2}}) {
        SCOPED_TRACE(limits.edit->objectName().toStdString());
        EXPECT_EQ(limits.edit->editType(), limits.type);
        EXPECT_EQ(limits.edit->wholeLength(), limits.wholeLength);
        EXPECT_EQ(limits.edit->fractionalLength(), limits.fractionalLength);
    }
}

TEST(InputConstruction, FitsASmallWindowWithoutCutTexts)
{
    TfmInputConstruction dialog(nullptr);
    dialog.show();
    EXPECT_LE(dialog.width(), 750);
    EXPECT_LE(dialog.height(), 550);
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (!child->isVisible() || child->isWindow())
            continue;
        SCOPED_TRACE(child->objectName().toStdString());
        const QRect inDialog(child->mapTo(&dialog, QPoint(0, 0)), child->size());
        EXPECT_TRUE(dialog.rect().contains(inDialog));
        if (auto* label = qobject_cast<QLabel*>(child)) {
            const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
            EXPECT_LE(needed, label->height());
            if (!label->wordWrap()) {
                EXPECT_LE(label->sizeHint().width(), label->width());
            }
        }
        // Every name a list offers reads whole once chosen.
        if (auto* list = qobject_cast<QComboBox*>(child)) {
            for (const QString& item : items(list))
                EXPECT_LE(list->fontMetrics().horizontalAdvance(item) + 30, list->width()) << item.toStdString();
        }
        auto* button = qobject_cast<QAbstractButton*>(child);
        if (button && !qobject_cast<TDtpPanel*>(button->parentWidget())) {
            EXPECT_LE(button->sizeHint().width(), button->width());
        }
    }
}

// Each way of acquisition puts in its own list of names and keeps the position where it can.
TEST(InputConstruction, WaysOfAcquisitionSwapTheObjectNames)
{
    struct Case {
        const char* title;
        int kind;
        bool investment;
        int expectedKind;
        bool landDate;
    };
    const Case cases[] = {
        {"a flat by investment", 2, true, 2, false},
        {"a share by investment", 4, true, 4, false},
        {"land for building by investment", 5, true, 0, false},
        {"house with land by investment", 7, true, 0, false},
        {"a flat back under a contract", 2, false, 2, false},
        {"a share back under a contract", 4, false, 4, false},
        {"land back under a contract", 5, false, 0, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        TfmInputConstruction dialog(nullptr);
        dialog.SetKind(test.kind);
        dialog.rbInvest->click();
        if (!test.investment)
            dialog.rbBay->click();
        const QStringList& names =
            test.investment ? TfmInputConstruction::InvestmentObjectNames : TfmInputConstruction::PurchaseObjectNames;
        EXPECT_EQ(items(dialog.cbObjectNaim), names);
        EXPECT_EQ(dialog.Kind(), test.expectedKind);
        EXPECT_EQ(dialog.cbObjectNaim->currentText(), test.expectedKind ? names[test.expectedKind - 1] : QString());
        EXPECT_EQ(dialog.dtpRegZemDate->isEnabled(), test.landDate);
        EXPECT_EQ(dialog.dtpRegRightDate->isEnabled(), !test.investment);
        EXPECT_EQ(dialog.dtpBuyDate->isEnabled(), test.investment);
    }
}

// Land has its own registration date, given for objects bought under a contract only.
TEST(InputConstruction, LandIsDatedWhenBoughtUnderAContract)
{
    for (int kind = 0; kind <= 8; ++kind) {
        SCOPED_TRACE(kind);
        TfmInputConstruction dialog(nullptr);
        dialog.rbInvest->click();
        dialog.rbBay->click();
        dialog.SetKind(kind);
        EXPECT_EQ(dialog.dtpRegZemDate->isEnabled(), kind >= 5);
        EXPECT_EQ(dialog.cbObjectNaim->currentText(),
                  kind ? TfmInputConstruction::PurchaseObjectNames[kind - 1] : QString());
    }
}

TEST(InputConstruction, SwitchingTheWayResetsTheDatesItDisables)
{
    TfmInputConstruction dialog(nullptr);
    dialog.dtpRegRightDate->setDateTime(date(2012, 6, 15));
    dialog.rbInvest->click();
    EXPECT_EQ(dialog.dtpRegRightDate->dateTime(), date(2021, 1, 1));
    dialog.dtpBuyDate->setDateTime(date(2011, 3, 1));
    EXPECT_TRUE(dialog.meDol1->isEnabled());
    dialog.rbBay->click();
    EXPECT_EQ(dialog.dtpBuyDate->dateTime(), date(2021, 1, 1));
    EXPECT_FALSE(dialog.meDol1->isEnabled());
}

TEST(InputConstruction, OnlyHousesAskHowTheHouseWasAcquired)
{
    for (int kind = 0; kind <= 8; ++kind) {
        SCOPED_TRACE(kind);
        TfmInputConstruction dialog(nullptr);
        dialog.SetKind(1);
        dialog.cbSposPrDom->setCurrentIndex(1);
        dialog.SetKind(kind);
        const bool house = kind == 1 || kind == 7;
        EXPECT_EQ(dialog.cbSposPrDom->isEnabled(), house);
        EXPECT_EQ(dialog.lbSposPrDom->isEnabled(), house);
        EXPECT_EQ(dialog.cbSposPrDom->currentIndex(), house ? 1 : -1);
    }
}

TEST(InputConstruction, TheNumberCodeDecidesBetweenNumberAndLocation)
{
    struct Case {
        int code;
        bool number;
        bool location;
        const char* numberText;
        const char* locationText;
    };
    for (const Case& test : {Case{1, true, true, "77:01:1", "Москва"}, Case{2, false, true, "", "Москва"},
                             Case{0, false, false, "", ""}}) {
        SCOPED_TRACE(test.code);
        TfmInputConstruction dialog(nullptr);
        dialog.SetNumberCode(1);
        typeText(dialog.meNom, QStringLiteral("77:01:1"));
        typeText(dialog.meMesto, QStringLiteral("Москва"));
        dialog.cbKodNomSob->setCurrentIndex(test.code - 1);
        EXPECT_EQ(dialog.meNom->isEnabled(), test.number);
        EXPECT_EQ(dialog.meMesto->isEnabled(), test.location);
        EXPECT_EQ(dialog.meNom->text(), QString::fromUtf8(test.numberText));
        EXPECT_EQ(dialog.meMesto->text(), QString::fromUtf8(test.locationText));
        EXPECT_EQ(dialog.NumberCode(), test.code);
    }
}

TEST(InputConstruction, TheShareIsAskedForObjectsDatedBefore2014)
{
    struct Case {
        double registration;
        bool investment;
        double transfer;
        bool share;
    };
    const Case cases[] = {
        {date(2012, 6, 15), false, date(2021, 1, 1), true},
        {date(2013, 12, 31), false, date(2021, 1, 1), true},
        {date(2014, 1, 1), false, date(2021, 1, 1), false},
        {date(2021, 1, 1), true, date(2013, 5, 5), true},
        {date(2021, 1, 1), true, date(2014, 5, 5), false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(dateText(test.registration) + " " + dateText(test.transfer));
        TfmInputConstruction dialog(nullptr);
        if (test.investment)
            dialog.rbInvest->click();
        dialog.dtpRegRightDate->setDateTime(test.registration);
        dialog.dtpBuyDate->setDateTime(test.transfer);
        EXPECT_EQ(dialog.meDol1->isEnabled(), test.share);
        EXPECT_EQ(dialog.meDol2->isEnabled(), test.share);
        EXPECT_EQ(dialog.lbPart->isEnabled(), test.share);
    }

    TfmInputConstruction dialog(nullptr);
    dialog.dtpRegRightDate->setDateTime(date(2012, 6, 15));
    typeText(dialog.meDol1, QStringLiteral("1"));
    typeText(dialog.meDol2, QStringLiteral("3"));
    typeDate(dialog.dtpRegRightDate, QStringLiteral("01022015"));
    EXPECT_EQ(dialog.meDol1->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.meDol2->text(), QStringLiteral("1")) << "a share that no longer counts goes back to the whole";
}

TEST(InputConstruction, ObjectsAfterTheFirstAreDatedFrom2014)
{
    TfmInputConstruction dialog(nullptr);
    dialog.dtpRegRightDate->setDateTime(date(2005, 1, 1));
    dialog.SetMinDates(true);
    EXPECT_EQ(dialog.dtpRegRightDate->minDate(), date(2014, 1, 1));
    EXPECT_EQ(dialog.dtpBuyDate->minDate(), date(2014, 1, 1));
    EXPECT_EQ(dialog.dtpRegZemDate->minDate(), date(1990, 1, 1));
    EXPECT_EQ(dialog.dtpRegRightDate->dateTime(), date(2005, 1, 1)) << "a new bound never moves a date";
    dialog.SetMinDates(false);
    EXPECT_EQ(dialog.dtpRegRightDate->minDate(), date(1990, 1, 1));
}

TEST(InputConstruction, PensionersMayGiveDatesUpTo2024)
{
    TfmInputConstruction dialog(nullptr);
    dialog.chbPensioner->click();
    EXPECT_TRUE(dialog.Pensioner());
    for (TDtpPanel* field : {dialog.dtpRegRightDate, dialog.dtpRegZemDate, dialog.dtpBuyDate})
        EXPECT_EQ(field->maxDate(), date(2024, 12, 31)) << field->objectName().toStdString();
    typeDate(dialog.dtpRegRightDate, QStringLiteral("10032023"));
    EXPECT_EQ(dialog.dtpRegRightDate->dateTime(), date(2023, 3, 10));

    dialog.chbPensioner->click();
    for (TDtpPanel* field : {dialog.dtpRegRightDate, dialog.dtpRegZemDate, dialog.dtpBuyDate})
        EXPECT_EQ(field->maxDate(), date(2021, 12, 31)) << field->objectName().toStdString();
    EXPECT_EQ(dialog.dtpRegRightDate->dateTime(), date(2023, 3, 10)) << "a new bound never moves a date";
    ScriptedCheckAnswers checks;
    dialog.bnOk->click();
    ASSERT_EQ(checks.shown.size(), 1u);
    EXPECT_TRUE(checks.shown[0].message.contains(QStringLiteral("Дата 10.03.2023 лежит вне допустимых пределов")))
        << checks.shown[0].message.toStdString();
}

TEST(InputConstruction, AShareNeverGetsAZeroDenominator)
{
    struct Case {
        const char* title;
        bool clearFirst; // the text is deleted before typing, else the typing replaces it
        const char* typed;
        const char* shown;
        std::int32_t stored;
    };
    const Case cases[] = {
        {"0 over 4", false, "0", "4", 4},
        {"0 into an empty edit", true, "0", "", 1},
        {"00 into an empty edit", true, "00", "", 1},
        {"10 over 4", false, "10", "10", 10},
        {"7 over 4", false, "7", "7", 7},
        {"nothing", true, "", "", 1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        TfmInputConstruction dialog(nullptr);
        dialog.dtpRegRightDate->setDateTime(date(2010, 1, 1));
        typeInto(dialog.meDol2, QStringLiteral("4"));
        dialog.meDol2->setFocus();
        dialog.meDol2->selectAll();
        if (test.clearFirst)
            QTest::keyClick(dialog.meDol2, Qt::Key_Backspace);
        QTest::keyClicks(dialog.meDol2, QString::fromUtf8(test.typed));
        EXPECT_EQ(dialog.meDol2->text(), QString::fromUtf8(test.shown));
        mTConstructionDeductObj object;
        dialog.storeObject(object);
        EXPECT_EQ(object.ShareDenominator, test.stored);
    }

    // An empty or zero numerator is the whole object.
    TfmInputConstruction dialog(nullptr);
    dialog.dtpRegRightDate->setDateTime(date(2010, 1, 1));
    for (const char* typed : {"0", ""}) {
        typeText(dialog.meDol1, QString::fromUtf8(typed));
        mTConstructionDeductObj object;
        dialog.storeObject(object);
        EXPECT_EQ(object.ShareNumerator, 1) << typed;
    }
}

TEST(InputConstruction, ShowsAndStoresEveryFieldOfAnObject)
{
    const mTConstructionDeductObj flat = flatOf2012();
    TfmInputConstruction dialog(nullptr);
    dialog.loadObject(flat);
    dialog.show();
    EXPECT_EQ(dialog.RowText(), QStringLiteral("Квартира 77:01:0004012:1234"));
    EXPECT_EQ(dialog.meDol2->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog.meObsch->text(), QStringLiteral("4500000,5"));
    mTConstructionDeductObj back;
    back.Pensioner = 1;
    dialog.storeObject(back);
    mTConstructionDeductObj expected = flat;
    expected.Pensioner = 1; // the page gives the box to every object
    EXPECT_EQ(back, expected);

    mTConstructionDeductObj house;
    house.ObjectCode = 7;
    house.AcquisitionMethod = 2;
    house.ObjectNumberKind = 2;
    house.ObjectLocation = "д. Берёзовка";
    house.OwnerSign = 2;
    house.DwellingRegDate = date(2019, 4, 1);
    house.LandRegDate = date(2019, 4, 2);
    house.ActDate = date(2021, 1, 1);
    house.ShareNumerator = 1;
    house.ShareDenominator = 1;
    TfmInputConstruction houseDialog(nullptr);
    houseDialog.loadObject(house);
    houseDialog.show();
    EXPECT_TRUE(houseDialog.dtpRegZemDate->isEnabled());
    EXPECT_TRUE(houseDialog.cbSposPrDom->isEnabled());
    mTConstructionDeductObj houseBack;
    houseDialog.storeObject(houseBack);
    EXPECT_EQ(houseBack, house);
}

TEST(InputConstruction, LoadingAnInvestmentObjectKeepsItsDates)
{
    mTConstructionDeductObj flat = flatOf2012();
    flat.ByInvestment = 1;
    flat.DwellingRegDate = date(2020, 2, 3);
    flat.ActDate = date(2020, 5, 6);
    TfmInputConstruction dialog(nullptr);
    dialog.loadObject(flat);
    dialog.show();
    EXPECT_TRUE(dialog.rbInvest->isChecked());
    EXPECT_EQ(items(dialog.cbObjectNaim), TfmInputConstruction::InvestmentObjectNames);
    EXPECT_FALSE(dialog.dtpRegRightDate->isEnabled());
    EXPECT_TRUE(dialog.dtpBuyDate->isEnabled());
    mTConstructionDeductObj back;
    dialog.storeObject(back);
    EXPECT_EQ(back.DwellingRegDate, date(2020, 2, 3));
    EXPECT_EQ(back.ActDate, date(2020, 5, 6));
    EXPECT_EQ(back.ByInvestment, 1);
}

// A stored date the bounds do not take is shown, and "Да" asks to correct it.
TEST(InputConstruction, AStoredDateOutsideTheBoundsMustBeCorrected)
{
    struct Case {
        const char* title;
        bool investment;
        double registration;
        double transfer;
        const char* focused;
        const char* correction;
    };
    const Case cases[] = {
        {"registered before 2014", false, date(2012, 6, 15), date(2021, 1, 1), "dtpRegRightDate", "15062016"},
        {"registered after 2021", false, date(2022, 3, 1), date(2021, 1, 1), "dtpRegRightDate", "01032021"},
        {"handed over before 2014", true, date(2021, 1, 1), date(2010, 2, 1), "dtpBuyDate", "01022015"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        mTConstructionDeductObj flat = flatOf2012();
        flat.ByInvestment = test.investment ? 1 : 0;
        flat.DwellingRegDate = test.registration;
        flat.ActDate = test.transfer;
        TfmInputConstruction dialog(nullptr);
        dialog.SetMinDates(true);
        dialog.loadObject(flat);
        dialog.show();
        mTConstructionDeductObj shown;
        dialog.storeObject(shown);
        EXPECT_EQ(shown.DwellingRegDate, test.registration);
        EXPECT_EQ(shown.ActDate, test.transfer);

        {
            ScriptedCheckAnswers checks;
            dialog.bnOk->click();
            ASSERT_EQ(checks.shown.size(), 1u);
            EXPECT_EQ(checks.shown[0].caption, CheckCaption);
            const double wrong = test.investment ? test.transfer : test.registration;
            EXPECT_TRUE(checks.shown[0].message.contains(QString::fromStdString(dateText(wrong)) +
                                                         QStringLiteral(" вне допустимых пределов. Введите дату с "
                                                                        "01.01.2014 по 31.12.2021")))
                << checks.shown[0].message.toStdString();
            EXPECT_TRUE(dialog.isVisible());
            ASSERT_NE(dialog.focusWidget(), nullptr);
            EXPECT_TRUE(dialog.focusWidget()->objectName() == QString::fromUtf8(test.focused) ||
                        dialog.focusWidget()->parentWidget()->objectName() == QString::fromUtf8(test.focused));
        }
        auto* field = dialog.findChild<TDtpPanel*>(QString::fromUtf8(test.focused));
        typeDate(field, QString::fromUtf8(test.correction));
        ScriptedCheckAnswers checks;
        dialog.bnOk->click();
        EXPECT_TRUE(checks.shown.empty());
        EXPECT_EQ(dialog.result(), TfmInputConstruction::Confirmed);
    }
}

struct CheckCase {
    const char* title;
    int kind;
    int houseWay;
    int sign;
    int numberCode;
    const char* number;
    const char* location;
    const char* message; // nullptr: the dialog closes with 1
    const char* focused;
};

const CheckCase CheckCases[] = {
    {"a complete flat", 2, 0, 1, 1, "77:01:1", "", nullptr, nullptr},
    {"a flat located only", 2, 0, 1, 2, "", "Москва", nullptr, nullptr},
    {"a complete house", 1, 1, 1, 1, "77:01:1", "", nullptr, nullptr},
    {"no name", 0, 0, 1, 1, "77:01:1", "", "Не введено наименование объекта", "cbObjectNaim"},
    {"a house without its way", 1, 0, 1, 1, "77:01:1", "", "Не введен способ приобретения дома", "cbSposPrDom"},
    {"house with land without its way", 7, 0, 1, 1, "1", "", "Не введен способ приобретения дома", "cbSposPrDom"},
    {"no sign", 2, 0, 0, 1, "77:01:1", "", "Не введен признак налогоплательщика", "cbPrizNal"},
    {"no number code", 2, 0, 1, 0, "", "", "Не введен код номера объекта", "cbKodNomSob"},
    {"no number", 2, 0, 1, 1, "", "", "Не введен номер объекта", "meNom"},
    {"blanks for a number", 2, 0, 1, 1, "   ", "", "Не введен номер объекта", "meNom"},
    {"no location", 2, 0, 1, 2, "", "", "Не указано место нахождения объекта", "meMesto"},
    {"blanks for a location", 2, 0, 1, 2, "", "  ", "Не указано место нахождения объекта", "meMesto"},
};

TEST(InputConstruction, TheCheckOfYesKeepsTheDialogOnTheFieldToFix)
{
    for (const CheckCase& test : CheckCases) {
        SCOPED_TRACE(test.title);
        ScriptedCheckAnswers checks;
        checks.answers = {CheckFix};
        TfmInputConstruction dialog(nullptr);
        dialog.show();
        dialog.SetKind(test.kind);
        dialog.cbSposPrDom->setCurrentIndex(test.houseWay - 1);
        dialog.cbPrizNal->setCurrentIndex(test.sign - 1);
        dialog.cbKodNomSob->setCurrentIndex(test.numberCode - 1);
        if (dialog.meNom->isEnabled())
            typeText(dialog.meNom, QString::fromUtf8(test.number));
        if (dialog.meMesto->isEnabled())
            typeText(dialog.meMesto, QString::fromUtf8(test.location));

        dialog.bnOk->click();

        expectCheckOutcome(dialog, checks, CheckCaption, test.message, test.focused);
    }
}

// Closing the check window is "Исправить": an object without name or sign is never accepted.
TEST(InputConstruction, ClosingTheCheckWindowMeansFixing)
{
    ScriptedCheckAnswers checks;
    checks.answers = {CheckClosed, CheckSkip, CheckSkipAll};
    TfmInputConstruction dialog(nullptr);
    dialog.show();
    for (int attempt = 0; attempt < 3; ++attempt) {
        dialog.bnOk->click();
        EXPECT_TRUE(dialog.isVisible()) << attempt;
    }
    ASSERT_EQ(checks.shown.size(), 3u);
    for (const auto& shown : checks.shown)
        EXPECT_EQ(shown.message, QStringLiteral("Не введено наименование объекта"));
    EXPECT_EQ(dialog.focusWidget(), dialog.cbObjectNaim);
}

TEST(InputConstruction, NoAndEscCancel)
{
    for (bool byKey : {false, true}) {
        TfmInputConstruction dialog(nullptr);
        dialog.show();
        if (byKey)
            QTest::keyClick(dialog.meDol1, Qt::Key_Escape);
        else
            dialog.bnCansel->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), TfmInputConstruction::Cancelled);
    }
}

TEST(InputConstruction, TheInterestAndCostAreEnabledByThePage)
{
    struct Case {
        bool interestAllowed;
        bool interestOnly;
    };
    for (const Case& test : {Case{false, false}, Case{true, false}, Case{true, true}, Case{false, true}}) {
        TfmInputConstruction dialog(nullptr);
        dialog.FInterestAllowed = test.interestAllowed;
        dialog.FInterestOnly = test.interestOnly;
        dialog.show();
        EXPECT_EQ(dialog.meobschip->isEnabled(), test.interestAllowed);
        EXPECT_EQ(dialog.lbobschip->isEnabled(), test.interestAllowed);
        EXPECT_EQ(dialog.meObsch->isEnabled(), !test.interestOnly);
        EXPECT_EQ(dialog.lbObsch->isEnabled(), !test.interestOnly);
    }
}

} // namespace
