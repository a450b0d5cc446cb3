#include "controls/DtpPanel.h"

#include <optional>

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "controls/DeclModified.h"
#include "model/DayDate.h"
#include "tests/controls/DeclModifiedCounter.h"
#include "tests/model/CommaDecimalLocale.h"

namespace {

double day(int dayOfMonth, int month, int year)
{
    return *encodeDate(year, month, dayOfMonth);
}

// A date field on a shown window beside another edit, so that the focus can leave it.
class DtpPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        panel = new TDtpPanel(&window);
        next = new QLineEdit(&window);
        layout->addWidget(panel);
        layout->addWidget(next);
        edit = panel->findChild<TTestMaskD*>();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Clears the field and types into it, as the user does after selecting its text.
    void typeDate(const char* digits)
    {
        panel->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        edit->home(false);
        QTest::keyClicks(edit, QString::fromLatin1(digits));
    }

    void leave() { QTest::keyClick(edit, Qt::Key_Tab); }

    QWidget window;
    TDtpPanel* panel = nullptr;
    TTestMaskD* edit = nullptr;
    QLineEdit* next = nullptr;
};

TEST_F(DtpPanelTest, StartsOnTheFirstDayOf2021WithWideBounds)
{
    EXPECT_EQ(panel->dateTime(), day(1, 1, 2021));
    EXPECT_EQ(edit->displayText(), QStringLiteral("01.01.2021"));
    EXPECT_EQ(panel->minDate(), day(1, 1, 1900));
    EXPECT_EQ(panel->maxDate(), day(31, 12, 2050));
    EXPECT_EQ(panel->focusPolicy(), Qt::NoFocus) << "the panel is no tab stop of its own";
    panel->setFocus();
    EXPECT_TRUE(edit->hasFocus()) << "focusing the field puts the caret into its text";
}

TEST_F(DtpPanelTest, ProgramDatesAreShownAndReadBackAsDayCounts)
{
    const struct {
        double dayCount;
        const char* text;
    } cases[] = {
        {day(15, 6, 1985), "15.06.1985"}, {day(29, 2, 2024), "29.02.2024"}, {day(1, 1, 1900), "01.01.1900"},
        {day(31, 12, 2050), "31.12.2050"}, {36526, "01.01.2000"},
        // Outside the bounds, as an unset date of the declaration file: kept as it is.
        {0, "30.12.1899"}, {day(1, 1, 2051), "01.01.2051"},
    };
    // Neither the process locale nor the toolkit's changes how a date reads.
    const CommaDecimalLocale commaLocale;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const auto& test : cases) {
        SCOPED_TRACE(test.text);
        panel->setDateTime(test.dayCount);
        EXPECT_EQ(edit->displayText(), QString::fromLatin1(test.text));
        EXPECT_EQ(panel->dateTime(), test.dayCount);
        panel->setFocus();
        leave();
        EXPECT_EQ(panel->dateTime(), test.dayCount) << "passing through the field changes nothing";
    }
    QLocale::setDefault(QLocale::c());
}

TEST_F(DtpPanelTest, TypedDatesWithinTheBoundsAreTakenAtOnceOthersAreNeverReplaced)
{
    const std::optional<double> none;
    const struct {
        const char* name;
        const char* typed;
        std::optional<double> taken;
        const char* shown;
        const char* fault;
    } cases[] = {
        {"a date", "15061995", day(15, 6, 1995), "15.06.1995", ""},
        {"the lower bound", "01011990", day(1, 1, 1990), "01.01.1990", ""},
        {"the upper bound", "31122021", day(31, 12, 2021), "31.12.2021", ""},
        {"above the upper bound", "01012022", none, "01.01.2022",
         "Дата 01.01.2022 лежит вне допустимых пределов: с 01.01.1990 по 31.12.2021"},
        {"below the lower bound", "31121989", none, "31.12.1989",
         "Дата 31.12.1989 лежит вне допустимых пределов: с 01.01.1990 по 31.12.2021"},
        {"a day that does not exist", "31022021", none, "31.02.2021", "Такой даты нет: 31.02.2021"},
        {"29 February of a common year", "29022019", none, "29.02.2019", "Такой даты нет: 29.02.2019"},
        {"month 13", "01132020", none, "01.13.2020", "Такой даты нет: 01.13.2020"},
        {"zeros", "00000000", none, "00.00.0000", "Такой даты нет: 00.00.0000"},
        {"incomplete", "12", none, "12.__.____", "Дата указана не полностью: 12.__.____"},
        {"emptied", "", none, "__.__.____", "Дата не указана"},
    };
    const QColor normal = edit->palette().color(QPalette::Text);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        panel->setMinDate(day(1, 1, 1990));
        panel->setMaxDate(day(31, 12, 2021));
        panel->setDateTime(day(1, 1, 2021));
        std::optional<double> taken;
        const auto connection = QObject::connect(panel, &TDtpPanel::changed, [&] { taken = panel->dateTime(); });

        typeDate(test.typed);
        EXPECT_EQ(taken, test.taken) << "a date is taken as soon as it is whole and within the bounds";
        EXPECT_TRUE(edit->hasFocus());

        leave();
        EXPECT_EQ(edit->displayText(), QString::fromUtf8(test.shown)) << "the typed text is never replaced";
        EXPECT_EQ(panel->dateTime(), test.taken.value_or(day(1, 1, 2021))) << "a refused text leaves the value";
        EXPECT_EQ(panel->hasValidDate(), test.taken.has_value());
        EXPECT_EQ(panel->wrongDateText(), QString::fromUtf8(test.fault));
        EXPECT_EQ(edit->palette().color(QPalette::Text), test.taken ? normal : QColor(Qt::red));

        panel->setFocus();
        leave();
        EXPECT_EQ(edit->displayText(), QString::fromUtf8(test.shown)) << "nor on leaving it again";
        QObject::disconnect(connection);
    }
}

TEST_F(DtpPanelTest, ACorrectedDateIsTaken)
{
    for (const char* wrong : {"31022021", "12", "31122051", "31121899", ""}) {
        SCOPED_TRACE(wrong);
        panel->setDateTime(day(1, 1, 2021));
        typeDate(wrong);
        leave();
        ASSERT_FALSE(panel->hasValidDate());
        typeDate("28022021");
        EXPECT_TRUE(panel->hasValidDate());
        EXPECT_EQ(panel->dateTime(), day(28, 2, 2021));
        leave();
        EXPECT_TRUE(panel->wrongDateText().isEmpty());
        EXPECT_EQ(edit->displayText(), QStringLiteral("28.02.2021"));
    }
}

TEST_F(DtpPanelTest, AProgramValueOutsideTheBoundsIsNoTypingFault)
{
    // As an unset date of the declaration file: the program's value is not the user's fault, but
    // it is shown as lying outside the bounds.
    const QColor normal = edit->palette().color(QPalette::Text);
    panel->setDateTime(0);
    EXPECT_TRUE(panel->hasValidDate());
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red));
    panel->setFocus();
    leave();
    EXPECT_TRUE(panel->hasValidDate());
    EXPECT_EQ(edit->displayText(), QStringLiteral("30.12.1899"));
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red));
    panel->setDateTime(day(3, 3, 2021));
    EXPECT_EQ(edit->palette().color(QPalette::Text), normal);
    panel->setMinDate(day(1, 1, 2022));
    panel->setDateTime(day(3, 3, 2021));
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red)) << "below a raised lower bound";
    panel->setMinDate(day(1, 1, 1900));
    EXPECT_EQ(edit->palette().color(QPalette::Text), normal) << "bounds that take the value";

    typeDate("31022021");
    leave();
    panel->setDateTime(day(3, 3, 2021));
    EXPECT_TRUE(panel->hasValidDate()) << "the program's value replaces the refused text";
    EXPECT_EQ(edit->displayText(), QStringLiteral("03.03.2021"));
    EXPECT_EQ(edit->palette().color(QPalette::Text), normal);
}

TEST_F(DtpPanelTest, ATypedDateTheNewBoundsTakeIsTaken)
{
    panel->setMaxDate(day(31, 12, 2021));
    panel->setDateTime(day(1, 1, 2021));
    typeDate("15062023");
    leave();
    ASSERT_FALSE(panel->hasValidDate());
    panel->setMaxDate(day(31, 12, 2024));
    EXPECT_TRUE(panel->hasValidDate());
    EXPECT_EQ(panel->dateTime(), day(15, 6, 2023)) << "the value is the date the field shows";
}

TEST_F(DtpPanelTest, ADateNotTakenIsRedUntilCorrected)
{
    panel->setMaxDate(day(31, 12, 2050));
    const QColor normal = edit->palette().color(QPalette::Text);
    typeDate("31122051");
    EXPECT_EQ(panel->dateTime(), day(1, 1, 2021)) << "reading the value does not replace the text";
    EXPECT_EQ(edit->displayText(), QStringLiteral("31.12.2051"));
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red));

    typeDate("31022021");
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red));
    typeDate("310");
    EXPECT_EQ(edit->palette().color(QPalette::Text), normal) << "a date still being typed is not marked";
    leave();
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red)) << "until the field is left so";
    typeDate("30042021");
    EXPECT_EQ(edit->palette().color(QPalette::Text), normal);
    EXPECT_EQ(panel->dateTime(), day(30, 4, 2021));
}

TEST_F(DtpPanelTest, TypingOverTheDateKeepsTheCaretAndRefusesLetters)
{
    panel->setFocus();
    edit->home(false);
    QTest::keyClicks(edit, QStringLiteral("2a5"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("25.01.2021"));
    EXPECT_EQ(panel->dateTime(), day(25, 1, 2021));
    QTest::keyClicks(edit, QStringLiteral("03"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("25.03.2021"));
    EXPECT_EQ(edit->cursorPosition(), 6) << "the caret steps over the dots";

    edit->setSelection(3, 2);
    QTest::keyClicks(edit, QStringLiteral("12"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("25.12.2021"));
    EXPECT_EQ(panel->dateTime(), day(25, 12, 2021));
}

TEST_F(DtpPanelTest, APopUpOrAnotherWindowIsNoLeaving)
{
    typeDate("12");
    for (const Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent focusOut(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(edit, &focusOut);
        EXPECT_EQ(edit->displayText(), QStringLiteral("12.__.____")) << reason;
    }
    EXPECT_NE(edit->palette().color(QPalette::Text), QColor(Qt::red));
    QFocusEvent focusOut(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(edit, &focusOut);
    EXPECT_EQ(edit->displayText(), QStringLiteral("12.__.____"));
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red)) << "a click elsewhere is leaving";
}

TEST_F(DtpPanelTest, NewBoundsNeverMoveTheValue)
{
    panel->setDateTime(day(15, 6, 2021));
    const QColor normal = edit->palette().color(QPalette::Text);
    QSignalSpy changed(panel, &TDtpPanel::changed);

    panel->setMaxDate(day(31, 3, 2021));
    EXPECT_EQ(panel->dateTime(), day(15, 6, 2021));
    EXPECT_EQ(edit->displayText(), QStringLiteral("15.06.2021"));
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red)) << "a value beyond the bound is marked";
    panel->setMaxDate(day(31, 12, 2024));
    EXPECT_EQ(edit->palette().color(QPalette::Text), normal);

    panel->setMinDate(day(1, 5, 2024));
    EXPECT_EQ(panel->dateTime(), day(15, 6, 2021));
    EXPECT_EQ(panel->maxDate(), day(31, 12, 2024));
    panel->setMinDate(day(1, 1, 2025));
    EXPECT_EQ(panel->maxDate(), day(1, 1, 2025)) << "the upper bound gives way";
    panel->setMaxDate(day(1, 1, 2000));
    EXPECT_EQ(panel->minDate(), day(1, 1, 2000)) << "the lower bound gives way";
    EXPECT_EQ(panel->dateTime(), day(15, 6, 2021));
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(DtpPanelTest, OnlyADifferentValueIsAChange)
{
    QSignalSpy changed(panel, &TDtpPanel::changed);
    panel->setDateTime(day(1, 1, 2021));
    EXPECT_EQ(changed.count(), 0);
    panel->setDateTime(day(2, 1, 2021));
    EXPECT_EQ(changed.count(), 1);

    typeDate("31022021");
    panel->setDateTime(day(2, 1, 2021));
    EXPECT_EQ(edit->displayText(), QStringLiteral("02.01.2021")) << "the program's value replaces what was typed";
    EXPECT_EQ(changed.count(), 1);
    leave();
    EXPECT_EQ(panel->dateTime(), day(2, 1, 2021));
}

TEST_F(DtpPanelTest, UserChangesReachTheMainWindowPageFillingDoesNot)
{
    // As a page does: a change of the field is an edit of the declaration.
    DeclModifiedCounter mainWindow;
    setDeclModifiedReceiver(&mainWindow);
    int marked = 0;
    QObject::connect(panel, &TDtpPanel::changed, [&] {
        if (!isPageLoading())
            ++marked;
    });
    {
        const PageLoadingScope building;
        panel->setMaxDate(day(31, 12, 2021));
        panel->setDateTime(day(15, 6, 1985));
    }
    EXPECT_EQ(marked, 0);

    typeDate("1506198");
    EXPECT_EQ(marked, 0) << "an incomplete date changes nothing";
    QTest::keyClick(edit, Qt::Key_6);
    EXPECT_EQ(marked, 1);
    leave();
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(mainWindow.received, 0) << "the field leaves the notification to its page";
    setDeclModifiedReceiver(nullptr);
}

TEST_F(DtpPanelTest, TheCalendarPicksWithinTheBounds)
{
    panel->setMinDate(day(1, 1, 1990));
    panel->setMaxDate(day(31, 12, 2021));
    panel->setDateTime(day(10, 3, 2021));
    auto* calendar = panel->findChild<QCalendarWidget*>();
    auto* dropDown = panel->findChild<QToolButton*>();
    QSignalSpy changed(panel, &TDtpPanel::changed);

    QTest::mouseClick(dropDown, Qt::LeftButton);
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->selectedDate(), QDate(2021, 3, 10));
    EXPECT_EQ(calendar->maximumDate(), QDate(2021, 12, 31));
    EXPECT_EQ(calendar->minimumDate(), QDate(1990, 1, 1));

    calendar->setSelectedDate(QDate(2022, 1, 5));
    EXPECT_EQ(calendar->selectedDate(), QDate(2021, 12, 31)) << "a day beyond the bound cannot be chosen";
    calendar->setSelectedDate(QDate(2021, 4, 20));
    QTest::keyClick(calendar->focusWidget(), Qt::Key_Return);

    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(panel->dateTime(), day(20, 4, 2021));
    EXPECT_EQ(edit->displayText(), QStringLiteral("20.04.2021"));
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(DtpPanelTest, PickingReplacesADateBeingTyped)
{
    typeDate("3102");
    auto* calendar = panel->findChild<QCalendarWidget*>();
    QTest::mouseClick(panel->findChild<QToolButton*>(), Qt::LeftButton);
    EXPECT_EQ(calendar->selectedDate(), QDate(2021, 1, 1)) << "opens on the value while the text is no date";
    EXPECT_EQ(edit->displayText(), QStringLiteral("31.02.____")) << "opening the calendar is no leaving";
    calendar->setSelectedDate(QDate(2021, 2, 28));
    QTest::keyClick(calendar->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(edit->displayText(), QStringLiteral("28.02.2021"));
    leave();
    EXPECT_EQ(panel->dateTime(), day(28, 2, 2021));
}

TEST_F(DtpPanelTest, DisablingTheEditDisablesTheDropDown)
{
    auto* dropDown = panel->findChild<QToolButton*>();
    edit->setEnabled(false);
    EXPECT_FALSE(dropDown->isEnabled()) << "as a page switching its edits off";
    edit->setEnabled(true);
    EXPECT_TRUE(dropDown->isEnabled());
    panel->setEnabled(false);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(dropDown->isEnabled());
}

TEST_F(DtpPanelTest, TheButtonStaysAtTheRight)
{
    panel->resize(185, 24);
    auto* dropDown = panel->findChild<QToolButton*>();
    EXPECT_EQ(edit->geometry(), QRect(0, 0, 165, 24));
    EXPECT_EQ(dropDown->geometry(), QRect(165, 0, 20, 24));
    EXPECT_EQ(panel->sizeHint().width(), 185);
}

} // namespace
