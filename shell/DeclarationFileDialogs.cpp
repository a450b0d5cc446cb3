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

void setRussianLabels(QFileDialog& dialog, const QString& acceptText)
{
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
    // The toolkit's own dialog, so that it speaks Russian on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(openFilters());
    dialog.setDefaultSuffix(QStringLiteral("fv1"));
    if (!currentFile.isEmpty())
        dialog.setDirectory(QFileInfo(currentFile).absolutePath());
    setRussianLabels(dialog, QStringLiteral("Открыть"));
    return chosenFile(dialog);
}

QString QtDeclarationFileDialogs::chooseFileToSave(QWidget* parent, const QString& suggestedFile)
{
    QFileDialog dialog(parent, QStringLiteral("Сохранить как"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    // The program asks about overwriting itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Форвета (*.fv1 *.FV1)"));
    dialog.setDefaultSuffix(QStringLiteral("fv1"));
    if (!suggestedFile.isEmpty())
        dialog.selectFile(suggestedFile);
    setRussianLabels(dialog, QStringLiteral("Сохранить"));
    return chosenFile(dialog);
}
