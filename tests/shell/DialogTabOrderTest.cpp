// Tab in the main window and the shell's own windows walks their controls as they stand: row by
// row from the top, left to right within a row, in each state that shows, hides or disables some
// of them. In the main window the section shown leads into its page and Shift+Tab leads back.

#include <algorithm>
#include <functional>
#include <memory>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/CheckDialogs.h"
#include "controls/FlashButton.h"
#include "controls/HelpTopics.h"
#include "controls/ReferenceDocument.h"
#include "model/Cp1251.h"
#include "model/Declaration.h"
#include "shell/AboutBox.h"
#include "shell/FormMain.h"
#include "shell/HelpPrompt.h"
#include "shell/HelpWindow.h"
#include "shell/InspectionChooser.h"
#include "shell/SounImport.h"
#include "shell/StartWindow.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/ProgramFolderTest.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TabOrderCheck.h"

namespace {

ReferenceElement taxOffices()
{
    return parseReferenceXml(QByteArray::fromStdString(cp1251::fromUtf8(
        "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections Version=\"00\" Date=\"01.07.2019\">"
        "<Inspection Code=\"7701\">Инспекция ФНС № 1 по г.Москве</Inspection>"
        "<Inspection Code=\"7702\">Инспекция ФНС № 2 по г.Москве</Inspection>"
        "</Inspections>")));
}

struct WindowCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
    const char* onScreen;
};

class DialogTabOrderTest : public ProgramFolderTest {
protected:
    RecordingHelpViewer viewer;
};

TEST_F(DialogTabOrderTest, TabFollowsTheScreen)
{
    const TestProgramContext context(programFolder(), &viewer);
    const ReferenceElement offices = taxOffices();
    const QString classifier = folder.filePath(QStringLiteral("soun1.dbf"));
    const auto soun = [this, classifier](bool fileChosen) {
        auto import = std::make_unique<TfmLoadSoun>(nullptr, programFolder());
        import->chooseSourceFile = [classifier](QWidget*, const QString&) { return classifier; };
        if (fileChosen)
            import->Button4->click();
        return std::unique_ptr<QWidget>(std::move(import));
    };
    const auto helpPrompt = [](bool link) {
        auto prompt = std::make_unique<TfmHelp>(nullptr);
        prompt->SetMessage(QStringLiteral("Сначала заполните сведения о декларанте"));
        prompt->Topic = QLatin1String(MainHelpTopic);
        prompt->ShowLink(link);
        return std::unique_ptr<QWidget>(std::move(prompt));
    };
    const WindowCase cases[] = {
        {"start window", [] { return std::make_unique<TfmStart>(); }, ""},
        {"about box", [] { return std::make_unique<TfmAbout>(nullptr); }, "bnClose"},
        {"help prompt with its link", [&] { return helpPrompt(true); }, "bnOk"},
        {"help prompt without a link", [&] { return helpPrompt(false); }, "bnOk"},
        {"tax office chooser, an office chosen",
         [&] {
             auto chooser = std::make_unique<TfmInputInspectionNumber>(nullptr, offices);
             chooser->SelectByCode(QStringLiteral("7702"));
             return std::unique_ptr<QWidget>(std::move(chooser));
         },
         "lvInspections Button1 bnYes bnCansel"},
        {"directory import, no file chosen", [&] { return soun(false); }, "edSoun1 Button4 BitBtn1"},
        {"directory import, a file chosen", [&] { return soun(true); }, "edSoun1 Button4 Button1"},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<QWidget> window = c.make();
        ASSERT_TRUE(showActive(*window));
        EXPECT_EQ(screenOrder(window.get()).join(u' ').toStdString(), c.onScreen);
        if (*c.onScreen)
            expectTabFollowsTheScreen(window.get());
    }
}

// The help window's buttons come before its page, the way back and forward as the history
// allows them. Within the page Tab goes from link to link before it leaves.
TEST_F(DialogTabOrderTest, TabInTheHelpWindowFollowsTheScreen)
{
    const QString contents = helpPageOfTopic(QLatin1String(MainHelpTopic));
    const QString page = helpPageOfTopic(QLatin1String(SounHelpTopic));
    const struct {
        const char* name;
        std::function<void(HelpWindow&)> browse;
        const char* onScreen;
    } cases[] = {
        {"the first page", [&](HelpWindow& help) { help.showPage(contents); }, "bnContents browser"},
        {"a page after another",
         [&](HelpWindow& help) {
             help.showPage(contents);
             help.showPage(page);
         },
         "bnContents bnBack browser"},
        {"back in the middle of the history",
         [&](HelpWindow& help) {
             help.showPage(contents);
             help.showPage(page);
             help.showPage(contents);
             help.bnBack->click();
         },
         "bnContents bnBack bnForward browser"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HelpWindow help;
        c.browse(help);
        ASSERT_TRUE(showActive(help));
        const QStringList onScreen = screenOrder(&help);
        EXPECT_EQ(onScreen.join(u' ').toStdString(), c.onScreen);
        QStringList walked = tabWalkWithin(&help, help.bnContents);
        // One stop for the page, however many links it walked there.
        walked.erase(std::unique(walked.begin(), walked.end()), walked.end());
        EXPECT_EQ(walked.join(u' ').toStdString(), onScreen.join(u' ').toStdString());
    }
}

class MainWindowTabTest : public ProgramFolderTest {
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

    void start(int width)
    {
        mTDeclaration declaration;
        declaration.TaxOfficeCode = "7701";
        declaration.SetIncomeKinds(IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);
        const QString file = folder.filePath(QStringLiteral("start.fv1"));
        declaration.SaveToFile(QFile::encodeName(file).toStdString());
        window = std::make_unique<TFormMain>(QStringList{file}, programFolder());
        window->resize(width, window->minimumHeight());
        ASSERT_TRUE(showActive(*window));
    }

    std::unique_ptr<TFormMain> window;
    ScriptedCheckAnswers checks;
};

// From the section shown, Tab goes to the first control of its page on the screen and Shift+Tab
// from there back; Tab from the page's last control comes round to the section and Shift+Tab from
// the section to that control, scrolled into view, with no stop unseen between, in the smallest
// window and a wide one.
TEST_F(MainWindowTabTest, TheSectionLeadsIntoItsPageAndBack)
{
    for (const int width : {750, 1500}) {
        start(width);
        for (TFlashButton* section : {window->fbInitialData, window->fbPrsonInfo, window->fbRussianIncome,
                                      window->fbForeignIncome, window->fbBusinessIncome, window->fbDeduction,
                                      window->fbKudaTratit}) {
            SCOPED_TRACE(QStringLiteral("%1 at %2 px").arg(section->objectName()).arg(width).toStdString());
            section->click();
            QTest::qWait(20);
            ASSERT_EQ(window->currentButton(), section);
            QWidget* page = window->currentPage();
            const QStringList onScreen = screenOrder(page);
            ASSERT_FALSE(onScreen.isEmpty());

            section->setFocus(Qt::TabFocusReason);
            QTest::keyClick(section, Qt::Key_Tab);
            QWidget* first = QApplication::focusWidget();
            ASSERT_NE(first, nullptr);
            EXPECT_EQ(controlName(first).toStdString(), onScreen.front().toStdString());
            EXPECT_TRUE(page->isAncestorOf(first));

            QTest::keyClick(first, Qt::Key_Backtab, Qt::ShiftModifier);
            EXPECT_EQ(QApplication::focusWidget(), section) << "Shift+Tab leads back to the section";

            const QStringList walked = tabWalkWithin(page, first);
            QWidget* after = QApplication::focusWidget();
            EXPECT_EQ(after, section) << "Tab comes round from the page to the section, not to "
                                      << (after ? controlName(after).toStdString() : "nothing");

            QTest::keyClick(section, Qt::Key_Backtab, Qt::ShiftModifier);
            QWidget* last = QApplication::focusWidget();
            ASSERT_NE(last, nullptr);
            EXPECT_TRUE(page->isAncestorOf(last)) << "Shift+Tab from the section goes round to the page's end";
            EXPECT_EQ(controlName(last).toStdString(), walked.back().toStdString());
            EXPECT_FALSE(last->visibleRegion().isEmpty()) << "the page scrolls to the control Tab reached";
        }
        window.reset();
    }
}

} // namespace
