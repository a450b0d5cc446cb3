#include "controls/DeletionQuestion.h"

#include <functional>
#include <memory>
#include <utility>

#include <QAbstractButton>
#include <QCheckBox>
#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "pages/deductions/BusinessMonthGrid.h"
#include "pages/deductions/ChildrenGrid.h"
#include "pages/deductions/FrameCB.h"
#include "pages/deductions/FrameMultyConstructionDeduct.h"
#include "pages/deductions/FramePensDeduct.h"
#include "pages/deductions/FrameStandartDeduct.h"
#include "tests/pages/deductions/DeductionRecords.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/SourceTreeFiles.h"

// Every tick or untick of the deduction pages that deletes entered data asks first: "Нет" keeps
// the box and the data, which then survive a save and a reload; "Да" lets the data go.

namespace {

// A page shown in a window, and the box whose change deletes data.
struct ShownBox {
    TThinkingFrame* page;
    QAbstractButton* box;
};
using BoxOnPage = std::function<ShownBox(PageWindow&)>;

template <typename Page>
BoxOnPage boxOf(std::function<QAbstractButton*(Page&)> box)
{
    return [box](PageWindow& window) {
        Page* page = window.show<Page>();
        return ShownBox{page, box(*page)};
    };
}

struct Case {
    const char* name;
    std::function<void(mTDeclaration&)> fill;
    BoxOnPage shownBox;
    const char* question;
    // Whether the declaration still holds what the change would delete.
    std::function<bool(const mTDeclaration&)> holdsData;
};

const auto socialBox = boxOf<TfrFramePensDeduct>([](auto& p) { return p.chbGrantingSocDeduct; });
const auto investmentBox = boxOf<TfrCB>([](auto& p) { return p.chbGrantingInvDeduct; });
const auto standardBox = boxOf<TfrFrameStandartDeduct>([](auto& p) { return p.chbGrantingStanDeduct; });

const Case cases[] = {
    {"charity sum",
     [](mTDeclaration& d) {
         d.SocialDeduct.Granted = 1;
         d.SocialDeduct.CharitySum = roubles(1000);
     },
     socialBox, "Удалить суммы социальных расходов (сумм: 1)?",
     [](const mTDeclaration& d) { return d.SocialDeduct.CharitySum == roubles(1000); }},
    {"child-education row", addChildEduSum, socialBox, "Удалить суммы, уплаченные за обучение детей (сумм: 1)?",
     [](const mTDeclaration& d) { return d.SocialDeduct.ChildEduCount() == 1; }},
    {"contract", addContract, socialBox, "Удалить договоры страхования и пенсионного обеспечения (договоров: 1)?",
     [](const mTDeclaration& d) { return d.SocialDeduct.PensCount() == 1; }},
    {"account", addAccount, investmentBox, "Удалить индивидуальные инвестиционные счета (счетов: 1)?",
     [](const mTDeclaration& d) { return d.InvDeduct.InfoIISCount() == 1; }},
    {"investment amount",
     [](mTDeclaration& d) {
         d.InvDeduct.Granted = 1;
         d.InvDeduct.SecuritiesDeduction = roubles(700);
     },
     investmentBox, "Удалить суммы инвестиционных вычетов (сумм: 1)?",
     [](const mTDeclaration& d) { return d.InvDeduct.SecuritiesDeduction == roubles(700); }},
    {"subparagraph 3 over a contributions deduction",
     [](mTDeclaration& d) {
         d.InvDeduct.Granted = 1;
         d.InvDeduct.IISContributionDeduction = roubles(800);
     },
     boxOf<TfrCB>([](auto& p) { return p.chbIsP3; }), "Удалить суммы вычета по пп. 2 п. 1 ст. 219.1 НК РФ (сумм: 1)?",
     [](const mTDeclaration& d) { return d.InvDeduct.IISContributionDeduction == roubles(800); }},
    {"loss of earlier years",
     [](mTDeclaration& d) {
         d.CBDeduct.Granted = 1;
         d.CBDeduct.LossDerivativesIIS = roubles(900);
     },
     boxOf<TfrCB>([](auto& p) { return p.chbGrantingDeductCB; }), "Удалить убытки прошлых лет (сумм: 1)?",
     [](const mTDeclaration& d) { return d.CBDeduct.LossDerivativesIIS == roubles(900); }},
    {"property object", addObject,
     boxOf<TfrMultyConstructionDeduct>([](auto& p) { return p.chbGrantingDeduct; }),
     "Удалить объекты имущественного вычета (объектов: 1)?",
     [](const mTDeclaration& d) { return d.ConstructionDeduct.ObjectCount() == 1; }},
    {"children counts",
     [](mTDeclaration& d) {
         d.StandardDeduct.Granted = 1;
         d.StandardDeduct.SetChildCountConst(2);
     },
     standardBox, "Удалить количество детей для вычетов на детей (строк: 1)?",
     [](const mTDeclaration& d) { return d.StandardDeduct.Children.YearCount == 2; }},
    {"children counts by month under a constant count",
     [](mTDeclaration& d) {
         d.StandardDeduct.Granted = 1;
         for (std::uint8_t m = 0; m < 12; ++m)
             d.StandardDeduct.SetThirdChildCount(m, m < 6 ? 1 : 2);
     },
     boxOf<TfrFrameStandartDeduct>([](auto& p) { return p.children->thirdChildren.constBox; }),
     "Удалить количество детей по месяцам (месяцев: 12)?",
     [](const mTDeclaration& d) {
         return d.StandardDeduct.ThirdChildren.ConstCount == 0 && d.StandardDeduct.ThirdChildren.MonthCount[0] == 1
                && d.StandardDeduct.ThirdChildren.MonthCount[11] == 2;
     }},
    {"entrepreneur's month",
     [](mTDeclaration& d) {
         d.SetIncomeKinds(IncomeKindSources | IncomeKindBusiness);
         d.StandardDeduct.Granted = 1;
         d.StandardDeduct.SetMonthExpense(3, roubles(400));
         d.StandardDeduct.SetBusinessMonth(2, 1);
         d.StandardDeduct.HasBusinessMonths = 1;
     },
     boxOf<TfrFrameStandartDeduct>([](auto& p) { return p.Panel1->monthBoxes[2]; }),
     "Удалить доходы и расходы за март (сумм: 1)?",
     [](const mTDeclaration& d) { return d.StandardDeduct.GetMonthExpense(3) == roubles(400); }},
};

// Changes the box as the user does and answers the question with the button captioned `answer`;
// returns the question, empty when none was asked.
QString clickAndAnswer(QAbstractButton* box, const QString& answer)
{
    QString question;
    ModalAnswer<QMessageBox> reply([&](QMessageBox& message) {
        question = message.text();
        for (QAbstractButton* button : message.buttons()) {
            if (button->text() == answer)
                button->click();
        }
    });
    box->click();
    return question;
}

void loadInto(PageWindow& window, const QByteArray& bytes)
{
    QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("declaration.fv1"));
    writeBytes(name, bytes);
    window.declaration = std::make_unique<mTDeclaration>();
    window.declaration->LoadFromFile(name.toStdString());
}

} // namespace

TEST(DeletionQuestionTest, NoKeepsTheDataThroughASaveAndAReload)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserEditCounter edits;
        PageWindow window;
        c.fill(*window.declaration);
        const QByteArray saved = fileBytes(*window.declaration);

        ShownBox shown = c.shownBox(window);
        const bool ticked = shown.box->isChecked();
        EXPECT_EQ(clickAndAnswer(shown.box, QStringLiteral("Нет")), QString::fromUtf8(c.question));
        EXPECT_EQ(shown.box->isChecked(), ticked) << "\"Нет\" puts the box back";
        EXPECT_EQ(edits.userEdits, 0) << "\"Нет\" changes nothing";
        shown.page->SaveData();
        EXPECT_TRUE(c.holdsData(*window.declaration));
        EXPECT_EQ(fileBytes(*window.declaration), saved);

        PageWindow reloaded;
        loadInto(reloaded, saved);
        ShownBox again = c.shownBox(reloaded);
        EXPECT_EQ(again.box->isChecked(), ticked);
        again.page->SaveData();
        EXPECT_TRUE(c.holdsData(*reloaded.declaration));
        EXPECT_EQ(fileBytes(*reloaded.declaration), saved);
    }
}

TEST(DeletionQuestionTest, YesLetsTheDataGo)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageWindow window;
        c.fill(*window.declaration);
        ShownBox shown = c.shownBox(window);
        const bool ticked = shown.box->isChecked();
        EXPECT_EQ(clickAndAnswer(shown.box, QStringLiteral("Да")), QString::fromUtf8(c.question));
        EXPECT_NE(shown.box->isChecked(), ticked);
        // Changed back, the box finds nothing of the data left.
        shown.box->click();
        shown.page->SaveData();
        EXPECT_FALSE(c.holdsData(*window.declaration));
    }
}

TEST(DeletionQuestionTest, NothingToLoseAsksNothing)
{
    struct Empty {
        const char* name;
        std::function<void(mTDeclaration&)> fill;
        BoxOnPage shownBox;
    };
    const Empty empties[] = {
        {"social deduction of zero sums", [](mTDeclaration& d) { d.SocialDeduct.Granted = 1; }, socialBox},
        {"investment deduction without accounts", [](mTDeclaration& d) { d.InvDeduct.Granted = 1; }, investmentBox},
        {"standard deduction without children",
         [](mTDeclaration& d) {
             d.StandardDeduct.Granted = 1;
             d.StandardDeduct.SetDisabledChildCount(4, 0);
         },
         standardBox},
    };
    for (const Empty& c : empties) {
        SCOPED_TRACE(c.name);
        PageWindow window;
        c.fill(*window.declaration);
        ShownBox shown = c.shownBox(window);
        const bool ticked = shown.box->isChecked();
        EXPECT_TRUE(clickAndAnswer(shown.box, QStringLiteral("Нет")).isEmpty());
        EXPECT_NE(shown.box->isChecked(), ticked);
    }
}

TEST(DeletionQuestionTest, NamesEveryKindOfRecordOnce)
{
    const std::pair<QStringList, const char*> questions[] = {
        {{QStringLiteral("A (a: 1)")}, "Удалить A (a: 1)?"},
        {{QStringLiteral("A"), QString(), QStringLiteral("B")}, "Удалить A и B?"},
        {{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, "Удалить A, B и C?"},
    };
    for (const auto& [records, expected] : questions) {
        QString asked;
        ModalAnswer<QMessageBox> reply([&](QMessageBox& message) {
            asked = message.text();
            message.button(QMessageBox::Yes)->click();
        });
        QWidget owner;
        EXPECT_TRUE(userAgreesToDelete(&owner, records));
        EXPECT_EQ(asked, QString::fromUtf8(expected));
    }
    EXPECT_EQ(countedRecords(QStringLiteral("счета"), QStringLiteral("счетов"), 0), QString());
    EXPECT_EQ(countedRecords(QStringLiteral("счета"), QStringLiteral("счетов"), 12),
              QStringLiteral("счета (счетов: 12)"));
}

// A list's row is named in the question with what it holds; a row with nothing entered goes
// without one.
TEST(DeletionQuestionTest, ARowIsNamedWithWhatGoesWithIt)
{
    EXPECT_EQ(namedRecord(QStringLiteral("договор"), QStringLiteral("  АО \"НПФ\" ")),
              QStringLiteral("договор «АО \"НПФ\"»"));
    EXPECT_EQ(namedRecord(QStringLiteral("договор"), QStringLiteral("  ")), QStringLiteral("договор"));

    const struct {
        const char* name;
        QString row;
        QStringList contents;
        QMessageBox::StandardButton answer;
        const char* question; // empty: none asked
        bool goes;
    } cases[] = {
        {"a row alone, Да", QStringLiteral("источник «А»"), {}, QMessageBox::Yes, "Удалить источник «А»?", true},
        {"a row with its incomes, Нет", QStringLiteral("источник «А»"),
         {countedRecords(QStringLiteral("его доходы"), QStringLiteral("строк"), 12)}, QMessageBox::No,
         "Удалить источник «А» и его доходы (строк: 12)?", false},
        {"a row with nothing entered", QString(), {QStringLiteral("его доходы")}, QMessageBox::No, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MessageAnswers answers(c.answer);
        QWidget list;
        EXPECT_EQ(rowDeletionConfirmed(&list, c.row, c.contents), c.goes);
        EXPECT_EQ(answers.texts.join(u'|'), QString::fromUtf8(c.question));
    }
}
