#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <csignal>

#include <sys/types.h>

#include <gtest/gtest.h>

#include "shell/FormMain.h"
#include "shell/PrintProgram.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/shell/ExportingWindowTest.h"
#include "tests/shell/RecordingPrintServer.h"
#include "tests/shell/WorkingWindowCanceller.h"
#include "tests/support/BlankPage.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/RunCommand.h"
#include "tests/support/SourceTreeFiles.h"

namespace {

// Stands for the outside print program: each run adds its arguments, one per line in brackets,
// to "calls", and keeps its standard input as "input.N", N the number of the run.
const char* const RecordingScript = R"(#!/bin/sh
here=$(dirname "$0")
run=$(($(cat "$here/runs" 2>/dev/null || echo 0) + 1))
echo "$run" > "$here/runs"
{ echo "run $run"; for argument in "$@"; do printf '[%s]\n' "$argument"; done; } >> "$here/calls"
cat > "$here/input.$run"
)";

class PrintProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // A script in the test's folder that the program may run.
    QString script(const QString& name, const QByteArray& text)
    {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(writeBytes(path, text));
        EXPECT_TRUE(QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner));
        return path;
    }
    QByteArray recorded(const QString& name) const { return fileBytes(folder.filePath(name)); }

    QTemporaryDir folder;
};

// The arguments reach the program as they are, with no shell between to read them.
TEST_F(PrintProgramTest, EachCallIsOneRunWithItsArgumentsAndInput)
{
    PrintProgram program(script(QStringLiteral("print server"), RecordingScript));
    const QString officeName = QStringLiteral("ИФНС «№ 1» $(touch injected); `touch injected` \"'");
    const QByteArray xml("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<\xD4\xE0\xE9\xEB/>\n");

    program.SetPrintTiffParam(QStringLiteral("Наименование налогового органа-получателя"), officeName);
    program.setPrintTiffFolder(QStringLiteral("/opt/Форвета/"));
    program.PreviewData(xml, WId(4711));
    program.PrintData(xml, QString(), QStringLiteral("HP LaserJet (этаж 2)"), 0);

    EXPECT_EQ(QString::fromUtf8(recorded(QStringLiteral("calls"))),
              QStringLiteral("run 1\n[SetPrintTiffParam]\n[Наименование налогового органа-получателя]\n[")
                  + officeName
                  + QStringLiteral("]\nrun 2\n[PrintTiffFolder]\n[/opt/Форвета/]\nrun 3\n[PreviewData]\n[4711]\n"
                                   "run 4\n[PrintData]\n[]\n[HP LaserJet (этаж 2)]\n[0]\n"));
    EXPECT_EQ(recorded(QStringLiteral("input.1")), QByteArray());
    EXPECT_EQ(recorded(QStringLiteral("input.2")), QByteArray());
    EXPECT_EQ(recorded(QStringLiteral("input.3")), xml);
    EXPECT_EQ(recorded(QStringLiteral("input.4")), xml);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("injected"))));
    EXPECT_FALSE(QFile::exists(QDir::current().filePath(QStringLiteral("injected"))));
}

TEST_F(PrintProgramTest, AFailedRunRaisesWhatTheProgramSaid)
{
    const struct {
        const char* name;
        QByteArray script;
        QString failure; // the whole text, or where it starts with "~" its start
    } cases[] = {
        {"error text", "#!/bin/sh\necho 'Принтер не найден' >&2\nexit 1\n", QStringLiteral("Принтер не найден")},
        {"text on the output only", "#!/bin/sh\necho 'всё хорошо'\nexit 4\n",
         QStringLiteral("~завершилась с кодом 4.")},
        {"crash", "#!/bin/sh\nkill -9 $$\n", QStringLiteral("~завершилась аварийно.")},
        {"crash after a word", "#!/bin/sh\necho 'Нет бумаги' >&2\nkill -9 $$\n", QStringLiteral("Нет бумаги")},
        {"not a program at all", "no interpreter line\n", QStringLiteral("~не запустилась")},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const QString path = script(QStringLiteral("failing"), test.script);
        PrintProgram program(path);
        try {
            program.PrintData("<x/>", QString(), QStringLiteral("Принтер"), 0);
            ADD_FAILURE() << "no failure";
        } catch (const PrintServerError& error) {
            if (test.failure.startsWith(u'~')) {
                EXPECT_TRUE(error.text().contains(test.failure.mid(1))) << error.what();
                EXPECT_TRUE(error.text().contains(path)) << "names the program: " << error.what();
            } else {
                EXPECT_EQ(error.text(), test.failure);
            }
        }
    }
}

// A program that leaves its input unread and succeeds has succeeded.
TEST_F(PrintProgramTest, AnUnreadInputIsNoFailure)
{
    PrintProgram program(script(QStringLiteral("deaf"), "#!/bin/sh\nexit 0\n"));
    const QByteArray large(4 << 20, 'x');
    EXPECT_NO_THROW(program.PreviewData(large, WId(1)));
}

TEST_F(PrintProgramTest, OnlyAFileThatCanBeRunIsAPrintProgram)
{
    const QString runnable = script(QStringLiteral("runnable"), "#!/bin/sh\n");
    const QString plain = folder.filePath(QStringLiteral("plain"));
    ASSERT_TRUE(writeBytes(plain, QByteArray()));
    EXPECT_TRUE(isRunnablePrintProgram(runnable));
    EXPECT_FALSE(isRunnablePrintProgram(plain));
    EXPECT_FALSE(isRunnablePrintProgram(folder.path()));
    EXPECT_FALSE(isRunnablePrintProgram(folder.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(isRunnablePrintProgram(QString()));
}

// A print program that sleeps until it is ended, and gives its process number first.
const char* const SleepingScript = "#!/bin/sh\necho $$ > \"$(dirname \"$0\")/pid\"\nexec sleep 600\n";

bool processGone(const QByteArray& pid)
{
    return !pid.trimmed().isEmpty() && ::kill(pid.trimmed().toInt(), 0) != 0;
}

// A print program that never ends is ended by the user: the working window says the program
// works, its "Отмена" kills the program and the call ends as cancelled.
TEST_F(PrintProgramTest, ANeverEndingProgramIsEndedByCancel)
{
    PrintProgram program(script(QStringLiteral("sleeper"), SleepingScript));
    WorkingWindowCanceller canceller(folder.filePath(QStringLiteral("pid")));
    EXPECT_THROW(program.PrintData(QByteArray("<xml/>"), QString(), QStringLiteral("Принтер"), 0),
                 PrintServerCancelled);
    EXPECT_EQ(canceller.text, QStringLiteral("Программа печати работает…"));
    EXPECT_EQ(canceller.buttonText, QStringLiteral("Отмена"));
    EXPECT_TRUE(canceller.wasModal);
    EXPECT_GE(canceller.shownAfterMs, PrintProgramPatience().workingWindowDelay.count() - 60);
    EXPECT_TRUE(processGone(recorded(QStringLiteral("pid")))) << "the print program still runs";
}

// A call over before the delay shows no working window, neither while it runs nor after.
TEST_F(PrintProgramTest, AQuickCallShowsNoWorkingWindow)
{
    PrintProgramPatience patience;
    patience.workingWindowDelay = std::chrono::hours(1);
    PrintProgram program(script(QStringLiteral("quick"), "#!/bin/sh\nexit 0\n"), patience);
    WorkingWindowCanceller watcher(folder.filePath(QStringLiteral("pid")));
    EXPECT_NO_THROW(program.setPrintTiffFolder(QStringLiteral("/opt")));
    QApplication::processEvents();
    EXPECT_EQ(watcher.shownAfterMs, -1);
    for (const QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_NE(widget->objectName(), QLatin1String(PrintProgramWorkingWindow));
}

// True once no process of the group is left, nor the process `pid`. Processes the print program
// started are reaped by whoever inherits them, some time after they end: this waits for that,
// and gives up only after a minute, so that a failing test cannot hang.
bool groupAndProcessGone(pid_t group, pid_t pid)
{
    QDeadlineTimer patience(60'000);
    const auto gone = [](pid_t target) { return ::kill(target, 0) == -1 && errno == ESRCH; };
    while (!(gone(-group) && gone(pid))) {
        if (patience.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

// The scripts below write their own process number (the group's) to "group" and start a child,
// which writes its number to "pid" once it is ready.
// Expects that no process of the group is left, nor the child; a child left is killed.
void expectGroupGone(const QTemporaryDir& folder)
{
    const auto group = static_cast<pid_t>(fileBytes(folder.filePath(QStringLiteral("group"))).trimmed().toInt());
    const auto child = static_cast<pid_t>(fileBytes(folder.filePath(QStringLiteral("pid"))).trimmed().toInt());
    ASSERT_GT(group, 0);
    ASSERT_GT(child, 0);
    const bool gone = groupAndProcessGone(group, child);
    EXPECT_TRUE(gone) << "a process of the print program still runs";
    if (!gone)
        ::kill(child, SIGKILL);
}

// A script whose commands ignore SIGTERM.
const char* const TermIgnoringScript = R"(#!/bin/sh
trap '' TERM
here=$(dirname "$0")
echo $$ > "$here/group"
sh -c 'echo $$ > "$0/pid"; exec sleep 600' "$here" &
wait
)";

// "Отмена" ends the print program with what it started: a script's commands, a viewer.
TEST_F(PrintProgramTest, CancelEndsEveryProcessOfTheProgramsGroup)
{
    const struct {
        const char* name;
        QByteArray script;
        std::chrono::milliseconds grace;
        bool tidied; // the child left its "tidied" file: it had the polite signal first
    } cases[] = {
        {"a command that ignores SIGTERM, killed after the grace", TermIgnoringScript, std::chrono::milliseconds(50),
         false},
        {"a viewer that tidies up on SIGTERM and ends", R"(#!/bin/sh
here=$(dirname "$0")
echo $$ > "$here/group"
sh -c 'trap "echo > \"$0/tidied\"; exit 0" TERM; echo $$ > "$0/pid"; sleep 600 & wait' "$here" &
wait
)",
         std::chrono::minutes(10), true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        for (const char* left : {"group", "pid", "tidied"})
            QFile::remove(folder.filePath(QLatin1String(left)));
        PrintProgramPatience patience;
        patience.endGrace = test.grace;
        PrintProgram program(script(QStringLiteral("viewer"), test.script), patience);
        WorkingWindowCanceller canceller(folder.filePath(QStringLiteral("pid")));

        EXPECT_THROW(program.PreviewData(QByteArray("<xml/>"), WId(1)), PrintServerCancelled);

        expectGroupGone(folder);
        EXPECT_EQ(QFile::exists(folder.filePath(QStringLiteral("tidied"))), test.tidied);
    }
}

// The wait for the print program also ends when the application is told to quit, which ends every
// event loop: the print program goes then too, with what it started, and the call ends as cancelled.
TEST_F(PrintProgramTest, QuittingDuringARunEndsTheProgramsGroup)
{
    PrintProgramPatience patience;
    patience.workingWindowDelay = std::chrono::hours(1);
    patience.endGrace = std::chrono::milliseconds(50);
    PrintProgram program(script(QStringLiteral("viewer"), TermIgnoringScript), patience);
    // Shows no window to cancel here; it kills the child should the quit not end the call.
    WorkingWindowCanceller guard(folder.filePath(QStringLiteral("pid")));
    QTimer quitter;
    quitter.setInterval(20);
    QObject::connect(&quitter, &QTimer::timeout, [&] {
        if (recorded(QStringLiteral("pid")).endsWith('\n')) {
            quitter.stop();
            QCoreApplication::exit(0);
        }
    });
    quitter.start();

    EXPECT_THROW(program.PreviewData(QByteArray("<xml/>"), WId(1)), PrintServerCancelled);
    // Every later event loop of the thread returns at once until the application's own has run.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QApplication::exec();

    expectGroupGone(folder);
}

// The whole road: the program set in the settings previews and prints the declaration's
// exchange file, which reaches it as the export writes it.
class PrintThroughTheProgramTest : public ExportingWindowTest {};

TEST_F(PrintThroughTheProgramTest, ThePrintProgramGetsTheExchangeFile)
{
    QTemporaryDir serverFolder;
    ASSERT_TRUE(serverFolder.isValid());
    const QString server = serverFolder.filePath(QStringLiteral("print-server"));
    ASSERT_TRUE(writeBytes(server, RecordingScript));
    ASSERT_TRUE(QFile::setPermissions(server, QFile::permissions(server) | QFileDevice::ExeOwner));
    QSettings settings(QStringLiteral("ORVEX"), QStringLiteral("Форвета"));
    settings.setValue(QStringLiteral("PrintProgram"), server);
    settings.sync();

    makeChecked(window->declaration());
    window->declaration().TaxOfficeName = "ИФНС России № 1 по г. Москве";
    window->pageHost().show(QStringLiteral("NoSection"), makeBlankPage);
    auto dialogs = std::make_unique<ScriptedPrintDialogs>();
    dialogs->printers = {PrintChoice{QStringLiteral("Kyocera"), 2}};
    window->setPrintDialogs(std::move(dialogs));
    ScriptedCheckAnswers script;

    window->PreviewDoc->trigger();
    window->PrintDoc->trigger();
    settings.remove(QStringLiteral("PrintProgram"));

    EXPECT_TRUE(messages.empty()) << messages[0].text.toStdString();
    const QString folder = QDir::toNativeSeparators(programFolder.path() + u'/');
    const QString taxOffice = QStringLiteral(
        "[SetPrintTiffParam]\n[Наименование налогового органа-получателя]\n[ИФНС России № 1 по г. Москве]\n");
    const QString runs[] = {
        taxOffice,
        QStringLiteral("[PrintTiffFolder]\n[%1]\n").arg(folder),
        QStringLiteral("[PreviewData]\n[%1]\n").arg(window->winId()),
        taxOffice,
        QStringLiteral("[PrintTiffFolder]\n[%1]\n").arg(folder),
        QStringLiteral("[PrintData]\n[]\n[Kyocera]\n[0]\n"),
        QStringLiteral("[PrintData]\n[]\n[Kyocera]\n[0]\n"),
    };
    QString expected;
    for (std::size_t run = 0; run < std::size(runs); ++run)
        expected += QStringLiteral("run %1\n").arg(run + 1) + runs[run];
    EXPECT_EQ(QString::fromUtf8(fileBytes(serverFolder.filePath(QStringLiteral("calls")))), expected);

    for (const int run : {3, 6, 7}) {
        SCOPED_TRACE(run);
        const QString input = serverFolder.filePath(QStringLiteral("input.%1").arg(run));
        EXPECT_TRUE(fileBytes(input).startsWith(R"(<?xml version="1.0" encoding="windows-1251"?>)"));
        EXPECT_EQ(exchangeSchemaErrors(input.toStdString()), "");
        // The bytes are windows-1251: iconv reads them back into the declaration's names.
        const auto [text, status] = runCommand("iconv -f CP1251 -t UTF-8 " + quoted(input));
        EXPECT_EQ(status, 0);
        EXPECT_NE(text.find("Фамилия=\"ИВАНОВ\""), std::string::npos);
        EXPECT_EQ(xpathValue(input, "string(//ФИОФЛ/@Имя)"), "ИВАН");
    }
    EXPECT_EQ(fileBytes(serverFolder.filePath(QStringLiteral("input.6"))),
              fileBytes(serverFolder.filePath(QStringLiteral("input.7"))));
}

} // namespace
