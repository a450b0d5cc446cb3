#include "model/SaveSignals.h"

#include <atomic>
#include <csignal>

namespace {

// Only lock-free atomics may be touched from a signal handler.
std::atomic<int> savesRunning{0};
std::atomic<int> deferredSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

// Ends the program by `signalNumber` with its default action, as if no handler had been there.
void terminateBy(int signalNumber)
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signalNumber, &action, nullptr);
    ::raise(signalNumber);
}

// Acts on a deferred request once no save runs; whoever takes the request first acts on it.
void terminateIfDeferred()
{
    if (savesRunning.load() != 0)
        return;
    if (const int signalNumber = deferredSignal.exchange(0))
        terminateBy(signalNumber);
}

void onTerminationRequest(int signalNumber)
{
    if (savesRunning.load() == 0) {
        terminateBy(signalNumber);
        return;
    }
    deferredSignal.store(signalNumber);
    // The save may have ended between the test above and the store.
    terminateIfDeferred();
}

} // namespace

void deferTerminationDuringSaves()
{
    struct sigaction action {};
    action.sa_handler = onTerminationRequest;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGHUP);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : {SIGTERM, SIGHUP}) {
        // A signal the program was started with ignored (nohup) is to stay ignored.
        struct sigaction inherited {};
        if (::sigaction(signalNumber, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signalNumber, &action, nullptr);
    }

    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

SaveInProgress::SaveInProgress()
{
    savesRunning.fetch_add(1);
}

SaveInProgress::~SaveInProgress()
{
    savesRunning.fetch_sub(1);
    terminateIfDeferred();
}
