#pragma once

#include <deque>
#include <vector>

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include "shell/DeclarationFileDialogs.h"

// Picks the folders in its list, in order; an empty name is the user cancelling. Notes whether
// the main window took commands while the chooser was open.
class ScriptedFolderChooser : public DeclarationFileDialogs {
public:
    QString chooseFileToOpen(QWidget*, const QString&) override { return unexpected("open"); }
    QString chooseFileToSave(QWidget*, const QString&) override { return unexpected("save"); }
    QString chooseFolder(QWidget* parent, const QString& caption) override
    {
        captions.push_back(caption);
        windowEnabled.push_back(parent->isEnabled());
        if (folders.empty())
            return unexpected("folder");
        QString folder = folders.front();
        folders.pop_front();
        return folder;
    }

    std::deque<QString> folders;
    std::vector<QString> captions;
    std::vector<bool> windowEnabled;

private:
    static QString unexpected(const char* chooser)
    {
        ADD_FAILURE() << "a " << chooser << " chooser nobody expected";
        return {};
    }
};
