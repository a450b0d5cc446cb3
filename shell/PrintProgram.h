#pragma once

#include <chrono>
#include <memory>

#include <QString>
#include <QStringList>

#include "shell/PrintServer.h"

// The object name of the window shown while the print program works.
inline constexpr const char* PrintProgramWorkingWindow = "PrintProgramWorking";

// How long a run goes before the working window shows, and how long a cancelled run has to end
// on SIGTERM before what is left of it is killed.
struct PrintProgramPatience {
    std::chrono::milliseconds workingWindowDelay{400};
    std::chrono::milliseconds endGrace{2000};
};

// The print server as an outside program, the one the settings name. Each call is one run of it:
// the call's name and its text parameters are the arguments, the exchange file goes to its
// standard input, and the call fails when the program does not start, crashes or exits with a
// code other than 0, with what it wrote to its standard error (UTF-8) as the failure's text.
// While a run lasts longer than a moment a small modal window says that the print program is
// working; its "Отмена" ends the run (PrintServerCancelled), so a program that never ends does
// not hold the program's window for good. The program runs in a process group of its own, and
// "Отмена" ends the whole group: the commands of a script and a viewer it started go with it.
class PrintProgram : public PrintServer {
public:
    explicit PrintProgram(QString program, PrintProgramPatience patience = {});

    void SetPrintTiffParam(const QString& name, const QString& value) override;
    void setPrintTiffFolder(const QString& folder) override;
    void PreviewData(const QByteArray& exchangeXml, WId owner) override;
    void PrintData(const QByteArray& exchangeXml, const QString& reserved, const QString& printerName,
                   qint32 flags) override;

private:
    // Waits for the run to end or the user to cancel it: the calls are synchronous, and the
    // window that made the call takes no command meanwhile.
    void run(const QStringList& arguments, const QByteArray& input = QByteArray());

    QString program_;
    PrintProgramPatience patience_;
};

// True when `program` names a file that can be run.
bool isRunnablePrintProgram(const QString& program);

// The print program of the settings, or nullptr when none is set or it cannot be run.
std::unique_ptr<PrintServer> configuredPrintProgram();
