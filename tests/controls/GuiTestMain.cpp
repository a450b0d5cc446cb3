#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The widget tests run headless, and no test reads or writes the user's real settings.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QTemporaryDir settingsFolder;
    if (!settingsFolder.isValid())
        return 2;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
