#include "shell/InspectionChooser.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/ReferenceDocument.h"
#include "model/Cp1251.h"
#include "shell/SounImport.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

ReferenceElement directory()
{
    return parseReferenceXml(QByteArray::fromStdString(cp1251::fromUtf8(
        "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections Version=\"00\" Date=\"01.07.2019\">"
        "<Inspection Code=\"0000\">Федеральная налоговая служба</Inspection>"
        "<Inspection Code=\"0101\">Межрайонная инспекция ФНС №2 по Республике Адыгея</Inspection>"
        "<Inspection Code=\"0202\">Инспекция по Республике Башкортостан</Inspection>"
        "<Inspection Code=\"5001\">Инспекция по г. Балашихе</Inspection>"
        "<Inspection Code=\"7701\">Инспекция ФНС № 1 по г.Москве</Inspection>"
        "<Inspection Code=\"7702\">Инспекция ФНС № 2 по г.Москве</Inspection>"
        "<Inspection Code=\"7801\">Инспекция по Санкт-Петербургу</Inspection>"
        "</Inspections>")));
}

class InspectionChooserTest : public ::testing::Test {
protected:
    // Shows the chooser, does what the user does and gives the result it closed with.
    int closedWith(const std::function<void()>& act)
    {
        chooser.setResult(0);
        chooser.show();
        act();
        EXPECT_FALSE(chooser.isVisible());
        return chooser.result();
    }
    QString selectedCode() const
    {
        const QList<QTreeWidgetItem*> selected = chooser.lvInspections->selectedItems();
        return selected.isEmpty() ? QString() : selected.front()->text(0);
    }

    TfmInputInspectionNumber chooser{nullptr, directory()};
};

TEST_F(InspectionChooserTest, ListsTheDirectoryInItsOrder)
{
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Справочник инспекций"));
    EXPECT_EQ(chooser.size(), QSize(662, 282));
    EXPECT_EQ(chooser.bnYes->text(), QStringLiteral("Да"));
    EXPECT_EQ(chooser.bnCansel->text(), QStringLiteral("Нет"));
    EXPECT_EQ(chooser.Button1->text(), QStringLiteral("Пролистал весь справочник, моя инспекция отсутствует..."));
    EXPECT_EQ(chooser.Image1->toolTip(), QStringLiteral("Нажми на меня!"));
    EXPECT_TRUE(chooser.Label1->text().isEmpty());

    const QTreeWidget* list = chooser.lvInspections;
    EXPECT_TRUE(list->isHeaderHidden());
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Код"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Наименование инспекции"));
    EXPECT_EQ(list->header()->sectionSize(0), 60);
    EXPECT_EQ(list->header()->sectionSize(1), 570);
    ASSERT_EQ(list->topLevelItemCount(), 7);
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("0101"));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("Межрайонная инспекция ФНС №2 по Республике Адыгея"));
    EXPECT_EQ(list->topLevelItem(6)->text(0), QStringLiteral("7801"));
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(InspectionChooserTest, PresetCodeSelectsItsOffice)
{
    chooser.SelectByCode(QStringLiteral("7702"));

    EXPECT_EQ(chooser.code(), QStringLiteral("7702"));
    EXPECT_EQ(chooser.name(), QStringLiteral("Инспекция ФНС № 2 по г.Москве"));
    EXPECT_EQ(selectedCode(), QStringLiteral("7702"));
    EXPECT_EQ(chooser.Label1->text(), QStringLiteral("7702   Инспекция ФНС № 2 по г.Москве"));
    EXPECT_EQ(chooser.choiceText(), chooser.Label1->text());
}

TEST_F(InspectionChooserTest, PresetCodeMissingFromTheDirectoryChoosesNoName)
{
    chooser.SelectByCode(QStringLiteral("7701"));
    chooser.SelectByCode(QStringLiteral("7799"));

    EXPECT_EQ(chooser.code(), QStringLiteral("7799"));
    EXPECT_TRUE(chooser.name().isEmpty()) << "no other office's name beside the code";
    EXPECT_TRUE(selectedCode().isEmpty());
    EXPECT_TRUE(chooser.Label1->text().isEmpty());
}

TEST_F(InspectionChooserTest, SelectingARowChoosesItsOffice)
{
    chooser.lvInspections->setCurrentItem(chooser.lvInspections->topLevelItem(3));

    EXPECT_EQ(chooser.code(), QStringLiteral("5001"));
    EXPECT_EQ(chooser.name(), QStringLiteral("Инспекция по г. Балашихе"));
    EXPECT_EQ(chooser.Label1->text(), QStringLiteral("5001   Инспекция по г. Балашихе"));
}

TEST_F(InspectionChooserTest, EachWayOfClosingGivesItsResult)
{
    using Chooser = TfmInputInspectionNumber;
    EXPECT_EQ(closedWith([&] { chooser.bnYes->click(); }), Chooser::Chosen);
    EXPECT_EQ(closedWith([&] { chooser.bnCansel->click(); }), Chooser::Cancelled);
    EXPECT_EQ(closedWith([&] { QTest::keyClick(chooser.lvInspections, Qt::Key_Return); }), Chooser::Chosen);
    EXPECT_EQ(closedWith([&] { QTest::keyClick(chooser.lvInspections, Qt::Key_Enter, Qt::KeypadModifier); }),
              Chooser::Chosen);
    EXPECT_EQ(closedWith([&] { QTest::keyClick(chooser.bnCansel, Qt::Key_Return); }), Chooser::Chosen)
        << "the form sees the keys before its buttons";
    EXPECT_EQ(closedWith([&] { QTest::keyClick(chooser.lvInspections, Qt::Key_Escape); }), Chooser::Cancelled);
    EXPECT_EQ(closedWith([&] { QTest::keyClick(chooser.bnYes, Qt::Key_Escape); }), Chooser::Cancelled);
    EXPECT_EQ(closedWith([&] { chooser.close(); }), Chooser::Cancelled);
    EXPECT_EQ(closedWith([&] {
                  QTreeWidgetItem* row = chooser.lvInspections->topLevelItem(4);
                  emit chooser.lvInspections->itemDoubleClicked(row, 0);
              }),
              Chooser::Chosen);
}

TEST_F(InspectionChooserTest, EnterWithNoRowSelectedKeepsTheEarlierCode)
{
    chooser.SelectByCode(QStringLiteral("0202"));
    ASSERT_EQ(closedWith([&] { chooser.bnYes->click(); }), TfmInputInspectionNumber::Chosen);

    chooser.lvInspections->clearSelection();
    EXPECT_EQ(closedWith([&] { QTest::keyClick(chooser.lvInspections, Qt::Key_Return); }),
              TfmInputInspectionNumber::Chosen);
    EXPECT_EQ(chooser.code(), QStringLiteral("0202"));
    EXPECT_EQ(chooser.name(), QStringLiteral("Инспекция по Республике Башкортостан"));
}

TEST_F(InspectionChooserTest, TypingACodeFindsTheOffice)
{
    chooser.show();
    chooser.lvInspections->setFocus();

    QTest::keyClick(chooser.lvInspections, Qt::Key_7);
    EXPECT_EQ(chooser.code(), QStringLiteral("7701")) << "from 0101 to the first office whose code starts with 7";
    QTest::keyClick(chooser.lvInspections, Qt::Key_8);
    EXPECT_EQ(chooser.code(), QStringLiteral("7801"));
    EXPECT_EQ(chooser.Label1->text(), QStringLiteral("7801   Инспекция по Санкт-Петербургу"));
}

TEST_F(InspectionChooserTest, TypingADigitWithNothingChosenStartsAt0101)
{
    chooser.show();
    chooser.lvInspections->setFocus();

    QTest::keyClick(chooser.lvInspections, Qt::Key_0);
    // The search for "0" starts after 0101, as it does from any office.
    EXPECT_EQ(chooser.code(), QStringLiteral("0202"));
}

TEST_F(InspectionChooserTest, TypedSearchLooksAtTheCodesWhateverColumnWasClicked)
{
    chooser.show();
    chooser.SelectByCode(QStringLiteral("0000"));
    chooser.lvInspections->setCurrentIndex(chooser.lvInspections->currentIndex().siblingAtColumn(1));

    QTest::keyClick(chooser.lvInspections, Qt::Key_5);
    EXPECT_EQ(chooser.code(), QStringLiteral("5001"));
}

TEST_F(InspectionChooserTest, MouseOverThePictureShowsTheHintAndElsewhereTheChoice)
{
    chooser.SelectByCode(QStringLiteral("7701"));
    QEvent enter(QEvent::Enter);

    QCoreApplication::sendEvent(chooser.Image1, &enter);
    EXPECT_EQ(chooser.Label1->text(),
              QStringLiteral("Подсказка: Для быстрого поиска нужной инспекции наберите ее номер на клавиатуре."));
    QCoreApplication::sendEvent(chooser.Label1, &enter);
    EXPECT_EQ(chooser.Label1->text(), QStringLiteral("7701   Инспекция ФНС № 1 по г.Москве"));

    QCoreApplication::sendEvent(chooser.Image1, &enter);
    QCoreApplication::sendEvent(chooser.lvInspections->viewport(), &enter);
    EXPECT_EQ(chooser.Label1->text(), QStringLiteral("7701   Инспекция ФНС № 1 по г.Москве"));

    QCoreApplication::sendEvent(chooser.Image1, &enter);
    QEnterEvent enterForm(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&chooser, &enterForm);
    EXPECT_EQ(chooser.Label1->text(), QStringLiteral("7701   Инспекция ФНС № 1 по г.Москве"));
}

TEST_F(InspectionChooserTest, MissingOfficeButtonOpensTheImport)
{
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* import = qobject_cast<TfmLoadSoun*>(QApplication::activeModalWidget())) {
            shown = import->windowTitle();
            import->BitBtn1->click();
        }
    });
    chooser.show();
    chooser.Button1->click();

    EXPECT_EQ(shown, QStringLiteral("Загрузка СОУН"));
    EXPECT_TRUE(chooser.isVisible()) << "the chooser stays open";
    EXPECT_TRUE(chooser.findChildren<TfmLoadSoun*>().isEmpty()) << "the import dialog is freed";
}

} // namespace
