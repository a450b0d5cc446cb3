#include <deque>
#include <memory>
#include <vector>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "controls/DeclModified.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "controls/MessageBox.h"
#include "model/DocumentStorage.h"
#include "pages/income/InitialData.h"
#include "shell/DeclarationFileDialogs.h"
#include "shell/DeclarationFileName.h"
#include "shell/FormMain.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/UserTyping.h"

namespace {

const QString SavePrompt = QStringLiteral("Вы хотите сохранить декларацию?");
const QString OverwritePrompt = QStringLiteral("Файл с таким названием существует. Перезаписать его?");
const QString EarlierYearPrompt =
    QStringLiteral("Вы открывали файл, созданный в ПО прошлых лет. Сохранить его можно только в новом формате, "
                   "однако файл в новом формате с таким названием уже существует Перезаписать его?");

const QString ChangedFilePrompt =
    QStringLiteral("Файл %1 изменен другой программой или другим окном после того, как был открыт или сохранен "
                   "в этом окне.\nЗаменить его декларацией из этого окна? То, что было записано в файл "
                   "другой программой, будет потеряно.\nЕсли ответить «Нет», файл останется как есть, а "
                   "декларация в этом окне не будет сохранена.");

// Chooses the files named in its lists, in order; an empty name is the user cancelling.
class ScriptedFileDialogs : public DeclarationFileDialogs {
public:
    QString chooseFileToOpen(QWidget*, const QString&) override
    {
        ++openCalls;
        return next(toOpen);
    }
    QString chooseFileToSave(QWidget*, const QString& suggestedFile) override
    {
        saveSuggestions.push_back(suggestedFile);
        return next(toSave);
    }
    QString chooseFolder(QWidget*, const QString&) override
    {
        ADD_FAILURE() << "a folder chooser nobody expected";
        return {};
    }

    std::deque<QString> toOpen;
    std::deque<QString> toSave;
    int openCalls = 0;
    std::vector<QString> saveSuggestions;

private:
    static QString next(std::deque<QString>& names)
    {
        if (names.empty()) {
            ADD_FAILURE() << "a file dialog nobody expected";
            return {};
        }
        QString name = names.front();
        names.pop_front();
        return name;
    }
};

std::string encoded(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string officeInFile(const QString& path)
{
    mTDeclaration declaration;
    declaration.LoadFromFile(encoded(path));
    return declaration.TaxOfficeCode;
}

class DeclarationCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        MessageBox::setAnswerer([this](const MessageBox::Message& message) {
            asked.push_back(message);
            if (answers.empty()) {
                ADD_FAILURE() << "a message nobody expected: " << message.text.toStdString();
                return QMessageBox::Cancel;
            }
            const QMessageBox::StandardButton answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    void TearDown() override { MessageBox::setAnswerer({}); }

    std::unique_ptr<TFormMain> start(const QStringList& arguments = {})
    {
        auto window = std::make_unique<TFormMain>(arguments, folder.path() + u'/');
        auto scripted = std::make_unique<ScriptedFileDialogs>();
        dialogs = scripted.get();
        window->setFileDialogs(std::move(scripted));
        return window;
    }

    // An edit of the user's on the conditions page: the tax office changes.
    static void edit(TFormMain& window, const char* office)
    {
        auto* conditions = qobject_cast<TfrInitialData*>(window.currentPage());
        ASSERT_NE(conditions, nullptr);
        typeText(conditions->meInspection, QString::fromLatin1(office));
    }

    // The tax office the conditions page shows.
    static QString shownOffice(const TFormMain& window)
    {
        const auto* conditions = qobject_cast<const TfrInitialData*>(window.currentPage());
        return conditions ? conditions->meInspection->text() : QString();
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    // This year's declaration file with a tax office and three income kinds.
    QString savedDeclaration(const QString& name, const char* office)
    {
        mTDeclaration declaration;
        declaration.TaxOfficeCode = office;
        declaration.SetIncomeKinds(IncomeKindSources | IncomeKindForeign | IncomeKindTrata);
        declaration.SaveToFile(encoded(path(name)));
        return path(name);
    }

    // A declaration file of tax year 2020, whose layout of the personal data is this year's.
    QString earlierYearsFile(const QString& name, const char* surname)
    {
        mTPersonInformation person;
        person.Name.SurName = surname;
        std::string bytes;
        mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
        storage.CreateHeader("Forv2020");
        storage.WriteStreamName("@DeclInfo");
        storage.WriteString("7701"); // the tax office, which only a file of this year passes on
        person.Save(storage);
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
        return path(name);
    }

    QStringList filesInFolder() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir folder;
    ScriptedFileDialogs* dialogs = nullptr;
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<MessageBox::Message> asked;
};

TEST_F(DeclarationCommandsTest, NewOnAnUnchangedDeclarationAsksNothingAndSetsEverySectionButton)
{
    const auto window = start();
    window->declaration().SetIncomeKinds(IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);
    window->declaration().DeclarationType = DeclarationNonResident;
    window->updateSectionButtons();
    {
        ScriptedCheckAnswers leaving;
        leaving.answers = {CheckSkipAll};
        userClick(window->fbPrsonInfo);
    }
    ASSERT_FALSE(window->fbDeduction->isEnabled());

    window->CreateDoc->trigger();

    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(window->declaration().IncomeKinds(), IncomeKindSources);
    EXPECT_EQ(window->declaration().DeclarationType, DeclarationOrdinary);
    EXPECT_TRUE(window->fbRussianIncome->isEnabled());
    EXPECT_FALSE(window->fbForeignIncome->isEnabled());
    EXPECT_FALSE(window->fbBusinessIncome->isEnabled());
    EXPECT_TRUE(window->fbDeduction->isEnabled()) << "a resident's new declaration has deductions";
    EXPECT_FALSE(window->fbKudaTratit->isEnabled());
    EXPECT_EQ(window->pageHost().currentPageName(), QStringLiteral("TfrInitialData"));
    EXPECT_EQ(window->currentButton(), window->fbInitialData);
    EXPECT_TRUE(window->fbInitialData->isDown());
    EXPECT_FALSE(window->fbPrsonInfo->isDown());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Без имени - Форвета"));
    EXPECT_TRUE(window->isSaved());
}

// New, Open, closing the window and the end of the session offer to save a changed declaration first.
TEST_F(DeclarationCommandsTest, SavePromptOfNewOpenAndClose)
{
    enum class Command { New, Open, Close, EndSession };
    const auto commandName = [](Command command) {
        switch (command) {
        case Command::New:
            return "New";
        case Command::Open:
            return "Open";
        case Command::Close:
            return "close";
        case Command::EndSession:
            return "end of session";
        }
        return "";
    };
    const struct {
        const char* name;
        std::deque<QMessageBox::StandardButton> answers;
        std::deque<QString> toSave;
        bool proceeds;
        bool saved;
    } cases[] = {
        {"no", {QMessageBox::No}, {}, true, false},
        {"cancel", {QMessageBox::Cancel}, {}, false, false},
        {"yes, saved", {QMessageBox::Yes}, {"a.fv1"}, true, true},
        {"yes, save dialog cancelled", {QMessageBox::Yes}, {""}, false, false},
    };
    const QString other = savedDeclaration(QStringLiteral("other.fv1"), "5000");

    for (const Command command : {Command::New, Command::Open, Command::Close, Command::EndSession}) {
        for (const auto& test : cases) {
            SCOPED_TRACE(std::string(test.name) + " on " + commandName(command));
            QFile::remove(path(QStringLiteral("a.fv1")));
            const auto window = start();
            window->show();
            edit(*window, "7701");
            answers = test.answers;
            asked.clear();
            for (const QString& name : test.toSave)
                dialogs->toSave.push_back(name.isEmpty() ? name : path(name));

            bool closed = false;
            bool sessionMayEnd = false;
            switch (command) {
            case Command::New:
                window->CreateDoc->trigger();
                break;
            case Command::Open:
                dialogs->toOpen = {other};
                window->OpenDoc->trigger();
                break;
            case Command::Close:
                closed = window->close();
                break;
            case Command::EndSession:
                sessionMayEnd = window->mayEndSession();
                break;
            }

            ASSERT_FALSE(asked.empty());
            EXPECT_EQ(asked[0].text, SavePrompt);
            EXPECT_EQ(asked[0].caption, QStringLiteral("Форвета"));
            EXPECT_EQ(asked[0].icon, QMessageBox::Question);
            EXPECT_EQ(asked[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            EXPECT_TRUE(answers.empty() && dialogs->toSave.empty());

            EXPECT_EQ(QFile::exists(path(QStringLiteral("a.fv1"))), test.saved);
            if (test.saved) {
                EXPECT_EQ(officeInFile(path(QStringLiteral("a.fv1"))), "7701");
            }
            // The page shown hands over what the user typed.
            window->currentPage()->SaveData();
            switch (command) {
            case Command::New:
                EXPECT_EQ(window->declaration().TaxOfficeCode, test.proceeds ? "" : "7701");
                break;
            case Command::Open:
                EXPECT_EQ(window->declaration().TaxOfficeCode, test.proceeds ? "5000" : "7701");
                break;
            case Command::Close:
                EXPECT_EQ(closed, test.proceeds);
                EXPECT_EQ(window->isVisible(), !test.proceeds);
                break;
            case Command::EndSession:
                EXPECT_EQ(sessionMayEnd, test.proceeds);
                EXPECT_TRUE(window->isVisible());
                EXPECT_EQ(window->declaration().TaxOfficeCode, "7701");
                break;
            }
            if (!test.proceeds) {
                EXPECT_FALSE(window->isSaved()) << "the declaration is still to be saved";
            }
        }
    }
}

TEST_F(DeclarationCommandsTest, EndOfSessionWithAnUnchangedDeclarationAsksNothing)
{
    const auto window = start();
    EXPECT_TRUE(window->mayEndSession());
    EXPECT_TRUE(asked.empty());
}

TEST_F(DeclarationCommandsTest, SaveOfANewDeclarationAsksForANameUntilOneIsTaken)
{
    savedDeclaration(QStringLiteral("b.fv1"), "1111");
    const auto window = start();
    edit(*window, "7701");
    dialogs->toSave = {path(QStringLiteral("a.txt")), path(QStringLiteral("b.fv1")), path(QStringLiteral("c.FV1"))};
    answers = {QMessageBox::Ok, QMessageBox::No};

    EXPECT_TRUE(window->SaveDocExecute());

    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, QStringLiteral("Не пытайтесь поменять расширение файла"));
    EXPECT_EQ(asked[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(asked[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(asked[1].text, OverwritePrompt);
    EXPECT_EQ(asked[1].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(dialogs->saveSuggestions, std::vector<QString>(3));

    EXPECT_EQ(filesInFolder(), QStringList({"b.fv1", "c.FV1"}));
    EXPECT_EQ(officeInFile(path(QStringLiteral("b.fv1"))), "1111");
    EXPECT_EQ(officeInFile(path(QStringLiteral("c.FV1"))), "7701");
    EXPECT_EQ(window->fileName(), path(QStringLiteral("c.FV1")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("c.FV1 - Форвета"));
    EXPECT_TRUE(window->isSaved());

    // Its own file is saved again without a question.
    edit(*window, "2222");
    window->SaveDoc->trigger();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(dialogs->saveSuggestions.size(), 3u);
    EXPECT_EQ(officeInFile(path(QStringLiteral("c.FV1"))), "2222");
    EXPECT_TRUE(window->isSaved());
}

TEST_F(DeclarationCommandsTest, CancellingTheSaveDialogSavesNothing)
{
    const auto window = start();
    edit(*window, "7701");
    dialogs->toSave = {QString()};

    EXPECT_FALSE(window->SaveDocExecute());

    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(filesInFolder().isEmpty());
    EXPECT_TRUE(window->fileName().isEmpty());
    EXPECT_FALSE(window->isSaved());
}

TEST_F(DeclarationCommandsTest, SaveAs)
{
    const QString first = savedDeclaration(QStringLiteral("a.fv1"), "7701");
    const auto window = start({first});
    edit(*window, "2222");

    // Another extension: nothing saved, the old name kept.
    dialogs->toSave = {path(QStringLiteral("x.txt"))};
    answers = {QMessageBox::Ok};
    EXPECT_FALSE(window->SaveAsDocExecute());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("Не пытайтесь поменять расширение файла. Данные НЕ сохранены"));
    EXPECT_EQ(asked[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(dialogs->saveSuggestions.back(), first);
    EXPECT_EQ(window->fileName(), first);
    EXPECT_FALSE(window->isSaved());

    // A new name: the caption and later saves take it.
    dialogs->toSave = {path(QStringLiteral("b.fv1"))};
    EXPECT_TRUE(window->SaveAsDocExecute());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("b.fv1 - Форвета"));
    EXPECT_EQ(officeInFile(path(QStringLiteral("b.fv1"))), "2222");
    EXPECT_EQ(officeInFile(first), "7701");
    edit(*window, "3333");
    EXPECT_TRUE(window->SaveDocExecute());
    EXPECT_EQ(officeInFile(path(QStringLiteral("b.fv1"))), "3333");

    // An existing file is overwritten only when the user agrees.
    asked.clear();
    dialogs->toSave = {first};
    answers = {QMessageBox::No};
    EXPECT_FALSE(window->SaveAsDocExecute());
    EXPECT_EQ(officeInFile(first), "7701");
    EXPECT_EQ(window->fileName(), path(QStringLiteral("b.fv1")));
    dialogs->toSave = {first};
    answers = {QMessageBox::Yes};
    EXPECT_TRUE(window->SaveAsDocExecute());
    EXPECT_EQ(officeInFile(first), "3333");
    EXPECT_EQ(window->fileName(), first);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, OverwritePrompt);
    EXPECT_EQ(asked[1].text, OverwritePrompt);

    // Cancelled: nothing happens.
    dialogs->toSave = {QString()};
    EXPECT_FALSE(window->SaveAsDocExecute());
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(window->fileName(), first);
}

TEST_F(DeclarationCommandsTest, OpenShowsItsDialogFirstAndKeepsTheDeclarationOnFailure)
{
    const QString good = savedDeclaration(QStringLiteral("good.fv1"), "5000");
    const QString garbage = path(QStringLiteral("garbage.fv1"));
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("no declaration at all");
    }
    std::string modelMessage;
    try {
        mTDeclaration().LoadFromFile(encoded(garbage));
    } catch (const mEPrivBase& error) {
        modelMessage = error.what();
    }
    ASSERT_FALSE(modelMessage.empty());

    const auto window = start();
    edit(*window, "7701");

    // Cancelled: nothing is asked and nothing changes.
    dialogs->toOpen = {QString()};
    window->OpenDoc->trigger();
    EXPECT_EQ(dialogs->openCalls, 1);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(shownOffice(*window), QStringLiteral("7701"));
    EXPECT_FALSE(window->isSaved());

    // A file that cannot be loaded: its message, and the declaration stays as it was.
    TThinkingFrame* page = window->currentPage();
    dialogs->toOpen = {garbage};
    answers = {QMessageBox::No, QMessageBox::Ok};
    window->OpenDoc->trigger();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, SavePrompt);
    EXPECT_EQ(asked[1].icon, QMessageBox::Critical);
    EXPECT_EQ(asked[1].caption, QStringLiteral("Форвета"));
    EXPECT_EQ(asked[1].text, QString::fromStdString(modelMessage));
    EXPECT_EQ(shownOffice(*window), QStringLiteral("7701"));
    EXPECT_FALSE(window->isSaved());
    EXPECT_TRUE(window->fileName().isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Без имени - Форвета"));
    EXPECT_EQ(window->currentPage(), page);

    // A sound file.
    dialogs->toOpen = {good};
    answers = {QMessageBox::No};
    window->OpenDoc->trigger();
    EXPECT_EQ(window->declaration().TaxOfficeCode, "5000");
    EXPECT_EQ(window->fileName(), good);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("good.fv1 - Форвета"));
    EXPECT_TRUE(window->isSaved());
    EXPECT_TRUE(window->fbForeignIncome->isEnabled());
    EXPECT_TRUE(window->fbKudaTratit->isEnabled());
    EXPECT_FALSE(window->fbBusinessIncome->isEnabled());
    EXPECT_EQ(window->pageHost().currentPageName(), QStringLiteral("TfrInitialData"));
}

TEST_F(DeclarationCommandsTest, EarlierYearsFileGivesItsPersonalDataAndIsSavedAsThisYears)
{
    const QString old = earlierYearsFile(QStringLiteral("Петров 2020.fv0"), "Петров");
    const QByteArray oldBytes = contents(old);
    const auto window = start();

    dialogs->toOpen = {old};
    window->OpenDoc->trigger();

    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(window->declaration().Person.Name.SurName, "Петров");
    EXPECT_EQ(window->declaration().TaxOfficeCode, "") << "only the personal data is taken";
    EXPECT_EQ(window->declaration().IncomeKinds(), IncomeKindSources);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Петров 2020.fv0 - Форвета"));
    EXPECT_TRUE(window->isSaved());

    const QString renamed = path(QStringLiteral("Петров 2020.fv1"));
    dialogs->toSave = {QString()};
    EXPECT_FALSE(window->SaveAsDocExecute());
    EXPECT_EQ(dialogs->saveSuggestions.back(), renamed) << "Save As offers this year's extension";

    EXPECT_TRUE(window->SaveDocExecute());
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(contents(old), oldBytes);
    EXPECT_TRUE(isThisYearsDeclarationFile(renamed));
    mTDeclaration reread;
    reread.LoadFromFile(encoded(renamed));
    EXPECT_EQ(reread.Person.Name.SurName, "Петров");
    EXPECT_EQ(window->fileName(), renamed);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Петров 2020.fv1 - Форвета"));
}

TEST_F(DeclarationCommandsTest, SavingOverAFileOfTheNewNameAsksFirst)
{
    const QString old = earlierYearsFile(QStringLiteral("old.fv0"), "Петров");
    const QString present = savedDeclaration(QStringLiteral("old.fv1"), "1111");
    const auto window = start();
    dialogs->toOpen = {old};
    window->OpenDoc->trigger();

    answers = {QMessageBox::No};
    EXPECT_FALSE(window->SaveDocExecute());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, EarlierYearPrompt);
    EXPECT_EQ(asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(officeInFile(present), "1111");
    EXPECT_EQ(window->fileName(), old);

    answers = {QMessageBox::Yes};
    EXPECT_TRUE(window->SaveDocExecute());
    EXPECT_EQ(officeInFile(present), "");
    EXPECT_EQ(window->fileName(), present);
}

TEST_F(DeclarationCommandsTest, AnEarlierYearsFileWithThisYearsExtensionIsOverwrittenOnlyWhenTheUserAgrees)
{
    const QString old = earlierYearsFile(QStringLiteral("old.fv1"), "Петров");
    const QByteArray oldBytes = contents(old);
    const auto window = start({old});
    EXPECT_EQ(window->declaration().Person.Name.SurName, "Петров");

    answers = {QMessageBox::No};
    EXPECT_FALSE(window->SaveDocExecute());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, OverwritePrompt);
    EXPECT_EQ(contents(old), oldBytes);

    answers = {QMessageBox::Yes};
    EXPECT_TRUE(window->SaveDocExecute());
    EXPECT_TRUE(isThisYearsDeclarationFile(old));

    // Now it is this year's file: saved again without a question.
    EXPECT_TRUE(window->SaveDocExecute());
    EXPECT_EQ(asked.size(), 2u);
}

TEST_F(DeclarationCommandsTest, AFileOfAnotherExtensionKeepsItsNameAndGetsFv1Appended)
{
    const QString text = savedDeclaration(QStringLiteral("decl.txt"), "7701");
    const auto window = start({text});
    edit(*window, "2222");

    EXPECT_TRUE(window->SaveDocExecute());

    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(officeInFile(text), "7701");
    EXPECT_EQ(officeInFile(path(QStringLiteral("decl.txt.fv1"))), "2222");
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("decl.tx1"))));
    EXPECT_EQ(window->fileName(), path(QStringLiteral("decl.txt.fv1")));
}

TEST_F(DeclarationCommandsTest, AFailedSaveIsReportedAndStopsTheCommandThatAskedForIt)
{
    const auto window = start();
    edit(*window, "7701");
    const QString unreachable = path(QStringLiteral("missing folder/x.fv1"));

    dialogs->toSave = {unreachable};
    answers = {QMessageBox::Ok};
    EXPECT_FALSE(window->SaveAsDocExecute());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(asked[0].text.startsWith(QStringLiteral("Декларация не сохранена в файл ")
                                         + QDir::toNativeSeparators(unreachable)))
        << asked[0].text.toStdString();
    // A write failure with its reason, each on a line of its own.
    EXPECT_TRUE(asked[0].text.contains(QStringLiteral("\nОшибка записи файла: ")));
    EXPECT_TRUE(asked[0].text.contains(QStringLiteral("\nПричина: нет такого файла или папки.")));
    EXPECT_FALSE(asked[0].text.contains(u'\r'));
    EXPECT_FALSE(window->isSaved());
    EXPECT_TRUE(window->fileName().isEmpty());

    asked.clear();
    dialogs->toSave = {unreachable};
    answers = {QMessageBox::Yes, QMessageBox::Ok};
    window->CreateDoc->trigger();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(window->declaration().TaxOfficeCode, "7701") << "New does not discard what could not be saved";
    EXPECT_FALSE(window->isSaved());
}

// A FIFO given as a declaration is refused at once, with the reason.
TEST_F(DeclarationCommandsTest, OpeningAFifoFailsAtOnceWithItsReason)
{
    const QString fifo = path(QStringLiteral("pipe.fv1"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto window = start();

    dialogs->toOpen = {fifo};
    answers = {QMessageBox::Ok};
    window->OpenDoc->trigger();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].icon, QMessageBox::Critical);
    EXPECT_EQ(asked[0].text, QStringLiteral("Ошибка чтения файла: ") + fifo
                                 + QStringLiteral("\nВозможно он занят, или с признаком 'read only'"
                                                  "\nПричина: это не обычный файл, а канал или устройство."));
    EXPECT_TRUE(window->fileName().isEmpty());
}

// A page whose controls hold a tax office that only SaveData puts into the declaration.
class OfficePage : public TThinkingFrame {
public:
    using TThinkingFrame::TThinkingFrame;
    void SaveData() override { Declaration->TaxOfficeCode = "4242"; }
    std::uint16_t CheckData() override { return 0; }
    void FocusError(std::uint16_t) override {}
};

TEST_F(DeclarationCommandsTest, SaveTakesThePagesDataFirst)
{
    const auto window = start();
    window->pageHost().show(QStringLiteral("TfrInitialData"), [](QWidget* owner, DeclarationSlot& declaration) {
        return new OfficePage(owner, declaration);
    });
    dialogs->toSave = {path(QStringLiteral("a.fv1"))};
    EXPECT_TRUE(window->SaveDocExecute());
    EXPECT_EQ(officeInFile(path(QStringLiteral("a.fv1"))), "4242");
}

// Two windows on one file: the later save asks before it overwrites what the other saved, and
// "Нет" keeps both the file and the window's work. A window's own saves never ask.
TEST_F(DeclarationCommandsTest, ASaveOverAFileChangedSinceItWasOpenedAsksFirst)
{
    const struct {
        const char* name;
        QMessageBox::StandardButton answer;
    } cases[] = {{"no", QMessageBox::No}, {"yes", QMessageBox::Yes}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = savedDeclaration(QStringLiteral("shared.fv1"), "5000");
        MessageAnswers answered(c.answer);
        const auto first = start({file});
        const auto second = start({file});
        ASSERT_EQ(first->fileName(), file);
        ASSERT_EQ(second->fileName(), file);

        edit(*first, "7701");
        EXPECT_TRUE(first->SaveDocExecute());
        edit(*first, "7711");
        EXPECT_TRUE(first->SaveDocExecute());
        EXPECT_TRUE(answered.texts.isEmpty()) << answered.texts.join(u'|').toStdString();
        EXPECT_EQ(officeInFile(file), "7711");

        edit(*second, "7702");
        const bool saved = second->SaveDocExecute();
        ASSERT_EQ(answered.texts.size(), 1);
        EXPECT_EQ(answered.texts[0], ChangedFilePrompt.arg(QDir::toNativeSeparators(file)));
        if (c.answer == QMessageBox::No) {
            EXPECT_FALSE(saved);
            EXPECT_EQ(officeInFile(file), "7711");
            EXPECT_FALSE(second->isSaved());
            EXPECT_EQ(shownOffice(*second), QStringLiteral("7702"));
            EXPECT_EQ(second->declaration().TaxOfficeCode, "7702");
        } else {
            EXPECT_TRUE(saved);
            EXPECT_EQ(officeInFile(file), "7702");
            EXPECT_TRUE(second->isSaved());
            // Now the first window's knowledge is out of date, the second's is not.
            answered.texts.clear();
            edit(*second, "7703");
            EXPECT_TRUE(second->SaveDocExecute());
            EXPECT_TRUE(answered.texts.isEmpty());
            edit(*first, "7704");
            EXPECT_TRUE(first->SaveDocExecute());
            EXPECT_EQ(answered.texts.size(), 1);
            EXPECT_EQ(officeInFile(file), "7704");
        }
        EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("shared.fv1")});
    }
}

} // namespace
