// The main window's tax-office chooser, its help and About commands, and the help prompt it
// shows for the pages.
#include <functional>
#include <iterator>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/HelpTopics.h"
#include "pages/deductions/FrameDeductData.h"
#include "pages/deductions/FrameStandartDeduct.h"
#include "pages/income/InitialData.h"
#include "shell/AboutBox.h"
#include "shell/FormMain.h"
#include "shell/HelpBinding.h"
#include "shell/HelpPrompt.h"
#include "shell/HelpWindow.h"
#include "shell/InspectionChooser.h"
#include "shell/InspectionDirectory.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/shell/ProgramFolderTest.h"
#include "tests/shell/RecordingPrintServer.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/PageTestSupport.h"

namespace {

class FormMainTaxOfficesAndHelpTest : public ProgramFolderTest {
protected:
    std::unique_ptr<TFormMain> start() { return std::make_unique<TFormMain>(QStringList{}, programFolder()); }
    QString directory() const { return folder.filePath(QStringLiteral("InspectionNumbers.xml")); }

    static HelpWindow* helpWindowOf(const TFormMain& window)
    {
        const auto* help = dynamic_cast<const BuiltInHelp*>(window.helpViewer());
        return help ? help->window() : nullptr;
    }
};

TEST_F(FormMainTaxOfficesAndHelpTest, ChooserIsBuiltOnceFromTheDirectoryFile)
{
    writeInspectionDirectory(directory(), {"00", "01.07.2019", {{"0101", "Адыгея"}, {"7701", "Москва № 1"}}});

    const auto window = start();

    TfmInputInspectionNumber* chooser = window->inspectionChooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->parent(), window.get());
    ASSERT_EQ(chooser->lvInspections->topLevelItemCount(), 2);
    EXPECT_EQ(chooser->lvInspections->topLevelItem(1)->text(1), QStringLiteral("Москва № 1"));
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(FormMainTaxOfficesAndHelpTest, NoChooserWithoutAReadableDirectory)
{
    {
        SCOPED_TRACE("no directory file");
        const auto window = start();
        EXPECT_EQ(window->inspectionChooser(), nullptr);
        EXPECT_TRUE(messages.empty());
    }
    {
        SCOPED_TRACE("a damaged directory file");
        ASSERT_TRUE(writeBytes(directory(), "<?xml version=\"1.0\"?><Inspections><Inspection Code=\"01"));
        const auto window = start();
        EXPECT_EQ(window->inspectionChooser(), nullptr);
        EXPECT_EQ(messages.size(), 1u);
    }
}

TEST_F(FormMainTaxOfficesAndHelpTest, ShippedDirectoryFillsTheChooser)
{
    ASSERT_TRUE(QFile::copy(sourceTreeFile("resources/InspectionNumbers.xml"), directory()));

    const auto window = start();

    ASSERT_NE(window->inspectionChooser(), nullptr);
    EXPECT_EQ(window->inspectionChooser()->lvInspections->topLevelItemCount(), 1107);
    window->inspectionChooser()->SelectByCode(QStringLiteral("7701"));
    EXPECT_EQ(window->inspectionChooser()->name(), QStringLiteral("Инспекция Федеральной налоговой службы № 1 по г.Москве"));
}

TEST_F(FormMainTaxOfficesAndHelpTest, AboutCommandShowsTheAboutBox)
{
    const auto window = start();
    EXPECT_TRUE(window->About->isEnabled());
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* about = qobject_cast<TfmAbout*>(QApplication::activeModalWidget())) {
            shown = about->windowTitle();
            about->bnClose->click();
        }
    });

    window->About->trigger();

    EXPECT_EQ(shown, QStringLiteral("О программе"));
    EXPECT_TRUE(window->findChildren<TfmAbout*>().isEmpty()) << "freed after showing";
}

TEST_F(FormMainTaxOfficesAndHelpTest, HelpCommandOpensTheContentsInTheHelpWindow)
{
    const auto window = start();
    EXPECT_TRUE(window->Help->isEnabled());

    window->Help->trigger();

    HelpWindow* help = helpWindowOf(*window);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->shownPage(), QStringLiteral("runprogramm.htm"));
    EXPECT_TRUE(messages.empty());
}

// F1 opens the topic of the page being worked on: each section's page and each deduction tab.
// A page that the program shows without a help topic of its own fails here.
TEST_F(FormMainTaxOfficesAndHelpTest, F1OpensTheTopicOfThePageWorkedOn)
{
    const auto window = start();
    window->declaration().SetIncomeKinds(IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);
    window->updateSectionButtons();
    window->show();
    // The new declaration's pages are left unfilled.
    ScriptedCheckAnswers leaving;
    const auto skipChecks = [&] { leaving.answers.assign(20, CheckSkipAll); };

    const auto pressF1In = [&](QWidget* area) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QWidget* target = area;
        for (QWidget* child : area->findChildren<QWidget*>())
            if ((child->focusPolicy() & Qt::TabFocus) && child->isVisible() && child->isEnabled()) {
                target = child;
                break;
            }
        target->setFocus();
        QTest::keyClick(target, Qt::Key_F1);
        HelpWindow* help = helpWindowOf(*window);
        return help ? help->shownPage() : QString();
    };
    // F1 is pressed in `page`, or in `where` on it where the page holds pages of its own.
    const auto expectTopic = [&](TThinkingFrame* page, const char* topic, QWidget* where) {
        ASSERT_NE(page, nullptr);
        SCOPED_TRACE(page->metaObject()->className());
        EXPECT_EQ(pageHelpTopic(QLatin1String(page->metaObject()->className())), QLatin1String(topic));
        EXPECT_TRUE(helpPageExists(QLatin1String(topic)));
        EXPECT_EQ(pressF1In(where ? where : page), QLatin1String(topic));
    };

    const struct {
        TFlashButton* TFormMain::*button;
        const char* topic;
    } sections[] = {
        {&TFormMain::fbPrsonInfo, "PersonNaim.htm"},         {&TFormMain::fbRussianIncome, "Sourse.htm"},
        {&TFormMain::fbForeignIncome, "Currency.htm"},       {&TFormMain::fbBusinessIncome, "Business.htm"},
        {&TFormMain::fbKudaTratit, "KudaTratit.htm"},        {&TFormMain::fbInitialData, "InitialData.htm"},
        {&TFormMain::fbDeduction, "Deductions.htm"},
    };
    EXPECT_EQ(window->PnlSelectGroup->findChildren<TFlashButton*>().size(), std::size(sections))
        << "every section is here";
    for (const auto& section : sections) {
        skipChecks();
        (window.get()->*section.button)->click();
        const auto* deductions = qobject_cast<TfrFrameDeductData*>(window->currentPage());
        expectTopic(window->currentPage(), section.topic, deductions ? deductions->fbCB : nullptr);
    }

    auto* deductions = qobject_cast<TfrFrameDeductData*>(window->currentPage());
    ASSERT_NE(deductions, nullptr);
    const struct {
        TFlashButton* TfrFrameDeductData::*tab;
        const char* topic;
    } tabs[] = {
        {&TfrFrameDeductData::fbStandartDeduct, "StandartDeductions.htm"},
        {&TfrFrameDeductData::fbPensDeduct, "SocialDeductions.htm"},
        {&TfrFrameDeductData::fbConstructionDeduct, "PropertyDeduction.htm"},
        {&TfrFrameDeductData::fbCB, "SecuritiesDeductions.htm"},
    };
    for (const auto& tab : tabs) {
        skipChecks();
        (deductions->*tab.tab)->click();
        expectTopic(deductions->currentPage(), tab.topic, nullptr);
    }
    EXPECT_EQ(pressF1In(window->fbInitialData), QStringLiteral("Deductions.htm"))
        << "outside the page: the page shown";
    EXPECT_TRUE(messages.empty());
}

// The pages ask the main window's part of the program for the prompt: the picture on the standard
// deductions page shows it, owned by the page, with its link to the page's help topic.
TEST_F(FormMainTaxOfficesAndHelpTest, StandardDeductionsPictureShowsTheHelpPrompt)
{
    const QString topicPage = QStringLiteral("StandartDeductions.htm");
    for (const bool viewerBound : {false, true}) {
        SCOPED_TRACE(viewerBound ? "a help viewer" : "no help viewer");
        messages.clear();
        const auto window = start();
        RecordingHelpViewer viewer;
        // Pages and dialogs shown without the main window have no help window.
        TestProgramContext boundViewer(programFolder(), viewerBound ? &viewer : nullptr);
        window->show();
        {
            // The new declaration's conditions are not filled in; the user goes on all the same.
            ScriptedCheckAnswers leaving;
            leaving.answers = {CheckSkipAll};
            window->fbDeduction->click();
        }
        auto* deductions = qobject_cast<TfrFrameDeductData*>(window->currentPage());
        ASSERT_NE(deductions, nullptr);
        deductions->fbStandartDeduct->click();
        auto* page = qobject_cast<TfrFrameStandartDeduct*>(deductions->currentPage());
        ASSERT_NE(page, nullptr);

        struct {
            bool shown = false;
            QWidget* owner = nullptr;
            QString message;
            QString topic;
            bool linkVisible = false;
            bool linkEnabled = false;
        } prompted;
        // The prompt is modal: it is looked at and closed from the event loop it runs.
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            auto* prompt = qobject_cast<TfmHelp*>(QApplication::activeModalWidget());
            if (!prompt)
                return;
            watcher.stop();
            prompted = {true, prompt->parentWidget(), prompt->lbMessage->text(), prompt->Topic,
                        prompt->lbLink->isVisible(), prompt->lbLink->isEnabled()};
            if (prompted.linkEnabled)
                emit prompt->lbLink->linkActivated(QStringLiteral("help"));
            prompt->bnOk->click();
        });
        watcher.start(0);

        QTest::mouseClick(page->Label1, Qt::LeftButton);
        watcher.stop();

        ASSERT_TRUE(prompted.shown);
        EXPECT_EQ(prompted.owner, page);
        EXPECT_EQ(prompted.message,
                  QStringLiteral("В программах Форвета 2018 - 2021 относительно более ранних программ изменен принцип "
                                 "расчета стандартных вычетов. Рекомендуем ознакомиться с соответствующим разделом в "
                                 "файле Справки"));
        EXPECT_EQ(prompted.topic, QStringLiteral("StandartDeductions.htm"));
        EXPECT_TRUE(prompted.linkVisible);
        EXPECT_EQ(prompted.linkEnabled, viewerBound) << "without a viewer the link is disabled and says why";
        EXPECT_EQ(viewer.topics, viewerBound ? std::vector<QString>{topicPage} : std::vector<QString>{});
        EXPECT_TRUE(messages.empty()) << "the prompt, not the plain message box";
        EXPECT_TRUE(page->findChildren<TfmHelp*>().isEmpty()) << "freed after showing";
    }
}

// The print program puts the receiving office's name on the form: the name stored with the code,
// the directory's name for a code typed or chosen on the conditions page, none for a code the
// directory lacks, and the directory's name for a declaration saved before the name was kept.
// What the conditions page takes is saved with the file and read back.
TEST_F(FormMainTaxOfficesAndHelpTest, ThePrintProgramGetsTheNameOfTheDeclarationsOffice)
{
    const QString first = QStringLiteral("Инспекция ФНС России № 1 по г. Москве");
    const QString second = QStringLiteral("Инспекция ФНС России № 2 по г. Москве");
    const QString fromFile = QStringLiteral("Инспекция, как ее назвал файл");
    writeInspectionDirectory(directory(), {"00", "01.07.2021", {{"7701", first}, {"7702", second}}});
    const QString file = folder.filePath(QStringLiteral("declaration.fv1"));

    struct Case {
        const char* what;
        QString storedName;
        std::function<void(TfrInitialData&)> act;
        QString printedName;
    };
    const Case cases[] = {
        {"as stored", fromFile, [](TfrInitialData&) {}, fromFile},
        {"saved without the name", QString(), [](TfrInitialData&) {}, first},
        {"another code typed, in the directory", fromFile,
         [](TfrInitialData& page) { typeInto(page.meInspection, QStringLiteral("7702")); }, second},
        {"another code typed, not in the directory", fromFile,
         [](TfrInitialData& page) { typeInto(page.meInspection, QStringLiteral("7799")); }, QString()},
        {"another office chosen", fromFile,
         [](TfrInitialData& page) {
             ModalAnswer<TfmInputInspectionNumber> answer([](TfmInputInspectionNumber& chooser) {
                 chooser.lvInspections->setCurrentItem(chooser.lvInspections->topLevelItem(1));
                 chooser.bnYes->click();
             });
             page.bnInspection->click();
             EXPECT_TRUE(answer.shown);
         },
         second},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        {
            mTDeclaration declaration;
            makeChecked(declaration);
            declaration.TaxOfficeName = c.storedName.toStdString();
            declaration.SaveToFile(file.toStdString());
        }
        PrintServerLog log;
        const auto previewed = [&](TFormMain& window) {
            log = PrintServerLog();
            window.setPrintServerSource([&] { return std::make_unique<RecordingPrintServer>(log, window); });
            ScriptedCheckAnswers script;
            window.PreviewDoc->trigger();
            return log.calls.empty() ? QStringList() : log.calls.front().arguments;
        };
        const QStringList expected{QStringLiteral("Наименование налогового органа-получателя"), c.printedName};
        {
            const auto window = std::make_unique<TFormMain>(QStringList{file}, programFolder());
            auto* page = dynamic_cast<TfrInitialData*>(window->currentPage());
            ASSERT_NE(page, nullptr);
            c.act(*page);
            EXPECT_EQ(previewed(*window), expected);
            ASSERT_TRUE(window->SaveDocExecute());
        }
        const auto reopened = std::make_unique<TFormMain>(QStringList{file}, programFolder());
        EXPECT_EQ(previewed(*reopened), expected) << "read back";
        EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString();
        messages.clear();
    }
}

} // namespace
