#include "shell/ProgramSettings.h"

#include <QDir>
#include <QFile>
#include <QRect>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

// The test program keeps the user's settings in a scratch folder of its own.
class ProgramSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { stored().clear(); }
    void TearDown() override { stored().clear(); }

    static QSettings& stored()
    {
        static QSettings settings(QStringLiteral("ORVEX"), QStringLiteral("Форвета"));
        settings.sync();
        return settings;
    }
};

TEST_F(ProgramSettingsTest, MissingValuesShowTheBarWithCaptions)
{
    const ProgramSettings settings;
    EXPECT_TRUE(settings.showStdToolbar());
    EXPECT_TRUE(settings.textLabels());
}

TEST_F(ProgramSettingsTest, StoredValuesAreReadBack)
{
    const struct {
        const char* name;
        bool toolbar;
        bool labels;
    } cases[] = {{"both off", false, false}, {"bar only", true, false}, {"captions only", false, true}, {"both on", true, true}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ProgramSettings writer;
        ASSERT_TRUE(writer.setShowStdToolbar(test.toolbar));
        ASSERT_TRUE(writer.setTextLabels(test.labels));

        const ProgramSettings reader;
        EXPECT_EQ(reader.showStdToolbar(), test.toolbar);
        EXPECT_EQ(reader.textLabels(), test.labels);
        EXPECT_EQ(stored().value(QStringLiteral("ShowStdToolbar")).toInt(), test.toolbar ? 1 : 0);
        EXPECT_EQ(stored().value(QStringLiteral("TextLabels")).toInt(), test.labels ? 1 : 0);
    }
}

TEST_F(ProgramSettingsTest, AnyNonZeroNumberIsOnAndAnythingElseIsTheDefault)
{
    stored().setValue(QStringLiteral("ShowStdToolbar"), 7);
    stored().setValue(QStringLiteral("TextLabels"), QStringLiteral("нет"));
    stored().sync();
    const ProgramSettings settings;
    EXPECT_TRUE(settings.showStdToolbar());
    EXPECT_TRUE(settings.textLabels());
}

TEST_F(ProgramSettingsTest, ThePrintProgramIsKeptAsItsPath)
{
    EXPECT_EQ(ProgramSettings().printProgram(), QString());
    for (const QString& program : {QStringLiteral("/opt/Мирдал 3/bin/print-server"), QString()}) {
        ASSERT_TRUE(ProgramSettings().setPrintProgram(program));
        EXPECT_EQ(ProgramSettings().printProgram(), program);
        EXPECT_EQ(stored().value(QStringLiteral("PrintProgram")).toString(), program);
    }
}

TEST_F(ProgramSettingsTest, WindowPlacementIsWritten)
{
    ProgramSettings settings;
    ASSERT_TRUE(settings.setWindowPlacement(true, QRect(12, 34, 1014, 693)));
    EXPECT_EQ(stored().value(QStringLiteral("FullScreen")).toInt(), 1);
    EXPECT_EQ(stored().value(QStringLiteral("wLeft")).toInt(), 12);
    EXPECT_EQ(stored().value(QStringLiteral("wTop")).toInt(), 34);
    EXPECT_EQ(stored().value(QStringLiteral("wWidth")).toInt(), 1014);
    EXPECT_EQ(stored().value(QStringLiteral("wHeight")).toInt(), 693);
}

TEST_F(ProgramSettingsTest, SettingsThatCannotBeWrittenReportIt)
{
    // A folder where the settings file belongs can be neither read nor written, even by root.
    const QString path = stored().fileName();
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path));

    ProgramSettings settings;
    EXPECT_FALSE(settings.setTextLabels(false));
    EXPECT_FALSE(settings.setWindowPlacement(false, QRect(0, 0, 800, 600)));
    EXPECT_FALSE(settings.setPrintProgram(QStringLiteral("/usr/bin/true")));
    EXPECT_TRUE(ProgramSettings().textLabels());

    QDir(path).removeRecursively();
}

} // namespace
