#include "shell/HelpPrompt.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "controls/MessageBox.h"
#include "controls/HelpTopics.h"
#include "tests/shell/ProgramFolderTest.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

class HelpPromptTest : public ProgramFolderTest {
protected:
    RecordingHelpViewer viewer;
};

TEST_F(HelpPromptTest, ShowsTheMessageAndTheClosingButton)
{
    TestProgramContext context(programFolder(), &viewer);
    TfmHelp prompt(nullptr);
    prompt.SetMessage(QStringLiteral("Стандартные вычеты предоставляются по месту работы."));

    EXPECT_EQ(prompt.windowTitle(), QStringLiteral("Форвета"));
    EXPECT_EQ(prompt.size(), QSize(542, 154));
    EXPECT_EQ(prompt.bnOk->text(), QStringLiteral("Закрыть"));
    EXPECT_EQ(prompt.lbMessage->text(), QStringLiteral("Стандартные вычеты предоставляются по месту работы."));
    EXPECT_TRUE(prompt.lbMessage->wordWrap());
    EXPECT_TRUE(prompt.lbLink->text().contains(QStringLiteral("Открыть файл Справки")));

    prompt.show();
    EXPECT_TRUE(prompt.lbMessage->isVisible());
    EXPECT_FALSE(prompt.lbLink->isVisible()) << "the link is hidden until the caller shows it";
    prompt.ShowLink(true);
    EXPECT_TRUE(prompt.lbLink->isVisible());
    prompt.ShowLink(false);
    EXPECT_FALSE(prompt.lbLink->isVisible());

    prompt.bnOk->click();
    EXPECT_EQ(prompt.result(), 1);
    prompt.show();
    QTest::keyClick(&prompt, Qt::Key_Escape);
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(prompt.result(), 1);
}

TEST_F(HelpPromptTest, LinkOpensItsTopic)
{
    TestProgramContext context(programFolder(), &viewer);
    TfmHelp prompt(nullptr);
    prompt.Topic = QStringLiteral("Deductions.htm");
    prompt.ShowLink(true);
    EXPECT_TRUE(prompt.lbLink->isEnabled());

    emit prompt.lbLink->linkActivated(QStringLiteral("help"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(viewer.topics, std::vector<QString>{"Deductions.htm"});
}

TEST_F(HelpPromptTest, WithoutAViewerTheLinkIsDisabledAndSaysWhy)
{
    TestProgramContext context(programFolder(), nullptr);
    TfmHelp prompt(nullptr);
    prompt.Topic = QStringLiteral("Deduct.htm");
    prompt.ShowLink(true);
    prompt.show();

    EXPECT_TRUE(prompt.lbLink->isVisible());
    EXPECT_FALSE(prompt.lbLink->isEnabled());
    EXPECT_EQ(prompt.lbLink->text(), QStringLiteral("Открыть файл Справки")) << "plain text, no link";
    EXPECT_EQ(prompt.lbLink->toolTip(), helpUnavailableText());
}

TEST_F(HelpPromptTest, OpeningATopicWithoutAViewerSaysHelpIsNotAvailable)
{
    TestProgramContext context(programFolder(), nullptr);

    openHelpTopic(nullptr, QLatin1String(MainHelpTopic));

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(messages[0].text, helpUnavailableText());
}

// The window type after ">" meant something to an older viewer only; the page is what is shown.
TEST_F(HelpPromptTest, TopicsOpenTheirPageWithoutTheWindowType)
{
    TestProgramContext context(programFolder(), &viewer);

    for (const char* topic : {MainHelpTopic, FindingCodesHelpTopic, SounHelpTopic})
        openHelpTopic(nullptr, QLatin1String(topic));

    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(viewer.topics, (std::vector<QString>{"runprogramm.htm", "FAQ.htm", "EditSOUN.htm"}));
}

// What the pages show: the prompt over its owner, with the link only when there is a topic.
TEST_F(HelpPromptTest, PagesPromptLinksToItsTopicWhenItHasOne)
{
    TestProgramContext context(programFolder(), &viewer);
    QWidget owner;
    for (const QString& topic : {QStringLiteral("InitialData.htm"), QString()}) {
        SCOPED_TRACE(topic.toStdString());
        bool shown = false;
        bool linkVisible = false;
        QString message;
        QString promptTopic;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            auto* prompt = qobject_cast<TfmHelp*>(QApplication::activeModalWidget());
            if (!prompt || prompt->parentWidget() != &owner)
                return;
            watcher.stop();
            shown = true;
            linkVisible = prompt->lbLink->isVisible();
            message = prompt->lbMessage->text();
            promptTopic = prompt->Topic;
            prompt->bnOk->click();
        });
        watcher.start(0);

        execHelpPrompt(&owner, QStringLiteral("Сначала определитесь с типом декларации."), topic);
        watcher.stop();

        ASSERT_TRUE(shown);
        EXPECT_EQ(message, QStringLiteral("Сначала определитесь с типом декларации."));
        EXPECT_EQ(promptTopic, topic);
        EXPECT_EQ(linkVisible, !topic.isEmpty());
        EXPECT_TRUE(owner.findChildren<TfmHelp*>().isEmpty()) << "freed after showing";
    }
    EXPECT_TRUE(messages.empty());
}

} // namespace
