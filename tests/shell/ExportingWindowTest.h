#pragma once

#include <memory>
#include <vector>

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "controls/MessageBox.h"
#include "shell/FormMain.h"
#include "tests/shell/ScriptedFolderChooser.h"

// The main window over an empty program folder, with a folder to export into that the test hands
// to the scripted folder chooser. The window's messages are answered "OK" and kept.
class ExportingWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programFolder.isValid());
        ASSERT_TRUE(exportFolder.isValid());
        MessageBox::setAnswerer([this](const MessageBox::Message& message) {
            messages.push_back(message);
            return QMessageBox::Ok;
        });
        window = std::make_unique<TFormMain>(QStringList(), programFolder.path() + u'/');
        auto chooser = std::make_unique<ScriptedFolderChooser>();
        folders = chooser.get();
        window->setFileDialogs(std::move(chooser));
    }
    void TearDown() override
    {
        window.reset();
        MessageBox::setAnswerer({});
    }

    QTemporaryDir programFolder;
    QTemporaryDir exportFolder;
    std::unique_ptr<TFormMain> window;
    ScriptedFolderChooser* folders = nullptr;
    std::vector<MessageBox::Message> messages;
};
