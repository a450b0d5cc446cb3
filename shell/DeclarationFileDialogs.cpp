#include "shell/DeclarationFileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QStringList>

#include "computation/TaxYearFigures.h"
#include "shell/FormMain.h"

namespace {

// Files of this year and of the earlier years whose personal data can be taken over. Windows
// machines may have written the extension in capitals.
QStringList openFilters()
{
    const auto filter = [](const QString& title, const QString& extension) {
        return QStringLiteral("%1 (*.%2 *.%3)").arg(title, extension, extension.toUpper());
    };
    QStringList filters{filter(QStringLiteral("Форвета"), QStringLiteral("fv1"))};
    // The programs of the earlier years, each with a file extension of its own.
    for (int year = TaxYear - 1; year >= 2012; --year)
        filters << filter(QStringLiteral("Форвета %1").arg(year), QStringLiteral("fv%1").arg(year % 10));
    filters << filter(QStringLiteral("Форвета 200*"), QStringLiteral("fvl"));
    return filters;
}

// The toolkit's translations leave the type column of its file list in English ("Folder",
// "fv1 File").
class RussianFileTypes : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override
    {
        if (info.isRoot())
            return QStringLiteral("Диск");
        if (info.isDir())
            return QStringLiteral("Папка");
        if (info.suffix().isEmpty())
            return QStringLiteral("Файл");
        return QStringLiteral("Файл %1").arg(info.suffix());
    }
};

void prepare(QFileDialog& dialog, QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode,
             const QString& acceptText)
{
    speakRussian(dialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    dialog.setDefaultSuffix(QStringLiteral("fv1"));
    dialog.setLabelText(QFileDialog::Accept, acceptText);
}

QString chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

void speakRussian(QFileDialog& dialog)
{
    static RussianFileTypes fileTypes;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&fileTypes);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Имя файла:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Тип файлов:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Открыть"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
}

QString fileDialogFolder(const QString& declarationFile)
{
    if (!declarationFile.isEmpty()) {
        const QFileInfo folder(QFileInfo(declarationFile).absolutePath());
        if (folder.isDir())
            return folder.absoluteFilePath();
    }
    return QDir::homePath();
}

QString fileDialogFolder(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (const auto* mainWindow = qobject_cast<const TFormMain*>(widget))
            return fileDialogFolder(mainWindow->fileName());
    }
    return QDir::homePath();
}

QString QtDeclarationFileDialogs::chooseFileToOpen(QWidget* parent, const QString& currentFile)
{
    QFileDialog dialog(parent, QStringLiteral("Открыть"));
    prepare(dialog, QFileDialog::AcceptOpen, QFileDialog::ExistingFile, QStringLiteral("Открыть"));
    dialog.setNameFilters(openFilters());
    dialog.setDirectory(fileDialogFolder(currentFile));
    return chosenFile(dialog);
}

QString QtDeclarationFileDialogs::chooseFileToSave(QWidget* parent, const QString& suggestedFile)
{
    QFileDialog dialog(parent, QStringLiteral("Сохранить как"));
    prepare(dialog, QFileDialog::AcceptSave, QFileDialog::AnyFile, QStringLiteral("Сохранить"));
    // The program asks about overwriting itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(QStringLiteral("Форвета (*.fv1 *.FV1)"));
    dialog.setDirectory(suggestedFile.isEmpty() ? fileDialogFolder(parent) : fileDialogFolder(suggestedFile));
    if (!suggestedFile.isEmpty())
        dialog.selectFile(QFileInfo(suggestedFile).fileName());
    return chosenFile(dialog);
}

QString QtDeclarationFileDialogs::chooseFolder(QWidget* parent, const QString& caption)
{
    QFileDialog dialog(parent, caption);
    speakRussian(dialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Папка:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Выбрать"));
    dialog.setDirectory(fileDialogFolder(parent));
    return chosenFile(dialog);
}
