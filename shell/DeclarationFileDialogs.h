#pragma once

#include <QString>

class QWidget;

// The choosers of declaration files and of the folder the exchange file goes to. The main window
// asks through this so that tests can answer for the user.
class DeclarationFileDialogs {
public:
    virtual ~DeclarationFileDialogs() = default;

    // The declaration file to open, of this year or of an earlier one; empty when the user
    // cancelled. `currentFile` (may be empty) names the folder to start in.
    virtual QString chooseFileToOpen(QWidget* parent, const QString& currentFile) = 0;
    // The name to save the declaration under; empty when the user cancelled. `suggestedFile` (may
    // be empty) is offered first; a name typed without an extension gets ".fv1". Whether to
    // overwrite an existing file is not asked here.
    virtual QString chooseFileToSave(QWidget* parent, const QString& suggestedFile) = 0;
    // An existing folder to write into; empty when the user cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& caption) = 0;
};

// The toolkit's own file dialogs, in Russian.
class QtDeclarationFileDialogs : public DeclarationFileDialogs {
public:
    QString chooseFileToOpen(QWidget* parent, const QString& currentFile) override;
    QString chooseFileToSave(QWidget* parent, const QString& suggestedFile) override;
    QString chooseFolder(QWidget* parent, const QString& caption) override;
};
