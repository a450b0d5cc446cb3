#include "ViewProcess.h"

#include "EngineText.h"
#include "ErrorTexts.h"
#include "WideText.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace {

constexpr std::chrono::milliseconds kPollInterval{100};

} // namespace

struct CViewProcess::Report {
    enum class Kind { Stage, Pages, Failed };
    Kind kind = Kind::Stage;
    JobStage stage = JobStage::Start;
    int done = 0;
    int total = 0;
};

// The worker hands each report over and waits until the calling thread has taken it in.
class CViewProcess::ReportChannel final : public JobProgress {
public:
    void StageReached(JobStage stage) override { hand({Report::Kind::Stage, stage}); }
    void PagesDone(int done, int total) override { hand({Report::Kind::Pages, JobStage::Start, done, total}); }
    void Failed() { hand({Report::Kind::Failed}); }

    void Finish()
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
        changed_.notify_all();
    }

    // The calling thread: the report handed over, waiting for one at most `timeout`.
    std::optional<Report> Next(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, timeout, [&] { return pending_ || finished_; });
        return pending_;
    }

    // The report was shown; the worker goes on.
    void Taken()
    {
        std::lock_guard lock(mutex_);
        pending_.reset();
        changed_.notify_all();
    }

    bool Finished()
    {
        std::lock_guard lock(mutex_);
        return finished_ && !pending_;
    }

    // Nobody takes reports any more; the worker no longer waits for them.
    void Abandon()
    {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
        pending_.reset();
        changed_.notify_all();
    }

private:
    void hand(const Report& report)
    {
        std::unique_lock lock(mutex_);
        if (abandoned_)
            return;
        pending_ = report;
        changed_.notify_all();
        changed_.wait(lock, [&] { return !pending_ || abandoned_; });
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Report> pending_;
    bool finished_ = false;
    bool abandoned_ = false;
};

CViewProcess::CViewProcess(JobMode mode, ProgressView& view, std::function<void()> cancel)
    : mode_(mode), view_(view), cancel_(std::move(cancel))
{
}

void CViewProcess::Run(const std::function<void(JobProgress&)>& job)
{
    ReportChannel channel;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            channel.StageReached(JobStage::Start);
            job(channel);
            channel.StageReached(JobStage::End);
        } catch (...) {
            failure = std::current_exception();
            channel.Failed();
        }
        channel.Finish();
    });
    try {
        showProgress(channel);
    } catch (...) {
        cancel_();
        channel.Abandon();
        worker.join();
        throw;
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

void CViewProcess::showProgress(ReportChannel& channel)
{
    view_.ShowTitle(modeText(ErrorTexts::kTitleWriting));
    view_.ShowStatus(u"");
    view_.ShowCount(u"");
    while (true) {
        const std::optional<Report> report = channel.Next(kPollInterval);
        // Once cancelling, the view keeps saying so until the job has stopped.
        if (report && !cancelling_)
            show(*report);
        if (!cancelling_ && view_.CancelRequested()) {
            cancelling_ = true;
            cancel_();
            view_.ShowStatus(EngineText::formatString(ErrorTexts::kProgressCancelling,
                                                      {modeText(ErrorTexts::kOperationWriting)}));
            view_.ShowCount(u"");
        }
        if (report)
            channel.Taken();
        else if (channel.Finished())
            break;
    }
    view_.Close();
}

void CViewProcess::show(const Report& report)
{
    switch (report.kind) {
    case Report::Kind::Stage:
        view_.ShowStatus(EngineText::formatString(
            report.stage == JobStage::Start ? ErrorTexts::kProgressStart : ErrorTexts::kProgressEnd,
            {modeText(ErrorTexts::kOperationWriting)}));
        break;
    case Report::Kind::Pages:
        view_.ShowStatus(modeText(ErrorTexts::kLineWriting));
        view_.ShowCount(report.total == 0 ? WideText::decimal(report.done)
                                          : EngineText::formatString(ErrorTexts::kProgressOfTotal,
                                                                     {WideText::decimal(report.done),
                                                                      WideText::decimal(report.total)}));
        break;
    case Report::Kind::Failed:
        break;
    }
}

std::u16string CViewProcess::modeText(int id) const
{
    return std::u16string(ErrorTexts::load(id + static_cast<int>(mode_)).value_or(u""));
}
