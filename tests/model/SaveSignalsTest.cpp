#include "model/SaveSignals.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

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
