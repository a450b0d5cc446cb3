#include "controls/CountryChooser.h"

#include <functional>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/ReferenceDocument.h"

namespace {

// A small directory in the layout of the program's file; element names differ on purpose, the
// picker reads only the Code attribute and the text.
ReferenceElement smallDirectory()
{
    return parseReferenceXml(QStringLiteral("<?xml version=\"1.0\"?>\n"
                                            "<Oksm>\n"
                                            "  <Country Code=\"276\">ГЕРМАНИЯ</Country>\n"
                                            "  <Country Code=\"643\"> РОССИЯ </Country>\n"
                                            "  <Land Code=\"840\">СОЕДИНЕННЫЕ ШТАТЫ</Land>\n"
                                            "  <Country Code=\"643\">РОССИЯ ЕЩЕ РАЗ</Country>\n"
                                            "  <Country Code=\"999\">ОСОБАЯ ЗАПИСЬ</Country>\n"
                                            "</Oksm>\n")
                                 .toUtf8());
}

QString shownName(const TfmGrazhd& picker, int row)
{
    return picker.lvGrazhd->topLevelItem(row)->text(1);
}

QString lastRowName(const TfmGrazhd& picker)
{
    return shownName(picker, picker.lvGrazhd->topLevelItemCount() - 1);
}

QString selectedCode(const TfmGrazhd& picker)
{
    const QList<QTreeWidgetItem*> selected = picker.lvGrazhd->selectedItems();
    return selected.size() == 1 ? selected.front()->text(0) : QString();
}

void doubleClickRow(TfmGrazhd& picker, int row)
{
    QTreeWidget* list = picker.lvGrazhd;
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

class CountryChooserTest : public ::testing::Test {
protected:
    TfmGrazhd picker{nullptr, smallDirectory()};
};

TEST_F(CountryChooserTest, ListsEveryCountryInTheDirectorysOrder)
{
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Справочник стран"));
    EXPECT_EQ(picker.lvGrazhd->headerItem()->text(0), QStringLiteral("Код"));
    EXPECT_EQ(picker.lvGrazhd->headerItem()->text(1), QStringLiteral("Наименование государства"));
    EXPECT_EQ(picker.bnYes->text(), QStringLiteral("Да"));
    EXPECT_EQ(picker.bnCansel->text(), QStringLiteral("Нет"));

    const std::vector<std::pair<QString, QString>> expected = {
        {"276", "ГЕРМАНИЯ"},       {"643", "РОССИЯ"},        {"840", "СОЕДИНЕННЫЕ ШТАТЫ"},
        {"643", "РОССИЯ ЕЩЕ РАЗ"}, {"999", "ОСОБАЯ ЗАПИСЬ"},
    };
    ASSERT_EQ(picker.lvGrazhd->topLevelItemCount(), int(expected.size()));
    for (int row = 0; row < int(expected.size()); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(picker.lvGrazhd->topLevelItem(row)->text(0), expected[row].first);
        EXPECT_EQ(shownName(picker, row), expected[row].second);
    }
    EXPECT_TRUE(picker.FCode().isEmpty());
    EXPECT_TRUE(picker.FName().isEmpty());
}

TEST_F(CountryChooserTest, SelectByCodeTakesTheFirstRowWithExactlyThatCode)
{
    const struct {
        const char* name;
        QString code;
        QString selected; // empty: no row selected
        int currentRow;   // -1: none
    } cases[] = {
        {"present", "840", "840", 2},
        {"the first of two rows", "643", "643", 1},
        {"missing", "123", "", -1},
        {"leading zero", "0643", "", -1},
        {"trailing blank", "643 ", "", -1},
        {"empty", "", "", -1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        picker.SelectByCode("276");
        ASSERT_EQ(picker.FName(), QStringLiteral("ГЕРМАНИЯ"));

        picker.SelectByCode(test.code);

        EXPECT_EQ(selectedCode(picker), test.selected);
        EXPECT_EQ(picker.lvGrazhd->indexOfTopLevelItem(picker.lvGrazhd->currentItem()), test.currentRow);
        EXPECT_EQ(picker.FCode(), test.code) << "the preset stays the code in either case";
        EXPECT_EQ(picker.FName(), test.currentRow < 0 ? QStringLiteral("ГЕРМАНИЯ") : shownName(picker, test.currentRow));
    }
}

TEST_F(CountryChooserTest, MissingPresetChosenAsItIsReturnsThePresetUnchanged)
{
    picker.SelectByCode("643");
    picker.SelectByCode("555");
    picker.show();
    EXPECT_TRUE(picker.lvGrazhd->selectedItems().isEmpty());

    picker.bnYes->click();

    EXPECT_EQ(picker.result(), TfmGrazhd::Chosen);
    EXPECT_EQ(picker.FCode(), QStringLiteral("555"));
}

TEST_F(CountryChooserTest, EmptyPresetShowsNoRowSelected)
{
    picker.SelectByCode("840");
    picker.show();
    picker.hide();

    picker.SelectByCode("");
    picker.show();

    EXPECT_TRUE(picker.lvGrazhd->selectedItems().isEmpty());
    EXPECT_EQ(picker.lvGrazhd->currentItem(), nullptr);
}

TEST_F(CountryChooserTest, ModeNamesTheLastRowFromTheNextShowOn)
{
    const struct {
        std::uint16_t mode;
        QString lastRow;
    } cases[] = {
        {0, "ОСОБАЯ ЗАПИСЬ"},
        {TfmGrazhd::NoCitizenship, "ДЛЯ ЛИЦ БЕЗ ГРАЖДАНСТВА"},
        {TfmGrazhd::NotUsed, "НЕ ИСПОЛЬЗУЕТСЯ"},
        // Any other mode leaves the name the previous one gave.
        {4, "НЕ ИСПОЛЬЗУЕТСЯ"},
        {TfmGrazhd::CashOrInKindPayment, "ВЫПЛАТА ОСУЩЕСТВЛЯЛАСЬ В НАЛИЧНОЙ ИЛИ НАТУРАЛЬНОЙ ФОРМЕ"},
        {TfmGrazhd::NoCitizenship, "ДЛЯ ЛИЦ БЕЗ ГРАЖДАНСТВА"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.mode);
        picker.SetMode(test.mode);
        picker.show();
        EXPECT_EQ(lastRowName(picker), test.lastRow);
        EXPECT_EQ(shownName(picker, 0), QStringLiteral("ГЕРМАНИЯ")) << "other rows keep their names";

        picker.hide();
        EXPECT_EQ(lastRowName(picker), test.lastRow) << "the name lasts after the picker is closed";
    }
}

TEST_F(CountryChooserTest, ChoosingTheLastRowGivesTheNameItShows)
{
    // Preset while the row still showed the name of the previous use.
    picker.SetMode(TfmGrazhd::NoCitizenship);
    picker.show();
    picker.hide();
    picker.SelectByCode("999");
    picker.SetMode(TfmGrazhd::CashOrInKindPayment);
    picker.show();
    picker.bnYes->click();
    EXPECT_EQ(picker.FName(), QStringLiteral("ВЫПЛАТА ОСУЩЕСТВЛЯЛАСЬ В НАЛИЧНОЙ ИЛИ НАТУРАЛЬНОЙ ФОРМЕ"));

    // Chosen by the user in another mode.
    picker.SelectByCode("276");
    picker.SetMode(TfmGrazhd::NotUsed);
    picker.show();
    doubleClickRow(picker, 4);
    EXPECT_EQ(picker.result(), TfmGrazhd::Chosen);
    EXPECT_EQ(picker.FCode(), QStringLiteral("999"));
    EXPECT_EQ(picker.FName(), QStringLiteral("НЕ ИСПОЛЬЗУЕТСЯ"));
}

TEST_F(CountryChooserTest, EveryWayOfClosingGivesItsResult)
{
    const struct {
        const char* name;
        std::function<void(TfmGrazhd&)> close;
        int result;
    } cases[] = {
        {"Да", [](TfmGrazhd& p) { p.bnYes->click(); }, TfmGrazhd::Chosen},
        {"Нет", [](TfmGrazhd& p) { p.bnCansel->click(); }, TfmGrazhd::Cancelled},
        {"Enter in the list", [](TfmGrazhd& p) { QTest::keyClick(p.lvGrazhd, Qt::Key_Return); }, TfmGrazhd::Chosen},
        {"keypad Enter in the list", [](TfmGrazhd& p) { QTest::keyClick(p.lvGrazhd, Qt::Key_Enter); },
         TfmGrazhd::Chosen},
        {"Esc in the list", [](TfmGrazhd& p) { QTest::keyClick(p.lvGrazhd, Qt::Key_Escape); }, TfmGrazhd::Cancelled},
        {"close box", [](TfmGrazhd& p) { p.close(); }, TfmGrazhd::Cancelled},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        picker.SelectByCode("643");
        picker.show();
        picker.setResult(0);

        test.close(picker);

        EXPECT_FALSE(picker.isVisible());
        EXPECT_EQ(picker.result(), test.result);
        EXPECT_EQ(picker.FCode(), QStringLiteral("643"));
        EXPECT_EQ(picker.FName(), QStringLiteral("РОССИЯ"));
    }
}

TEST_F(CountryChooserTest, MovingInTheListChoosesTheRow)
{
    picker.SelectByCode("276");
    picker.show();

    QTest::keyClick(picker.lvGrazhd, Qt::Key_Down);
    EXPECT_EQ(picker.FCode(), QStringLiteral("643"));
    EXPECT_EQ(picker.FName(), QStringLiteral("РОССИЯ"));
    QTest::keyClick(picker.lvGrazhd, Qt::Key_End);
    EXPECT_EQ(picker.FCode(), QStringLiteral("999"));

    doubleClickRow(picker, 2);
    EXPECT_EQ(picker.result(), TfmGrazhd::Chosen);
    EXPECT_EQ(picker.FCode(), QStringLiteral("840"));
    EXPECT_EQ(picker.FName(), QStringLiteral("СОЕДИНЕННЫЕ ШТАТЫ"));
}

TEST_F(CountryChooserTest, ShownModallyEnterChoosesThePresetRow)
{
    picker.SelectByCode("840");
    QTimer::singleShot(0, &picker, [this] { QTest::keyClick(picker.lvGrazhd, Qt::Key_Return); });

    EXPECT_EQ(picker.exec(), TfmGrazhd::Chosen);
    EXPECT_EQ(picker.FCode(), QStringLiteral("840"));
}

TEST(CountryChooserOddDirectoryTest, RowWithoutACodeIsNeverPreselected)
{
    TfmGrazhd picker(nullptr, parseReferenceXml(QStringLiteral("<Oksm><Country>БЕЗ КОДА</Country>"
                                                               "<Country Code=\"643\">РОССИЯ</Country></Oksm>")
                                                    .toUtf8()));
    picker.SelectByCode("");
    picker.show();
    EXPECT_TRUE(picker.lvGrazhd->selectedItems().isEmpty());
    EXPECT_EQ(picker.lvGrazhd->currentItem(), nullptr);
}

TEST(CountryChooserOddDirectoryTest, ShowsAnEmptyListInAnyMode)
{
    TfmGrazhd picker(nullptr, parseReferenceXml("<Oksm/>"));
    picker.SelectByCode("643");
    picker.SetMode(TfmGrazhd::NoCitizenship);
    picker.show();
    EXPECT_EQ(picker.lvGrazhd->topLevelItemCount(), 0);
    picker.bnYes->click();
    EXPECT_EQ(picker.result(), TfmGrazhd::Chosen);
    EXPECT_EQ(picker.FCode(), QStringLiteral("643"));
}

} // namespace
