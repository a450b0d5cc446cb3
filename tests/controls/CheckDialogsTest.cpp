#include "controls/CheckDialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "controls/CheckRun.h"
#include "tests/controls/ScriptedCheckAnswers.h"

namespace {

TEST(CheckDialogs, TfmCheckErrorLooksAsItShould)
{
    TfmCheckError dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Проверка"));
    EXPECT_EQ(dialog.size(), QSize(558, 154));
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("Исправить"));
    EXPECT_EQ(dialog.Button2->text(), QStringLiteral("Пропустить"));
    EXPECT_EQ(dialog.Button3->text(), QStringLiteral("Пропустить все"));

    dialog.SetTitle(QStringLiteral("Сведения о декларанте"));
    dialog.SetMessage(QStringLiteral("Не указана фамилия"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Проверка: Сведения о декларанте"));
    EXPECT_EQ(dialog.lbMessage->text(), QStringLiteral("Не указана фамилия"));
    EXPECT_TRUE(dialog.lbMessage->wordWrap());
}

TEST(CheckDialogs, TfmCheckAllErrorLooksAsItShould)
{
    TfmCheckAllError dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Проверка"));
    EXPECT_EQ(dialog.size(), QSize(558, 159));
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("Исправить"));
    EXPECT_EQ(dialog.Button2->text(), QStringLiteral("Отмена"));
    dialog.SetPage(QStringLiteral("Вычеты"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Проверка: Вычеты"));
}

// Ends a shown dialog as a user would and returns its result.
int answered(CheckDialog& dialog, const std::function<void()>& act)
{
    dialog.show();
    act();
    return dialog.result();
}

TEST(CheckDialogs, EachWayOfClosingGivesItsResult)
{
    TfmCheckError dialog(nullptr);
    EXPECT_EQ(answered(dialog, [&] { dialog.Button1->click(); }), CheckFix);
    EXPECT_EQ(answered(dialog, [&] { dialog.Button2->click(); }), CheckSkip);
    EXPECT_EQ(answered(dialog, [&] { dialog.Button3->click(); }), CheckSkipAll);
    EXPECT_EQ(answered(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); }), CheckFix)
        << "Enter presses \"Исправить\"";
    EXPECT_EQ(answered(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }), CheckClosed);
    EXPECT_EQ(answered(dialog, [&] { dialog.close(); }), CheckClosed);

    TfmCheckAllError whole(nullptr);
    EXPECT_EQ(answered(whole, [&] { whole.Button1->click(); }), CheckFix);
    EXPECT_EQ(answered(whole, [&] { whole.Button2->click(); }), CheckSkip);
    EXPECT_EQ(answered(whole, [&] { whole.close(); }), CheckClosed);
}

TEST(CheckDialogs, WithoutSkipClosingMeansFix)
{
    TfmCheckError dialog(nullptr);
    dialog.Button2->setEnabled(false);
    dialog.Button3->setEnabled(false);
    EXPECT_EQ(answered(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }), CheckFix);
    EXPECT_EQ(answered(dialog, [&] { dialog.close(); }), CheckFix);

    // "Пропустить все" alone does not make the rule passable by closing.
    dialog.Button3->setEnabled(true);
    EXPECT_EQ(answered(dialog, [&] { dialog.close(); }), CheckFix);
}

TEST(CheckDialogs, ExecRunsModallyUntilAnswered)
{
    TfmCheckError dialog(nullptr);
    QTimer::singleShot(0, &dialog, [&] { dialog.Button3->click(); });
    EXPECT_EQ(dialog.exec(), CheckSkipAll);
}

class ScriptedCheckTest : public ::testing::Test, protected ScriptedCheckAnswers {};

TEST_F(ScriptedCheckTest, AnswerNamingADisabledButtonCountsAsClosing)
{
    TfmCheckError dialog(nullptr);
    dialog.Button3->setEnabled(false);
    answers = {CheckSkipAll};
    EXPECT_EQ(dialog.exec(), CheckClosed);
    dialog.Button2->setEnabled(false);
    answers = {CheckSkip};
    EXPECT_EQ(dialog.exec(), CheckFix);
}

// A page's check with three failing rules, elements 11, 12 and 13.
TEST_F(ScriptedCheckTest, RunStopsOnFixAndSkipAllAndGoesOnOtherwise)
{
    const struct {
        const char* name;
        std::deque<int> answers;
        std::uint16_t result;
        std::size_t shown;
    } cases[] = {
        {"fix the first", {CheckFix}, 11, 1},
        {"skip one, fix the second", {CheckSkip, CheckFix}, 12, 2},
        {"skip all at once", {CheckSkipAll}, 0, 1},
        {"skip one, then skip all", {CheckSkip, CheckSkipAll}, 0, 2},
        {"skip every rule", {CheckSkip, CheckSkip, CheckSkip}, 0, 3},
        {"close, then fix", {CheckClosed, CheckSkip, CheckFix}, 13, 3},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        answers = test.answers;
        shown.clear();

        CheckRun run(nullptr, QStringLiteral("Задание условий"));
        run.report(QStringLiteral("first"), 11);
        run.report(QStringLiteral("second"), 12);
        run.report(QStringLiteral("third"), 13);

        EXPECT_EQ(run.result(), test.result);
        ASSERT_EQ(shown.size(), test.shown);
        EXPECT_EQ(shown[0].caption, QStringLiteral("Проверка: Задание условий"));
        EXPECT_EQ(shown.back().message,
                  QStringList({"first", "second", "third"}).at(qsizetype(test.shown - 1)));
    }
}

} // namespace
