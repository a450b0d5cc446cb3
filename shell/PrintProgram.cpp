#include "shell/PrintProgram.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/ProgramSettings.h"

namespace {

// Waits for the run in an event loop of its own, with the working window shown once the run has
// lasted a moment; false when the user cancelled. The window has no parent: the program's
// window is disabled during the call, and a child of it could not be clicked.
bool finishedOrCancelled(QProcess& process)
{
    QDialog working;
    working.setObjectName(QLatin1String(PrintProgramWorkingWindow));
    working.setWindowTitle(QStringLiteral("Форвета"));
    working.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&working);
    layout->addWidget(new QLabel(QStringLiteral("Программа печати работает…"), &working));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, &working);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &working, &QDialog::reject);

    QEventLoop loop;
    bool cancelled = false;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&working, &QDialog::rejected, &loop, [&] {
        cancelled = true;
        loop.quit();
    });
    QTimer::singleShot(PrintProgramWorkingDelayMs, &working, [&working] { working.show(); });
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    working.hide();
    if (!cancelled)
        return true;
    process.kill();
    process.waitForFinished(-1);
    return false;
}

} // namespace

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
    // A program that leaves its input unread raises a write error; it is still its exit that
    // decides.
    if (!finishedOrCancelled(process))
        throw PrintServerCancelled(QStringLiteral("Программа печати %1 остановлена.").arg(program_));

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
