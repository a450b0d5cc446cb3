#include "pages/income/Sourse.h"

#include <functional>
#include <memory>
#include <string>

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MaskedEdit.h"
#include "pages/income/Input13Income.h"
#include "pages/income/Input13SourseIncome.h"
#include "pages/income/InputSSCDeduct.h"
#include "pages/income/RateLines.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/UserTyping.h"

namespace {

const char* const Inn = "7707083893";
const char* const Kpp = "773601001";
const char* const Oktmo = "45382000";

mbTSourse& addSource(mTDeclaration& declaration, const char* name)
{
    mbTSourse& source = *declaration.GetSource(declaration.AddSource());
    source.Name = name;
    source.Inn = Inn;
    source.Kpp = Kpp;
    source.Oktmo = Oktmo;
    return source;
}

std::unique_ptr<mTIncome> incomeLine(std::int32_t code, std::int64_t amount, std::uint16_t month)
{
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = code;
    line->Amount = roubles(amount);
    line->Month = month;
    return line;
}

void addDeduct(mbTSourse& source, std::int32_t code, Currency sum)
{
    auto deduct = std::make_unique<mbTSSCDeduct>();
    deduct->Code = code;
    deduct->Sum = sum;
    source.AddSSCDeduct(std::move(deduct));
}

// A wages payer with lines at 13 % and 15 %, tax withheld and two deductions granted, the second
// of no sum.
mbTSourse& addEmployer(mTDeclaration& declaration, const char* name)
{
    mbTSourse& source = addSource(declaration, name);
    source.StandardDeductionsHere = 1;
    source.AddIncome13(incomeLine(2000, 50'000, 1));
    source.AddIncome13(incomeLine(2000, 50'000, 2));
    source.AddIncome15(incomeLine(1010, 10'000'000, 6));
    source.WithheldTax13 = roubles(13'000);
    source.WithheldTax15 = roubles(1'500'000);
    addDeduct(source, 104, roubles(6000));
    addDeduct(source, 105, Currency());
    return source;
}

QStringList rowTexts(const QTreeWidget* list, int row)
{
    QStringList texts;
    const QTreeWidgetItem* item = list->topLevelItem(row);
    for (int column = 0; item && column < list->columnCount(); ++column)
        texts << item->text(column);
    return texts;
}

QStringList allRows(const QTreeWidget* list)
{
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        rows << rowTexts(list, row).join(u'|');
    return rows;
}

// A row clicked as the user does, which gives the list the focus.
void clickRow(QTreeWidget* list, int row)
{
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

// A user's double click: the first click of it reaches the list as a click of its own.
void doubleClickRow(QTreeWidget* list, int row)
{
    clickRow(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
}

// Takes the selection away as the user does: a click below the last row.
void clickBelowTheRows(QTreeWidget* list)
{
    QWidget* viewport = list->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(20, viewport->height() - 4));
}

class SourseTest : public ::testing::Test {
protected:
    mTDeclaration& declaration() { return *window.declaration; }
    mbTSourse& source(int index) { return *declaration().GetSource(std::size_t(index)); }
    TfrSourse* showPage() { return page = window.show<TfrSourse>(); }
    TfrRateLines* frame() const { return page->rateFrame(); }

    // The frame, the rate buttons and the deduction buttons as they stand: can lines and
    // deductions be added?
    void expectEditable(bool lines, bool deducts)
    {
        EXPECT_EQ(frame()->fbAddIncome->isEnabled(), lines);
        EXPECT_EQ(frame()->meHoldSum->isEnabled(), lines);
        for (TFlashButton* button : {page->fb13, page->fb15, page->fbOther})
            EXPECT_EQ(button->isEnabled(), lines) << button->objectName().toStdString();
        EXPECT_EQ(page->fbAddSSC->isEnabled(), deducts);
    }

    // Runs the requisites dialog that `open` brings up with `answer`.
    bool answerRequisites(const std::function<void()>& open, std::function<void(TfmInput13SourseIncome&)> answer)
    {
        ModalAnswer<TfmInput13SourseIncome> modal(std::move(answer));
        open();
        return modal.shown;
    }

    bool answerDeduct(TFlashButton* button, std::function<void(TfmInputSSCDeduct&)> answer)
    {
        ModalAnswer<TfmInputSSCDeduct> modal(std::move(answer));
        userClick(button);
        return modal.shown;
    }

    UserEditCounter counter;
    PageWindow window;
    TfrSourse* page = nullptr;
};

TEST_F(SourseTest, LooksAsItShould)
{
    showPage();
    EXPECT_EQ(page->objectName(), QStringLiteral("TfrSourse"));
    EXPECT_EQ(page->fb13->toolTip(), QStringLiteral("Доходы, облагаемые по ставке 13%"));
    EXPECT_EQ(page->fb15->toolTip(), QStringLiteral("Доходы, облагаемые по ставке 15%"));
    EXPECT_EQ(page->fbOther->toolTip(), QStringLiteral("Доходы, облагаемые по иным ставкам"));
    EXPECT_EQ(page->lvSourseIncomeInfo->headerItem()->text(0), QStringLiteral("Источники выплат"));
    EXPECT_EQ(page->lvSourseIncomeInfo->toolTip(), QStringLiteral("Список источников выплат"));
    EXPECT_EQ(page->fbAddSourseIncome->toolTip(), QStringLiteral("Добавить источник выплат"));
    EXPECT_EQ(page->fbDeleteSourseIncome->toolTip(), QStringLiteral("Удалить источник выплат"));
    EXPECT_EQ(page->fbEditSourseIncome->toolTip(), QStringLiteral("Редактировать источник выплат"));
    EXPECT_EQ(page->gbStSocImVychCaption->text(),
              QStringLiteral("  Стандартные, социальные и имущественные вычеты, предоставленные налоговым агентом"));
    EXPECT_EQ(page->lvDeduct->columnCount(), 2);
    EXPECT_EQ(page->lvDeduct->headerItem()->text(0), QStringLiteral("Код вычета"));
    EXPECT_EQ(page->lvDeduct->headerItem()->text(1), QStringLiteral("Сумма вычета"));
    EXPECT_EQ(page->lvDeduct->toolTip(),
              QStringLiteral("Список вычетов по выбранному источнику выплат (раздел 4 справки о доходах)"));
    EXPECT_EQ(page->fbAddSSC->toolTip(), QStringLiteral("Добавить вычет"));
    EXPECT_EQ(page->fbRemoveSSC->toolTip(), QStringLiteral("Удалить вычет"));
    EXPECT_EQ(page->fbEditSSC->toolTip(), QStringLiteral("Редактировать вычет"));
    EXPECT_EQ(page->gbA25->title(), QStringLiteral("  Авансовые платежи иностранца"));
    EXPECT_EQ(page->lbA25->text(), QStringLiteral("Сумма фиксированных платежей"));
    // Tax paid: whole roubles, as many digits as the exchange file holds.
    EXPECT_EQ(page->meA25->editType(), edtWholeRoubles);
    EXPECT_EQ(page->meA25->wholeLength(), 13);
}

TEST_F(SourseTest, FitsBesideTheSectionColumnOfTheSmallestWindow)
{
    // 750 pixels less the section column and the page's vertical scroll bar.
    constexpr int NarrowestPage = 530;
    addEmployer(declaration(), "ООО \"Ромашка\"");
    showPage();
    selectRow(page->lvSourseIncomeInfo, 0);
    window.window.resize(NarrowestPage, 900);
    QCoreApplication::processEvents();

    EXPECT_LE(page->width(), NarrowestPage) << "the page is wider than the narrowest window leaves it";
    // A short name needs no horizontal scrolling: the one column is as wide as the list.
    EXPECT_EQ(page->lvSourseIncomeInfo->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(page->lvSourseIncomeInfo->columnWidth(0), page->lvSourseIncomeInfo->viewport()->width());
    const std::pair<const QGroupBox*, const QLabel*> captionedGroups[] = {
        {page->gbStSocImVych, page->gbStSocImVychCaption}, {page->GroupBox1, page->GroupBox1Caption}};
    for (const auto& [group, caption] : captionedGroups) {
        SCOPED_TRACE(group->objectName().toStdString());
        EXPECT_TRUE(caption->wordWrap());
        EXPECT_LE(caption->geometry().right(), group->contentsRect().right());
        EXPECT_GE(caption->height(), caption->heightForWidth(caption->width())) << "the wrapped caption is cut";
    }
    EXPECT_GE(page->lbA25->width(), page->lbA25->sizeHint().width());
    EXPECT_LE(page->meA25->geometry().right(), page->gbA25->contentsRect().right());
    EXPECT_LE(page->gbA25->geometry().right(), page->width());
}

TEST_F(SourseTest, ADeclarationLoadedAndSavedBackIsUnchanged)
{
    addEmployer(declaration(), "ООО \"Ромашка\"");
    mbTSourse& partnership = addSource(declaration(), "Инвестиционное товарищество");
    partnership.IsInvestmentPartnership = 1;
    partnership.AddIncome99(incomeLine(5002, 1000, 0));
    partnership.WithheldTax99 = roubles(35);
    addSource(declaration(), "Иванов Иван Иванович").Inn = "500100732259";
    // Kopecks the field cannot be typed with are kept all the same.
    declaration().ForeignerFixedPayments = Currency::fromUnits(12'345'600);
    const QByteArray before = fileBytes(declaration());

    showPage();
    EXPECT_EQ(page->meA25->text(), QStringLiteral("1234,56"));
    page->SaveData();
    EXPECT_EQ(fileBytes(declaration()), before) << "nothing selected";
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        selectRow(page->lvSourseIncomeInfo, row);
        for (TFlashButton* rate : {page->fb15, page->fbOther, page->fb13}) {
            userClick(rate);
            page->SaveData();
            EXPECT_EQ(fileBytes(declaration()), before) << rate->objectName().toStdString();
        }
    }
    page->lvSourseIncomeInfo->clearSelection();
    page->SaveData();
    EXPECT_EQ(fileBytes(declaration()), before);
    EXPECT_EQ(counter.userEdits, 0) << "opening the page and looking through it are no edits";
}

// Whether the declaration has sources or not, none is selected on a new page: the frame is empty
// and nothing can be added until the user picks a source.
TEST_F(SourseTest, NoSourceIsSelectedOnANewPage)
{
    struct Case {
        const char* title;
        std::uint8_t type;
        int sources;
        RateLines lines;
    };
    const Case cases[] = {
        {"resident, no sources", DeclarationOrdinary, 0, RateLines::Rate13},
        {"resident, two sources", DeclarationOrdinary, 2, RateLines::Rate13},
        {"non-resident, no sources", DeclarationNonResident, 0, RateLines::Other},
        {"non-resident, a source", DeclarationNonResident, 1, RateLines::Other},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow fresh;
        fresh.declaration->DeclarationType = test.type;
        for (int i = 0; i < test.sources; ++i)
            addEmployer(*fresh.declaration, "Источник");
        auto* shown = fresh.show<TfrSourse>();
        EXPECT_EQ(shown->lvSourseIncomeInfo->topLevelItemCount(), test.sources);
        EXPECT_EQ(selectedRow(shown->lvSourseIncomeInfo), -1);
        EXPECT_EQ(shown->sourceIndex(), -1);
        ASSERT_NE(shown->rateFrame(), nullptr);
        EXPECT_EQ(shown->rateFrame()->lines(), test.lines);
        EXPECT_EQ(shown->rateFrame()->sourceIndex(), -1);
        EXPECT_EQ(shown->rateFrame()->lvIncome->topLevelItemCount(), 0);
        EXPECT_FALSE(shown->rateFrame()->fbAddIncome->isEnabled());
        EXPECT_EQ(shown->GroupBox1Caption->text(), TfrRateLines::groupCaption(test.lines, test.type));
        EXPECT_TRUE((test.lines == RateLines::Rate13 ? shown->fb13 : shown->fbOther)->isDown());
        for (TFlashButton* button : {shown->fb13, shown->fb15, shown->fbOther, shown->fbAddSSC, shown->fbRemoveSSC,
                                     shown->fbEditSSC, shown->fbDeleteSourseIncome, shown->fbEditSourseIncome})
            EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
        EXPECT_TRUE(shown->fbAddSourseIncome->isEnabled());
        const bool nonResident = test.type == DeclarationNonResident;
        EXPECT_EQ(shown->gbStSocImVych->isVisible(), !nonResident) << "a non-resident is granted no deductions";
        EXPECT_EQ(shown->fbOther->toolTip(), nonResident
                                                 ? QStringLiteral("Доходы, облагаемые по ставке 30%, а также по иным ставкам")
                                                 : QStringLiteral("Доходы, облагаемые по иным ставкам"));
    }
}

TEST_F(SourseTest, SelectingASourceShowsItsLinesAndDeductions)
{
    addEmployer(declaration(), "ООО \"Ромашка\"");
    addSource(declaration(), "АО \"Лютик\"").AddIncome15(incomeLine(1010, 700, 3));
    showPage();

    selectRow(page->lvSourseIncomeInfo, 0);
    EXPECT_EQ(page->sourceIndex(), 0);
    EXPECT_EQ(frame()->lines(), RateLines::Rate13);
    EXPECT_EQ(frame()->sourceIndex(), 0);
    EXPECT_EQ(frame()->lvIncome->topLevelItemCount(), 2);
    EXPECT_TRUE(page->fb13->isDown());
    expectEditable(true, true);
    EXPECT_EQ(allRows(page->lvDeduct), (QStringList{"104|6000", "105|-"})) << "a deduction of no sum reads \"-\"";
    EXPECT_EQ(selectedRow(page->lvDeduct), 0);
    EXPECT_TRUE(page->fbEditSSC->isEnabled());
    EXPECT_TRUE(page->fbRemoveSSC->isEnabled());

    userClick(page->fb15);
    EXPECT_EQ(frame()->lines(), RateLines::Rate15);
    EXPECT_EQ(frame()->lvIncome->topLevelItemCount(), 1);
    EXPECT_EQ(page->GroupBox1Caption->text(), TfrRateLines::groupCaption(RateLines::Rate15, DeclarationOrdinary));
    userClick(page->fbOther);
    EXPECT_EQ(frame()->lines(), RateLines::Other);
    EXPECT_EQ(frame()->lvIncome->topLevelItemCount(), 0);

    selectRow(page->lvSourseIncomeInfo, 1);
    EXPECT_EQ(frame()->lines(), RateLines::Rate13) << "another source opens at 13 %";
    EXPECT_EQ(frame()->sourceIndex(), 1);
    EXPECT_TRUE(page->fb13->isDown());
    EXPECT_FALSE(page->fbOther->isDown());
    EXPECT_EQ(page->lvDeduct->topLevelItemCount(), 0);
    expectEditable(true, true);
    EXPECT_FALSE(page->fbEditSSC->isEnabled());
    EXPECT_FALSE(page->fbRemoveSSC->isEnabled());
    EXPECT_EQ(counter.userEdits, 0);
}

TEST_F(SourseTest, TheTaxTypedGoesIntoTheSourceItWasTypedFor)
{
    addEmployer(declaration(), "ООО \"Ромашка\"");
    addEmployer(declaration(), "АО \"Лютик\"");
    showPage();

    selectRow(page->lvSourseIncomeInfo, 0);
    typeInto(frame()->meHoldSum, QStringLiteral("13100"));
    selectRow(page->lvSourseIncomeInfo, 1);
    EXPECT_EQ(source(0).WithheldTax13, roubles(13'100));
    EXPECT_EQ(source(1).WithheldTax13, roubles(13'000));

    userClick(page->fb15);
    typeInto(frame()->meHoldSum, QStringLiteral("1500100"));
    userClick(page->fb13);
    EXPECT_EQ(source(1).WithheldTax15, roubles(1'500'100));
    EXPECT_EQ(source(0).WithheldTax15, roubles(1'500'000));

    typeInto(page->meA25, QStringLiteral("12000"));
    typeInto(frame()->meHoldSum, QStringLiteral("12999"));
    page->SaveData();
    EXPECT_EQ(declaration().ForeignerFixedPayments, roubles(12'000));
    EXPECT_EQ(source(1).WithheldTax13, roubles(12'999));
    EXPECT_GT(counter.userEdits, 0);
}

// Losing the selection leaves no source selected: the frame of the source shown stores its sums
// and goes; nothing can be added until another source is chosen, so no line lands in a source
// the user did not choose.
TEST_F(SourseTest, LosingTheSelectionLeavesNoSourceToAddTo)
{
    addEmployer(declaration(), "ООО \"Ромашка\"");
    addEmployer(declaration(), "АО \"Лютик\"");
    showPage();
    selectRow(page->lvSourseIncomeInfo, 1);
    typeInto(frame()->meHoldSum, QStringLiteral("777"));

    clickBelowTheRows(page->lvSourseIncomeInfo);

    ASSERT_EQ(selectedRow(page->lvSourseIncomeInfo), -1);
    EXPECT_EQ(source(1).WithheldTax13, roubles(777)) << "the sums typed are kept";
    EXPECT_EQ(page->sourceIndex(), -1);
    EXPECT_EQ(frame()->sourceIndex(), -1);
    EXPECT_EQ(frame()->lvIncome->topLevelItemCount(), 0);
    EXPECT_EQ(page->lvDeduct->topLevelItemCount(), 0);
    expectEditable(false, false);
    EXPECT_FALSE(page->fbEditSourseIncome->isEnabled());
    EXPECT_FALSE(page->fbDeleteSourseIncome->isEnabled());

    const QByteArray before = fileBytes(declaration());
    {
        ModalAnswer<TfmInput13Income> line([](TfmInput13Income& dialog) { dialog.bnCansel->click(); });
        userClick(frame()->fbAddIncome);
        EXPECT_FALSE(line.shown) << "no line dialog without a source";
    }
    EXPECT_FALSE(answerDeduct(page->fbAddSSC, [](TfmInputSSCDeduct& dialog) { dialog.bnCansel->click(); }));
    typeInto(frame()->meHoldSum, QStringLiteral("1"));
    page->SaveData();
    EXPECT_EQ(fileBytes(declaration()), before) << "no source gets anything";

    selectRow(page->lvSourseIncomeInfo, 0);
    expectEditable(true, true);
    EXPECT_EQ(frame()->sourceIndex(), 0);
}

TEST_F(SourseTest, SourcesAddedEditedAndDeletedMarkTheDeclarationChanged)
{
    showPage();
    ASSERT_TRUE(answerRequisites([&] { userClick(page->fbAddSourseIncome); }, [](TfmInput13SourseIncome& dialog) {
        EXPECT_TRUE(dialog.chbIsIT->isEnabled());
        EXPECT_TRUE(dialog.chbPrimaryWorkplase->isVisibleTo(&dialog));
        typeText(dialog.meSourseName, QStringLiteral("ООО \"Ромашка\""));
        typeText(dialog.meINN, QString::fromUtf8(Inn));
        typeText(dialog.meKPP, QString::fromUtf8(Kpp));
        typeText(dialog.meOKATO, QString::fromUtf8(Oktmo));
        dialog.chbPrimaryWorkplase->click();
        dialog.bnOk->click();
    }));
    EXPECT_EQ(counter.userEdits, 1);
    ASSERT_EQ(declaration().SourceCount(), 1u);
    EXPECT_EQ(source(0).Name, "ООО \"Ромашка\"");
    EXPECT_EQ(source(0).Inn, Inn);
    EXPECT_EQ(source(0).Kpp, Kpp);
    EXPECT_EQ(source(0).Oktmo, Oktmo);
    EXPECT_EQ(source(0).StandardDeductionsHere, 1);
    EXPECT_EQ(source(0).IsInvestmentPartnership, 0);
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), QStringList{QStringLiteral("ООО \"Ромашка\"")});
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0) << "the new source is selected";
    EXPECT_EQ(frame()->sourceIndex(), 0);
    expectEditable(true, true);

    struct Case {
        const char* title;
        std::function<void(TfmInput13SourseIncome&)> answer;
        int edits; // marks of the declaration as changed
        const char* name;
    };
    const Case cases[] = {
        {"cancelled after typing",
         [](TfmInput13SourseIncome& d) {
             typeText(d.meSourseName, QStringLiteral("ООО \"Василек\""));
             d.chbIsIT->click();
             d.bnCansel->click();
         },
         0, "ООО \"Ромашка\""},
        {"confirmed unchanged", [](TfmInput13SourseIncome& d) { d.bnOk->click(); }, 0, "ООО \"Ромашка\""},
        {"a box only",
         [](TfmInput13SourseIncome& d) {
             d.chbPrimaryWorkplase->click();
             d.bnOk->click();
         },
         1, "ООО \"Ромашка\""},
        {"renamed",
         [](TfmInput13SourseIncome& d) {
             EXPECT_EQ(d.GetINN(), QString::fromUtf8(Inn));
             typeText(d.meSourseName, QStringLiteral("ООО \"Василек\""));
             d.bnOk->click();
         },
         1, "ООО \"Василек\""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        const int edits = counter.userEdits;
        ASSERT_TRUE(answerRequisites([&] { userClick(page->fbEditSourseIncome); }, test.answer));
        EXPECT_EQ(counter.userEdits - edits, test.edits);
        EXPECT_EQ(source(0).Name, test.name);
        EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), QStringList{QString::fromUtf8(test.name)});
    }
    EXPECT_EQ(source(0).StandardDeductionsHere, 0);
    EXPECT_EQ(source(0).IsInvestmentPartnership, 0);

    // A double click opens the source as the button does.
    EXPECT_TRUE(answerRequisites([&] { doubleClickRow(page->lvSourseIncomeInfo, 0); },
                                 [](TfmInput13SourseIncome& d) { d.bnCansel->click(); }));

    const int edits = counter.userEdits;
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(counter.userEdits - edits, 1);
    EXPECT_EQ(declaration().SourceCount(), 0u);
}

TEST_F(SourseTest, AddingNothingChangesNothing)
{
    showPage();
    EXPECT_TRUE(answerRequisites([&] { userClick(page->fbAddSourseIncome); }, [](TfmInput13SourseIncome& d) {
        typeText(d.meSourseName, QStringLiteral("ООО"));
        d.bnCansel->click();
    }));
    EXPECT_EQ(declaration().SourceCount(), 0u);
    EXPECT_EQ(page->lvSourseIncomeInfo->topLevelItemCount(), 0);
    EXPECT_EQ(counter.userEdits, 0) << "typing into a dialog that is cancelled is no edit";
}

// Deleting selects the source before the one deleted; the frame of the deleted source goes
// without storing anything, into whichever source takes its place.
TEST_F(SourseTest, DeletingASourceSelectsTheOneBefore)
{
    addEmployer(declaration(), "Первый");
    addEmployer(declaration(), "Второй");
    addEmployer(declaration(), "Третий");
    showPage();

    selectRow(page->lvSourseIncomeInfo, 1);
    typeInto(frame()->meHoldSum, QStringLiteral("999"));
    const int edits = counter.userEdits;
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), (QStringList{"Первый", "Третий"}));
    EXPECT_EQ(source(1).Name, "Третий");
    EXPECT_EQ(source(1).WithheldTax13, roubles(13'000)) << "nothing of the deleted source's frame is stored";
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0);
    EXPECT_EQ(frame()->sourceIndex(), 0);
    EXPECT_EQ(frame()->meHoldSum->text(), QStringLiteral("13000"));
    EXPECT_EQ(page->lvDeduct->topLevelItemCount(), 2);

    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), QStringList{"Третий"});
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0) << "after the first, the new first";
    EXPECT_EQ(frame()->sourceIndex(), 0);
    EXPECT_EQ(counter.userEdits - edits, 2) << "each deletion marks the declaration changed";
}

TEST_F(SourseTest, DeletingTheLastSourceLeavesAnEmpty13PercentFrame)
{
    for (const std::uint8_t type : {DeclarationOrdinary, DeclarationNonResident}) {
        SCOPED_TRACE(int(type));
        PageWindow fresh;
        fresh.declaration->DeclarationType = type;
        addEmployer(*fresh.declaration, "Единственный");
        auto* shown = fresh.show<TfrSourse>();
        selectRow(shown->lvSourseIncomeInfo, 0);
        // The delete commands ask first.
        MessageAnswers agreed(QMessageBox::Yes);
        userClick(shown->fbDeleteSourseIncome);

        EXPECT_EQ(fresh.declaration->SourceCount(), 0u);
        EXPECT_EQ(shown->lvSourseIncomeInfo->topLevelItemCount(), 0);
        EXPECT_EQ(shown->sourceIndex(), -1);
        EXPECT_EQ(shown->rateFrame()->lines(), RateLines::Rate13);
        EXPECT_EQ(shown->rateFrame()->sourceIndex(), -1);
        EXPECT_EQ(shown->GroupBox1Caption->text(), TfrRateLines::groupCaption(RateLines::Rate13, type));
        EXPECT_TRUE(shown->fb13->isDown());
        EXPECT_FALSE(shown->rateFrame()->fbAddIncome->isEnabled());
        EXPECT_FALSE(shown->fb13->isEnabled());
        EXPECT_FALSE(shown->fbAddSSC->isEnabled());
        EXPECT_EQ(shown->lvDeduct->topLevelItemCount(), 0);
    }
}

TEST_F(SourseTest, EmployerDeductionsAddedEditedAndRemoved)
{
    addSource(declaration(), "ООО \"Ромашка\"");
    showPage();
    selectRow(page->lvSourseIncomeInfo, 0);

    const auto add = [](std::int32_t code, const char* sum) {
        return [code, sum](TfmInputSSCDeduct& dialog) {
            dialog.chooseCode(code);
            typeInto(dialog.meSubtractSum, QString::fromUtf8(sum));
            dialog.bnOk->click();
        };
    };
    ASSERT_TRUE(answerDeduct(page->fbAddSSC, add(104, "7000")));
    ASSERT_TRUE(answerDeduct(page->fbAddSSC, add(105, "")));
    EXPECT_EQ(counter.userEdits, 2);
    EXPECT_EQ(allRows(page->lvDeduct), (QStringList{"104|6000", "105|-"})) << "104 is at most 6000";
    EXPECT_EQ(selectedRow(page->lvDeduct), 1) << "the deduction added is selected";
    ASSERT_EQ(source(0).SSCDeductCount(), 2u);
    EXPECT_EQ(source(0).GetSSCDeduct(0).Code, 104);
    EXPECT_EQ(source(0).GetSSCDeduct(0).Sum, roubles(6000));
    EXPECT_EQ(source(0).GetSSCDeduct(1).Sum, Currency());

    // The rows read the same when the page shows them again.
    {
        PageWindow again;
        again.declaration = reloaded(declaration());
        auto* reopened = again.show<TfrSourse>();
        selectRow(reopened->lvSourseIncomeInfo, 0);
        EXPECT_EQ(allRows(reopened->lvDeduct), allRows(page->lvDeduct));
    }

    struct Case {
        const char* title;
        std::function<void(TfmInputSSCDeduct&)> answer;
        int edits;
        QStringList rows;
    };
    const Case cases[] = {
        {"cancelled", [](TfmInputSSCDeduct& d) {
             typeInto(d.meSubtractSum, QStringLiteral("100"));
             d.bnCansel->click();
         }, 0, {"104|6000", "105|-"}},
        {"confirmed unchanged", [](TfmInputSSCDeduct& d) { d.bnOk->click(); }, 0, {"104|6000", "105|-"}},
        {"a sum", [](TfmInputSSCDeduct& d) {
             EXPECT_EQ(d.GetCode(), 105);
             typeInto(d.meSubtractSum, QStringLiteral("1400,5"));
             d.bnOk->click();
         }, 1, {"104|6000", "105|1400,5"}},
        {"another code, no sum", add(104, "0"), 1, {"104|6000", "104|-"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        const int edits = counter.userEdits;
        selectRow(page->lvDeduct, 1);
        ASSERT_TRUE(answerDeduct(page->fbEditSSC, test.answer));
        EXPECT_EQ(counter.userEdits - edits, test.edits);
        EXPECT_EQ(allRows(page->lvDeduct), test.rows);
    }
    EXPECT_EQ(source(0).GetSSCDeduct(1).Code, 104);
    EXPECT_EQ(source(0).GetSSCDeduct(1).Sum, Currency());

    // Accepted without a code, the dialog adds nothing.
    const int edits = counter.userEdits;
    ASSERT_TRUE(answerDeduct(page->fbAddSSC, [](TfmInputSSCDeduct& d) { d.bnOk->click(); }));
    EXPECT_EQ(counter.userEdits, edits);
    EXPECT_EQ(source(0).SSCDeductCount(), 2u);

    clickRow(page->lvDeduct, 0);
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(page->fbRemoveSSC);
    EXPECT_EQ(counter.userEdits - edits, 1);
    EXPECT_EQ(allRows(page->lvDeduct), QStringList{"104|-"});
    EXPECT_EQ(source(0).SSCDeductCount(), 1u);
    EXPECT_EQ(selectedRow(page->lvDeduct), 0);
    userClick(page->fbRemoveSSC);
    EXPECT_EQ(source(0).SSCDeductCount(), 0u) << "the row selected after a removal is removed in turn";
    EXPECT_FALSE(page->fbRemoveSSC->isEnabled());
    EXPECT_FALSE(page->fbEditSSC->isEnabled());
}

// An investment partnership grants no deductions; a source becomes one only while it has no
// 13 % lines and no deductions.
TEST_F(SourseTest, AnInvestmentPartnershipGrantsNoDeductions)
{
    addSource(declaration(), "Товарищество").IsInvestmentPartnership = 1;
    addSource(declaration(), "С 13 %").AddIncome13(incomeLine(2000, 100, 1));
    addDeduct(addSource(declaration(), "С вычетом"), 104, roubles(500));
    addSource(declaration(), "С 15 %").AddIncome15(incomeLine(1010, 100, 1));
    showPage();

    selectRow(page->lvSourseIncomeInfo, 0);
    expectEditable(true, false);
    EXPECT_FALSE(page->fbRemoveSSC->isEnabled());
    EXPECT_FALSE(page->fbEditSSC->isEnabled());

    const struct {
        int row;
        bool allowed;
    } cases[] = {{0, true}, {1, false}, {2, false}, {3, true}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.row);
        selectRow(page->lvSourseIncomeInfo, test.row);
        bool itAllowed = false;
        ASSERT_TRUE(answerRequisites([&] { userClick(page->fbEditSourseIncome); }, [&](TfmInput13SourseIncome& d) {
            itAllowed = d.chbIsIT->isEnabled();
            d.bnCansel->click();
        }));
        EXPECT_EQ(itAllowed, test.allowed);
    }

    selectRow(page->lvSourseIncomeInfo, 3);
    expectEditable(true, true);
    answerRequisites([&] { userClick(page->fbEditSourseIncome); }, [](TfmInput13SourseIncome& d) {
        d.chbIsIT->click();
        d.bnOk->click();
    });
    EXPECT_EQ(source(3).IsInvestmentPartnership, 1);
    expectEditable(true, false);
}

TEST_F(SourseTest, FocusErrorSelectsTheNumberedSource)
{
    addSource(declaration(), "Первый");
    addSource(declaration(), "Второй");
    showPage();
    for (const std::uint16_t code : {2, 1}) {
        page->FocusError(code);
        EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), code - 1);
        EXPECT_EQ(frame()->sourceIndex(), code - 1);
        EXPECT_EQ(window.window.focusWidget(), page->lvSourseIncomeInfo);
    }
    for (const std::uint16_t code : {0, 3}) {
        page->FocusError(code);
        EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0) << code;
    }
}

// The whole-declaration check opens the source of a failed line at the line's rate, or the
// source's requisites.
TEST_F(SourseTest, ShowRateFrameOpensTheSourceAtItsRate)
{
    struct Case {
        const char* title;
        std::uint8_t type;
        int frame;
        std::uint16_t source;
        int selected; // -1: nothing happens
        RateLines lines;
        bool requisites;
    };
    const Case cases[] = {
        {"13 %", DeclarationOrdinary, 0, 2, 1, RateLines::Rate13, false},
        {"15 %", DeclarationOrdinary, 1, 1, 0, RateLines::Rate15, false},
        {"other rates", DeclarationOrdinary, 2, 2, 1, RateLines::Other, false},
        {"other rates, last", DeclarationOrdinary, 70, 1, 0, RateLines::Other, false},
        {"requisites", DeclarationOrdinary, 71, 2, 1, RateLines::Rate13, true},
        {"source's ОКТМО", DeclarationOrdinary, 73, 1, 0, RateLines::Rate13, true},
        {"source's КПП", DeclarationOrdinary, 75, 2, 1, RateLines::Rate13, true},
        {"other rates, one before the last", DeclarationOrdinary, 69, 2, 1, RateLines::Other, false},
        {"no such source", DeclarationOrdinary, 1, 3, -1, RateLines::Rate13, false},
        {"source 0", DeclarationOrdinary, 73, 0, -1, RateLines::Rate13, false},
        {"non-resident, 15 %", DeclarationNonResident, 1, 1, 0, RateLines::Rate15, false},
        {"non-resident, 13 %", DeclarationNonResident, 0, 2, 1, RateLines::Rate13, false},
        {"non-resident, 30 %", DeclarationNonResident, 5, 2, 1, RateLines::Other, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow fresh;
        fresh.declaration->DeclarationType = test.type;
        addEmployer(*fresh.declaration, "Первый");
        addEmployer(*fresh.declaration, "Второй");
        auto* shown = fresh.show<TfrSourse>();
        const RateLines initial = shown->rateFrame()->lines();
        QString opened;
        {
            ModalAnswer<TfmInput13SourseIncome> requisites([&](TfmInput13SourseIncome& d) {
                opened = d.GetName();
                d.bnCansel->click();
            });
            shown->ShowRateFrame(test.frame, test.source);
            EXPECT_EQ(requisites.shown, test.requisites);
        }
        EXPECT_EQ(selectedRow(shown->lvSourseIncomeInfo), test.selected);
        EXPECT_EQ(shown->sourceIndex(), test.selected);
        EXPECT_EQ(shown->rateFrame()->sourceIndex(), test.selected);
        if (test.selected < 0) {
            EXPECT_EQ(shown->rateFrame()->lines(), initial);
            continue;
        }
        EXPECT_EQ(shown->rateFrame()->lines(), test.lines);
        EXPECT_EQ(shown->GroupBox1Caption->text(), TfrRateLines::groupCaption(test.lines, test.type));
        TFlashButton* down = test.lines == RateLines::Rate13   ? shown->fb13
                             : test.lines == RateLines::Rate15 ? shown->fb15
                                                               : shown->fbOther;
        EXPECT_TRUE(down->isDown());
        EXPECT_TRUE(shown->rateFrame()->fbAddIncome->isEnabled());
        if (test.requisites) {
            EXPECT_EQ(opened, test.source == 1 ? QStringLiteral("Первый") : QStringLiteral("Второй"));
        }
    }
}

TEST_F(SourseTest, TheAdvancePaymentsAreTypedInWholeRoubles)
{
    showPage();
    typeInto(page->meA25, QStringLiteral("12,5"));
    EXPECT_EQ(page->meA25->text(), QStringLiteral("12,")) << "the kopecks are refused, never joined to the roubles";
    EXPECT_FALSE(page->meA25->shownRefusal().isEmpty());
    EXPECT_GT(counter.userEdits, 0) << "typing marks the declaration changed";
    page->SaveData();
    EXPECT_EQ(declaration().ForeignerFixedPayments, roubles(12));
    typeInto(page->meA25, QString());
    page->SaveData();
    EXPECT_EQ(declaration().ForeignerFixedPayments, Currency()) << "an empty field stores 0";
}

// Replacing the frame of the source shown keeps what was typed into it.
TEST_F(SourseTest, ShowRateFrameStoresTheFrameItReplaces)
{
    addEmployer(declaration(), "Первый");
    showPage();
    selectRow(page->lvSourseIncomeInfo, 0);
    typeInto(frame()->meHoldSum, QStringLiteral("12345"));

    page->ShowRateFrame(1, 1);

    EXPECT_EQ(frame()->lines(), RateLines::Rate15);
    EXPECT_EQ(source(0).WithheldTax13, roubles(12'345));
    EXPECT_EQ(frame()->meHoldSum->text(), QStringLiteral("1500000"));
    EXPECT_TRUE(page->fb15->isDown());
    EXPECT_FALSE(page->fb13->isDown());
}

// A double click and Enter open the row's item as its edit button does.
TEST_F(SourseTest, OpeningARowEditsIt)
{
    addEmployer(declaration(), "Первый");
    showPage();
    selectRow(page->lvSourseIncomeInfo, 0);

    struct Case {
        const char* title;
        std::function<void()> open;
        bool requisites; // else the employer deduction
    };
    const Case cases[] = {
        {"source, double click", [&] { doubleClickRow(page->lvSourseIncomeInfo, 0); }, true},
        {"source, Enter",
         [&] {
             page->lvSourseIncomeInfo->setFocus();
             QTest::keyClick(page->lvSourseIncomeInfo, Qt::Key_Return);
         },
         true},
        {"deduction, double click", [&] { doubleClickRow(page->lvDeduct, 1); }, false},
        {"deduction, Enter",
         [&] {
             clickRow(page->lvDeduct, 1);
             QTest::keyClick(page->lvDeduct, Qt::Key_Enter);
         },
         false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        QString opened;
        ModalAnswer<TfmInput13SourseIncome> requisites([&](TfmInput13SourseIncome& d) {
            opened = d.GetName();
            d.bnCansel->click();
        });
        ModalAnswer<TfmInputSSCDeduct> deduct([&](TfmInputSSCDeduct& d) {
            opened = QString::number(d.GetCode());
            d.bnCansel->click();
        });
        test.open();
        EXPECT_EQ(requisites.shown, test.requisites);
        EXPECT_EQ(deduct.shown, !test.requisites);
        EXPECT_EQ(opened, test.requisites ? QStringLiteral("Первый") : QStringLiteral("105"));
    }
    EXPECT_EQ(counter.userEdits, 0);
}

// A non-resident is granted no standard deductions, so the source's box for them is not offered.
TEST_F(SourseTest, TheStandardDeductionsBoxIsOfferedToResidentsOnly)
{
    for (const std::uint8_t type : {DeclarationOrdinary, DeclarationNonResident}) {
        SCOPED_TRACE(int(type));
        PageWindow fresh;
        fresh.declaration->DeclarationType = type;
        addSource(*fresh.declaration, "Первый");
        auto* shown = fresh.show<TfrSourse>();
        selectRow(shown->lvSourseIncomeInfo, 0);
        const bool resident = type == DeclarationOrdinary;
        for (TFlashButton* button : {shown->fbAddSourseIncome, shown->fbEditSourseIncome}) {
            ModalAnswer<TfmInput13SourseIncome> modal([&](TfmInput13SourseIncome& d) {
                EXPECT_EQ(d.chbPrimaryWorkplase->isVisibleTo(&d), resident);
                d.bnCansel->click();
            });
            userClick(button);
            EXPECT_TRUE(modal.shown) << button->objectName().toStdString();
        }
    }
}

TEST_F(SourseTest, AFileWhoseLinesAddUpPastTheRangeOpens)
{
    // The largest amount a line takes; 922 of them add up to 921 999 999 999 990,78 roubles, 923
    // to more than an amount holds (922 337 203 685 477,5807).
    const Currency largest = Currency::fromUnits(9'999'999'999'999'900);
    struct Case {
        const char* name;
        int lines;
        RateLines rate;
        TFlashButton* TfrSourse::*button;
        const char* total; // nullptr: beyond the range
    };
    const Case cases[] = {
        {"922 lines at 13 %", 922, RateLines::Rate13, &TfrSourse::fb13, "921999999999990,78"},
        {"923 lines at 13 %", 923, RateLines::Rate13, &TfrSourse::fb13, nullptr},
        {"10000 lines at 13 %", 10'000, RateLines::Rate13, &TfrSourse::fb13, nullptr},
        {"923 lines at 15 %", 923, RateLines::Rate15, &TfrSourse::fb15, nullptr},
        {"923 lines at other rates", 923, RateLines::Other, &TfrSourse::fbOther, nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        mTDeclaration written;
        mbTSourse& held = addSource(written, "ООО \"Ромашка\"");
        for (int i = 0; i < test.lines; ++i) {
            auto line = incomeLine(2000, 0, 1);
            line->Amount = largest;
            if (test.rate == RateLines::Rate13)
                held.AddIncome13(std::move(line));
            else if (test.rate == RateLines::Rate15)
                held.AddIncome15(std::move(line));
            else
                held.AddIncome99(std::move(line));
        }
        PageWindow opened;
        opened.declaration = reloaded(written);
        auto* shown = opened.show<TfrSourse>();
        selectRow(shown->lvSourseIncomeInfo, 0);
        userClick(shown->*test.button);
        ASSERT_EQ(shown->rateFrame()->lines(), test.rate);
        ASSERT_EQ(shown->rateFrame()->lvIncome->topLevelItemCount(), test.lines);
        const QLabel* total = shown->rateFrame()->pnlItogIncomeSum;
        EXPECT_EQ(total->text(), test.total ? QString::fromLatin1(test.total) : QStringLiteral("Вне диапазона"));
        EXPECT_EQ(total->toolTip().isEmpty(), test.total != nullptr);
        // Saving the page keeps every line as it was.
        shown->SaveData();
        EXPECT_EQ(fileBytes(*opened.declaration), fileBytes(written));
    }
}

} // namespace
