// The main window worked with the keyboard alone: the menus by their underlined letters, the
// commands by their keys, the sections and the deduction tabs.

#include <deque>
#include <memory>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/CheckDialogs.h"
#include "controls/FlashButton.h"
#include "model/Declaration.h"
#include "pages/deductions/FrameDeductData.h"
#include "shell/DeclarationFileDialogs.h"
#include "shell/FormMain.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/ProgramFolderTest.h"
#include "tests/support/TabOrderCheck.h"

namespace {

// A letter key with its text, Cyrillic included, as the keyboard sends it.
void pressLetter(QWidget* widget, QChar letter, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(letter.toUpper().unicode()), QString(letter), modifiers);
}

// Notes which chooser was asked; every one is cancelled.
class CancellingFileDialogs : public DeclarationFileDialogs {
public:
    explicit CancellingFileDialogs(std::vector<QString>& asked) : asked_(asked) {}
    QString chooseFileToOpen(QWidget*, const QString&) override { return note("open"); }
    QString chooseFileToSave(QWidget*, const QString&) override { return note("save"); }
    QString chooseFolder(QWidget*, const QString&) override { return note("folder"); }

private:
    QString note(const char* chooser)
    {
        asked_.push_back(QString::fromLatin1(chooser));
        return {};
    }
    std::vector<QString>& asked_;
};

class FormMainKeyboardTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        // Every page is let go whatever its check finds.
        checks.answers.assign(1000, CheckSkipAll);
    }
    void TearDown() override
    {
        window.reset();
        ProgramFolderTest::TearDown();
    }

    // The window over a declaration with the income kinds given, shown and active.
    void start(std::uint8_t incomeKinds)
    {
        mTDeclaration declaration;
        declaration.TaxOfficeCode = "7701";
        declaration.SetIncomeKinds(incomeKinds);
        const QString file = folder.filePath(QStringLiteral("start.fv1"));
        declaration.SaveToFile(QFile::encodeName(file).toStdString());
        window = std::make_unique<TFormMain>(QStringList{file}, programFolder());
        window->setFileDialogs(std::make_unique<CancellingFileDialogs>(asked));
        ASSERT_TRUE(showActive(*window));
    }

    QWidget* focus() const { return QApplication::focusWidget(); }
    QString pageName() const { return window->pageHost().currentPageName(); }

    QMenu* openMenu() const { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

    std::unique_ptr<TFormMain> window;
    std::vector<QString> asked;
    ScriptedCheckAnswers checks;
};

constexpr std::uint8_t EveryIncomeKind = IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata;

TEST_F(FormMainKeyboardTest, AltAndTheUnderlinedLetterOpensEachMenu)
{
    start(IncomeKindSources);
    const struct {
        QChar letter;
        const char* title;
    } cases[] = {
        {u'ф', "&Файл"}, {u'д', "&Декларация"}, {u'н', "&Настройки"}, {u'с', "&Справка"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        pressLetter(focus() ? focus() : window.get(), test.letter, Qt::AltModifier);
        QMenu* menu = openMenu();
        ASSERT_NE(menu, nullptr) << "no menu opened";
        EXPECT_EQ(menu->title(), QString::fromUtf8(test.title));
        QTest::keyClick(menu, Qt::Key_Escape);
        QTest::keyClick(window->menuBar(), Qt::Key_Escape);
        EXPECT_EQ(openMenu(), nullptr);
    }
}

TEST_F(FormMainKeyboardTest, EveryMenuItemHasItsOwnUnderlinedLetter)
{
    start(IncomeKindSources);
    QList<int> titles;
    for (QAction* menuAction : window->menuBar()->actions()) {
        SCOPED_TRACE(menuAction->text().toStdString());
        const QKeySequence title = QKeySequence::mnemonic(menuAction->text());
        ASSERT_FALSE(title.isEmpty());
        EXPECT_FALSE(titles.contains(title[0].toCombined())) << "two menus share a letter";
        titles << title[0].toCombined();
        QList<int> letters;
        for (QAction* item : menuAction->menu()->actions()) {
            if (item->isSeparator())
                continue;
            const QKeySequence letter = QKeySequence::mnemonic(item->text());
            EXPECT_FALSE(letter.isEmpty()) << item->text().toStdString();
            EXPECT_FALSE(letters.contains(letter[0].toCombined())) << item->text().toStdString();
            letters << letter[0].toCombined();
        }
    }
}

TEST_F(FormMainKeyboardTest, TheUnderlinedLetterOfAnOpenMenuRunsItsItem)
{
    start(IncomeKindSources);
    const struct {
        QChar menu;
        QChar item;
        QAction* TFormMain::*action;
        const char* chooser; // asked by the command; empty: none
    } cases[] = {
        {u'ф', u'с', &TFormMain::CreateDoc, ""},
        {u'ф', u'о', &TFormMain::OpenDoc, "open"},
        {u'ф', u'х', &TFormMain::SaveDoc, ""},
        {u'ф', u'к', &TFormMain::SaveAsDoc, "save"},
        {u'н', u'п', &TFormMain::miTextLabels, ""},
    };
    for (const auto& test : cases) {
        QAction* action = window.get()->*test.action;
        SCOPED_TRACE(action->text().toStdString());
        asked.clear();
        QSignalSpy runs(action, &QAction::triggered);
        pressLetter(focus(), test.menu, Qt::AltModifier);
        ASSERT_NE(openMenu(), nullptr);
        pressLetter(openMenu(), test.item);
        EXPECT_EQ(runs.count(), 1);
        EXPECT_EQ(openMenu(), nullptr) << "the menu closes";
        if (*test.chooser) {
            ASSERT_FALSE(asked.empty());
            EXPECT_EQ(asked.front(), QString::fromLatin1(test.chooser));
        }
    }
}

TEST_F(FormMainKeyboardTest, TheDesktopsKeysRunTheCommandsAndTheMenusShowThem)
{
    start(IncomeKindSources);
    const struct {
        const char* name;
        QKeyCombination key;
        QAction* TFormMain::*action;
        const char* chooser;
    } cases[] = {
        {"Ctrl+N", Qt::CTRL | Qt::Key_N, &TFormMain::CreateDoc, ""},
        {"Ctrl+O", Qt::CTRL | Qt::Key_O, &TFormMain::OpenDoc, "open"},
        {"Ctrl+Shift+S", Qt::CTRL | Qt::SHIFT | Qt::Key_S, &TFormMain::SaveAsDoc, "save"},
        {"Ctrl+S", Qt::CTRL | Qt::Key_S, &TFormMain::SaveDoc, "save"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        QAction* action = window.get()->*test.action;
        EXPECT_EQ(action->shortcut(), QKeySequence(test.key)) << "shown beside the menu item";
        asked.clear();
        QSignalSpy runs(action, &QAction::triggered);
        QTest::keyClick(focus(), test.key.key(), test.key.keyboardModifiers());
        EXPECT_EQ(runs.count(), 1);
        if (*test.chooser) {
            ASSERT_FALSE(asked.empty());
            EXPECT_EQ(asked.front(), QString::fromLatin1(test.chooser));
        }
    }
    EXPECT_EQ(window->Help->shortcut(), QKeySequence(Qt::Key_F1)) << "the help's key shown in its menu";
}

// Each section reached from the one before: the arrows to its button in the column, then Enter
// or Space.
TEST_F(FormMainKeyboardTest, EverySectionIsReachedByTheArrowsAndOpenedByEnterOrSpace)
{
    start(EveryIncomeKind);
    const struct {
        TFlashButton* TFormMain::*button;
        const char* page;
        Qt::Key arrow;
        int presses;
        Qt::Key open;
    } cases[] = {
        {&TFormMain::fbPrsonInfo, "TfrPersonNaim", Qt::Key_Down, 1, Qt::Key_Return},
        {&TFormMain::fbRussianIncome, "TfrSourse", Qt::Key_Down, 1, Qt::Key_Space},
        {&TFormMain::fbForeignIncome, "TfrCurrency", Qt::Key_Down, 1, Qt::Key_Enter},
        {&TFormMain::fbBusinessIncome, "TfrBusinessNew", Qt::Key_Down, 1, Qt::Key_Return},
        {&TFormMain::fbDeduction, "TfrFrameDeductData", Qt::Key_Down, 1, Qt::Key_Return},
        {&TFormMain::fbKudaTratit, "TfrKudaTratit", Qt::Key_Down, 1, Qt::Key_Return},
        {&TFormMain::fbInitialData, "TfrInitialData", Qt::Key_Down, 1, Qt::Key_Return},
        {&TFormMain::fbDeduction, "TfrFrameDeductData", Qt::Key_Up, 2, Qt::Key_Space},
    };
    window->currentButton()->setFocus(Qt::TabFocusReason);
    for (const auto& test : cases) {
        TFlashButton* target = window.get()->*test.button;
        SCOPED_TRACE(test.page);
        // From the page the last section put the focus in, Shift+Tab goes back to the column.
        const auto inColumn = [this] {
            return qobject_cast<TFlashButton*>(focus()) && !window->currentPage()->isAncestorOf(focus());
        };
        for (int i = 0; i < 60 && focus() && !inColumn(); ++i)
            QTest::keyClick(focus(), Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_EQ(focus(), window->currentButton()) << "Tab reaches the column at the section shown";
        for (int i = 0; i < test.presses; ++i)
            QTest::keyClick(focus(), test.arrow);
        ASSERT_EQ(focus(), target);
        QTest::keyClick(focus(), test.open);
        EXPECT_EQ(pageName(), QString::fromLatin1(test.page));
        EXPECT_EQ(window->currentButton(), target);
        EXPECT_TRUE(target->isDown());
    }
}

TEST_F(FormMainKeyboardTest, CtrlPageDownAndUpWalkTheSectionsThatMayBeOpened)
{
    const struct {
        const char* name;
        std::uint8_t kinds;
        Qt::Key key;
        std::vector<const char*> pages;
    } cases[] = {
        {"every section, forward", EveryIncomeKind, Qt::Key_PageDown,
         {"TfrPersonNaim", "TfrSourse", "TfrCurrency", "TfrBusinessNew", "TfrFrameDeductData", "TfrKudaTratit",
          "TfrInitialData"}},
        {"every section, back", EveryIncomeKind, Qt::Key_PageUp,
         {"TfrKudaTratit", "TfrFrameDeductData", "TfrBusinessNew", "TfrCurrency", "TfrSourse", "TfrPersonNaim",
          "TfrInitialData"}},
        {"income in Russia only", IncomeKindSources, Qt::Key_PageDown,
         {"TfrPersonNaim", "TfrSourse", "TfrFrameDeductData", "TfrInitialData"}},
        {"income in Russia only, back", IncomeKindSources, Qt::Key_PageUp,
         {"TfrFrameDeductData", "TfrSourse", "TfrPersonNaim", "TfrInitialData"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        start(test.kinds);
        for (const char* page : test.pages) {
            QTest::keyClick(focus() ? focus() : window.get(), test.key, Qt::ControlModifier);
            EXPECT_EQ(pageName(), QString::fromLatin1(page));
        }
    }
}

TEST_F(FormMainKeyboardTest, CtrlTabWalksTheDeductionTabs)
{
    const struct {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::vector<TFlashButton* TfrFrameDeductData::*> tabs;
    } cases[] = {
        {"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier,
         {&TfrFrameDeductData::fbPensDeduct, &TfrFrameDeductData::fbStandartDeduct, &TfrFrameDeductData::fbCB,
          &TfrFrameDeductData::fbConstructionDeduct}},
        {"Ctrl+Shift+Tab", Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier,
         {&TfrFrameDeductData::fbCB, &TfrFrameDeductData::fbStandartDeduct, &TfrFrameDeductData::fbPensDeduct,
          &TfrFrameDeductData::fbConstructionDeduct}},
        {"Ctrl+Shift+Tab as X11 sends it", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier,
         {&TfrFrameDeductData::fbCB, &TfrFrameDeductData::fbStandartDeduct}},
    };
    start(IncomeKindSources);
    QTest::keyClick(focus() ? focus() : window.get(), Qt::Key_PageUp, Qt::ControlModifier);
    auto* deductions = qobject_cast<TfrFrameDeductData*>(window->currentPage());
    ASSERT_NE(deductions, nullptr);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        for (auto tab : test.tabs) {
            // From inside the page shown, wherever the focus is on it.
            QWidget* inside = focus() && deductions->isAncestorOf(focus()) ? focus() : deductions->currentPage();
            QTest::keyClick(inside, test.key, test.modifiers);
            EXPECT_EQ(deductions->currentButton(), deductions->*tab);
            EXPECT_TRUE((deductions->*tab)->isDown());
        }
    }
}

} // namespace
