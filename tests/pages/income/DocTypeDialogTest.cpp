#include "pages/income/DocTypeDialog.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "model/Declaration.h"

namespace {

QString selectedCode(const TfmDocType& picker)
{
    const QList<QTreeWidgetItem*> selected = picker.lvDocType->selectedItems();
    return selected.size() == 1 ? selected.front()->text(0) : QString();
}

int rowOf(const TfmDocType& picker, const char* code)
{
    for (int row = 0; row < picker.lvDocType->topLevelItemCount(); ++row)
        if (picker.lvDocType->topLevelItem(row)->text(0) == QLatin1String(code))
            return row;
    return -1;
}

void clickRow(TfmDocType& picker, int row, bool twice)
{
    QTreeWidget* list = picker.lvDocType;
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

TEST(DocTypeDialog, ListsTheDocumentKindsOfTheDeclarationInTheirOrder)
{
    TfmDocType picker(nullptr, 0);
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Справочник видов документов"));
    EXPECT_EQ(picker.lvDocType->headerItem()->text(0), QStringLiteral("Код"));
    EXPECT_EQ(picker.lvDocType->headerItem()->text(1), QStringLiteral("Наименование документа"));
    EXPECT_EQ(picker.bnYes->text(), QStringLiteral("Да"));
    EXPECT_EQ(picker.bnCansel->text(), QStringLiteral("Нет"));
    ASSERT_EQ(picker.lvDocType->topLevelItemCount(), int(IdentityDocumentKinds.size()));
    for (int row = 0; row < int(IdentityDocumentKinds.size()); ++row) {
        const QTreeWidgetItem* item = picker.lvDocType->topLevelItem(row);
        EXPECT_EQ(item->text(0).toStdString(), IdentityDocumentKinds[row].code);
        EXPECT_EQ(item->text(1).toStdString(), IdentityDocumentKinds[row].name);
    }

    // Every name is read whole.
    picker.show();
    const QFontMetrics metrics = picker.lvDocType->fontMetrics();
    for (int row = 0; row < picker.lvDocType->topLevelItemCount(); ++row) {
        const QString name = picker.lvDocType->topLevelItem(row)->text(1);
        EXPECT_LE(metrics.horizontalAdvance(name), picker.lvDocType->viewport()->width() - picker.lvDocType->columnWidth(0))
            << name.toStdString();
    }
}

TEST(DocTypeDialog, PreselectsTheRowOfTheGivenCode)
{
    const struct {
        std::uint16_t code;
        const char* selected; // "" none
    } cases[] = {
        {21, "21"}, {3, "03"}, {91, "91"}, {0, ""}, {1, ""}, {5, ""}, {210, ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.code);
        TfmDocType picker(nullptr, test.code);
        EXPECT_EQ(selectedCode(picker), QLatin1String(test.selected));
        EXPECT_EQ(picker.hasChoice(), *test.selected != 0);
        EXPECT_EQ(picker.bnYes->isEnabled(), *test.selected != 0) << "nothing to take without a row";
        EXPECT_EQ(picker.chosenCode(), QString::fromLatin1(test.selected).toUShort());
    }
}

TEST(DocTypeDialog, ChoosesWithEnterADoubleClickOrYesAndCancelsWithEscOrNo)
{
    enum Way { Enter, DoubleClick, Yes, Esc, No, EnterOnNo };
    const struct {
        const char* title;
        std::uint16_t preset;
        const char* clicked; // row clicked first, nullptr none
        Way way;
        int result; // 0: still open
        std::uint16_t code;
        const char* name;
    } cases[] = {
        {"Enter on the preset row", 21, nullptr, Enter, TfmDocType::Chosen, 21, "Паспорт гражданина РФ"},
        {"Enter on a clicked row", 21, "03", Enter, TfmDocType::Chosen, 3, "Свидетельство о рождении"},
        {"double click", 0, "27", DoubleClick, TfmDocType::Chosen, 27, "Военный билет офицера запаса"},
        {"yes", 0, "91", Yes, TfmDocType::Chosen, 91, "Иные документы"},
        {"Enter with no row", 0, nullptr, Enter, 0, 0, ""},
        {"yes with no row", 5, nullptr, Yes, 0, 0, ""},
        {"Esc", 21, "03", Esc, TfmDocType::Cancelled, 3, "Свидетельство о рождении"},
        {"no", 21, nullptr, No, TfmDocType::Cancelled, 21, "Паспорт гражданина РФ"},
        {"Enter on no", 21, nullptr, EnterOnNo, TfmDocType::Cancelled, 21, "Паспорт гражданина РФ"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        TfmDocType picker(nullptr, test.preset);
        picker.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
        if (test.clicked)
            clickRow(picker, rowOf(picker, test.clicked), test.way == DoubleClick);
        switch (test.way) {
        case Enter:
            QTest::keyClick(picker.lvDocType, Qt::Key_Return);
            break;
        case Esc:
            QTest::keyClick(picker.lvDocType, Qt::Key_Escape);
            break;
        case Yes:
            QTest::mouseClick(picker.bnYes, Qt::LeftButton);
            break;
        case No:
            QTest::mouseClick(picker.bnCansel, Qt::LeftButton);
            break;
        case EnterOnNo:
            picker.bnCansel->setFocus();
            QTest::keyClick(picker.bnCansel, Qt::Key_Return);
            break;
        case DoubleClick:
            break;
        }
        EXPECT_EQ(picker.result(), test.result);
        EXPECT_EQ(picker.isVisible(), test.result == 0);
        EXPECT_EQ(picker.chosenCode(), test.code);
        EXPECT_EQ(picker.chosenName(), QString::fromUtf8(test.name));
    }
}

} // namespace
