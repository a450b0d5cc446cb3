// A declaration made in the window, as a new user makes it: from the first page to the exchange
// file, which the format's schema accepts.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QFile>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "controls/DtpPanel.h"
#include "model/Cp1251.h"
#include "model/DayDate.h"
#include "pages/income/InitialData.h"
#include "pages/income/InputTrataDialog.h"
#include "pages/income/KudaTratit.h"
#include "pages/income/PersonNaim.h"
#include "shell/FormMain.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/shell/RoadTest.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/UserTyping.h"

namespace {

class DeclarationRoadTest : public RoadTest {
protected:
    // New, the conditions and the personal data typed in, and a salary the user took from the
    // employer's statement.
    void makeDeclaration(long long salary, long long withheld)
    {
        auto* conditions = startDeclaration();
        ASSERT_NE(conditions, nullptr);
        ASSERT_TRUE(conditions->chbIncomeInquiry->isChecked());

        typeDeclarant();

        mbTSourse& employer = addEmployer(window->declaration(), "ООО \"Ромашка\"", salary);
        employer.WithheldTax13 = Currency::fromWholeRoubles(withheld);
    }

    // The exchange file's text; the file itself is windows-1251.
    static QString exchangeText(const QString& fileName)
    {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        return QString::fromStdString(cp1251::toUtf8(std::string_view(bytes.constData(), std::size_t(bytes.size()))));
    }
};

TEST_F(DeclarationRoadTest, ANewDeclarationMadeInTheWindowIsExported)
{
    makeDeclaration(600'000, 78'000);
    ScriptedCheckAnswers script;

    const QString file = exportFile();

    for (const auto& dialog : script.shown)
        ADD_FAILURE() << dialog.message.toStdString();
    ASSERT_FALSE(file.isEmpty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Сформирован файл "))) << messages[0].text.toStdString();
    EXPECT_EQ(exchangeSchemaErrors(file.toStdString()), "");
    const QString xml = exchangeText(file);
    for (const char* expected : {"КодНО=\"7701\"", "ИННФЛ=\"770700010054\"", "ОКТМО=\"45382000\"",
                                 "Фамилия=\"ИВАНОВ\"", "ДатаРожд=\"17.05.1980\"", "Тлф=\"4951234567\"", "СумДох=\"600000.00\""})
        EXPECT_TRUE(xml.contains(QString::fromUtf8(expected))) << expected << " in\n" << xml.toStdString();
}

// The check offers to dispose of the refund; the refund page takes the bank account, and the
// exchange file carries the application.
TEST_F(DeclarationRoadTest, TheRefundOfferLeadsToAnApplicationInTheExchangeFile)
{
    makeDeclaration(600'000, 90'000);
    {
        ScriptedCheckAnswers script;
        script.answers = {CheckFix};
        EXPECT_TRUE(exportFile().isEmpty());
        ASSERT_EQ(script.shown.size(), 1u);
        EXPECT_EQ(script.shown[0].caption, QStringLiteral("Проверка: Оформление возврата"));
    }
    auto* refund = shown<TfrKudaTratit>();
    ASSERT_NE(refund, nullptr);
    EXPECT_TRUE(window->fbKudaTratit->isEnabled());

    ModalAnswer<TfmInputTrata> bank([](TfmInputTrata& dialog) { dialog.bnOk->click(); });
    userClick(refund->fbAddSourseIncome);
    ASSERT_TRUE(bank.shown);
    refund->chbAllIn->click();
    typeText(refund->meBankNaim, QStringLiteral("ПАО Сбербанк"));
    typeText(refund->meBIK, QStringLiteral("044525225"));
    refund->cbTypeSch->setCurrentIndex(0);
    typeText(refund->meNumSch, QStringLiteral("40817810938160925982"));

    ScriptedCheckAnswers script;
    const QString file = exportFile();

    for (const auto& dialog : script.shown)
        ADD_FAILURE() << dialog.message.toStdString();
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(exchangeSchemaErrors(file.toStdString()), "");
    const QString xml = exchangeText(file);
    for (const char* expected : {"<ЗаявВозвр", "БИК=\"044525225\"", "НомСч=\"40817810938160925982\"",
                                 "Сумма=\"12000.00\""})
        EXPECT_TRUE(xml.contains(QString::fromUtf8(expected))) << expected << " in\n" << xml.toStdString();
}

} // namespace
