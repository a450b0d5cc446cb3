// The main window's tax-office chooser, its help and About commands, and the help prompt it
// shows for the pages.
#include <optional>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/MessageBox.h"
#include "pages/deductions/FrameDeductData.h"
#include "pages/deductions/FrameStandartDeduct.h"
#include "shell/AboutBox.h"
#include "shell/FormMain.h"
#include "shell/HelpPrompt.h"
#include "shell/InspectionChooser.h"
#include "shell/InspectionDirectory.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

class FormMainTaxOfficesAndHelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QSettings(QStringLiteral("ORVEX"), QStringLiteral("Форвета")).clear();
        MessageBox::setAnswerer([this](const MessageBox::Message& message) {
            messages.push_back(message);
            return QMessageBox::Ok;
        });
    }
    void TearDown() override { MessageBox::setAnswerer({}); }

    std::unique_ptr<TFormMain> start() { return std::make_unique<TFormMain>(QStringList{}, folder.path() + u'/'); }
    QString directory() const { return folder.filePath(QStringLiteral("InspectionNumbers.xml")); }

    QTemporaryDir folder;
    std::vector<MessageBox::Message> messages;
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

TEST_F(FormMainTaxOfficesAndHelpTest, HelpWithoutAViewerSaysItIsNotAvailable)
{
    ASSERT_TRUE(writeBytes(folder.filePath(QStringLiteral("Forv2021.chm")), "ITSF"));
    const auto window = start();
    ASSERT_EQ(window->helpViewer(), nullptr) << "no viewer of compiled help on this platform";
    EXPECT_TRUE(window->Help->isEnabled());

    window->Help->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(messages[0].caption, QStringLiteral("Форвета"));
    EXPECT_EQ(messages[0].text,
              QStringLiteral("Справка недоступна: на этом компьютере нет программы просмотра файла справки Forv2021.chm."));

    // F1 anywhere in the window does what the menu command does.
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->PnlFormContainer, Qt::Key_F1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, messages[0].text);
}

// The pages ask the main window's part of the program for the prompt: the picture on the standard
// deductions page shows it, owned by the page, with its link to the page's help topic.
TEST_F(FormMainTaxOfficesAndHelpTest, StandardDeductionsPictureShowsTheHelpPrompt)
{
    ASSERT_TRUE(writeBytes(folder.filePath(QStringLiteral("Forv2021.chm")), "ITSF"));
    const QString topicPath = folder.path() + QStringLiteral("/Forv2021.chm::/StandartDeductions.htm");
    for (const bool viewerBound : {false, true}) {
        SCOPED_TRACE(viewerBound ? "a help viewer" : "no help viewer");
        messages.clear();
        const auto window = start();
        RecordingHelpViewer viewer;
        std::optional<TestProgramContext> boundViewer;
        if (viewerBound)
            boundViewer.emplace(folder.path() + u'/', &viewer);
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
        EXPECT_EQ(viewer.topics, viewerBound ? std::vector<QString>{topicPath} : std::vector<QString>{});
        EXPECT_TRUE(messages.empty()) << "the prompt, not the plain message box";
        EXPECT_TRUE(page->findChildren<TfmHelp*>().isEmpty()) << "freed after showing";
    }
}

} // namespace
