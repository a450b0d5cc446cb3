#include "shell/PrintProgram.h"

#include <QFileInfo>
#include <QProcess>

#include "shell/ProgramSettings.h"

PrintProgram::PrintProgram(QString program) : program_(std::move(program)) {}

void PrintProgram::SetPrintTiffParam(const QString& name, const QString& value)
{
    run({QStringLiteral("SetPrintTiffParam"), name, value});
}

void PrintProgram::setPrintTiffFolder(const QString& folder)
{
    run({QStringLiteral("PrintTiffFolder"), folder});
}

void PrintProgram::PreviewData(const QByteArray& exchangeXml, WId owner)
{
    run({QStringLiteral("PreviewData"), QString::number(owner)}, exchangeXml);
}

void PrintProgram::PrintData(const QByteArray& exchangeXml, const QString& reserved, const QString& printerName,
                             qint32 flags)
{
    run({QStringLiteral("PrintData"), reserved, printerName, QString::number(flags)}, exchangeXml);
}

void PrintProgram::run(const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.setProgram(program_);
    process.setArguments(arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QIODevice::ReadWrite);
    if (!process.waitForStarted(-1))
        throw PrintServerError(QStringLiteral("Программа печати %1 не запустилась: %2")
                                   .arg(program_, process.errorString()));
    process.write(input);
    process.closeWriteChannel();
    // A program that leaves its input unread ends the wait early with a write error; it is
    // still its exit that decides.
    while (process.state() != QProcess::NotRunning)
        process.waitForFinished(-1);

    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return;
    const QString said = QString::fromUtf8(process.readAllStandardError()).trimmed();
    if (!said.isEmpty())
        throw PrintServerError(said);
    if (process.exitStatus() == QProcess::CrashExit)
        throw PrintServerError(QStringLiteral("Программа печати %1 завершилась аварийно.").arg(program_));
    throw PrintServerError(
        QStringLiteral("Программа печати %1 завершилась с кодом %2.").arg(program_).arg(process.exitCode()));
}

bool isRunnablePrintProgram(const QString& program)
{
    const QFileInfo file(program);
    return !program.isEmpty() && file.isFile() && file.isExecutable();
}

std::unique_ptr<PrintServer> configuredPrintProgram()
{
    const QString program = ProgramSettings().printProgram();
    if (!isRunnablePrintProgram(program))
        return nullptr;
    return std::make_unique<PrintProgram>(program);
}
