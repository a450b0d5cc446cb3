#include "shell/HelpWindow.h"

#include <set>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include "controls/HelpTopics.h"
#include "shell/HelpBinding.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

QStringList helpPages()
{
    return QDir(QLatin1String(HelpPagesFolder)).entryList(QDir::Files, QDir::Name);
}

QString pageText(const QString& page)
{
    QFile file(QLatin1String(HelpPagesFolder) + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The pages a page links to.
QStringList linksOf(const QString& page)
{
    QStringList links;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (auto match = href.globalMatch(pageText(page)); match.hasNext();)
        links << match.next().captured(1);
    return links;
}

TEST(HelpWindowTest, EveryTopicTheProgramOpensHasItsPage)
{
    HelpWindow window;
    for (const char* topic : AllHelpTopics) {
        SCOPED_TRACE(topic);
        const QString page = helpPageOfTopic(QLatin1String(topic));
        ASSERT_TRUE(helpPageExists(page));
        window.showPage(page);
        EXPECT_EQ(window.shownPage(), page);
        EXPECT_FALSE(window.browser->documentTitle().isEmpty());
        EXPECT_FALSE(window.browser->toPlainText().contains(QStringLiteral("Раздел справки не найден")));
    }
}

// The help is complete and closed: the pages built in are the pages of the source tree, each is
// well-formed (checked by xmllint), every link leads to a page, and every page can be reached
// from the contents.
TEST(HelpWindowTest, PagesAreWellFormedLinkedAndReachableFromTheContents)
{
    const QStringList pages = helpPages();
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(QDir(sourceTreeFile("resources/help")).entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name),
              pages)
        << "every page in resources/help is built in";

    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        const auto [output, status] =
            runCommand("xmllint --noout " + quoted(sourceTreeFile("resources/help") + u'/' + page) + " 2>&1");
        EXPECT_EQ(status, 0) << output;
        EXPECT_TRUE(pageText(page).contains(QStringLiteral("charset=utf-8")));
        for (const QString& link : linksOf(page))
            EXPECT_TRUE(helpPageExists(link)) << "a link to " << link.toStdString();
    }

    const QString contents = helpPageOfTopic(QLatin1String(MainHelpTopic));
    std::set<QString> reached{contents};
    QStringList waiting{contents};
    while (!waiting.isEmpty())
        for (const QString& link : linksOf(waiting.takeFirst()))
            if (reached.insert(link).second)
                waiting << link;
    for (const QString& page : pages)
        EXPECT_TRUE(reached.count(page)) << page.toStdString() << " cannot be reached from the contents";
}

TEST(HelpWindowTest, TopicWithoutAPageShowsAMessageAndTheWayToTheContents)
{
    HelpWindow window;
    for (const QString& page : {QStringLiteral("NoSuchPage.htm"), QString(), QStringLiteral("../help/FAQ.htm"),
                                QStringLiteral("Forv2021.chm")}) {
        SCOPED_TRACE(page.toStdString());
        window.showPage(page);
        EXPECT_EQ(window.shownPage(), page);
        const QString text = window.browser->toPlainText();
        EXPECT_TRUE(text.contains(QStringLiteral("Раздел справки не найден")));
        EXPECT_TRUE(text.contains(QStringLiteral("В справке программы нет раздела «%1».").arg(page)));
        EXPECT_TRUE(text.contains(QStringLiteral("Перейти к содержанию справки")));
    }
    emit window.browser->anchorClicked(QUrl(QStringLiteral("runprogramm.htm")));
    EXPECT_EQ(window.shownPage(), QStringLiteral("runprogramm.htm"));
    EXPECT_TRUE(window.browser->toPlainText().contains(QStringLiteral("Порядок работы")));
}

TEST(HelpWindowTest, LinksLeadBetweenPagesAndBackAndForwardRetraceThem)
{
    HelpWindow window;
    EXPECT_FALSE(window.bnBack->isEnabled());
    window.showPage(QStringLiteral("runprogramm.htm"));
    emit window.browser->anchorClicked(QUrl(QStringLiteral("InitialData.htm")));
    EXPECT_EQ(window.shownPage(), QStringLiteral("InitialData.htm"));
    EXPECT_EQ(window.browser->documentTitle(), QStringLiteral("Задание условий"));
    emit window.browser->anchorClicked(QUrl(QStringLiteral("EditSOUN.htm")));

    const struct {
        QPushButton* HelpWindow::*button;
        const char* expected;
    } steps[] = {
        {&HelpWindow::bnBack, "InitialData.htm"},      {&HelpWindow::bnBack, "runprogramm.htm"},
        {&HelpWindow::bnForward, "InitialData.htm"},   {&HelpWindow::bnContents, "runprogramm.htm"},
    };
    for (const auto& step : steps) {
        QPushButton* button = window.*step.button;
        SCOPED_TRACE(button->text().toStdString());
        ASSERT_TRUE(button->isEnabled());
        button->click();
        EXPECT_EQ(window.shownPage(), QLatin1String(step.expected));
    }
}

TEST(HelpWindowTest, OneWindowServesEveryTopic)
{
    BuiltInHelp help;
    EXPECT_EQ(help.window(), nullptr) << "made when help is first asked for";
    help.displayTopic(QStringLiteral("FAQ.htm"));
    HelpWindow* window = help.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Справка — Форвета"));
    EXPECT_FALSE(window->testAttribute(Qt::WA_QuitOnClose)) << "left open, it does not keep the program running";

    window->close();
    help.displayTopic(QStringLiteral("EditSOUN.htm"));
    EXPECT_EQ(help.window(), window);
    EXPECT_TRUE(window->isVisible()) << "closed, it comes back";
    EXPECT_EQ(window->shownPage(), QStringLiteral("EditSOUN.htm"));
}

// A help link in a modal dialog opens a help window that can be used while the dialog waits.
TEST(HelpWindowTest, AskedForFromAModalDialogTheWindowCanBeUsed)
{
    BuiltInHelp help;
    QDialog dialog;
    Qt::WindowModality fromTheDialog = Qt::NonModal;
    bool blocked = true;
    QTimer::singleShot(0, &dialog, [&] {
        help.displayTopic(QStringLiteral("EditSOUN.htm"));
        fromTheDialog = help.window()->windowModality();
        blocked = QApplication::activeModalWidget() != help.window();
        help.window()->close();
        dialog.accept();
    });
    dialog.exec();
    EXPECT_EQ(fromTheDialog, Qt::ApplicationModal);
    EXPECT_FALSE(blocked);

    help.displayTopic(QStringLiteral("FAQ.htm"));
    EXPECT_EQ(help.window()->windowModality(), Qt::NonModal) << "beside the main window again";
}

} // namespace
