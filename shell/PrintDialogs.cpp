#include "shell/PrintDialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "controls/MessageBox.h"

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
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Программа печати"), current);
}
