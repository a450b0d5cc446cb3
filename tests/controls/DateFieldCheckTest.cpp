#include "controls/DateFieldCheck.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "model/DayDate.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/DateTyping.h"

namespace {

class DateFieldCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        for (TDtpPanel*& field : fields) {
            field = new TDtpPanel(&window);
            field->setMaxDate(*encodeDate(2021, 12, 31));
            layout->addWidget(field);
        }
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    std::uint16_t check()
    {
        return checkTypedDates(&window, QStringLiteral("Раздел"), {{11, fields[0], QStringLiteral("Первая дата")},
                                                                   {12, fields[1], QStringLiteral("Вторая дата")},
                                                                   {13, fields[2], QStringLiteral("Третья дата")}});
    }

    QWidget window;
    TDtpPanel* fields[3] = {};
};

TEST_F(DateFieldCheckTest, TheFirstRefusedDateIsReportedAndCannotBeSkipped)
{
    typeDate(fields[1], "31022021");
    typeDate(fields[2], "12");
    for (const int answer : {int(CheckFix), int(CheckClosed), int(CheckSkip), int(CheckSkipAll)}) {
        SCOPED_TRACE(answer);
        ScriptedCheckAnswers checks;
        checks.answers = {answer};
        EXPECT_EQ(check(), 12) << "whatever the answer, the date is to be corrected";
        ASSERT_EQ(checks.shown.size(), 1u);
        EXPECT_EQ(checks.shown[0].caption, QStringLiteral("Проверка: Раздел"));
        EXPECT_EQ(checks.shown[0].message, QStringLiteral("Неверная дата в поле «Вторая дата».\nТакой даты нет: "
                                                          "31.02.2021.\nИсправьте дату или выберите ее в календаре."));
        EXPECT_FALSE(checks.shown[0].skip);
        EXPECT_FALSE(checks.shown[0].skipAll);
    }
}

TEST_F(DateFieldCheckTest, ValidOrSwitchedOffFieldsPass)
{
    ScriptedCheckAnswers checks;
    EXPECT_EQ(check(), 0);
    typeDate(fields[0], "15062021");
    typeDate(fields[1], "31122051");
    fields[1]->setEnabled(false);
    EXPECT_EQ(check(), 0);
    EXPECT_TRUE(checks.shown.empty());
    fields[1]->setEnabled(true);
    EXPECT_EQ(check(), 12);
    EXPECT_EQ(checks.shown.size(), 1u);
}

} // namespace
