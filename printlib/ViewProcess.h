#pragma once

// CViewProcess runs a build or print job on a worker thread while the calling thread shows the
// job's progress in a ProgressView and passes the user's cancel on to the document. The worker
// waits at each progress report until the calling thread has shown it and asked the view about
// cancelling, so a cancel asked at a report stops the job before its next page is written.
//
// A cancelled job is waited for: it stops before the next element it would draw. The thread is
// never killed, since that would leave the document and its files half-changed.

#include "JobProgress.h"
#include "ProgressView.h"

#include <functional>

// The kinds of job, in the order of their texts in the string table.
enum class JobMode { WriteImages = 0, PrintDocument = 1, PrintBlankForms = 2 };

class CViewProcess {
public:
    // `cancel` sets the document's cancel flag; it is called on the calling thread.
    CViewProcess(JobMode mode, ProgressView& view, std::function<void()> cancel);

    // Runs the job on the worker and returns when it has ended. A failure of the job, or of the
    // view, is raised here, on the calling thread.
    void Run(const std::function<void(JobProgress&)>& job);

private:
    class ReportChannel;
    struct Report;

    void showProgress(ReportChannel& channel);
    void show(const Report& report);
    // The string-table text of this mode, `id` being the one of image writing.
    std::u16string modeText(int id) const;

    JobMode mode_;
    ProgressView& view_;
    std::function<void()> cancel_;
    bool cancelling_ = false;
};
