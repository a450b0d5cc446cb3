#include "controls/PageHost.h"

#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "controls/DeclModified.h"
#include "tests/support/PageTestSupport.h"

namespace {

// A page that logs every operation of the protocol and answers CheckData as told.
class ScriptedPage : public TThinkingFrame {
public:
    ScriptedPage(QWidget* owner, DeclarationSlot& declaration, QString name, QStringList& log, std::uint16_t checkCode)
        : TThinkingFrame(owner, declaration), edit(new QLineEdit(this)), name_(std::move(name)), log_(log),
          checkCode_(checkCode)
    {
        new QVBoxLayout(this);
        layout()->addWidget(edit);
        log_ << name_ + QStringLiteral(" created");
        // Filling the page's controls reports changes like any edit would.
        sendDeclModified();
    }
    ~ScriptedPage() override { log_ << name_ + QStringLiteral(" freed"); }

    void SaveData() override { log_ << name_ + QStringLiteral(" SaveData"); }
    std::uint16_t CheckData() override
    {
        log_ << name_ + QStringLiteral(" CheckData");
        return checkCode_;
    }
    void FocusError(std::uint16_t code) override
    {
        log_ << name_ + QStringLiteral(" FocusError %1").arg(code);
        edit->setFocus();
    }

    QLineEdit* edit;

private:
    QString name_;
    QStringList& log_;
    std::uint16_t checkCode_;
};

class PageHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        declaration = std::make_unique<mTDeclaration>();
        window.resize(400, 300);
        container = new QWidget(&window);
        new QVBoxLayout(&window);
        window.layout()->addWidget(container);
    }

    TPageHost::PageFactory page(const QString& name, std::uint16_t checkCode = 0)
    {
        return [this, name, checkCode](QWidget* owner, DeclarationSlot& slot) {
            return new ScriptedPage(owner, slot, name, log, checkCode);
        };
    }

    DeclarationSlot declaration;
    QWidget window;
    QWidget* container = nullptr;
    QStringList log;
    UserEditCounter counter;
};

TEST_F(PageHostTest, ZeroCodeCreatesTheNextPageBeforeFreeingTheOld)
{
    TPageHost host(container, declaration);
    host.show(QStringLiteral("A"), page(QStringLiteral("A")));
    QPointer<TThinkingFrame> first = host.currentPage();
    log.clear();

    EXPECT_TRUE(host.switchTo(QStringLiteral("B"), page(QStringLiteral("B"))));

    EXPECT_EQ(log, QStringList({"A SaveData", "A CheckData", "B created", "A freed"}));
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(host.currentPage(), nullptr);
    EXPECT_EQ(host.currentPage()->parentWidget(), container);
    EXPECT_EQ(host.currentPageName(), QStringLiteral("B"));

    window.show();
    QApplication::processEvents();
    EXPECT_EQ(host.currentPage()->geometry(), container->rect()) << "a page fills its container";
}

TEST_F(PageHostTest, NonZeroCodeKeepsThePageAndFocusesTheError)
{
    TPageHost host(container, declaration);
    host.show(QStringLiteral("A"), page(QStringLiteral("A"), 7));
    auto* first = static_cast<ScriptedPage*>(host.currentPage());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    log.clear();

    EXPECT_FALSE(host.switchTo(QStringLiteral("B"), page(QStringLiteral("B"))));

    EXPECT_EQ(log, QStringList({"A SaveData", "A CheckData", "A FocusError 7"}));
    EXPECT_EQ(host.currentPage(), first);
    EXPECT_EQ(host.currentPageName(), QStringLiteral("A"));
    EXPECT_TRUE(first->edit->hasFocus());
}

TEST_F(PageHostTest, AskingForThePageShownNeitherSavesNorChecks)
{
    TPageHost host(container, declaration);
    host.show(QStringLiteral("A"), page(QStringLiteral("A"), 7));
    TThinkingFrame* first = host.currentPage();
    log.clear();

    EXPECT_TRUE(host.switchTo(QStringLiteral("A"), page(QStringLiteral("A"))));

    EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();
    EXPECT_EQ(host.currentPage(), first);
}

TEST_F(PageHostTest, ShowReplacesThePageWithoutAskingIt)
{
    TPageHost host(container, declaration);
    host.show(QStringLiteral("A"), page(QStringLiteral("A"), 7));
    log.clear();

    host.show(QStringLiteral("A"), page(QStringLiteral("A2")));

    EXPECT_EQ(log, QStringList({"A2 created", "A freed"}));
}

TEST_F(PageHostTest, NotificationsWhileAPageIsBuiltAreNotEdits)
{
    TPageHost host(container, declaration);
    host.show(QStringLiteral("A"), page(QStringLiteral("A")));
    host.switchTo(QStringLiteral("B"), page(QStringLiteral("B")));
    EXPECT_EQ(counter.userEdits, 0);
    EXPECT_FALSE(isPageLoading());

    sendDeclModified();
    EXPECT_EQ(counter.userEdits, 1);
}

TEST_F(PageHostTest, HostFreesItsPage)
{
    QPointer<TThinkingFrame> shown;
    {
        TPageHost host(container, declaration);
        host.show(QStringLiteral("A"), page(QStringLiteral("A")));
        shown = host.currentPage();
    }
    EXPECT_TRUE(shown.isNull());
    EXPECT_EQ(log.last(), QStringLiteral("A freed"));
}

} // namespace
