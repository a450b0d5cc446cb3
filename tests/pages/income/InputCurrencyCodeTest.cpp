#include "pages/income/InputCurrencyCode.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/ReferenceDocument.h"

namespace {

// 840 twice: the picker presets the last of them.
const char* const Directory = R"(<?xml version="1.0" encoding="UTF-8"?>
<CurrencyRates>
  <Currency Code="008" Name="Лек"/>
  <Currency Code="840" Name="Доллар США">
    <Rate Date="31.12.2020" Rate="73,8757" Quantity="1"/>
  </Currency>
  <Currency Code="978" Name="Евро"/>
  <Currency Code="840" Name="Доллар США, вторая запись"/>
  <Currency Code="949" Name="Турецкая лира"/>
</CurrencyRates>
)";

const ReferenceElement& directory()
{
    static const ReferenceElement root = parseReferenceXml(Directory);
    return root;
}

int currentRow(const TfmInputCurrencyCode& picker)
{
    return picker.lvCurrencys->indexOfTopLevelItem(picker.lvCurrencys->currentItem());
}

TEST(InputCurrencyCode, ListsTheCurrenciesOfTheDirectoryInItsOrder)
{
    TfmInputCurrencyCode picker(nullptr, QStringLiteral("978"), directory());
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Справочник валют"));
    EXPECT_EQ(picker.lvCurrencys->headerItem()->text(0), QStringLiteral("Код"));
    EXPECT_EQ(picker.lvCurrencys->headerItem()->text(1), QStringLiteral("Наименование валюты"));
    EXPECT_EQ(picker.lvCurrencys->columnWidth(0), 60);
    EXPECT_EQ(picker.lvCurrencys->columnWidth(1), 570);
    EXPECT_EQ(picker.lvCurrencys->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(picker.lvCurrencys->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(picker.bnYes->text(), QStringLiteral("Да"));
    EXPECT_EQ(picker.bnCansel->text(), QStringLiteral("Нет"));

    const std::pair<const char*, const char*> rows[] = {
        {"008", "Лек"}, {"840", "Доллар США"}, {"978", "Евро"}, {"840", "Доллар США, вторая запись"},
        {"949", "Турецкая лира"},
    };
    ASSERT_EQ(picker.lvCurrencys->topLevelItemCount(), int(std::size(rows)));
    for (int row = 0; row < int(std::size(rows)); ++row) {
        EXPECT_EQ(picker.lvCurrencys->topLevelItem(row)->text(0), QLatin1String(rows[row].first));
        EXPECT_EQ(picker.lvCurrencys->topLevelItem(row)->text(1), QString::fromUtf8(rows[row].second));
    }
}

TEST(InputCurrencyCode, PresetsTheLastRowOfTheCodeElseTheFirst)
{
    const ReferenceElement empty = parseReferenceXml("<CurrencyRates/>");
    const ReferenceElement withZero = parseReferenceXml(
        R"(<CurrencyRates><Currency Code="008" Name="Лек"/><Currency Code="0" Name="Нулевой код"/></CurrencyRates>)");
    const struct {
        const char* name;
        const ReferenceElement& root;
        const char* code;
        int row; // -1: none
        const char* expectedCode;
        const char* expectedName;
    } cases[] = {
        {"a code listed once", directory(), "978", 2, "978", "Евро"},
        {"a code listed twice", directory(), "840", 3, "840", "Доллар США, вторая запись"},
        {"the first row's code", directory(), "008", 0, "008", "Лек"},
        {"an unknown code", directory(), "756", 0, "008", "Лек"},
        {"no code", directory(), "", 0, "008", "Лек"},
        {"no code, taken as 0", withZero, "", 1, "0", "Нулевой код"},
        {"no code, no currencies", empty, "", -1, "0", ""},
        {"a code, no currencies", empty, "840", -1, "840", ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TfmInputCurrencyCode picker(nullptr, QString::fromUtf8(test.code), test.root);
        EXPECT_EQ(currentRow(picker), test.row);
        EXPECT_EQ(picker.lvCurrencys->selectedItems().size(), test.row < 0 ? 0 : 1);
        EXPECT_EQ(picker.FCode(), QString::fromUtf8(test.expectedCode));
        EXPECT_EQ(picker.FName(), QString::fromUtf8(test.expectedName));
        if (test.row >= 0) {
            picker.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
            QApplication::setActiveWindow(&picker);
            EXPECT_EQ(picker.focusWidget(), picker.lvCurrencys) << "the list has the focus";
        }
    }
}

TEST(InputCurrencyCode, ChoosesWithEnterADoubleClickOrYesAndCancelsWithEscOrNo)
{
    enum Way { Enter, DoubleClick, Yes, Esc, No, Arrows };
    const struct {
        const char* title;
        const char* preset;
        int clicked; // row clicked first, -1 none
        Way way;
        int result; // 0: still open
        const char* code;
        const char* name;
    } cases[] = {
        {"Enter on the preset row", "978", -1, Enter, TfmInputCurrencyCode::Chosen, "978", "Евро"},
        {"Enter on a clicked row", "978", 4, Enter, TfmInputCurrencyCode::Chosen, "949", "Турецкая лира"},
        {"double click", "", 1, DoubleClick, TfmInputCurrencyCode::Chosen, "840", "Доллар США"},
        {"yes", "", 2, Yes, TfmInputCurrencyCode::Chosen, "978", "Евро"},
        {"arrow keys move the choice", "008", -1, Arrows, 0, "978", "Евро"},
        {"Esc", "978", 0, Esc, TfmInputCurrencyCode::Cancelled, "008", "Лек"},
        {"no", "840", -1, No, TfmInputCurrencyCode::Cancelled, "840", "Доллар США, вторая запись"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        TfmInputCurrencyCode picker(nullptr, QString::fromUtf8(test.preset), directory());
        picker.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
        QTreeWidget* list = picker.lvCurrencys;
        if (test.clicked >= 0) {
            const QPoint at = list->visualItemRect(list->topLevelItem(test.clicked)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            if (test.way == DoubleClick)
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        }
        switch (test.way) {
        case Enter:
            QTest::keyClick(list, Qt::Key_Return);
            break;
        case Esc:
            QTest::keyClick(list, Qt::Key_Escape);
            break;
        case Yes:
            QTest::mouseClick(picker.bnYes, Qt::LeftButton);
            break;
        case No:
            QTest::mouseClick(picker.bnCansel, Qt::LeftButton);
            break;
        case Arrows:
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Down);
            break;
        case DoubleClick:
            break;
        }
        EXPECT_EQ(picker.result(), test.result);
        EXPECT_EQ(picker.isVisible(), test.result == 0);
        EXPECT_EQ(picker.FCode(), QString::fromUtf8(test.code));
        EXPECT_EQ(picker.FName(), QString::fromUtf8(test.name));
    }
}

} // namespace
