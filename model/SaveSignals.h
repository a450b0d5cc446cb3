#pragma once

// A termination request (SIGTERM, SIGHUP) that arrives while a file is being replaced waits
// until the replacement has finished or been undone, and then ends the program as it would have
// at once: a save is never cut off half way with a temporary file left behind.

// Installs the handlers; the program calls it once at start. Without it the signals keep their
// default action.
void deferTerminationDuringSaves();

// Held while a file is replaced; when the last one goes, a deferred request ends the program.
class SaveInProgress {
public:
    SaveInProgress();
    ~SaveInProgress();
    SaveInProgress(const SaveInProgress&) = delete;
    SaveInProgress& operator=(const SaveInProgress&) = delete;
};
