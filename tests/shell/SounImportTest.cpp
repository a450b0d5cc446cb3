#include "shell/SounImport.h"

#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include "controls/MessageBox.h"
#include "controls/ReferenceDocument.h"
#include "shell/InspectionDirectory.h"
#include "shell/SounDbf.h"
#include "shell/WebLinks.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/SounDbfBuilder.h"

namespace {

class SounImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        MessageBox::setAnswerer([this](const MessageBox::Message& message) {
            messages.push_back(message.text);
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        MessageBox::setAnswerer({});
        setWebLinkOpener({});
    }

    QString programFolder() const { return folder.path() + u'/'; }
    QString directory() const { return folder.filePath(QStringLiteral("InspectionNumbers.xml")); }
    QString classifier(const QByteArray& bytes)
    {
        const QString path = folder.filePath(QStringLiteral("soun1.dbf"));
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    static QByteArray goodClassifier()
    {
        soun::Record second;
        second.code = "7702";
        second.name = soun::dos("Инспекция ФНС № 2 по г.Москве");
        soun::Record closed = second;
        closed.code = "7703";
        closed.flag = "0";
        return soun::file({soun::Record{}, closed, second});
    }
    // The directory files left in the program folder, temporary ones included.
    QStringList directoryFiles() const
    {
        return QDir(folder.path()).entryList({QStringLiteral("*Inspection*")}, QDir::Files | QDir::Hidden);
    }

    QTemporaryDir folder;
    std::vector<QString> messages;
};

TEST_F(SounImportTest, ImportWritesTheCurrentOfficesAsTheDirectory)
{
    ImportSounDbf(classifier(goodClassifier()), directory(), QStringLiteral("00"), QStringLiteral("09.02.2022"));

    const ReferenceElement root = readReferenceFile(directory());
    EXPECT_EQ(root.attribute(u"Version"), QStringLiteral("00"));
    EXPECT_EQ(root.attribute(u"Date"), QStringLiteral("09.02.2022"));
    EXPECT_EQ(inspectionsOf(root), (std::vector<Inspection>{{"7701", "Инспекция Федеральной налоговой службы № 1 по г.Москве"},
                                                            {"7702", "Инспекция ФНС № 2 по г.Москве"}}));
    EXPECT_EQ(runCommand("xmllint --noout " + quoted(directory()) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
}

TEST_F(SounImportTest, AFailedImportKeepsTheOldDirectory)
{
    const QByteArray old = inspectionDirectoryXml({"00", "01.07.2019", {{"0101", "Адыгея"}}});
    ASSERT_TRUE(writeBytes(directory(), old));
    soun::Options pastTheEnd;
    pastTheEnd.statedCount = 4;

    EXPECT_THROW(ImportSounDbf(classifier(soun::file({soun::Record{}}, pastTheEnd)), directory(), "00", "09.02.2022"),
                 SounFileError);
    EXPECT_EQ(fileBytes(directory()), old);
    EXPECT_EQ(directoryFiles(), QStringList{"InspectionNumbers.xml"});
}

TEST_F(SounImportTest, DialogExplainsTheImport)
{
    TestProgramContext context(programFolder(), nullptr);
    TfmLoadSoun dialog(nullptr, programFolder());

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Загрузка СОУН"));
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const char* text : {"Инспекция может отсутствовать в справочнике по двум причинам:",
                             "- у инспекции изменился код и название;", "- справочник устарел.",
                             "Возможны два пути решения проблемы: простой и более сложный.",
                             "Простой: отредактировать справочник вручную. Как это сделать, ", "Сложный:",
                             "- извлечь из скачанного архива SOUN_DBF.ARJ файл soun1.dbf;",
                             "- указать путь к файлу soun1.dbf и обновить справочник;",
                             "- перезапустить программу \"Форвета\"."}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    }
    EXPECT_EQ(texts.size(), 11);
    EXPECT_TRUE(dialog.lbDownloadLink->text().contains(
        QStringLiteral("- скачать с сайта www.nalog.gov.ru актуальный справочник СОУН;")));
    EXPECT_TRUE(dialog.edSoun1->isReadOnly());
    EXPECT_EQ(dialog.Button4->text(), QStringLiteral("..."));
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("Импорт СОУН"));
    EXPECT_EQ(dialog.BitBtn1->text(), QStringLiteral("OK"));
    EXPECT_FALSE(dialog.Button1->isEnabled());
    EXPECT_TRUE(dialog.BitBtn1->isEnabled());
    EXPECT_TRUE(dialog.BitBtn1->isDefault());
}

TEST_F(SounImportTest, DialogImportsTheChosenFileIntoTheProgramFolder)
{
    TestProgramContext context(programFolder(), nullptr);
    TfmLoadSoun dialog(nullptr, programFolder());
    const QString source = classifier(goodClassifier());
    QString startFolder;
    dialog.chooseSourceFile = [&](QWidget*, const QString& folder) {
        startFolder = folder;
        return source;
    };

    dialog.Button4->click();
    EXPECT_EQ(startFolder, QDir::homePath()) << "no declaration is open: not the program folder";
    EXPECT_EQ(dialog.edSoun1->text(), source);
    EXPECT_TRUE(dialog.Button1->isEnabled());
    EXPECT_FALSE(dialog.BitBtn1->isEnabled());

    dialog.Button1->click();
    EXPECT_EQ(messages, std::vector<QString>{"Данные успешно импортированы. Не забудьте перезапустить программу."});
    EXPECT_TRUE(dialog.BitBtn1->isEnabled());
    const ReferenceElement root = readReferenceFile(directory());
    EXPECT_EQ(root.attribute(u"Version"), QStringLiteral("00"));
    EXPECT_EQ(root.attribute(u"Date"), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    EXPECT_EQ(inspectionsOf(root).size(), 2u);
}

TEST_F(SounImportTest, DialogReportsWhyTheImportFailed)
{
    TestProgramContext context(programFolder(), nullptr);
    const QByteArray old = inspectionDirectoryXml({"00", "01.07.2019", {{"0101", "Адыгея"}}});
    ASSERT_TRUE(writeBytes(directory(), old));
    TfmLoadSoun dialog(nullptr, programFolder());
    const QString source = classifier(goodClassifier().left(100));
    dialog.chooseSourceFile = [&](QWidget*, const QString&) { return source; };

    dialog.Button4->click();
    dialog.Button1->click();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Импортировать данные не удалось\nФайл ") + source)) << messages[0].toStdString();
    EXPECT_EQ(fileBytes(directory()), old);
}

TEST_F(SounImportTest, DialogAsksForAFileWhenNoneWasChosen)
{
    TestProgramContext context(programFolder(), nullptr);
    TfmLoadSoun dialog(nullptr, programFolder());
    dialog.chooseSourceFile = [](QWidget*, const QString&) { return QString(); };

    dialog.Button4->click();
    EXPECT_TRUE(dialog.Button1->isEnabled());
    dialog.Button1->click();

    EXPECT_EQ(messages, std::vector<QString>{"Укажите путь к файлу soun1.dbf"});
    EXPECT_FALSE(QFileInfo::exists(directory()));
}

TEST_F(SounImportTest, EscClosesTheDialogAndImportsNothing)
{
    TestProgramContext context(programFolder(), nullptr);
    TfmLoadSoun dialog(nullptr, programFolder());
    const QString source = classifier(goodClassifier());
    dialog.chooseSourceFile = [&](QWidget*, const QString&) { return source; };
    dialog.show();
    dialog.Button4->click();

    QTest::keyClick(dialog.edSoun1, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(QFileInfo::exists(directory()));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SounImportTest, DownloadLinkOpensTheClassifierSite)
{
    TestProgramContext context(programFolder(), nullptr);
    TfmLoadSoun dialog(nullptr, programFolder());
    std::vector<QUrl> opened;
    bool browserStarts = true;
    setWebLinkOpener([&](const QUrl& address) {
        opened.push_back(address);
        return browserStarts;
    });

    emit dialog.lbDownloadLink->linkActivated(QStringLiteral("link"));
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl(QStringLiteral("https://www.nalog.gov.ru/"))});
    EXPECT_TRUE(messages.empty());

    browserStarts = false;
    emit dialog.lbDownloadLink->linkActivated(QStringLiteral("link"));
    EXPECT_EQ(messages, std::vector<QString>{"Не удалось запустить браузер"});
}

TEST_F(SounImportTest, HelpLinkIsDisabledWithoutAViewerAndOpensTheTopicWithOne)
{
    {
        TestProgramContext context(programFolder(), nullptr);
        TfmLoadSoun dialog(nullptr, programFolder());
        EXPECT_FALSE(dialog.lbHelpLink->isEnabled());
        EXPECT_EQ(dialog.lbHelpLink->text(), QStringLiteral("подробно расписано в Справке"));
        EXPECT_TRUE(dialog.lbHelpLink->toolTip().startsWith(QStringLiteral("Справка недоступна")));
    }
    RecordingHelpViewer viewer;
    TestProgramContext context(programFolder(), &viewer);
    TfmLoadSoun dialog(nullptr, programFolder());
    EXPECT_TRUE(dialog.lbHelpLink->isEnabled());

    emit dialog.lbHelpLink->linkActivated(QStringLiteral("link"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(viewer.topics, std::vector<QString>{"EditSOUN.htm"});
}

} // namespace
