#pragma once

#include <QString>

class QFileDialog;
class QWidget;

// The folder a file dialog starts in: that of `declarationFile` while it still exists, else the
// user's home folder, never the folder the program was started from.
QString fileDialogFolder(const QString& declarationFile);
// The same for the declaration open in the main window `widget` belongs to.
QString fileDialogFolder(const QWidget* widget);

// Makes `dialog` the toolkit's own file dialog rather than the desktop's, with Russian captions,
// buttons and file types whatever the toolkit's translations hold.
void speakRussian(QFileDialog& dialog);

// The choosers of declaration files and of the folder the exchange file goes to. The main window
// asks through this so that tests can answer for the user.
class DeclarationFileDialogs {
public:
    virtual ~DeclarationFileDialogs() = default;

    // The declaration file to open, of this year or of an earlier one; empty when the user
    // cancelled. Starts in the folder of `currentFile` (may be empty).
    virtual QString chooseFileToOpen(QWidget* parent, const QString& currentFile) = 0;
    // The name to save the declaration under; empty when the user cancelled. `suggestedFile` (may
    // be empty) is offered first; a name typed without an extension gets ".fv1". Whether to
    // overwrite an existing file is not asked here.
    virtual QString chooseFileToSave(QWidget* parent, const QString& suggestedFile) = 0;
    // An existing folder to write into, starting in that of the open declaration; empty when the
    // user cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& caption) = 0;
};

// The toolkit's own file dialogs, in Russian; Esc cancels them.
class QtDeclarationFileDialogs : public DeclarationFileDialogs {
public:
    QString chooseFileToOpen(QWidget* parent, const QString& currentFile) override;
    QString chooseFileToSave(QWidget* parent, const QString& suggestedFile) override;
    QString chooseFolder(QWidget* parent, const QString& caption) override;
};
