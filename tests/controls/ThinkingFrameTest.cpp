#include "controls/ThinkingFrame.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

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

} // namespace
