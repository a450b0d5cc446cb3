#include "shell/PrintProgram.h"

#include <cerrno>
#include <csignal>

#include <QDeadlineTimer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <unistd.h>

#include "shell/ProgramSettings.h"

namespace {

// True while a process of the group is left, an unreaped one too.
bool groupExists(pid_t group)
{
    return ::kill(-group, 0) == 0 || errno != ESRCH;
}

// Ends the print program and what it started in its group: SIGTERM lets each of them tidy up,
// SIGKILL ends what is still there after the grace. The program itself is reaped here; until
// then it keeps the group's number from being given to another group.
void endProcessGroup(QProcess& process, std::chrono::milliseconds grace)
{
    const auto group = static_cast<pid_t>(process.processId());
    // 0 would name the group of this program itself.
    if (group <= 0)
        return;
    ::kill(-group, SIGTERM);
    const QDeadlineTimer deadline(grace);
    const bool programEnded = process.waitForFinished(int(deadline.remainingTime()));
    while (programEnded && groupExists(group) && !deadline.hasExpired())
        QThread::msleep(10);
    if (groupExists(group))
        ::kill(-group, SIGKILL);
    // Should the program itself have left its group, the wait would never end without this.
    process.kill();
    process.waitForFinished(-1);
}

// Waits for the run in an event loop of its own, with the working window shown once the run has
// lasted `delay`; true when the program has finished. The wait also ends when the user cancels,
// and when the application is told to quit, which ends every event loop. The window has no
// parent: the program's window is disabled during the call, and a child of it could not be clicked.
bool runFinished(QProcess& process, std::chrono::milliseconds delay)
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
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&working, &QDialog::rejected, &loop, &QEventLoop::quit);
    QTimer::singleShot(delay, &working, [&working] { working.show(); });
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    working.hide();
    return process.state() == QProcess::NotRunning;
}

} // namespace

PrintProgram::PrintProgram(QString program, PrintProgramPatience patience)
    : program_(std::move(program)), patience_(patience)
{
}

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
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start(QIODevice::ReadWrite);
    if (!process.waitForStarted(-1))
        throw PrintServerError(QStringLiteral("Программа печати %1 не запустилась: %2")
                                   .arg(program_, process.errorString()));
    process.write(input);
    process.closeWriteChannel();
    // A program that leaves its input unread raises a write error; it is still its exit that
    // decides.
    if (!runFinished(process, patience_.workingWindowDelay)) {
        endProcessGroup(process, patience_.endGrace);
        throw PrintServerCancelled(QStringLiteral("Программа печати %1 остановлена.").arg(program_));
    }

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
