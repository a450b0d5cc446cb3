#include "shell/AboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include "controls/MessageBox.h"
#include "shell/WebLinks.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MessageBox::setAnswerer([this](const MessageBox::Message& message) {
            messages.push_back(message.text);
            return QMessageBox::Ok;
        });
        setWebLinkOpener([this](const QUrl& address) {
            opened.push_back(address);
            return browserStarts;
        });
    }
    void TearDown() override
    {
        MessageBox::setAnswerer({});
        setWebLinkOpener({});
    }

    int closedWith(const std::function<void()>& act)
    {
        about.setResult(0);
        about.show();
        act();
        EXPECT_FALSE(about.isVisible());
        return about.result();
    }

    TfmAbout about{nullptr};
    std::vector<QString> messages;
    std::vector<QUrl> opened;
    bool browserStarts = true;
};

TEST_F(AboutBoxTest, NamesTheProgramItsVersionAndItsSupport)
{
    EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
    EXPECT_EQ(about.size(), QSize(460, 232));
    EXPECT_EQ(about.Image1->pixmap().size(), QSize(460, 104));
    EXPECT_EQ(about.lbVersion->text(), QStringLiteral("Версия 1.0.0"));
    EXPECT_TRUE(about.Image1->geometry().contains(about.lbVersion->geometry().translated(about.Image1->pos())))
        << "the version stands on the picture beside the program's name";
    EXPECT_EQ(about.lbSupport->text(),
              QStringLiteral("По вопросам, связанным с использованием программы обращайтесь в службу поддержки."));
    EXPECT_TRUE(about.lbFeedback->text().startsWith(QStringLiteral("Форма обратной связи: <a href=")));
    EXPECT_TRUE(about.lbSite->text().startsWith(QStringLiteral("Последние версии ПО на сайте <a href=")));
    EXPECT_FALSE(about.lbOwnership->text().isEmpty());
    EXPECT_FALSE(about.lbTelephone->text().isEmpty());
    EXPECT_EQ(about.bnClose->text(), QStringLiteral("Закрыть"));

    // Every line fits the box.
    about.show();
    for (const QLabel* line : {about.lbSupport, about.lbFeedback, about.lbSite, about.lbOwnership, about.lbTelephone}) {
        EXPECT_TRUE(about.rect().contains(line->geometry())) << line->objectName().toStdString();
        const int needed = line->hasHeightForWidth() ? line->heightForWidth(line->width()) : line->sizeHint().height();
        EXPECT_GE(line->height(), needed) << line->objectName().toStdString();
        EXPECT_GE(line->width(), line->minimumSizeHint().width()) << line->objectName().toStdString();
    }
    EXPECT_TRUE(about.rect().contains(about.bnClose->geometry()));
}

TEST_F(AboutBoxTest, ClosesWithOneHoweverItIsClosed)
{
    EXPECT_EQ(closedWith([&] { about.bnClose->click(); }), 1);
    EXPECT_EQ(closedWith([&] { QTest::keyClick(&about, Qt::Key_Escape); }), 1);
    EXPECT_EQ(closedWith([&] { QTest::mouseClick(about.Image1, Qt::LeftButton); }), 1);
    EXPECT_EQ(closedWith([&] { QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(5, 225)); }), 1);
    EXPECT_EQ(closedWith([&] { about.close(); }), 1);
}

TEST_F(AboutBoxTest, EscClosesWhenTheKeyIsLetGo)
{
    about.show();
    QTest::keyPress(&about, Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());
    QTest::keyRelease(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutBoxTest, LinksOpenInTheBrowserAndSayWhenItCannotStart)
{
    const struct {
        QLabel* TfmAbout::*link;
        const char* failure;
    } cases[] = {
        {&TfmAbout::lbSite, "Не удалось запустить браузер"},
        {&TfmAbout::lbFeedback, "Не удалось запустить почтовый клиент"},
    };
    for (const auto& test : cases) {
        QLabel* link = about.*test.link;
        SCOPED_TRACE(link->objectName().toStdString());
        opened.clear();
        messages.clear();
        const QString address = link->text().section(u'"', 1, 1);

        browserStarts = true;
        emit link->linkActivated(address);
        EXPECT_EQ(opened, std::vector<QUrl>{QUrl(address)});
        EXPECT_TRUE(messages.empty());

        browserStarts = false;
        emit link->linkActivated(address);
        EXPECT_EQ(messages, std::vector<QString>{QString::fromUtf8(test.failure)});
    }
}

} // namespace
