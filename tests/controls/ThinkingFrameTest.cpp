#include "controls/ThinkingFrame.h"

#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "controls/DeclModified.h"
#include "tests/controls/DeclModifiedCounter.h"

namespace {

// A page whose one edit writes the tax office code into the declaration.
class OfficePage : public TThinkingFrame {
public:
    OfficePage(QWidget* owner, DeclarationSlot& declaration) : TThinkingFrame(owner, declaration)
    {
        const LoadingScope loading(*this);
        connect(edit, &QLineEdit::textChanged, this, [this] { declarationModified(); });
        edit->setText(QString::fromStdString(Declaration->TaxOfficeCode));
    }

    void SaveData() override { Declaration->TaxOfficeCode = edit->text().toStdString(); }
    std::uint16_t CheckData() override { return edit->text().isEmpty() ? 1 : 0; }
    void FocusError(std::uint16_t) override { edit->setFocus(); }

    QLineEdit* edit = new QLineEdit(this);
};

class ThinkingFrameTest : public ::testing::Test {
protected:
    void SetUp() override { setDeclModifiedReceiver(&receiver); }
    void TearDown() override { setDeclModifiedReceiver(nullptr); }

    DeclModifiedCounter receiver;
    DeclarationSlot declaration = std::make_unique<mTDeclaration>();
};

TEST_F(ThinkingFrameTest, FillingInTheConstructorSendsNothing)
{
    declaration->TaxOfficeCode = "7701";
    OfficePage page(nullptr, declaration);
    EXPECT_EQ(page.edit->text(), QStringLiteral("7701"));
    EXPECT_EQ(receiver.received, 0);
}

TEST_F(ThinkingFrameTest, AnEditReachesTheReceiverBeforeTheCallReturns)
{
    OfficePage page(nullptr, declaration);
    page.edit->setText(QStringLiteral("7702"));
    EXPECT_EQ(receiver.received, 1);
}

TEST_F(ThinkingFrameTest, PageReachesTheDeclarationThroughTheSlot)
{
    OfficePage page(nullptr, declaration);
    page.edit->setText(QStringLiteral("7703"));

    // New and Open put another declaration into the slot while the page lives.
    declaration = std::make_unique<mTDeclaration>();
    page.SaveData();
    EXPECT_EQ(declaration->TaxOfficeCode, "7703");
}

TEST_F(ThinkingFrameTest, SetEditableSwitchesTheEditsOnly)
{
    OfficePage page(nullptr, declaration);
    auto* spin = new QSpinBox(&page);
    auto* combo = new QComboBox(&page);
    auto* button = new QPushButton(&page);

    page.SetEditable(false);
    EXPECT_FALSE(page.edit->isEnabled());
    EXPECT_FALSE(spin->isEnabled());
    EXPECT_FALSE(combo->isEnabled());
    EXPECT_TRUE(button->isEnabled());

    page.SetEditable(true);
    EXPECT_TRUE(page.edit->isEnabled());
    EXPECT_TRUE(spin->isEnabled());
}

// The focus a page takes when shown goes to its first control that Tab reaches, in the Tab
// order; a page without one takes it itself.
TEST_F(ThinkingFrameTest, FocusFirstGoesToTheFirstControlTabReaches)
{
    struct Case {
        const char* name;
        std::function<void(OfficePage&, QLineEdit& second)> prepare;
        const char* focused;
    };
    const Case cases[] = {
        {"the first", [](OfficePage&, QLineEdit&) {}, "edit"},
        {"past a disabled one", [](OfficePage& page, QLineEdit&) { page.edit->setEnabled(false); }, "second"},
        {"past a hidden one", [](OfficePage& page, QLineEdit&) { page.edit->hide(); }, "second"},
        {"past one Tab does not reach",
         [](OfficePage& page, QLineEdit&) { page.edit->setFocusPolicy(Qt::ClickFocus); }, "second"},
        {"in the Tab order, not the order made",
         [](OfficePage& page, QLineEdit& second) { QWidget::setTabOrder(&second, page.edit); }, "second"},
        {"none: the page itself",
         [](OfficePage& page, QLineEdit& second) {
             page.edit->setEnabled(false);
             second.setEnabled(false);
         },
         "page"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        auto* before = new QLineEdit(&window);
        auto* page = new OfficePage(&window, declaration);
        page->setObjectName(QStringLiteral("page"));
        page->edit->setObjectName(QStringLiteral("edit"));
        auto* second = new QLineEdit(page);
        second->setObjectName(QStringLiteral("second"));
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(page->edit);
        layout->addWidget(second);
        (new QVBoxLayout(&window))->addWidget(page);
        c.prepare(*page, *second);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        before->setFocus();

        page->focusFirst();
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.focused));
    }
}

} // namespace
