// The commands that read the declaration while a date typed on the page shown is no date: each
// is refused with the page's message, on the field to correct, and reads or writes nothing.

#include <memory>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/MessageBox.h"
#include "model/DayDate.h"
#include "pages/income/PersonNaim.h"
#include "shell/DeclarationFileDialogs.h"
#include "shell/FormMain.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/UserTyping.h"
#include "tests/support/DateTyping.h"

namespace {

// Counts every file or folder dialog; Save As is given the one name in `toSave`.
class CountingFileDialogs : public DeclarationFileDialogs {
public:
    QString chooseFileToOpen(QWidget*, const QString&) override
    {
        ++calls;
        return {};
    }
    QString chooseFileToSave(QWidget*, const QString&) override
    {
        ++calls;
        return std::exchange(toSave, QString());
    }
    QString chooseFolder(QWidget*, const QString&) override
    {
        ++calls;
        return {};
    }

    int calls = 0;
    QString toSave;
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double birthDateInFile(const QString& path)
{
    mTDeclaration declaration;
    declaration.LoadFromFile(QFile::encodeName(path).toStdString());
    return declaration.Person.Document.BirthDate;
}

// The main window on a saved declaration, its personal-data page shown with the birth date
// typed as a day that does not exist.
class TypedDateCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        MessageBox::setAnswerer([this](const MessageBox::Message& message) {
            messages.push_back(message.text);
            return answer;
        });
        mTDeclaration stored;
        stored.TaxOfficeCode = "7701";
        stored.SetIncomeKinds(IncomeKindSources);
        stored.Person.Name.SurName = "Иванова";
        stored.Person.Name.FirstName = "Анна";
        stored.Person.Document.BirthDate = *encodeDate(1984, 2, 29);
        stored.SaveToFile(QFile::encodeName(file).toStdString());
        before = contents(file);

        window = std::make_unique<TFormMain>(QStringList{file}, folder.path() + u'/');
        auto scripted = std::make_unique<CountingFileDialogs>();
        dialogs = scripted.get();
        window->setFileDialogs(std::move(scripted));
        window->setPrintServerSource([this] {
            ++printServersAsked;
            return std::unique_ptr<PrintServer>();
        });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        userClick(window->fbPrsonInfo);
        page = qobject_cast<TfrPersonNaim*>(window->currentPage());
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(checks.shown.empty());
        typeDateAndLeave(page->dtBirthDate, "31022021");
    }
    void TearDown() override
    {
        window.reset();
        MessageBox::setAnswerer({});
    }

    TTestMaskD* birthDateEdit() const { return page->dtBirthDate->findChild<TTestMaskD*>(); }

    QTemporaryDir folder;
    QString file = folder.filePath(QStringLiteral("Иванова.fv1"));
    QByteArray before;
    std::unique_ptr<TFormMain> window;
    CountingFileDialogs* dialogs = nullptr;
    int printServersAsked = 0;
    std::vector<QString> messages;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    ScriptedCheckAnswers checks;
    TfrPersonNaim* page = nullptr;
};

TEST_F(TypedDateCommandsTest, EveryCommandThatReadsTheDeclarationIsRefused)
{
    const struct {
        const char* name;
        QAction* TFormMain::* command;
    } commands[] = {
        {"Сохранить", &TFormMain::SaveDoc},   {"Сохранить как", &TFormMain::SaveAsDoc},
        {"Проверить", &TFormMain::CheckDoc},  {"Экспорт", &TFormMain::ExportDoc},
        {"Просмотр", &TFormMain::PreviewDoc}, {"Печать", &TFormMain::PrintDoc},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.name);
        checks.shown.clear();
        checks.answers = {CheckFix};
        (window.get()->*command.command)->trigger();

        ASSERT_EQ(checks.shown.size(), 1u) << "the page's message, and no check of the declaration";
        EXPECT_EQ(checks.shown[0].caption, QStringLiteral("Проверка: Сведения о декларанте"));
        EXPECT_TRUE(checks.shown[0].message.startsWith(QStringLiteral("Неверная дата в поле «Дата рождения».")))
            << checks.shown[0].message.toStdString();
        EXPECT_FALSE(checks.shown[0].skip);
        EXPECT_FALSE(checks.shown[0].skipAll);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(dialogs->calls, 0) << "no file or folder is asked for";
        EXPECT_EQ(printServersAsked, 0);
        EXPECT_EQ(contents(file), before) << "the file is not written";
        EXPECT_EQ(window->currentPage(), page);
        EXPECT_EQ(QApplication::focusWidget(), birthDateEdit()) << "the date to correct has the focus";
        EXPECT_EQ(birthDateEdit()->displayText(), QStringLiteral("31.02.2021")) << "the typed text stays";
    }
}

TEST_F(TypedDateCommandsTest, SaveRefusesTheWrongDateThenWritesTheCorrectedOne)
{
    checks.answers = {CheckFix};
    EXPECT_FALSE(window->SaveDocExecute());
    EXPECT_EQ(checks.shown.size(), 1u);
    EXPECT_EQ(contents(file), before);

    typeDateAndLeave(page->dtBirthDate, "15061985");
    EXPECT_TRUE(window->SaveDocExecute());
    EXPECT_EQ(checks.shown.size(), 1u);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(birthDateInFile(file), *encodeDate(1985, 6, 15));
    EXPECT_TRUE(window->isSaved());

    const QString copy = folder.filePath(QStringLiteral("Копия.fv1"));
    dialogs->toSave = copy;
    EXPECT_TRUE(window->SaveAsDocExecute());
    EXPECT_EQ(birthDateInFile(copy), *encodeDate(1985, 6, 15));
}

TEST_F(TypedDateCommandsTest, SavingOnTheWayToNewOrClosingIsRefusedAndStopsTheCommand)
{
    typeText(page->meSurName, QStringLiteral("Петрова"));
    typeDateAndLeave(page->dtBirthDate, "31022021");
    ASSERT_FALSE(window->isSaved());
    answer = QMessageBox::Yes;
    checks.answers = {CheckFix, CheckFix};

    window->CreateDocExecute();
    EXPECT_EQ(messages, std::vector<QString>{QStringLiteral("Вы хотите сохранить декларацию?")});
    EXPECT_EQ(checks.shown.size(), 1u);
    EXPECT_EQ(window->currentPage(), page) << "the declaration stays open";
    EXPECT_EQ(page->meSurName->text(), QStringLiteral("Петрова"));

    EXPECT_FALSE(window->close());
    EXPECT_EQ(checks.shown.size(), 2u);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(contents(file), before);
    EXPECT_EQ(birthDateEdit()->displayText(), QStringLiteral("31.02.2021"));
}

} // namespace
