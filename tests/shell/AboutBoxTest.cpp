#include "shell/AboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/shell/ShellTestSupport.h"

namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    int closedWith(const std::function<void()>& act)
    {
        about.setResult(0);
        about.show();
        act();
        EXPECT_FALSE(about.isVisible());
        return about.result();
    }

    TfmAbout about{nullptr};
};

TEST_F(AboutBoxTest, NamesTheProgramItsVersionAndWhereToTurn)
{
    EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
    EXPECT_EQ(about.size(), QSize(460, 232));
    EXPECT_EQ(about.Image1->pixmap().size(), QSize(460, 104));
    EXPECT_EQ(about.lbVersion->text(), QStringLiteral("Версия 1.0.0"));
    EXPECT_TRUE(about.Image1->geometry().contains(about.lbVersion->geometry().translated(about.Image1->pos())))
        << "the version stands on the picture beside the program's name";
    EXPECT_EQ(about.lbSupport->text(), QStringLiteral("По вопросам, связанным с использованием программы, обращайтесь "
                                                      "к справке: меню «Справка» или клавиша F1."));
    EXPECT_EQ(about.bnClose->text(), QStringLiteral("Закрыть"));

    // The text fits the box.
    about.show();
    const QLabel* line = about.lbSupport;
    EXPECT_TRUE(about.rect().contains(line->geometry()));
    EXPECT_GE(line->height(), line->heightForWidth(line->width()));
    EXPECT_GE(line->width(), line->minimumSizeHint().width());
    EXPECT_TRUE(about.rect().contains(about.bnClose->geometry()));
}

// The program has no maker's site, mail or telephone to send the user to.
TEST_F(AboutBoxTest, ShowsNoAddressOrTelephone)
{
    static const QRegularExpression contact(QStringLiteral("https?:|www\\.|@|\\.ru\\b|\\.example|\\(\\d{3}\\)|\\d{3}-\\d{2}"));
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_FALSE(contact.match(label->text()).hasMatch()) << label->text().toStdString();
        EXPECT_NE(label->textFormat(), Qt::RichText) << "no links";
    }
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

} // namespace
