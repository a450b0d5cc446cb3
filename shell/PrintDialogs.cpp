#include "shell/PrintDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "controls/MessageBox.h"
#include "shell/DeclarationFileDialogs.h"

std::optional<PrintChoice> QtPrintDialogs::choosePrinter(QWidget* parent)
{
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        MessageBox::show(parent, QMessageBox::Warning, QStringLiteral("Форвета"),
                         QStringLiteral("В системе не установлено ни одного принтера."));
        return std::nullopt;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    // The print server prints on a printer by its name; a file or a part of the form it cannot.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted || printer.printerName().isEmpty())
        return std::nullopt;
    return PrintChoice{printer.printerName(), printer.copyCount()};
}

QString QtPrintDialogs::choosePrintProgram(QWidget* parent, const QString& current)
{
    QFileDialog dialog(parent, QStringLiteral("Программа печати"));
    speakRussian(dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Выбрать"));
    // The program set now is offered first; without one the dialog starts where the declaration
    // files do, not in the folder the program was started from.
    dialog.setDirectory(current.isEmpty() ? fileDialogFolder(parent) : fileDialogFolder(current));
    if (!current.isEmpty())
        dialog.selectFile(QFileInfo(current).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
