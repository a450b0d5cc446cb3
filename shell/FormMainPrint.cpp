// The main window's preview and print through the print server, and the choice of the program
// that serves as one.

#include <QDir>
#include <QFile>

#include "controls/MessageBox.h"
#include "export/ExchangeFile.h"
#include "shell/FormMain.h"
#include "shell/PrintDialogs.h"
#include "shell/PrintProgram.h"
#include "shell/ProgramSettings.h"
#include "shell/WindowDisabled.h"

namespace {

const QString ProductName = QStringLiteral("Форвета");
const QString TaxOfficeParameter = QStringLiteral("Наименование налогового органа-получателя");
const QString NoPrintServer = QStringLiteral(
    "Не найден модуль печати. Укажите программу печати в меню \"Настройки\", пункт \"Программа печати...\"");
const QString ExportFailed = QStringLiteral("Файл не сформирован, свяжитесь с разработчиками.");

} // namespace

void TFormMain::setPrintServerSource(PrintServerSource source)
{
    printServers_ = std::move(source);
}

void TFormMain::setPrintDialogs(std::unique_ptr<PrintDialogs> dialogs)
{
    printDialogs_ = std::move(dialogs);
}

void TFormMain::PreviewDocExecute()
{
    if (PrepareAndCheck() != 0)
        return;
    const WindowDisabled disabled(*this);
    PrintOrPreview(PrintMode::Preview);
}

void TFormMain::PrintDocExecute()
{
    if (PrepareAndCheck() != 0)
        return;
    const WindowDisabled disabled(*this);
    PrintOrPreview(PrintMode::Print);
}

QString TFormMain::receivingOfficeName() const
{
    const QString stored = QString::fromStdString(FDeclaration->TaxOfficeName);
    if (!stored.isEmpty())
        return stored;
    // A declaration saved before the office's name was kept with its code: the directory names it.
    return taxOfficeName(QString::fromStdString(FDeclaration->TaxOfficeCode)).value_or(QString());
}

void TFormMain::PrintOrPreview(PrintMode Mode)
{
    const std::unique_ptr<PrintServer> server = printServers_();
    if (!server) {
        MessageBox::show(this, QMessageBox::NoIcon, ProductName, NoPrintServer);
        return;
    }
    try {
        server->SetPrintTiffParam(TaxOfficeParameter, receivingOfficeName());
        server->setPrintTiffFolder(QDir::toNativeSeparators(programFolder_));
        const ExportResult xml =
            ExportDeclarationXml(QFile::encodeName(programFolder_).toStdString(), *FDeclaration, ExportMode::Text);
        // The user learns why nothing is shown or printed.
        if (!xml.ok) {
            MessageBox::show(this, QMessageBox::Critical, ProductName,
                             xml.error.empty() ? ExportFailed : QString::fromStdString(xml.error));
            return;
        }
        const QByteArray exchangeXml = QByteArray::fromStdString(xml.text);
        if (Mode == PrintMode::Preview) {
            server->PreviewData(exchangeXml, winId());
            return;
        }
        const std::optional<PrintChoice> choice = printDialogs_->choosePrinter(this);
        if (!choice)
            return;
        for (int copy = 0; copy < choice->copies; ++copy)
            server->PrintData(exchangeXml, QString(), choice->printerName, 0);
    } catch (const PrintServerCancelled&) {
        // The user ended the print program and knows it.
    } catch (const PrintServerError& error) {
        MessageBox::show(this, QMessageBox::NoIcon, ProductName, error.text());
    }
}

void TFormMain::ChoosePrintProgram()
{
    ProgramSettings settings;
    const QString chosen = printDialogs_->choosePrintProgram(this, settings.printProgram());
    if (chosen.isEmpty())
        return;
    if (!isRunnablePrintProgram(chosen)) {
        MessageBox::show(this, QMessageBox::Warning, ProductName,
                         QStringLiteral("Файл %1 не является программой, которую можно запустить. Программа печати "
                                        "не изменена.")
                             .arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    if (!settings.setPrintProgram(chosen))
        MessageBox::show(this, QMessageBox::Warning, ProductName,
                         QStringLiteral("Не удалось сохранить настройки программы. Программа печати не изменена."));
}
