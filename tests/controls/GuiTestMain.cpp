#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "controls/RadioGroupTabbing.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

std::string settingsFolderPath;

// Runs at exit after the destructors of every static made during the tests, so that a settings
// object kept in a static, which writes its file once more as it goes, leaves nothing behind.
void removeSettingsFolder()
{
    std::error_code ignored;
    if (!settingsFolderPath.empty())
        std::filesystem::remove_all(settingsFolderPath, ignored);
}

} // namespace

// The widget tests run headless, and no test reads or writes the user's real settings.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The keyboard as the program has it.
    installRadioGroupTabbing(application);

    QTemporaryDir settingsFolder;
    if (!settingsFolder.isValid())
        return 2;
    settingsFolderPath = settingsFolder.path().toStdString();
    std::atexit(removeSettingsFolder);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
