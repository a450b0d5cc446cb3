#include "model/SaveSignals.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/resource.h>

#include "model/Declaration.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

void say(const char* text)
{
    std::fputs(text, stderr);
    std::fflush(stderr);
}

} // namespace

TEST(SaveSignals, TerminationRequestWaitsUntilTheSaveIsOver)
{
    for (const int signalNumber : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        const auto saveAndAskToEnd = [signalNumber] {
            deferTerminationDuringSaves();
            {
                SaveInProgress outer;
                {
                    SaveInProgress inner;
                    ::raise(signalNumber);
                    say("inner save finished\n");
                }
                say("outer save finished\n");
            }
            say("went on after the save\n");
            std::_Exit(0);
        };
        EXPECT_EXIT(saveAndAskToEnd(), ::testing::KilledBySignal(signalNumber),
                    AllOf(HasSubstr("inner save finished"), HasSubstr("outer save finished"),
                          Not(HasSubstr("went on"))));
    }
}

TEST(SaveSignals, TerminationRequestOutsideASaveEndsAtOnce)
{
    const auto askToEnd = [] {
        deferTerminationDuringSaves();
        ::raise(SIGTERM);
        say("went on\n");
        std::_Exit(0);
    };
    EXPECT_EXIT(askToEnd(), ::testing::KilledBySignal(SIGTERM), Not(HasSubstr("went on")));
}

// A program started with the signal ignored (nohup ignores SIGHUP) lives on when it comes, also
// during a save and after it.
TEST(SaveSignals, ASignalIgnoredAtStartStaysIgnored)
{
    for (const int signalNumber : {SIGHUP, SIGTERM}) {
        SCOPED_TRACE(signalNumber);
        const auto startIgnoringAndRaise = [signalNumber] {
            ::signal(signalNumber, SIG_IGN);
            deferTerminationDuringSaves();
            ::raise(signalNumber);
            {
                SaveInProgress save;
                ::raise(signalNumber);
            }
            say("lives on\n");
            std::_Exit(0);
        };
        EXPECT_EXIT(startIgnoringAndRaise(), ::testing::ExitedWithCode(0), HasSubstr("lives on"));
    }
}

// A save that would pass the file-size limit fails with the reason and keeps the old file; the
// program lives on with its unsaved work. Without the program's set-up the kernel would end it.
TEST(SaveSignals, SaveOverTheFileSizeLimitFailsAndTheProgramLives)
{
    TemporaryFolder folder;
    const std::string path = folder.file("declaration.fv1");
    mTDeclaration().SaveToFile(path);
    const std::string before = readFile(path);
    mTDeclaration larger;
    larger.TaxOfficeName = std::string(4000, 'n');

    const auto saveUnderLimit = [&](bool programSetUp) {
        if (programSetUp)
            deferTerminationDuringSaves();
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            larger.SaveToFile(path);
            say("saved\n");
        } catch (const mEPrivBase& e) {
            say(("code " + std::to_string(e.Code) + " " + e.what() + "\n").c_str());
        }
        say("lives on\n");
        std::_Exit(0);
    };
    EXPECT_EXIT(saveUnderLimit(true), ::testing::ExitedWithCode(0),
                AllOf(HasSubstr("code 22 "), HasSubstr("превышен допустимый размер файла"),
                      HasSubstr("Прежний файл сохранен без изменений."), HasSubstr("lives on")));
    EXPECT_EQ(readFile(path), before);
    EXPECT_EXIT(saveUnderLimit(false), ::testing::KilledBySignal(SIGXFSZ), Not(HasSubstr("lives on")));
    EXPECT_EQ(readFile(path), before);
}
