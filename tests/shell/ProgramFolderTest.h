#pragma once

#include <vector>

#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "controls/MessageBox.h"

// A test over an empty program folder, as at the program's first start: no settings stored, and
// every message box answered "OK" and kept.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        clearSettings();
        MessageBox::setAnswerer([this](const MessageBox::Message& message) {
            messages.push_back(message);
            return QMessageBox::Ok;
        });
    }
    // A fixture that owns a window closes it first: closing may still show a message.
    void TearDown() override
    {
        MessageBox::setAnswerer({});
        clearSettings();
    }

    QString programFolder() const { return folder.path() + u'/'; }

    QTemporaryDir folder;
    std::vector<MessageBox::Message> messages;

private:
    static void clearSettings() { QSettings(QStringLiteral("ORVEX"), QStringLiteral("Форвета")).clear(); }
};
