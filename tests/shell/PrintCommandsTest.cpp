#include <functional>
#include <optional>

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include "shell/FormMain.h"
#include "shell/PrintProgram.h"
#include "shell/ProgramSettings.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/shell/ExportingWindowTest.h"
#include "tests/shell/RecordingPrintServer.h"
#include "tests/shell/WorkingWindowCanceller.h"
#include "tests/support/BlankPage.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/SourceTreeFiles.h"

namespace {

const QString ProductName = QStringLiteral("Форвета");
const QString TaxOfficeParameter = QStringLiteral("Наименование налогового органа-получателя");
const QString TaxOfficeName = QStringLiteral("Инспекция ФНС России № 1 по г. Москве");
const QString NoPrintServer = QStringLiteral(
    "Не найден модуль печати. Укажите программу печати в меню \"Настройки\", пункт \"Программа печати...\"");
const QString PrinterName = QStringLiteral("Лазерный в бухгалтерии");

// The main window with a checked declaration, a recording print server and scripted print dialogs.
class PrintCommandsTest : public ExportingWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ExportingWindowTest::SetUp());
        settings().clear();
        makeChecked(window->declaration());
        window->declaration().TaxOfficeName = TaxOfficeName.toStdString();
        // No page holds data of its own that leaving it would write over the model.
        window->pageHost().show(QStringLiteral("NoSection"), makeBlankPage);
        window->setPrintServerSource([this] { return std::make_unique<RecordingPrintServer>(log, *window); });
        auto scripted = std::make_unique<ScriptedPrintDialogs>();
        dialogs = scripted.get();
        window->setPrintDialogs(std::move(scripted));
    }
    void TearDown() override
    {
        settings().clear();
        ExportingWindowTest::TearDown();
    }

    static QSettings& settings()
    {
        static QSettings stored(QStringLiteral("ORVEX"), QStringLiteral("Форвета"));
        stored.sync();
        return stored;
    }

    // The calls before the preview or the print, with what they must be given.
    void expectPreparingCalls()
    {
        ASSERT_GE(log.calls.size(), 2u);
        EXPECT_EQ(log.calls[0].name, QStringLiteral("SetPrintTiffParam"));
        EXPECT_EQ(log.calls[0].arguments, QStringList({TaxOfficeParameter, TaxOfficeName}));
        EXPECT_EQ(log.calls[1].name, QStringLiteral("PrintTiffFolder"));
        EXPECT_EQ(log.calls[1].arguments, QStringList({QDir::toNativeSeparators(programFolder.path() + u'/')}));
    }

    // Every call ran while the window took no command, and the window takes commands again.
    void expectWindowDisabledMeanwhile()
    {
        for (const PrintServerLog::Call& call : log.calls)
            EXPECT_FALSE(call.windowEnabled) << call.name.toStdString();
        EXPECT_TRUE(window->isEnabled());
        EXPECT_EQ(log.serversGone, log.serversMade) << "each server lives for one command";
    }

    PrintServerLog log;
    ScriptedPrintDialogs* dialogs = nullptr;
};

// The exchange file as the export writes it: windows-1251, and one that the format's schema accepts.
void expectExchangeFile(const QByteArray& xml)
{
    EXPECT_TRUE(xml.startsWith(R"(<?xml version="1.0" encoding="windows-1251"?>)")) << xml.left(60).toStdString();
    EXPECT_EQ(exchangeSchemaErrorsOfText(xml.toStdString()), "");
    // "ИВАНОВ", the surname as the exchange file writes it, in windows-1251.
    EXPECT_TRUE(xml.contains(QByteArray("\xC8\xC2\xC0\xCD\xCE\xC2"))) << "the surname in windows-1251";
}

TEST_F(PrintCommandsTest, PreviewShowsTheExchangeFileModalToTheWindow)
{
    ScriptedCheckAnswers script;
    window->PreviewDoc->trigger();

    EXPECT_EQ(log.names(), QStringList({"SetPrintTiffParam", "PrintTiffFolder", "PreviewData"}));
    ASSERT_NO_FATAL_FAILURE(expectPreparingCalls());
    ASSERT_EQ(log.calls.size(), 3u);
    EXPECT_EQ(log.calls[2].arguments, QStringList({QString::number(window->winId())}));
    expectExchangeFile(log.calls[2].exchangeXml);
    expectWindowDisabledMeanwhile();
    EXPECT_EQ(log.serversMade, 1);
    EXPECT_TRUE(dialogs->printerAsked.empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(script.shown.empty());
}

// One print per copy, on the printer chosen by its name; a cancelled dialog prints nothing.
TEST_F(PrintCommandsTest, PrintPrintsEachCopyOnTheChosenPrinter)
{
    const struct {
        const char* name;
        std::optional<PrintChoice> answer;
        int prints;
    } cases[] = {
        {"one copy", PrintChoice{PrinterName, 1}, 1},
        {"three copies", PrintChoice{PrinterName, 3}, 3},
        {"no copies", PrintChoice{PrinterName, 0}, 0},
        {"dialog cancelled", std::nullopt, 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        log = PrintServerLog();
        dialogs->printers = {test.answer};
        dialogs->printerAsked.clear();
        ScriptedCheckAnswers script;

        window->PrintDoc->trigger();

        ASSERT_NO_FATAL_FAILURE(expectPreparingCalls());
        ASSERT_EQ(log.calls.size(), 2u + test.prints);
        for (int copy = 0; copy < test.prints; ++copy) {
            const PrintServerLog::Call& print = log.calls[2 + copy];
            EXPECT_EQ(print.name, QStringLiteral("PrintData"));
            EXPECT_EQ(print.arguments, QStringList({QString(), PrinterName, QStringLiteral("0")}));
            EXPECT_EQ(print.exchangeXml, log.calls[2].exchangeXml) << "every copy is the same file";
        }
        if (test.prints > 0)
            expectExchangeFile(log.calls[2].exchangeXml);
        EXPECT_EQ(dialogs->printerAsked, std::vector<bool>{false}) << "the dialog comes up once, the window disabled";
        expectWindowDisabledMeanwhile();
        EXPECT_TRUE(messages.empty());
    }
}

// The server's own text is shown, nothing is called after the failure, and the window takes commands again.
TEST_F(PrintCommandsTest, AFailingCallIsShownWithItsTextAndEndsTheCommand)
{
    const QString failure = QStringLiteral("Принтер «%1» не отвечает").arg(PrinterName);
    const struct {
        const char* name;
        QAction* TFormMain::*command;
        QString failingCall;
        int failingCount;
        QStringList called;
    } cases[] = {
        {"tax office", &TFormMain::PreviewDoc, "SetPrintTiffParam", 1, {"SetPrintTiffParam"}},
        {"folder", &TFormMain::PrintDoc, "PrintTiffFolder", 1, {"SetPrintTiffParam", "PrintTiffFolder"}},
        {"preview", &TFormMain::PreviewDoc, "PreviewData", 1, {"SetPrintTiffParam", "PrintTiffFolder", "PreviewData"}},
        {"second of three copies", &TFormMain::PrintDoc, "PrintData", 2,
         {"SetPrintTiffParam", "PrintTiffFolder", "PrintData", "PrintData"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        log = PrintServerLog();
        log.failingCall = test.failingCall;
        log.failingCount = test.failingCount;
        log.failureText = failure;
        dialogs->printers = {PrintChoice{PrinterName, 3}};
        messages.clear();
        ScriptedCheckAnswers script;

        (window.get()->*test.command)->trigger();

        EXPECT_EQ(log.names(), test.called);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, ProductName);
        EXPECT_EQ(messages[0].text, failure);
        expectWindowDisabledMeanwhile();
        dialogs->printers.clear();
    }
}

// Without a program to run, the user is told where to set one; no dialog and no call come first.
TEST_F(PrintCommandsTest, NoRunnablePrintProgramGivesTheMissingServerMessage)
{
    window->setPrintServerSource(&configuredPrintProgram);
    const QString plainFile = exportFolder.filePath(QStringLiteral("notes.txt"));
    ASSERT_TRUE(writeBytes(plainFile, "not a program"));
    const struct {
        const char* name;
        std::optional<QString> setting;
    } cases[] = {
        {"not set", std::nullopt},
        {"empty", QString()},
        {"missing file", exportFolder.filePath(QStringLiteral("missing"))},
        {"file that cannot be run", plainFile},
        {"folder", exportFolder.path()},
    };
    for (const auto& test : cases) {
        for (QAction* TFormMain::*command : {&TFormMain::PreviewDoc, &TFormMain::PrintDoc}) {
            SCOPED_TRACE(test.name);
            settings().clear();
            if (test.setting)
                settings().setValue(QStringLiteral("PrintProgram"), *test.setting);
            settings().sync();
            messages.clear();
            ScriptedCheckAnswers script;

            (window.get()->*command)->trigger();

            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].icon, QMessageBox::NoIcon);
            EXPECT_EQ(messages[0].text, NoPrintServer);
            EXPECT_TRUE(dialogs->printerAsked.empty());
            EXPECT_TRUE(window->isEnabled());
        }
    }
}

TEST_F(PrintCommandsTest, NothingIsPrintedWithoutAPassedCheck)
{
    window->declaration().Person.Name.SurName.clear();
    for (const int answer : {int(CheckFix), int(CheckSkip)}) {
        for (QAction* TFormMain::*command : {&TFormMain::PreviewDoc, &TFormMain::PrintDoc}) {
            ScriptedCheckAnswers script;
            script.answers = {answer};

            (window.get()->*command)->trigger();

            EXPECT_EQ(script.shown.size(), 1u);
            EXPECT_EQ(log.serversMade, 0);
            EXPECT_TRUE(messages.empty());
            EXPECT_TRUE(window->isEnabled());
        }
    }
}

// What the exchange file could not hold is caught by the check before anything is printed.
TEST_F(PrintCommandsTest, WhatTheExportWouldRefuseStopsAtTheCheck)
{
    window->declaration().Person.Name.SurName = "Ива\tнов";
    for (QAction* TFormMain::*command : {&TFormMain::PreviewDoc, &TFormMain::PrintDoc}) {
        log = PrintServerLog();
        messages.clear();
        ScriptedCheckAnswers script;

        (window.get()->*command)->trigger();

        EXPECT_EQ(script.shown.size(), 1u);
        EXPECT_EQ(log.serversMade, 0);
        EXPECT_TRUE(messages.empty());
        EXPECT_TRUE(dialogs->printerAsked.empty());
        EXPECT_TRUE(window->isEnabled());
    }
}

TEST_F(PrintCommandsTest, TheChosenPrintProgramIsKeptWhenItCanBeRun)
{
    const QString script = exportFolder.filePath(QStringLiteral("печать.sh"));
    ASSERT_TRUE(writeBytes(script, "#!/bin/sh\nexit 0\n"));
    ASSERT_TRUE(QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner));
    const QString plainFile = exportFolder.filePath(QStringLiteral("readme.txt"));
    ASSERT_TRUE(writeBytes(plainFile, QByteArray()));

    const struct {
        const char* name;
        QString chosen;
        QString kept;
        bool told;
    } cases[] = {
        {"a program", script, script, false},
        {"cancelled", QString(), script, false},
        {"a file that cannot be run", plainFile, script, true},
        {"a missing file", exportFolder.filePath(QStringLiteral("missing")), script, true},
    };
    QString offered;
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        messages.clear();
        dialogs->programs = {test.chosen};

        window->miPrintProgram->trigger();

        EXPECT_EQ(dialogs->programOffered.back(), offered) << "the program set is offered first";
        EXPECT_EQ(ProgramSettings().printProgram(), test.kept);
        EXPECT_EQ(messages.size(), test.told ? 1u : 0u);
        offered = ProgramSettings().printProgram();
    }
}

// A print program that never ends does not keep the window: "Отмена" gives it back, and the
// declaration is as it was.
TEST_F(PrintCommandsTest, CancellingAPrintProgramThatNeverEndsGivesTheWindowBack)
{
    QTemporaryDir serverFolder;
    ASSERT_TRUE(serverFolder.isValid());
    const QString server = serverFolder.filePath(QStringLiteral("print-server"));
    ASSERT_TRUE(writeBytes(server, "#!/bin/sh\ncase \"$1\" in PrintData) echo $$ > \"$(dirname \"$0\")/pid\"; "
                                   "exec sleep 600;; esac\n"));
    ASSERT_TRUE(QFile::setPermissions(server, QFile::permissions(server) | QFileDevice::ExeOwner));
    window->setPrintServerSource([server] { return std::make_unique<PrintProgram>(server); });
    dialogs->printers = {PrintChoice{PrinterName, 3}};
    const bool savedBefore = window->isSaved();
    const std::string officeBefore = window->declaration().TaxOfficeName;
    ScriptedCheckAnswers script;
    WorkingWindowCanceller canceller(serverFolder.filePath(QStringLiteral("pid")));

    // The program sleeps for ten minutes: the call coming back at all shows that «Отмена» ended it.
    window->PrintDoc->trigger();

    EXPECT_NE(canceller.shownAfterMs, -1) << "no working window was shown";
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(messages.empty()) << messages[0].text.toStdString();
    EXPECT_EQ(window->isSaved(), savedBefore);
    EXPECT_EQ(window->declaration().TaxOfficeName, officeBefore);
}

} // namespace
