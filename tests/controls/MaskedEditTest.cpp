#include "controls/MaskedEdit.h"

#include <optional>

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/DeclModified.h"
#include "tests/controls/DeclModifiedCounter.h"
#include "tests/controls/DialogWithDefaultButton.h"
#include "tests/model/CommaDecimalLocale.h"

namespace {

struct Kind {
    TEditTypeControlEnum type;
    int whole;
    int fractional;
};

constexpr Kind Money{edtCurrency, 13, 2};
constexpr Kind Digits12{edtDigital, 12, 0};
constexpr Kind Roubles13{edtWholeRoubles, 13, 0};

const QString KopecksRefused = QStringLiteral("Сумма указывается в полных рублях, без копеек");

// Every case runs twice: under the C locale, and under a process locale with a decimal comma
// while the toolkit's own locale has a decimal point.
class MaskedEditTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam()) {
            commaLocale_.emplace();
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        }
        setDeclModifiedReceiver(&receiver);
    }
    void TearDown() override
    {
        setDeclModifiedReceiver(nullptr);
        commaLocale_.reset();
        QLocale::setDefault(QLocale::c());
    }

    static void configure(TMaskedEdit& edit, const Kind& kind)
    {
        edit.setEditType(kind.type);
        edit.setWholeLength(kind.whole);
        edit.setFractionalLength(kind.fractional);
    }

    DeclModifiedCounter receiver;

private:
    std::optional<CommaDecimalLocale> commaLocale_;
};

TEST_P(MaskedEditTest, TypingKeepsTheRulesOfTheKind)
{
    const struct {
        const char* name;
        Kind kind;
        const char* typed;
        const char* expected;
    } cases[] = {
        {"money, whole and fraction", Money, "1234,56", "1234,56"},
        {"money, third decimal refused", Money, "1234,567", "1234,56"},
        {"money, point becomes comma", Money, "12.5", "12,5"},
        {"money, second separator refused", Money, "1,2.3,4", "1,23"},
        {"money, letters, minus and blanks refused", Money, "-1 a2b", "12"},
        {"money, separator first refused", Money, ",5", "5"},
        {"money, 14th whole digit refused", Money, "12345678901234", "1234567890123"},
        {"money, whole digits limited with a fraction too", Money, "1234567890123,45", "1234567890123,45"},
        {"money without limits", {edtCurrency, 0, 0}, "123456789012,12345", "123456789012,12345"},
        // The largest amount is 922337203685477,5807.
        {"money beyond the largest amount", {edtCurrency, 0, 0}, "99999999999999999", "99999999999999"},
        {"digits", Digits12, "12a-3 4", "1234"},
        {"digits, 13th refused", Digits12, "1234567890123", "123456789012"},
        {"roubles, zero kopecks", Roubles13, "124800,00", "124800,00"},
        {"roubles, point becomes comma", Roubles13, "124800.00", "124800,00"},
        {"roubles, kopecks refused, digits never joined", Roubles13, "156000,50", "156000,0"},
        {"roubles, third zero refused", Roubles13, "1,000", "1,00"},
        {"roubles, second separator refused", Roubles13, "1,0,0", "1,00"},
        {"roubles, letters, minus and blanks refused", Roubles13, "-1 a2b", "12"},
        {"roubles, 14th digit refused", Roubles13, "12345678901234", "1234567890123"},
        {"digits without limit", {edtDigital, 0, 0}, "12345678901234567890", "12345678901234567890"},
        {"text without digits", {edtChar, 5, 0}, "ab1c-de f", "abc-d"},
        {"any text", {edtNone, 4, 0}, "a1,b c", "a1,b"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TMaskedEdit edit;
        configure(edit, test.kind);
        QTest::keyClicks(&edit, QString::fromUtf8(test.typed));
        EXPECT_EQ(edit.text(), QString::fromUtf8(test.expected));
    }
}

TEST_P(MaskedEditTest, TypingOverASelectionReplacesIt)
{
    const struct {
        const char* name;
        Kind kind;
        const char* before;
        int selectionStart;
        int selectionLength;
        const char* typed;
        const char* expected;
    } cases[] = {
        {"full digits, all selected", {edtDigital, 3, 0}, "123", 0, 3, "9", "9"},
        {"full digits, middle selected", {edtDigital, 3, 0}, "123", 1, 1, "7", "173"},
        {"full text, all selected", {edtChar, 3, 0}, "abc", 0, 3, "xy", "xy"},
        {"full money fraction, decimals selected", Money, "1234,56", 5, 2, "7", "1234,7"},
        {"money, comma selected and replaced by a point", Money, "12,5", 2, 1, ".", "12,5"},
        {"money, selection over the comma keeps one comma", Money, "1,25", 0, 3, "3,", "3,5"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TMaskedEdit edit;
        configure(edit, test.kind);
        edit.setText(QString::fromUtf8(test.before));
        edit.setSelection(test.selectionStart, test.selectionLength);
        QTest::keyClicks(&edit, QString::fromUtf8(test.typed));
        EXPECT_EQ(edit.text(), QString::fromUtf8(test.expected));
    }
}

TEST_P(MaskedEditTest, PasteIsTakenWholeOrNotAtAll)
{
    const struct {
        const char* name;
        Kind kind;
        const char* before;
        bool selectAll;
        const char* pasted;
        const char* expected;
    } cases[] = {
        {"money, too many decimals", Money, "", false, "1234,567", ""},
        {"money, too many decimals over the old text", Money, "1234,56", true, "1234,567", "1234,56"},
        {"money with a point", Money, "", false, "1234.5", "1234,5"},
        {"money, negative", Money, "", false, "-5", ""},
        {"money, blanks around", Money, "", false, " 5 ", ""},
        {"money after the old text", Money, "12", false, ",75", "12,75"},
        {"roubles with zero kopecks and a point", Roubles13, "", false, "124800.00", "124800,00"},
        {"roubles with kopecks", Roubles13, "", false, "156000,50", ""},
        {"zero kopecks after the old text", Roubles13, "12", false, ",00", "12,00"},
        {"digits with a letter", Digits12, "12", false, "12a", "12"},
        {"digits", Digits12, "12", false, "345", "12345"},
        {"digits, too long", Digits12, "12345678901", false, "23", "12345678901"},
        {"digits over the whole text", Digits12, "123456789012", true, "7707083893", "7707083893"},
        {"text with a digit", {edtChar, 0, 0}, "Иван", false, "ов2", "Иван"},
        {"text", {edtChar, 0, 0}, "Иван", false, "ов", "Иванов"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TMaskedEdit edit;
        configure(edit, test.kind);
        edit.setText(QString::fromUtf8(test.before));
        if (test.selectAll)
            edit.selectAll();
        else
            edit.end(false);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(test.pasted));
        receiver.received = 0;

        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);

        EXPECT_EQ(edit.text(), QString::fromUtf8(test.expected));
        EXPECT_EQ(receiver.received, test.expected == std::string_view(test.before) ? 0 : 1)
            << "a refused paste is no change";
    }
}

TEST_P(MaskedEditTest, RefusedKopecksAreExplainedUnderTheFieldUntilItIsLeft)
{
    QWidget window;
    window.resize(300, 200);
    auto* holder = new QWidget(&window);
    holder->resize(200, 50);
    auto* roubles = new TMaskedEdit(holder);
    configure(*roubles, Roubles13);
    auto* next = new TMaskedEdit(&window);
    next->move(0, 100);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    roubles->setFocus();

    QTest::keyClicks(roubles, QStringLiteral("156000,5"));
    EXPECT_EQ(roubles->text(), QStringLiteral("156000,"));
    EXPECT_EQ(roubles->shownRefusal(), KopecksRefused);
    const auto* message = roubles->findChild<QWidget*>(QStringLiteral("fieldRefusal"));
    ASSERT_NE(message, nullptr);
    EXPECT_GE(message->geometry().top(), roubles->mapToGlobal(QPoint(0, roubles->height())).y()) << "under the field";
    EXPECT_GE(message->width(), message->sizeHint().width()) << "the whole message";
    QTest::keyClick(roubles, Qt::Key_0);
    EXPECT_EQ(roubles->shownRefusal(), KopecksRefused) << "the word stays while the user is in the field";
    next->setFocus();
    EXPECT_EQ(roubles->shownRefusal(), QString()) << "leaving the field takes it away";
    EXPECT_EQ(roubles->currencyValue(), Currency::fromWholeRoubles(156000));

    roubles->setFocus();
    QTest::keyClick(roubles, Qt::Key_7);
    EXPECT_EQ(roubles->shownRefusal(), KopecksRefused);
    roubles->setCurrencyValue(Currency::fromWholeRoubles(5));
    EXPECT_EQ(roubles->shownRefusal(), QString()) << "a sum the program shows takes it away";

    QTest::keyClicks(roubles, QStringLiteral(",7"));
    EXPECT_EQ(roubles->shownRefusal(), KopecksRefused);
    holder->move(0, 20);
    EXPECT_EQ(roubles->shownRefusal(), QString()) << "a page scrolled or moved leaves the word behind no more";
    QTest::keyClick(roubles, Qt::Key_7);
    EXPECT_EQ(roubles->shownRefusal(), KopecksRefused) << "said again at the next refusal";

    const struct {
        const char* name;
        Kind kind;
        const char* typed;
    } silent[] = {
        {"a letter", Roubles13, "12a"},
        {"a third zero", Roubles13, "1,000"},
        {"a 14th digit", Roubles13, "12345678901234"},
        {"a third decimal of money with kopecks", Money, "1,234"},
    };
    for (const auto& test : silent) {
        SCOPED_TRACE(test.name);
        TMaskedEdit edit;
        configure(edit, test.kind);
        QTest::keyClicks(&edit, QString::fromUtf8(test.typed));
        EXPECT_EQ(edit.shownRefusal(), QString()) << "refused without a word, as every other key";
    }
}

TEST_P(MaskedEditTest, ClearingMoneyLeavesItEmpty)
{
    TMaskedEdit edit;
    configure(edit, Money);
    edit.setText(QStringLiteral("1,5"));
    edit.end(false);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QString());
    EXPECT_EQ(edit.currencyValue(), Currency());
}

TEST_P(MaskedEditTest, DeletingTheCommaMayNotLengthenTheWholePart)
{
    TMaskedEdit edit;
    configure(edit, Money);
    edit.setText(QStringLiteral("1234567890123,45"));
    edit.setCursorPosition(14);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("1234567890123,45"));
}

TEST_P(MaskedEditTest, EveryChangeNotifiesOnce)
{
    TMaskedEdit edit;
    configure(edit, Digits12);
    QSignalSpy changes(&edit, &QLineEdit::textChanged);

    QTest::keyClicks(&edit, QStringLiteral("12a3"));
    EXPECT_EQ(receiver.received, 3) << "the refused letter sends nothing";
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(receiver.received, 4);

    edit.setText(QStringLiteral("12"));
    EXPECT_EQ(receiver.received, 4) << "the text it already has is no change";
    edit.setText(QStringLiteral("7707083893"));
    EXPECT_EQ(receiver.received, 5);
    EXPECT_EQ(changes.count(), 5);
}

TEST_P(MaskedEditTest, ProgramTextIsTakenAsItIsAndCanBeRepaired)
{
    TMaskedEdit digits;
    configure(digits, {edtDigital, 4, 0});
    digits.setText(QStringLiteral("12ab5"));
    EXPECT_EQ(digits.text(), QStringLiteral("12ab5"));

    digits.end(false);
    QTest::keyClick(&digits, Qt::Key_6);
    EXPECT_EQ(digits.text(), QStringLiteral("12ab5")) << "typing is judged as ever";
    QTest::keyClick(&digits, Qt::Key_Backspace);
    QTest::keyClick(&digits, Qt::Key_Backspace);
    EXPECT_EQ(digits.text(), QStringLiteral("12a")) << "the user can shorten it";
    QTest::keyClick(&digits, Qt::Key_Backspace);
    QTest::keyClick(&digits, Qt::Key_3);
    EXPECT_EQ(digits.text(), QStringLiteral("123"));
    QTest::keyClick(&digits, Qt::Key_A);
    EXPECT_EQ(digits.text(), QStringLiteral("123")) << "once repaired, the rules hold again";

    TMaskedEdit money;
    configure(money, Money);
    money.setCurrencyValue(Currency::fromUnits(12345678)); // 1234.5678
    EXPECT_EQ(money.text(), QStringLiteral("1234,5678"));
}

TEST_P(MaskedEditTest, MoneyValueUsesTheDecimalCommaWhateverTheLocale)
{
    TMaskedEdit edit;
    configure(edit, Money);
    const struct {
        std::int64_t units;
        const char* text;
    } shown[] = {{0, ""}, {12345000, "1234,5"}, {10000, "1"}, {123456700, "12345,67"}};
    for (const auto& test : shown) {
        edit.setCurrencyValue(Currency::fromUnits(test.units));
        EXPECT_EQ(edit.text(), QString::fromUtf8(test.text));
        EXPECT_EQ(edit.currencyValue(), Currency::fromUnits(test.units)) << test.text;
    }

    const struct {
        const char* typed;
        std::int64_t units;
    } typed[] = {{"", 0}, {"12,", 120000}, {"0,05", 500}, {"1.5", 15000}, {"1234567890123,99", 12345678901239900}};
    for (const auto& test : typed) {
        edit.clear();
        QTest::keyClicks(&edit, QString::fromUtf8(test.typed));
        EXPECT_EQ(edit.currencyValue(), Currency::fromUnits(test.units)) << test.typed;
    }
}

TEST_P(MaskedEditTest, EnterIsLeftToTheDialog)
{
    QDialog dialog;
    auto* edit = new TMaskedEdit(&dialog);
    placeAboveDefaultButton(dialog, edit);
    QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);

    dialog.show();
    QTest::keyClicks(edit, QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Return);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(returnPressed.count(), 0);
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
}

INSTANTIATE_TEST_SUITE_P(Locales, MaskedEditTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "CommaLocale" : "CLocale"; });

} // namespace
