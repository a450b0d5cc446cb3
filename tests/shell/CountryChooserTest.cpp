#include "controls/CountryChooser.h"

#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/MessageBox.h"
#include "controls/ReferenceDocument.h"
#include "shell/FormMain.h"

namespace {

// The directory as it ships with the program; the build copies it beside the program.
QString shippedDirectory()
{
    return QStringLiteral(FORV_SOURCE_TREE "/resources/Oksm.xml");
}

// xmllint reads the file on its own, as an independent judge of what the program parses.
QString xmllint(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xmllint"), arguments);
    EXPECT_TRUE(process.waitForFinished()) << "xmllint (libxml2-utils) is needed";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString xpath(const QString& expression)
{
    return xmllint({QStringLiteral("--xpath"), expression, shippedDirectory()});
}

const std::pair<const char*, const char*> SpotChecks[] = {
    {"643", "РОССИЯ"},
    {"840", "СОЕДИНЕННЫЕ ШТАТЫ"},
    {"276", "ГЕРМАНИЯ"},
    {"826", "СОЕДИНЕННОЕ КОРОЛЕВСТВО"},
    {"792", "ТУРЦИЯ"},
    {"895", "АБХАЗИЯ"},
    {"896", "ЮЖНАЯ ОСЕТИЯ"},
};
// 249 countries of ISO 3166-1, two the classifier adds, and the special entry.
constexpr int ShippedEntries = 252;

TEST(ShippedCountryDirectoryTest, IsWellFormedWindows1251WithTheClassifiersNames)
{
    QFile file(shippedDirectory());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << shippedDirectory().toStdString();
    EXPECT_TRUE(file.readLine().contains("encoding=\"windows-1251\""));
    xmllint({QStringLiteral("--noout"), shippedDirectory()});

    EXPECT_EQ(xpath(QStringLiteral("count(/*/*)")).toInt(), ShippedEntries);
    for (const auto& [code, name] : SpotChecks) {
        SCOPED_TRACE(code);
        EXPECT_EQ(xpath(QStringLiteral("string(/*/*[@Code='%1'])").arg(QLatin1String(code))), QString::fromUtf8(name));
        EXPECT_EQ(xpath(QStringLiteral("count(/*/*[@Code='%1'])").arg(QLatin1String(code))).toInt(), 1);
    }
    EXPECT_EQ(xpath(QStringLiteral("string(/*/*[last()]/@Code)")), QStringLiteral("999"));

    // Codes of three digits, ascending, so that every code names one row.
    const ReferenceElement root = readReferenceFile(shippedDirectory());
    ASSERT_EQ(int(root.children.size()), ShippedEntries);
    const QRegularExpression threeDigits(QStringLiteral("^[0-9]{3}$"));
    QString previous;
    for (const ReferenceElement& country : root.children) {
        const QString code = country.attribute(u"Code");
        SCOPED_TRACE(code.toStdString());
        EXPECT_TRUE(threeDigits.match(code).hasMatch());
        EXPECT_GT(code, previous);
        EXPECT_FALSE(country.text.isEmpty());
        previous = code;
    }
}

class CountryChooserStartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        MessageBox::setAnswerer([this](const MessageBox::Message& message) {
            messages.push_back(message.text);
            return QMessageBox::Ok;
        });
    }
    void TearDown() override { MessageBox::setAnswerer({}); }

    std::unique_ptr<TFormMain> start() { return std::make_unique<TFormMain>(QStringList(), folder.path() + u'/'); }
    QString oksm() const { return folder.filePath(QStringLiteral("Oksm.xml")); }

    QTemporaryDir folder;
    std::vector<QString> messages;
};

TEST_F(CountryChooserStartTest, DirectoryInTheProgramFolderGivesThePickerForTheWholeRun)
{
    ASSERT_TRUE(QFile::copy(shippedDirectory(), oksm()));
    auto window = start();

    TfmGrazhd* picker = window->countryChooser();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(programContext()->countryChooser(), picker);
    EXPECT_EQ(picker->parentWidget(), window.get());
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(picker->lvGrazhd->topLevelItemCount(), ShippedEntries);
    for (const auto& [code, name] : SpotChecks) {
        SCOPED_TRACE(code);
        picker->SelectByCode(QLatin1String(code));
        EXPECT_EQ(picker->FName(), QString::fromUtf8(name));
    }
    EXPECT_TRUE(messages.empty());

    const QPointer<TfmGrazhd> kept(picker);
    window.reset();
    EXPECT_TRUE(kept.isNull()) << "the window frees its picker";
}

TEST_F(CountryChooserStartTest, WithoutAReadableDirectoryThereIsNoPicker)
{
    const struct {
        const char* name;
        const char* content; // nullptr: no file
        std::size_t messages;
    } cases[] = {
        {"missing", nullptr, 0},
        {"damaged", "<Oksm><Country Code=\"643\">", 1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        QFile::remove(oksm());
        if (test.content) {
            QFile file(oksm());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(test.content);
        }
        messages.clear();

        const auto window = start();

        EXPECT_EQ(window->countryChooser(), nullptr);
        EXPECT_EQ(window->findChild<TfmGrazhd*>(), nullptr);
        EXPECT_EQ(messages.size(), test.messages);
        EXPECT_NE(window->currentPage(), nullptr) << "the program runs on";
    }
}

} // namespace
