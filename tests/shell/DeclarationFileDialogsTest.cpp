#include "shell/DeclarationFileDialogs.h"

#include <functional>
#include <memory>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "controls/MessageBox.h"
#include "model/Declaration.h"
#include "shell/FormMain.h"
#include "shell/PrintDialogs.h"
#include "shell/SounImport.h"

namespace {

QString folderOf(const QString& file)
{
    return QFileInfo(file).absolutePath();
}

TEST(DeclarationFileDialogs, StartInTheDeclarationsFolderElseAtHome)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString declaration = folder.filePath(QStringLiteral("a.fv1"));
    QFile(declaration).open(QIODevice::WriteOnly);
    const struct {
        const char* name;
        QString declarationFile;
        QString expected;
    } cases[] = {
        {"no declaration file yet", QString(), QDir::homePath()},
        {"a declaration file", declaration, folder.path()},
        {"a declaration file deleted since", folder.filePath(QStringLiteral("gone.fv1")), folder.path()},
        {"a declaration in a folder removed since", folder.filePath(QStringLiteral("gone/b.fv1")), QDir::homePath()},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(fileDialogFolder(test.declarationFile), test.expected);
        EXPECT_NE(fileDialogFolder(test.declarationFile), QDir::currentPath());
    }
    EXPECT_EQ(fileDialogFolder(static_cast<const QWidget*>(nullptr)), QDir::homePath());
    QDialog lonely;
    EXPECT_EQ(fileDialogFolder(&lonely), QDir::homePath()) << "a dialog outside the main window";
}

// The main window with or without a declaration file open, and the file dialogs it opens.
class MainWindowFileDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programFolder.isValid());
        ASSERT_TRUE(declarationFolder.isValid());
        // The program is started from a folder of its own, which no dialog is to open in.
        previousWorkingFolder = QDir::currentPath();
        QDir::setCurrent(programFolder.path());
        MessageBox::setAnswerer([](const MessageBox::Message&) { return QMessageBox::Ok; });
    }
    void TearDown() override
    {
        MessageBox::setAnswerer({});
        QDir::setCurrent(previousWorkingFolder);
    }

    QString savedDeclaration()
    {
        const QString file = declarationFolder.filePath(QStringLiteral("ivanov.fv1"));
        mTDeclaration declaration;
        declaration.SaveToFile(QFile::encodeName(file).toStdString());
        return file;
    }

    std::unique_ptr<TFormMain> start(const QStringList& arguments)
    {
        return std::make_unique<TFormMain>(arguments, programFolder.path() + u'/');
    }

    // Runs `open`, which shows a file dialog modally, and cancels the dialog with Esc; the
    // folder the dialog showed when it appeared, empty when none appeared.
    QString folderShownThenEsc(const std::function<QString()>& open, QString& chosen)
    {
        QString shown;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            shown = dialog->directory().absolutePath();
            // The type column of the list, which the toolkit's translations leave in English.
            const QAbstractFileIconProvider* types = dialog->iconProvider();
            EXPECT_EQ(types->type(QFileInfo(declarationFolder.path())), QStringLiteral("Папка"));
            EXPECT_EQ(types->type(QFileInfo(declarationFolder.filePath(QStringLiteral("ivanov.fv1")))),
                      QStringLiteral("Файл fv1"));
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Escape);
        });
        poll.start(10);
        chosen = open();
        return shown;
    }

    QTemporaryDir programFolder;
    QTemporaryDir declarationFolder;
    QString previousWorkingFolder;
};

TEST_F(MainWindowFileDialogsTest, EveryFileDialogStartsInTheDeclarationsFolderElseAtHomeAndEscCancelsIt)
{
    const QString declaration = savedDeclaration();
    for (const bool withDeclaration : {false, true}) {
        SCOPED_TRACE(withDeclaration ? "a declaration file open" : "a new declaration");
        const auto window = start(withDeclaration ? QStringList{declaration} : QStringList{});
        ASSERT_EQ(window->fileName().isEmpty(), !withDeclaration);
        const QString expected = withDeclaration ? folderOf(declaration) : QDir::homePath();
        QtDeclarationFileDialogs dialogs;
        QtPrintDialogs printDialogs;
        TfmLoadSoun soun(window.get(), programFolder.path() + u'/');
        const struct {
            const char* name;
            std::function<QString()> open;
        } choosers[] = {
            {"open", [&] { return dialogs.chooseFileToOpen(window.get(), window->fileName()); }},
            {"save as", [&] { return dialogs.chooseFileToSave(window.get(), window->fileName()); }},
            {"save a new declaration", [&] { return dialogs.chooseFileToSave(window.get(), QString()); }},
            {"export folder", [&] { return dialogs.chooseFolder(window.get(), QStringLiteral("Форвета")); }},
            {"classifier of the tax offices", [&] {
                 soun.Button4->click();
                 return soun.edSoun1->text();
             }},
            {"print program", [&] { return printDialogs.choosePrintProgram(window.get(), QString()); }},
        };
        for (const auto& chooser : choosers) {
            SCOPED_TRACE(chooser.name);
            QString chosen = QStringLiteral("unchanged");
            EXPECT_EQ(folderShownThenEsc(chooser.open, chosen), expected);
            EXPECT_TRUE(chosen.isEmpty()) << "Esc is Отмена";
        }
        EXPECT_EQ(window->fileName(), withDeclaration ? declaration : QString()) << "nothing else changed";
    }
}

} // namespace
