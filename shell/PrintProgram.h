#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include "shell/PrintServer.h"

// The print server as an outside program, the one the settings name. Each call is one run of it:
// the call's name and its text parameters are the arguments, the exchange file goes to its
// standard input, and the call fails when the program does not start, crashes or exits with a
// code other than 0, with what it wrote to its standard error (UTF-8) as the failure's text.
class PrintProgram : public PrintServer {
public:
    explicit PrintProgram(QString program);

    void SetPrintTiffParam(const QString& name, const QString& value) override;
    void setPrintTiffFolder(const QString& folder) override;
    void PreviewData(const QByteArray& exchangeXml, WId owner) override;
    void PrintData(const QByteArray& exchangeXml, const QString& reserved, const QString& printerName,
                   qint32 flags) override;

private:
    // Waits for the run to end: the calls are synchronous, and the window that made the call
    // takes no command meanwhile.
    void run(const QStringList& arguments, const QByteArray& input = QByteArray());

    QString program_;
};

// True when `program` names a file that can be run.
bool isRunnablePrintProgram(const QString& program);

// The print program of the settings, or nullptr when none is set or it cannot be run.
std::unique_ptr<PrintServer> configuredPrintProgram();
