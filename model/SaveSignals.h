#pragma once

// A termination request (SIGTERM, SIGHUP) that arrives while a file is being replaced waits
// until the replacement has finished or been undone, and then ends the program as it would have
// at once: a save is never cut off half way with a temporary file left behind.

// A write past the file-size limit (RLIMIT_FSIZE) must fail as a write, not end the program with
// every unsaved change: SIGXFSZ is ignored, so the save reports EFBIG and keeps the old file.

// Installs the handlers and ignores SIGXFSZ; the program calls it once at start. Without it the
// signals keep their default action. A termination signal the program was started with ignored
// (nohup ignores SIGHUP) stays ignored.
void deferTerminationDuringSaves();

// Held while a file is replaced; when the last one goes, a deferred request ends the program.
class SaveInProgress {
public:
    SaveInProgress();
    ~SaveInProgress();
    SaveInProgress(const SaveInProgress&) = delete;
    SaveInProgress& operator=(const SaveInProgress&) = delete;
};
