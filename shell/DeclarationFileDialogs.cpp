#include "shell/DeclarationFileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

// Files of this year and of the earlier years whose personal data can be taken over. Windows
// machines may have written the extension in capitals.
QStringList openFilters()
{
    const auto filter = [](const QString& title, const QString& extension) {
        return QStringLiteral("%1 (*.%2 *.%3)").arg(title, extension, extension.toUpper());
    };
    QStringList filters{filter(QStringLiteral("Форвета"), QStringLiteral("fv1"))};
    for (int year = 2020; year >= 2012; --year)
        filters << filter(QStringLiteral("Форвета %1").arg(year), QStringLiteral("fv%1").arg(year % 10));
    filters << filter(QStringLiteral("Форвета 200*"), QStringLiteral("fvl"));
    return filters;
}

// The toolkit's own dialog rather than the desktop's, so that it speaks Russian everywhere.
void prepare(QFileDialog& dialog, QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode,
             const QString& acceptText)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    dialog.setDefaultSuffix(QStringLiteral("fv1"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Имя файла:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Тип файлов:"));
    dialog.setLabelText(QFileDialog::Accept, acceptText);
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
}

QString chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

QString QtDeclarationFileDialogs::chooseFileToOpen(QWidget* parent, const QString& currentFile)
{
    QFileDialog dialog(parent, QStringLiteral("Открыть"));
    prepare(dialog, QFileDialog::AcceptOpen, QFileDialog::ExistingFile, QStringLiteral("Открыть"));
    dialog.setNameFilters(openFilters());
    if (!currentFile.isEmpty())
        dialog.setDirectory(QFileInfo(currentFile).absolutePath());
    return chosenFile(dialog);
}

QString QtDeclarationFileDialogs::chooseFileToSave(QWidget* parent, const QString& suggestedFile)
{
    QFileDialog dialog(parent, QStringLiteral("Сохранить как"));
    prepare(dialog, QFileDialog::AcceptSave, QFileDialog::AnyFile, QStringLiteral("Сохранить"));
    // The program asks about overwriting itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(QStringLiteral("Форвета (*.fv1 *.FV1)"));
    if (!suggestedFile.isEmpty())
        dialog.selectFile(suggestedFile);
    return chosenFile(dialog);
}

QString QtDeclarationFileDialogs::chooseFolder(QWidget* parent, const QString& caption)
{
    QFileDialog dialog(parent, caption);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Папка:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Тип файлов:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Выбрать"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
    return chosenFile(dialog);
}
