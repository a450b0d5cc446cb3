#include "pages/deductions/FrameStandartDeduct.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include "controls/MessageBox.h"
#include "pages/deductions/BusinessMonthGrid.h"
#include "pages/deductions/ChildrenGrid.h"
#include "controls/HelpPromptCall.h"
#include "pages/deductions/MonthDialogs.h"
#include "tests/support/MessageAnswers.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/TabOrderCheck.h"

namespace {

Currency roubles(long double amount)
{
    return Currency::fromRoubles(amount);
}

class FrameStandartDeductTest : public ::testing::Test {
protected:
    mTStandartDeduct& model() { return host.declaration->StandardDeduct; }
    TfrFrameStandartDeduct* open() { return page = host.show<TfrFrameStandartDeduct>(); }
    // Opens the page of a new declaration and ticks the granting box as the user does.
    TfrFrameStandartDeduct* openGranted()
    {
        open();
        page->chbGrantingStanDeduct->click();
        return page;
    }

    UserEditCounter edits;
    PageWindow host;
    TfrFrameStandartDeduct* page = nullptr;
};

// Declarations whose standard deductions the page shows and stores back unchanged.
struct RoundTripCase {
    const char* name;
    bool businessIncome;
    std::function<void(mTStandartDeduct&)> fill;
};

const RoundTripCase RoundTripCases[] = {
    {"new declaration", false, [](mTStandartDeduct&) {}},
    {"not granted, earlier data kept", true,
     [](mTStandartDeduct& d) {
         d.PersonalCode = 104;
         d.ParentStatus = 102;
         d.SetChildCount(3, 2);
         d.SetDisabledChildCountConst(1);
         d.Guardian = 1;
         d.SetMonthIncome(2, roubles(10));
     }},
    {"granted, constant rows with stale month counts", false,
     [](mTStandartDeduct& d) {
         d.Granted = 1;
         d.PersonalCode = 105;
         d.ParentStatus = 102;
         for (std::uint8_t i = 0; i < 12; ++i)
             d.SetChildCount(i, 1);
         d.SetChildCountConst(2);
         d.SetThirdChildCountConst(0);
         d.SetDisabledChildCountConst(1);
         d.Guardian = 1;
     }},
    {"granted, monthly rows, month codes and statuses, entrepreneur's months", true,
     [](mTStandartDeduct& d) {
         d.Granted = 1;
         d.PersonalCode = 110;
         d.ParentStatus = 103;
         d.HasMonthPersonalCodes = 1;
         d.HasMonthParentStatus = 1;
         d.Children.YearCount = 7; // stale while the row changes month by month
         for (std::uint8_t i = 0; i < 12; ++i) {
             d.SetChildCount(i, i < 6 ? 1 : 2);
             d.SetThirdChildCount(i, i / 4);
             d.SetDisabledChildCount(i, i == 11 ? 1 : 0);
             d.SetMonthPersonalCode(i + 1, i % 3);
             d.SetMonthSingleParent(i + 1, i % 2);
         }
         d.SetMonthIncome(1, roubles(1500.5L));
         d.SetMonthExpense(1, roubles(0.0001L));
         d.SetMonthIncome(12, roubles(99999999999.99L));
         d.SetBusinessMonth(0, 1);
         d.SetBusinessMonth(11, 1);
         d.SetBusinessMonth(5, 1); // ticked without amounts
         d.HasBusinessMonths = 1;
     }},
    {"granted with business income, no months", true,
     [](mTStandartDeduct& d) {
         d.Granted = 1;
         d.SetThirdChildCountConst(3);
     }},
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(FrameStandartDeductTest, ShowsAndStoresEveryDeclarationUnchanged)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const RoundTripCase& c : RoundTripCases) {
        SCOPED_TRACE(c.name);
        mTDeclaration original;
        original.SetIncomeKinds(c.businessIncome ? IncomeKindSources | IncomeKindBusiness : IncomeKindSources);
        c.fill(original.StandardDeduct);
        const QString before = folder.filePath(QStringLiteral("before.fv1"));
        original.SaveToFile(before.toStdString());

        // Through the declaration file, as the user opens it.
        host.declaration = std::make_unique<mTDeclaration>();
        host.declaration->LoadFromFile(before.toStdString());
        const mTStandartDeduct loaded = model();
        auto* shown = host.show<TfrFrameStandartDeduct>();
        shown->SaveData();
        EXPECT_EQ(model(), loaded);
        const QString after = folder.filePath(QStringLiteral("after.fv1"));
        host.declaration->SaveToFile(after.toStdString());
        EXPECT_EQ(fileBytes(after), fileBytes(before));
        delete shown;
    }
    EXPECT_EQ(edits.userEdits, 0);
}

TEST_F(FrameStandartDeductTest, NewDeclarationShowsAllButTheGrantingBoxDisabled)
{
    host.declaration->SetIncomeKinds(IncomeKindSources | IncomeKindBusiness);
    open();
    EXPECT_EQ(page->gbStandartDeduct->title(), QStringLiteral("  Стандартные налоговые вычеты (коды 104-105,114-149)"));
    // The monthly amounts of the personal deductions, as the law gives them.
    EXPECT_EQ(page->rb104->text(), QStringLiteral("Код 104 - 500 в месяц"));
    EXPECT_EQ(page->rb105->text(), QStringLiteral("Код 105 - 3000 в месяц"));
    EXPECT_FALSE(page->chbGrantingStanDeduct->isChecked());
    EXPECT_TRUE(page->chbGrantingStanDeduct->isEnabled());
    EXPECT_TRUE(page->Label1->isEnabled());
    EXPECT_TRUE(page->rb103->isChecked());
    EXPECT_TRUE(page->rbTowParents->isChecked());
    for (QRadioButton* button : {page->rb103, page->rb104, page->rb105, page->rbQ, page->rbQ2, page->rbTowParents,
                                 page->rbOneParent})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    for (const TChildrenRow* row : {&page->children->allChildren, &page->children->thirdChildren,
                                    &page->children->disabledChildren}) {
        SCOPED_TRACE(row->constBox->objectName().toStdString());
        EXPECT_FALSE(row->constBox->isChecked());
        EXPECT_FALSE(row->constBox->isEnabled());
        EXPECT_TRUE(row->countBox->text().isEmpty());
        EXPECT_FALSE(row->countBox->isEnabled());
        EXPECT_FALSE(row->upDown->isEnabled());
        for (TMaskedEdit* box : row->monthBoxes)
            EXPECT_FALSE(box->isEnabled());
    }
    for (QLabel* label : page->children->monthLabels)
        EXPECT_FALSE(label->isEnabled());
    for (int m = 0; m < 12; ++m) {
        EXPECT_FALSE(page->Panel1->monthBoxes[m]->isEnabled());
        EXPECT_FALSE(page->Panel1->incomeBoxes[m]->isEnabled());
        EXPECT_FALSE(page->Panel1->expenseBoxes[m]->isEnabled());
    }
    EXPECT_FALSE(page->Panel1->Label3->isEnabled());
    EXPECT_TRUE(page->children->pnlPopOp->isHidden());
}

TEST_F(FrameStandartDeductTest, TickingTheGrantingBoxOnANewDeclarationStoresMonthlyRowsOfZeros)
{
    openGranted();
    for (const TChildrenRow* row : {&page->children->allChildren, &page->children->thirdChildren,
                                    &page->children->disabledChildren}) {
        EXPECT_FALSE(row->constBox->isChecked());
        EXPECT_FALSE(row->countBox->isEnabled());
        for (TMaskedEdit* box : row->monthBoxes)
            EXPECT_TRUE(box->isEnabled());
    }
    page->SaveData();
    EXPECT_EQ(model().Granted, 1);
    for (const mTChildrenRow* row : {&model().Children, &model().ThirdChildren, &model().DisabledChildren}) {
        EXPECT_EQ(row->ConstCount, 0);
        EXPECT_EQ(row->MonthCount, (std::array<std::int32_t, 12>{}));
    }
    EXPECT_EQ(model().PersonalCode, 103);
    EXPECT_EQ(model().ParentStatus, 101);
    EXPECT_GT(edits.userEdits, 0);
}

TEST_F(FrameStandartDeductTest, EachControlReachesItsField)
{
    struct Case {
        const char* name;
        std::function<void(TfrFrameStandartDeduct&)> edit;
        std::function<void(const mTStandartDeduct&)> expect;
    };
    const Case cases[] = {
        {"rb104", [](auto& p) { p.rb104->click(); }, [](const auto& d) { EXPECT_EQ(d.PersonalCode, 104); }},
        {"rb105", [](auto& p) { p.rb105->click(); }, [](const auto& d) { EXPECT_EQ(d.PersonalCode, 105); }},
        {"rbOneParent", [](auto& p) { p.rbOneParent->click(); }, [](const auto& d) { EXPECT_EQ(d.ParentStatus, 102); }},
        {"cbPopOp", [](auto& p) { p.children->cbPopOp->setChecked(true); },
         [](const auto& d) { EXPECT_EQ(d.Guardian, 1); }},
        {"constant all-children row",
         [](auto& p) {
             p.children->allChildren.constBox->click();
             typeInto(p.children->allChildren.countBox, QStringLiteral("2"));
         },
         [](const auto& d) {
             EXPECT_EQ(d.Children.ConstCount, 1);
             EXPECT_EQ(d.Children.YearCount, 2);
         }},
        {"third-child month box",
         [](auto& p) { typeInto(p.children->thirdChildren.monthBoxes[4], QStringLiteral("12")); },
         [](const auto& d) {
             EXPECT_EQ(d.ThirdChildren.ConstCount, 0);
             EXPECT_EQ(d.ThirdChildren.MonthCount[4], 12);
         }},
        {"disabled-child constant row",
         [](auto& p) {
             p.children->disabledChildren.constBox->click();
             p.children->disabledChildren.upDown->upButton->click();
         },
         [](const auto& d) {
             EXPECT_EQ(d.DisabledChildren.ConstCount, 1);
             EXPECT_EQ(d.DisabledChildren.YearCount, 1);
         }},
        {"entrepreneur's income",
         [](auto& p) { typeInto(p.Panel1->incomeBoxes[6], QStringLiteral("100,5")); },
         [](const auto& d) {
             EXPECT_EQ(d.MonthIncome[6], roubles(100.5L));
             EXPECT_EQ(d.BusinessMonth[6], 1);
             EXPECT_EQ(d.HasBusinessMonths, 1);
         }},
        {"entrepreneur's month tick",
         [](auto& p) { p.Panel1->monthBoxes[2]->click(); },
         [](const auto& d) {
             EXPECT_EQ(d.BusinessMonth[2], 1);
             EXPECT_EQ(d.MonthIncome[2], Currency());
             EXPECT_EQ(d.HasBusinessMonths, 1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.declaration = std::make_unique<mTDeclaration>();
        host.declaration->SetIncomeKinds(IncomeKindSources | IncomeKindBusiness);
        openGranted();
        const int editsBefore = edits.userEdits;
        c.edit(*page);
        EXPECT_GT(edits.userEdits, editsBefore) << "the edit is reported to the main window";
        page->SaveData();
        c.expect(model());
        delete page;
    }
}

TEST_F(FrameStandartDeductTest, UntickingTheGrantingBoxEmptiesTheGridAndKeepsTheModel)
{
    model().Granted = 1;
    model().PersonalCode = 104;
    model().SetChildCountConst(2);
    model().SetDisabledChildCountConst(1);
    model().Guardian = 1;
    const mTStandartDeduct before = model();
    open();
    ASSERT_FALSE(page->children->pnlPopOp->isHidden());

    {
        MessageAnswers yes(QMessageBox::Yes);
        page->chbGrantingStanDeduct->click();
        EXPECT_EQ(yes.texts,
                  QStringList{QStringLiteral("Удалить количество детей для вычетов на детей (строк: 2)?")});
    }
    for (const TChildrenRow* row : {&page->children->allChildren, &page->children->thirdChildren,
                                    &page->children->disabledChildren}) {
        EXPECT_TRUE(row->countBox->text().isEmpty());
        for (TMaskedEdit* box : row->monthBoxes)
            EXPECT_TRUE(box->text().isEmpty());
    }
    EXPECT_TRUE(page->children->pnlPopOp->isHidden());
    EXPECT_TRUE(page->rb104->isChecked());
    EXPECT_TRUE(page->children->cbPopOp->isChecked());

    page->SaveData();
    mTStandartDeduct expected = before;
    expected.Granted = 0;
    EXPECT_EQ(model(), expected);
}

TEST_F(FrameStandartDeductTest, UnknownCodesShowTheFirstChoiceAndAreStoredAsIt)
{
    model().Granted = 1;
    model().PersonalCode = 777;
    model().ParentStatus = 0;
    open();
    EXPECT_TRUE(page->rb103->isChecked());
    EXPECT_TRUE(page->rbTowParents->isChecked());
    page->SaveData();
    EXPECT_EQ(model().PersonalCode, 103);
    EXPECT_EQ(model().ParentStatus, 101);
}

TEST_F(FrameStandartDeductTest, EntrepreneursMonthsNeedBusinessIncomeAndTheGrantingBox)
{
    struct Case {
        const char* name;
        bool granted;
        bool business;
        bool entriesEnabled;
    };
    const Case cases[] = {
        {"granted with business income", true, true, true},
        {"granted without business income", true, false, false},
        {"not granted with business income", false, true, false},
        {"neither", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.declaration = std::make_unique<mTDeclaration>();
        host.declaration->SetIncomeKinds(c.business ? IncomeKindSources | IncomeKindBusiness : IncomeKindSources);
        model().Granted = c.granted ? 1 : 0;
        model().SetMonthIncome(4, roubles(250));
        model().SetBusinessMonth(3, 1);
        model().HasBusinessMonths = 1;
        open();
        for (int m = 0; m < 12; ++m) {
            EXPECT_EQ(page->Panel1->monthBoxes[m]->isEnabled(), c.entriesEnabled);
            EXPECT_EQ(page->Panel1->incomeBoxes[m]->isEnabled(), c.entriesEnabled);
            EXPECT_EQ(page->Panel1->expenseBoxes[m]->isEnabled(), c.entriesEnabled);
        }
        EXPECT_EQ(page->Panel1->Label3->isEnabled(), c.granted);
        // The months show the model with business income, whatever the granting box says.
        EXPECT_EQ(page->Panel1->incomeBoxes[3]->text(), c.business ? QStringLiteral("250") : QString());
        EXPECT_EQ(page->Panel1->monthBoxes[3]->isChecked(), c.business);

        page->SaveData();
        if (c.granted && !c.business) {
            EXPECT_EQ(model().MonthIncome[3], Currency());
            EXPECT_EQ(model().BusinessMonth[3], 0);
            EXPECT_EQ(model().HasBusinessMonths, 0);
        } else {
            EXPECT_EQ(model().MonthIncome[3], roubles(250));
            EXPECT_EQ(model().BusinessMonth[3], 1);
            EXPECT_EQ(model().HasBusinessMonths, 1);
        }
        delete page;
    }
}

TEST_F(FrameStandartDeductTest, NeverRefusesToBeLeft)
{
    const ScriptedCheckAnswers answers;
    openGranted();
    page->SaveData();
    EXPECT_EQ(page->CheckData(), 0);
    page->FocusError(1);
    EXPECT_TRUE(answers.shown.empty());
}

TEST_F(FrameStandartDeductTest, HelpPictureAsksForTheStandardDeductionsTopic)
{
    open();
    EXPECT_EQ(page->Label1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(page->Label1->toolTip(), QStringLiteral("Нажми на меня!"));
    EXPECT_EQ(page->Image1->toolTip(), QStringLiteral("Нажми на меня!"));

    QString shownMessage;
    QString shownTopic;
    setHelpPromptShower([&](QWidget*, const QString& message, const QString& topic) {
        shownMessage = message;
        shownTopic = topic;
    });
    QTest::mouseClick(page->Label1, Qt::LeftButton);
    setHelpPromptShower({});
    EXPECT_TRUE(shownMessage.startsWith(QStringLiteral("В программах Форвета 2018 - 2021 относительно")));
    EXPECT_TRUE(shownMessage.endsWith(QStringLiteral("с соответствующим разделом в файле Справки")));
    EXPECT_EQ(shownTopic, QStringLiteral("StandartDeductions.htm"));
}

TEST_F(FrameStandartDeductTest, WithoutTheHelpPromptTheMessageIsShownAlone)
{
    QString shownText;
    MessageBox::setAnswerer([&](const MessageBox::Message& message) {
        shownText = message.text;
        return QMessageBox::Ok;
    });
    showHelpPrompt(nullptr, QStringLiteral("Текст"), QStringLiteral("StandartDeductions.htm"));
    MessageBox::setAnswerer({});
    EXPECT_EQ(shownText, QStringLiteral("Текст"));
}

TEST_F(FrameStandartDeductTest, ChoosingCodeChangedStoresTheConfirmedMonthsAtOnce)
{
    openGranted();
    QStringList firstShown;
    ModalAnswer<TfmDif> answer([&](TfmDif& dialog) {
        for (int m = 1; m <= 12; ++m)
            firstShown << dialog.monthChoices[m - 1]->currentText();
        dialog.setChoice(1, 1);
        dialog.setChoice(7, 2);
        dialog.bnOk->click();
    });
    page->rbQ->click();
    EXPECT_TRUE(answer.shown);
    EXPECT_EQ(firstShown, QStringList(12, QStringLiteral("----")));
    // Stored before any SaveData.
    EXPECT_EQ(model().HasMonthPersonalCodes, 1);
    EXPECT_EQ(model().GetMonthPersonalCode(1), 1);
    EXPECT_EQ(model().GetMonthPersonalCode(7), 2);
    EXPECT_EQ(model().GetMonthPersonalCode(2), 0);

    // Another choice keeps the months for a later return.
    page->rb104->click();
    page->SaveData();
    EXPECT_EQ(model().PersonalCode, 104);
    EXPECT_EQ(model().HasMonthPersonalCodes, 1);
    EXPECT_EQ(model().GetMonthPersonalCode(7), 2);
}

TEST_F(FrameStandartDeductTest, CancellingTheCodeDialogKeepsTheChoiceAndTheModel)
{
    openGranted();
    const mTStandartDeduct before = model();
    ModalAnswer<TfmDif> answer([](TfmDif& dialog) {
        dialog.setChoice(3, 2);
        dialog.bnCancel->click();
    });
    page->rbQ->click();
    EXPECT_TRUE(answer.shown);
    EXPECT_TRUE(page->rbQ->isChecked());
    EXPECT_EQ(model(), before);
    page->SaveData();
    EXPECT_EQ(model().PersonalCode, 110);
    EXPECT_EQ(model().HasMonthPersonalCodes, 0);
}

TEST_F(FrameStandartDeductTest, ChoosingStatusChangedStoresTheConfirmedMonths)
{
    openGranted();
    QStringList firstShown;
    ModalAnswer<TfmDif2> answer([&](TfmDif2& dialog) {
        for (int m = 1; m <= 12; ++m)
            firstShown << dialog.monthChoices[m - 1]->currentText();
        dialog.setChoice(12, 1);
        dialog.bnOk->click();
    });
    page->rbQ2->click();
    EXPECT_TRUE(answer.shown);
    EXPECT_EQ(firstShown, QStringList(12, QStringLiteral("да")));
    EXPECT_EQ(model().HasMonthParentStatus, 1);
    EXPECT_EQ(model().GetMonthSingleParent(12), 1);
    EXPECT_EQ(model().GetMonthSingleParent(1), 0);
    page->SaveData();
    EXPECT_EQ(model().ParentStatus, 103);
}

TEST_F(FrameStandartDeductTest, LoadingChangedCodesOpensNoDialog)
{
    model().Granted = 1;
    model().PersonalCode = 110;
    model().ParentStatus = 103;
    ModalAnswer<QDialog> answer([](QDialog& dialog) { dialog.reject(); });
    open();
    QTest::qWait(50);
    EXPECT_FALSE(answer.shown);
    EXPECT_TRUE(page->rbQ->isChecked());
    EXPECT_TRUE(page->rbQ2->isChecked());
}

TEST_F(FrameStandartDeductTest, DoubleClickOpensTheDialogAgainWithTheConfirmedMonths)
{
    model().Granted = 1;
    model().PersonalCode = 110;
    model().HasMonthPersonalCodes = 1;
    model().SetMonthPersonalCode(5, 2);
    open();
    int shownChoice = -1;
    ModalAnswer<TfmDif> answer([&](TfmDif& dialog) {
        shownChoice = dialog.choice(5);
        dialog.bnCancel->click();
    });
    QTest::mouseDClick(page->rbQ, Qt::LeftButton);
    EXPECT_TRUE(answer.shown);
    EXPECT_EQ(shownChoice, 2);
}

// Reopened, the grid shows in every month box the count the computation takes for that month:
// a constant row's count in each of its greyed months, a monthly row's own counts.
TEST_F(FrameStandartDeductTest, ChildrenGridAfterAReloadShowsTheCountsOfEachMonth)
{
    mTDeclaration original;
    original.SetIncomeKinds(IncomeKindSources);
    mTStandartDeduct& saved = original.StandardDeduct;
    saved.Granted = 1;
    saved.SetChildCountConst(2);
    for (std::uint8_t m = 0; m < 12; ++m)
        saved.SetThirdChildCount(m, m < 6 ? 1 : 2);
    saved.SetDisabledChildCountConst(1);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("children.fv1"));
    original.SaveToFile(file.toStdString());

    host.declaration = std::make_unique<mTDeclaration>();
    host.declaration->LoadFromFile(file.toStdString());
    ASSERT_EQ(model(), saved);
    open();
    const std::pair<const TChildrenRow*, const char*> rows[] = {
        {&page->children->allChildren, "2,2,2,2,2,2,2,2,2,2,2,2"},
        {&page->children->thirdChildren, "1,1,1,1,1,1,2,2,2,2,2,2"},
        {&page->children->disabledChildren, "1,1,1,1,1,1,1,1,1,1,1,1"},
    };
    for (const auto& [row, expected] : rows) {
        QStringList shown;
        for (const TMaskedEdit* box : row->monthBoxes)
            shown << box->text();
        EXPECT_EQ(shown.join(u','), QString::fromUtf8(expected)) << row->constBox->objectName().toStdString();
    }
    EXPECT_EQ(page->children->allChildren.countBox->text(), QStringLiteral("2"));
    EXPECT_FALSE(page->children->allChildren.monthBoxes[0]->isEnabled());
    EXPECT_EQ(edits.userEdits, 0);
}

// Tab walks the count boxes and the month boxes as they stand, row by row on the screen, in the
// smallest window and a wide one, with the counts kept for the year and given month by month.
TEST(FrameStandartDeductTabTest, TabFollowsTheBoxesAsTheyStand)
{
    struct Case {
        const char* name;
        int width;
        bool constantCounts;
    };
    const Case cases[] = {
        {"monthly counts, narrow", 520, false},
        {"monthly counts, wide", 1400, false},
        {"counts for the year, narrow", 520, true},
        {"counts for the year, wide", 1400, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageWindow host;
        host.declaration->SetIncomeKinds(host.declaration->IncomeKinds() | IncomeKindBusiness);
        host.window.resize(c.width, 900);
        auto* page = host.show<TfrFrameStandartDeduct>();
        host.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host.window));
        page->chbGrantingStanDeduct->click();
        if (c.constantCounts)
            page->children->allChildren.constBox->click();
        QTest::qWait(20);
        const QStringList onScreen = screenOrder(page->gbStandartDeduct);
        ASSERT_GE(onScreen.size(), 36);
        EXPECT_EQ(tabWalkWithin(page->gbStandartDeduct, page->gbStandartDeduct->findChild<QWidget*>(onScreen.front()))
                      .join(u' ')
                      .toStdString(),
                  onScreen.join(u' ').toStdString());
    }
}
