#include "controls/HelpTopics.h"

#include <algorithm>
#include <vector>

#include <QLineEdit>

#include <gtest/gtest.h>

#include "controls/HelpViewer.h"
#include "controls/MessageBox.h"
#include "model/Declaration.h"
#include "tests/support/BlankPage.h"
#include "tests/support/TestProgramContext.h"

namespace {

class RecordingViewer : public HelpViewer {
public:
    void displayTopic(const QString& page) override { pages.push_back(page); }
    std::vector<QString> pages;
};

TEST(HelpTopicsTest, PageOfATopicDropsTheWindowType)
{
    const struct {
        const char* topic;
        const char* page;
    } cases[] = {
        {"runprogramm.htm>Main", "runprogramm.htm"},
        {"FAQ.htm>Main", "FAQ.htm"},
        {"EditSOUN.htm", "EditSOUN.htm"},
        {"InitialData.htm > Main", "InitialData.htm"},
        {"", ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(helpPageOfTopic(QString::fromUtf8(test.topic)), QLatin1String(test.page)) << test.topic;
}

TEST(HelpTopicsTest, TopicsAreNamedOnceAndPagesOfTheirOwn)
{
    std::vector<QString> pages;
    for (const char* topic : AllHelpTopics) {
        const QString page = helpPageOfTopic(QLatin1String(topic));
        EXPECT_TRUE(page.endsWith(QLatin1String(".htm"))) << topic;
        EXPECT_EQ(std::count(pages.begin(), pages.end(), page), 0) << topic << " is named twice";
        pages.push_back(page);
    }
    EXPECT_EQ(pageHelpTopic(QStringLiteral("TfrInitialData")), QLatin1String(ConditionsHelpTopic));
    EXPECT_TRUE(pageHelpTopic(QStringLiteral("TfrUnknown")).isEmpty());
    EXPECT_TRUE(pageHelpTopic(QString()).isEmpty());
}

TEST(HelpTopicsTest, AroundAWidgetOutsideThePagesThereIsNoTopic)
{
    DeclarationSlot declaration = std::make_unique<mTDeclaration>();
    BlankPage page(nullptr, declaration);
    auto* edit = new QLineEdit(&page);
    QWidget loose;

    EXPECT_TRUE(helpTopicAround(nullptr).isEmpty());
    EXPECT_TRUE(helpTopicAround(&loose).isEmpty());
    EXPECT_TRUE(helpTopicAround(edit).isEmpty()) << "a page without a topic of its own";
}

TEST(HelpTopicsTest, TopicOpensItsPageOrSaysHelpIsNotAvailable)
{
    std::vector<MessageBox::Message> messages;
    MessageBox::setAnswerer([&](const MessageBox::Message& message) {
        messages.push_back(message);
        return QMessageBox::Ok;
    });
    {
        TestProgramContext withoutHelp;
        EXPECT_FALSE(isHelpAvailable());
        openHelpTopic(nullptr, QLatin1String(MainHelpTopic));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, helpUnavailableText());
        EXPECT_EQ(messages[0].caption, QStringLiteral("Форвета"));
    }
    RecordingViewer viewer;
    TestProgramContext withHelp(QString(), &viewer);
    EXPECT_TRUE(isHelpAvailable());
    openHelpTopic(nullptr, QLatin1String(MainHelpTopic));
    EXPECT_EQ(viewer.pages, std::vector<QString>{"runprogramm.htm"});
    EXPECT_EQ(messages.size(), 1u);
    MessageBox::setAnswerer({});
}

} // namespace
