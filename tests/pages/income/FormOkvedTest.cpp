#include "pages/income/FormOkved.h"

#include <functional>
#include <vector>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/pages/income/ActivityCodeFixture.h"

namespace {

const QString No = QStringLiteral("нет");

QStringList itemsOf(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// The lists of levels 2 to 6, top to bottom.
std::vector<QStringList> lowerLists(const TFormOKVED& picker)
{
    std::vector<QStringList> lists;
    for (int level = 2; level <= TFormOKVED::LevelCount; ++level)
        lists.push_back(itemsOf(picker.levelLists[std::size_t(level - 1)]));
    return lists;
}

// The user picks the item of that text in the list of `level` (from 1); the first such item
// unless `occurrence` says otherwise.
void choose(TFormOKVED& picker, int level, const QString& text, int occurrence = 0)
{
    QComboBox* list = picker.levelLists[std::size_t(level - 1)];
    int index = -1;
    for (int i = 0; i < list->count() && occurrence >= 0; ++i) {
        if (list->itemText(i) == text && occurrence-- == 0)
            index = i;
    }
    ASSERT_GE(index, 0) << text.toStdString() << " is not in list " << level;
    list->setCurrentIndex(index);
    emit list->activated(index);
}

class FormOkvedTest : public ::testing::Test {
protected:
    ReferenceElement directory = activityCodeFixture();
    TFormOKVED picker{nullptr, directory};
};

TEST_F(FormOkvedTest, StartsWithTheSectionsOnly)
{
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Код по ОКВЭД"));
    EXPECT_EQ(picker.bnYes->text(), QStringLiteral("Да"));
    EXPECT_EQ(picker.bnCansel->text(), QStringLiteral("Нет"));
    for (int level = 1; level <= TFormOKVED::LevelCount; ++level)
        EXPECT_EQ(picker.levelLists[std::size_t(level - 1)]->objectName(), QStringLiteral("ComboBox%1").arg(level));
    EXPECT_EQ(itemsOf(picker.levelLists[0]),
              (QStringList{No, QStringLiteral("Раздел A"), QStringLiteral("Раздел B"), QStringLiteral("Раздел C")}));
    for (const QStringList& lower : lowerLists(picker))
        EXPECT_EQ(lower, QStringList{No});
    EXPECT_TRUE(picker.edOKV->text().isEmpty());
    EXPECT_FALSE(picker.edOKV->isEnabled()) << "the code is chosen, never typed";
}

TEST_F(FormOkvedTest, ASectionFillsEveryLowerListWithAllItsDescendants)
{
    choose(picker, 1, QStringLiteral("Раздел B"));
    const std::vector<QStringList> underB{
        {No, QStringLiteral("Прочее"), QStringLiteral("06 Группировка")},
        {No, QStringLiteral("Уголь"), QStringLiteral("Уголь")},
        {No},
        {No},
        {No, QStringLiteral("05.10.10 Каменный уголь"), QStringLiteral("06.10.10 Нефть")},
    };
    EXPECT_EQ(lowerLists(picker), underB);
    for (int level = 2; level <= TFormOKVED::LevelCount; ++level)
        EXPECT_EQ(picker.levelLists[std::size_t(level - 1)]->currentText(), No) << "level " << level;
    EXPECT_TRUE(picker.edOKV->text().isEmpty()) << "a section has no code of its own";

    // Another section empties the lists and fills them afresh.
    choose(picker, 1, QStringLiteral("Раздел A"));
    const std::vector<QStringList> underA{
        {No, QStringLiteral("Прочее")},
        {No, QStringLiteral("01.1 Однолетние")},
        {No, QStringLiteral("01.11 Зерновые")},
        {No},
        {No},
    };
    EXPECT_EQ(lowerLists(picker), underA);
    choose(picker, 1, QStringLiteral("Раздел C"));
    EXPECT_EQ(lowerLists(picker), std::vector<QStringList>(5, QStringList{No}));
}

// A name shared by entries of one level stands for the entry of its own item: the code and the
// lists below follow that entry, not the first of the name in the directory.
TEST_F(FormOkvedTest, AnItemOfARepeatedNameKeepsItsOwnEntry)
{
    choose(picker, 1, QStringLiteral("Раздел B"));
    choose(picker, 2, QStringLiteral("Прочее"));
    EXPECT_EQ(picker.edOKV->text(), QStringLiteral("05")) << "not the code of A's \"Прочее\"";
    EXPECT_EQ(itemsOf(picker.levelLists[2]), (QStringList{No, QStringLiteral("Уголь"), QStringLiteral("Уголь")}));
    EXPECT_EQ(itemsOf(picker.levelLists[5]), (QStringList{No, QStringLiteral("05.10.10 Каменный уголь")}));

    struct Case {
        int occurrence;
        const char* code;
    };
    for (const Case& test : {Case{1, "05.2"}, Case{0, "05.1"}}) {
        choose(picker, 3, QStringLiteral("Уголь"), test.occurrence);
        EXPECT_EQ(picker.edOKV->text(), QString::fromUtf8(test.code)) << "item " << test.occurrence;
    }
}

TEST_F(FormOkvedTest, NoEntryEmptiesTheLowerListsAndKeepsTheCode)
{
    choose(picker, 1, QStringLiteral("Раздел A"));
    choose(picker, 2, QStringLiteral("Прочее"));
    choose(picker, 3, QStringLiteral("01.1 Однолетние"));
    ASSERT_EQ(itemsOf(picker.levelLists[3]), (QStringList{No, QStringLiteral("01.11 Зерновые")}));

    choose(picker, 2, No);
    EXPECT_EQ(lowerLists(picker)[0], (QStringList{No, QStringLiteral("Прочее")})) << "its own list stays";
    for (int level = 3; level <= TFormOKVED::LevelCount; ++level)
        EXPECT_EQ(itemsOf(picker.levelLists[std::size_t(level - 1)]), QStringList{No}) << "level " << level;
    EXPECT_EQ(picker.edOKV->text(), QStringLiteral("01.1"));
}

TEST_F(FormOkvedTest, AGroupingWithoutCodeLeavesTheCodeAsItWas)
{
    choose(picker, 1, QStringLiteral("Раздел B"));
    choose(picker, 2, QStringLiteral("Прочее"));
    ASSERT_EQ(picker.edOKV->text(), QStringLiteral("05"));
    choose(picker, 2, QStringLiteral("06 Группировка"));
    EXPECT_EQ(picker.edOKV->text(), QStringLiteral("05"));
    EXPECT_EQ(itemsOf(picker.levelLists[5]), (QStringList{No, QStringLiteral("06.10.10 Нефть")}))
        << "its entries below are offered all the same";
}

TEST_F(FormOkvedTest, TheKeyboardChoosesAsTheMouseDoes)
{
    picker.show();
    picker.levelLists[0]->setFocus();
    QTest::keyClick(picker.levelLists[0], Qt::Key_Down);
    QTest::keyClick(picker.levelLists[0], Qt::Key_Down);
    EXPECT_EQ(picker.levelLists[0]->currentText(), QStringLiteral("Раздел B"));
    EXPECT_EQ(itemsOf(picker.levelLists[1]), (QStringList{No, QStringLiteral("Прочее"), QStringLiteral("06 Группировка")}));
}

TEST(FormOkved, EachWayOfClosingGivesItsResult)
{
    const ReferenceElement directory = activityCodeFixture();
    struct Case {
        const char* title;
        std::function<void(TFormOKVED&)> close;
        int result;
    };
    const Case cases[] = {
        {"Да", [](TFormOKVED& p) { p.bnYes->click(); }, TFormOKVED::Chosen},
        {"Enter", [](TFormOKVED& p) { QTest::keyClick(&p, Qt::Key_Return); }, TFormOKVED::Chosen},
        {"Нет", [](TFormOKVED& p) { p.bnCansel->click(); }, TFormOKVED::Cancelled},
        {"Esc", [](TFormOKVED& p) { QTest::keyClick(&p, Qt::Key_Escape); }, TFormOKVED::Cancelled},
        {"close box", [](TFormOKVED& p) { p.close(); }, TFormOKVED::Cancelled},
    };
    for (const Case& test : cases) {
        TFormOKVED picker(nullptr, directory);
        picker.show();
        test.close(picker);
        EXPECT_FALSE(picker.isVisible()) << test.title;
        EXPECT_EQ(picker.result(), test.result) << test.title;
    }
}

} // namespace
