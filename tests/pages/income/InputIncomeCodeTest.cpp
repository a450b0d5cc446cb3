// The income code picker over the program's own dictionary.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/HelpViewer.h"
#include "pages/income/IncomeDict.h"
#include "pages/income/InputIncomeCode.h"
#include "tests/support/TestProgramContext.h"

namespace {

const IncomeDict& dictionary()
{
    return IncomeDict::builtIn();
}

int rowsWithCode(const TfmInputIncomeCode& picker, const QString& code)
{
    return int(picker.list->findItems(code, Qt::MatchExactly, 0).size());
}

QString currentCode(const TfmInputIncomeCode& picker)
{
    return picker.list->currentItem() ? picker.list->currentItem()->text(0) : QString();
}

// The picker of a resident's payer in Russia at 13 %, opened on `code`.
struct PayerPicker : TfmInputIncomeCode {
    explicit PayerPicker(const QString& code = QString())
        : TfmInputIncomeCode(nullptr, dictionary(), QStringLiteral("13"), code, RussianSource)
    {
    }
};

TEST(InputIncomeCode, ListsWhatTheModeAndRateAllow)
{
    using Mode = TfmInputIncomeCode::Mode;
    const struct {
        std::uint16_t mode;
        const char* rate;
        const char* code;
        int rows; // rows with the code
    } cases[] = {
        {Mode::RussianSource, "13", "2000", 1},  // its second entry is a non-resident's
        // A sale no tax agent pays: its entry for foreign income reads the same and is not listed again.
        {Mode::RussianSource, "13", "1510", 1},
        {Mode::RussianSource, "13", "1512", 1},
        {Mode::RussianSource, "13", "1520", 1},
        {Mode::RussianSource, "13", "1521", 1},
        {Mode::NonResident, "30", "4800", 1}, // at 13 % and at 77 %, one row
        {Mode::RussianSource, "13", "1003", 0},  // a foreign company's fixed profit
        {Mode::RussianSource, "13", "6024", 0},  // foreign only
        {Mode::RussianSource, "13", "2610", 0},  // 35 %
        {Mode::RussianSource, "15", "1010", 1},
        {Mode::RussianSource, "", "2000", 0},    // no rate, nothing matches
        {Mode::RussianSource, "100", "2610", 1}, // "100" asks for the other rates
        {Mode::RussianSource, "100", "1110", 1}, // 9 %
        {Mode::RussianSource, "100", "4800", 1}, // only its 77 % entry
        {Mode::RussianSource, "100", "2000", 0},
        {Mode::OtherRates, "", "2610", 1},
        {Mode::ForeignSource, "", "1010", 1},
        {Mode::ForeignSource, "", "6024", 1},
        {Mode::ForeignSource, "", "2610", 0},
        {Mode::NonResident, "30", "2000", 1},
        {Mode::NonResident, "30", "6015", 0},
        {Mode::NonResidentAtRate, "15", "1010", 1},
        {Mode::NonResidentAtRate, "15", "6015", 1},
        {Mode::NonResidentAtRate, "", "6015", 0},
        {Mode::NonResidentAtRate, "13", "2000", 1},
        {Mode::NonResidentAtRate, "13", "1011", 0},
        {Mode::InvestmentPartnership, "13", "5002", 1},
        {Mode::InvestmentPartnership, "13", "2000", 0},
        {0, "13", "2000", 0},
        {7, "13", "2000", 0},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(std::to_string(item.mode) + " " + item.rate + " " + item.code);
        TfmInputIncomeCode picker(nullptr, dictionary(), QString::fromUtf8(item.rate), QString(), item.mode);
        EXPECT_EQ(rowsWithCode(picker, QString::fromUtf8(item.code)), item.rows);
        // The total income is never an income to pick.
        EXPECT_EQ(rowsWithCode(picker, QStringLiteral("0000")), 0);
    }
}

TEST(InputIncomeCode, ListsInDictionaryOrder)
{
    TfmInputIncomeCode picker(nullptr, dictionary(), QString(), QString(), TfmInputIncomeCode::InvestmentPartnership);
    QStringList shown;
    for (int row = 0; row < picker.list->topLevelItemCount(); ++row)
        shown << picker.list->topLevelItem(row)->text(0);
    EXPECT_EQ(shown.join(u' '), "5002 5005 5009 5011 5013 5014 5017 5020 5024 5026 5028 5029");
    EXPECT_EQ(picker.list->topLevelItem(0)->text(1), dictionary().income(u"5002")->name);
}

TEST(InputIncomeCode, ListsEveryCodeOnce)
{
    using Mode = TfmInputIncomeCode::Mode;
    for (const std::uint16_t mode : {Mode::RussianSource, Mode::ForeignSource, Mode::NonResident,
                                     Mode::NonResidentAtRate, Mode::InvestmentPartnership, Mode::OtherRates}) {
        for (const char* rate : {"13", "15", "30", "100"}) {
            SCOPED_TRACE(std::to_string(mode) + " " + rate);
            TfmInputIncomeCode picker(nullptr, dictionary(), QString::fromUtf8(rate), QString(), mode);
            QStringList codes;
            for (int row = 0; row < picker.list->topLevelItemCount(); ++row)
                codes << picker.list->topLevelItem(row)->text(0);
            EXPECT_EQ(codes.size(), QSet<QString>(codes.begin(), codes.end()).size()) << codes.join(u' ').toStdString();
        }
    }
}

TEST(InputIncomeCode, PreselectsTheRowOfTheCode)
{
    PayerPicker sale(QStringLiteral("1510"));
    const QList<QTreeWidgetItem*> rows = sale.list->findItems(QStringLiteral("1510"), Qt::MatchExactly, 0);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(sale.list->currentItem(), rows.front());
    EXPECT_EQ(sale.GetCode(), "1510");
    EXPECT_EQ(sale.Label1->text(), "1510   " + rows.front()->text(1));

    PayerPicker unknown(QStringLiteral("9999"));
    EXPECT_EQ(unknown.list->currentItem(), unknown.list->topLevelItem(0));

    TfmInputIncomeCode empty(nullptr, dictionary(), QString(), QStringLiteral("2000"), 0);
    EXPECT_EQ(empty.GetCode(), "");
    EXPECT_EQ(empty.GetName(), "");
}

TEST(InputIncomeCode, AnswersTheRatesAndRulesOfTheChosenCode)
{
    // Without a rate the picker gives the rates of the code's first entry.
    TfmInputIncomeCode foreign(nullptr, dictionary(), QString(), QStringLiteral("1010"), TfmInputIncomeCode::ForeignSource);
    EXPECT_EQ(foreign.GetCode(), "1010");
    EXPECT_EQ(foreign.Rate(), "13/15");

    PayerPicker sale(QStringLiteral("1510"));
    EXPECT_EQ(sale.Rate(), "13");
    EXPECT_TRUE(sale.SaleDate());
    EXPECT_TRUE(sale.HasDeductions());

    // A given rate stays what it was, whatever is chosen.
    TfmInputIncomeCode other(nullptr, dictionary(), QStringLiteral("100"), QStringLiteral("2610"),
                             TfmInputIncomeCode::RussianSource);
    EXPECT_EQ(other.GetCode(), "2610");
    EXPECT_EQ(other.Rate(), "100");
    EXPECT_FALSE(other.SaleDate());
}

TEST(InputIncomeCode, ClosesOnEnterEscAndDoubleClick)
{
    const struct {
        const char* what;
        std::function<void(TfmInputIncomeCode&)> act;
        int result;
    } cases[] = {
        {"Enter", [](TfmInputIncomeCode& picker) { QTest::keyClick(picker.list, Qt::Key_Return); },
         TfmInputIncomeCode::Chosen},
        {"Esc", [](TfmInputIncomeCode& picker) { QTest::keyClick(picker.list, Qt::Key_Escape); },
         TfmInputIncomeCode::Cancelled},
        {"Да", [](TfmInputIncomeCode& picker) { picker.bnYes->click(); }, TfmInputIncomeCode::Chosen},
        {"Нет", [](TfmInputIncomeCode& picker) { picker.bnCansel->click(); }, TfmInputIncomeCode::Cancelled},
        {"double click",
         [](TfmInputIncomeCode& picker) {
             QTreeWidgetItem* row = picker.list->topLevelItem(3);
             const QRect place = picker.list->visualItemRect(row);
             QTest::mouseClick(picker.list->viewport(), Qt::LeftButton, {}, place.center());
             QTest::mouseDClick(picker.list->viewport(), Qt::LeftButton, {}, place.center());
         },
         TfmInputIncomeCode::Chosen},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.what);
        PayerPicker picker;
        picker.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
        item.act(picker);
        EXPECT_EQ(picker.result(), item.result);
        EXPECT_FALSE(picker.isVisible());
    }
}

bool rowInView(const TfmInputIncomeCode& picker, const QTreeWidgetItem* row)
{
    return picker.list->viewport()->rect().contains(picker.list->visualItemRect(row));
}

// Typing a code in the list goes to the first row whose code begins with what was typed so far,
// and brings it into view.
TEST(InputIncomeCode, TypingACodeJumpsToItsRowInView)
{
    const struct {
        const char* typed;
        const char* code;
    } cases[] = {
        {"2760", "2760"}, {"4800", "4800"}, {"1520", "1520"}, {"15", "1510"}, {"3", "3010"}, {"1", "1010"},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.typed);
        PayerPicker picker;
        picker.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
        QTest::keyClicks(picker.list, QString::fromUtf8(item.typed));
        EXPECT_EQ(currentCode(picker), item.code);
        EXPECT_EQ(picker.GetCode(), item.code);
        ASSERT_NE(picker.list->currentItem(), nullptr);
        EXPECT_TRUE(rowInView(picker, picker.list->currentItem()));
    }
}

// A code typed after a pause starts a new search, wherever the list stands; a click on the name
// column does not make the typing search the names.
TEST(InputIncomeCode, TypingAfterAPauseOrAClickSearchesTheCodesAgain)
{
    PayerPicker picker;
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    QTest::keyClicks(picker.list, QStringLiteral("4800"));
    ASSERT_EQ(currentCode(picker), "4800");
    QTest::qWait(QApplication::keyboardInputInterval() + 100);
    QTreeWidgetItem* first = picker.list->topLevelItem(0);
    picker.list->scrollToItem(first);
    QTest::mouseClick(picker.list->viewport(), Qt::LeftButton, {}, picker.list->visualItemRect(first).center());
    QTest::qWait(QApplication::keyboardInputInterval() + 100);
    QTest::keyClicks(picker.list, QStringLiteral("2760"));
    EXPECT_EQ(currentCode(picker), "2760");
    EXPECT_TRUE(rowInView(picker, picker.list->currentItem()));
}

// A picker opened on the code of a line shows that code's row, however far down the list it is.
TEST(InputIncomeCode, TheCodeOfTheLineIsInViewWhenThePickerOpens)
{
    for (const char* code : {"4800", "2760", "1010"}) {
        SCOPED_TRACE(code);
        PayerPicker picker(QString::fromUtf8(code));
        picker.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
        ASSERT_EQ(currentCode(picker), code);
        EXPECT_TRUE(rowInView(picker, picker.list->currentItem()));
    }
}

class RecordingViewer : public HelpViewer {
public:
    void displayTopic(const QString& page) override { topics << page; }
    QStringList topics;
};

TEST(InputIncomeCode, HelpPictureOpensTheFaqOrSaysWhyNot)
{
    {
        TestProgramContext withoutHelp;
        PayerPicker picker;
        EXPECT_FALSE(picker.Image1->isEnabled());
        EXPECT_TRUE(picker.Image1->toolTip().startsWith(QStringLiteral("Справка недоступна")));
    }

    RecordingViewer viewer;
    TestProgramContext withHelp(QString(), &viewer);
    PayerPicker picker(QStringLiteral("2000"));
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    ASSERT_TRUE(picker.Image1->isEnabled());
    EXPECT_EQ(picker.Image1->toolTip(), "Нажми на меня!");

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(picker.Image1, &enter);
    EXPECT_EQ(picker.Label1->text(), "Подсказка: Для быстрого поиска нужного кода наберите его на клавиатуре.");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(picker.Image1, &leave);
    EXPECT_TRUE(picker.Label1->text().startsWith(QStringLiteral("2000   ")));

    QTest::mouseClick(picker.Image1, Qt::LeftButton);
    EXPECT_EQ(viewer.topics, QStringList{QStringLiteral("FAQ.htm")});
    EXPECT_TRUE(picker.isVisible());
}

} // namespace
