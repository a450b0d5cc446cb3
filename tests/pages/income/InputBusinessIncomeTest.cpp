#include "pages/income/InputBusinessIncome.h"

#include <functional>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "pages/income/FormOkved.h"
#include "tests/pages/income/ActivityCodeFixture.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/TestProgramContext.h"

namespace {

struct KindButton {
    const char* kind;
    QRadioButton* TfmInputBusinessIncome::*button;
    const char* caption;
};

const KindButton kindButtons[] = {
    {"1", &TfmInputBusinessIncome::rbPredp, "Предпринимательская"},
    {"2", &TfmInputBusinessIncome::rbNota, "Нотариальная"},
    {"3", &TfmInputBusinessIncome::rbAdvokat, "Адвокатская"},
    {"4", &TfmInputBusinessIncome::rbArbitr, "Арбитражного управляющего"},
    {"5", &TfmInputBusinessIncome::rbKFH, "Главы КФХ"},
    {"6", &TfmInputBusinessIncome::rbOcen, "Оценщика"},
    {"7", &TfmInputBusinessIncome::rbPatent, "Патентного поверенного"},
    {"8", &TfmInputBusinessIncome::rbMedia, "Медиатора"},
    {"9", &TfmInputBusinessIncome::rbInaya, "Иная деятельность"},
};

TEST(InputBusinessIncome, LooksAsItShould)
{
    TfmInputBusinessIncome dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Вид деятельности"));
    EXPECT_EQ(dialog.lbActivityType->text(), QStringLiteral("Вид деятельности"));
    for (const KindButton& kind : kindButtons)
        EXPECT_EQ((dialog.*kind.button)->text(), QString::fromUtf8(kind.caption)) << kind.kind;
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Код вида деятельности"));
    EXPECT_EQ(dialog.bnIncomeCod->text(), QStringLiteral("..."));
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnCansel->text(), QStringLiteral("Нет"));

    EXPECT_TRUE(dialog.rbPredp->isChecked()) << "a new activity is an entrepreneur's";
    EXPECT_EQ(dialog.kind(), QStringLiteral("1"));
    EXPECT_TRUE(dialog.activityCode().isEmpty());
    EXPECT_FALSE(dialog.me1->isEnabled()) << "the code is chosen, never typed";
    EXPECT_EQ(dialog.me1->wholeLength(), 8);

    // The exchange file has no place for the code.
    dialog.show();
    for (QWidget* control : {static_cast<QWidget*>(dialog.Label1), static_cast<QWidget*>(dialog.me1),
                             static_cast<QWidget*>(dialog.bnIncomeCod)})
        EXPECT_FALSE(control->isVisible()) << control->objectName().toStdString();
}

TEST(InputBusinessIncome, EachKindIsItsButton)
{
    for (const KindButton& kind : kindButtons) {
        TfmInputBusinessIncome set(nullptr);
        set.setKind(QString::fromUtf8(kind.kind));
        EXPECT_TRUE((set.*kind.button)->isChecked()) << kind.kind;
        EXPECT_EQ(set.kind(), QString::fromUtf8(kind.kind));

        TfmInputBusinessIncome clicked(nullptr);
        clicked.setKind(QStringLiteral("9"));
        (clicked.*kind.button)->click();
        EXPECT_EQ(clicked.kind(), QString::fromUtf8(kind.kind)) << "clicked";
    }
}

TEST(InputBusinessIncome, AnUnknownKindChangesNothing)
{
    for (const char* unknown : {"", "0", "10", "01", "a", " 3"}) {
        TfmInputBusinessIncome dialog(nullptr);
        dialog.setKind(QStringLiteral("4"));
        dialog.setKind(QString::fromUtf8(unknown));
        EXPECT_EQ(dialog.kind(), QStringLiteral("4")) << '"' << unknown << '"';
    }
}

TEST(InputBusinessIncome, OnlyAnEntrepreneurChoosesACode)
{
    TfmInputBusinessIncome dialog(nullptr);
    for (const KindButton& kind : kindButtons) {
        const bool entrepreneur = QByteArray(kind.kind) == "1";
        dialog.setKind(QString::fromUtf8(kind.kind));
        EXPECT_EQ(dialog.bnIncomeCod->isEnabled(), entrepreneur) << kind.kind;
        EXPECT_EQ(dialog.Label1->isEnabled(), entrepreneur) << kind.kind;
    }
}

TEST(InputBusinessIncome, TheCodePassesThroughUnchanged)
{
    const TestProgramContext context;
    UserEditCounter edits;
    TfmInputBusinessIncome dialog(nullptr);
    EXPECT_EQ(dialog.picker(), nullptr) << "no directory, no picker";
    for (const char* code : {"01.11.11", "..", ""}) {
        dialog.setActivityCode(QString::fromUtf8(code));
        EXPECT_EQ(dialog.activityCode(), QString::fromUtf8(code));
    }
    EXPECT_EQ(edits.userEdits, 0) << "presetting the dialog edits no declaration";
}

TEST(InputBusinessIncome, TheCodeIsChosenInThePicker)
{
    TestProgramContext context;
    context.directories().activityCodes = activityCodeFixture();
    TfmInputBusinessIncome dialog(nullptr);
    ASSERT_NE(dialog.picker(), nullptr);
    EXPECT_EQ(dialog.picker()->parent(), &dialog);
    dialog.setActivityCode(QStringLiteral("01.11"));

    struct Case {
        const char* title;
        bool confirm;
        const char* code;
    };
    for (const Case& test : {Case{"Нет", false, "01.11"}, Case{"Да", true, "05"}}) {
        ModalAnswer<TFormOKVED> answer([&test](TFormOKVED& picker) {
            picker.levelLists[0]->setCurrentIndex(2);
            emit picker.levelLists[0]->activated(2);
            picker.levelLists[1]->setCurrentIndex(1);
            emit picker.levelLists[1]->activated(1);
            (test.confirm ? picker.bnYes : picker.bnCansel)->click();
        });
        dialog.bnIncomeCod->click();
        EXPECT_TRUE(answer.shown) << test.title;
        EXPECT_EQ(dialog.activityCode(), QString::fromUtf8(test.code)) << test.title;
    }
}

TEST(InputBusinessIncome, EachWayOfClosingGivesItsResult)
{
    struct Case {
        const char* title;
        std::function<void(TfmInputBusinessIncome&)> close;
        int result;
    };
    const Case cases[] = {
        {"Да", [](TfmInputBusinessIncome& d) { d.bnOk->click(); }, 1},
        {"Enter on a kind", [](TfmInputBusinessIncome& d) { QTest::keyClick(d.rbKFH, Qt::Key_Return); }, 1},
        {"Enter on Нет", [](TfmInputBusinessIncome& d) { QTest::keyClick(d.bnCansel, Qt::Key_Enter); }, 1},
        {"Нет", [](TfmInputBusinessIncome& d) { d.bnCansel->click(); }, 2},
        {"Esc", [](TfmInputBusinessIncome& d) { QTest::keyClick(d.rbNota, Qt::Key_Escape); }, 2},
        {"close box", [](TfmInputBusinessIncome& d) { d.close(); }, 2},
    };
    for (const Case& test : cases) {
        TfmInputBusinessIncome dialog(nullptr);
        dialog.show();
        test.close(dialog);
        EXPECT_FALSE(dialog.isVisible()) << test.title;
        EXPECT_EQ(dialog.result(), test.result) << test.title;
    }
}

} // namespace
