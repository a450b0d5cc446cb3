#include "ViewProcess.h"

#include "JobTestSupport.h"
#include "SSError.h"
#include "WideText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

// Records what it is shown; asks to cancel once it shows `cancelAtCount`, and fails showing
// `failAtCount`. Every call must come on the thread that made the view.
class RecordingView : public ProgressView {
public:
    std::vector<std::string> shown;
    std::string cancelAtCount;
    std::string failAtCount;
    bool onOtherThread = false;

    void ShowTitle(std::u16string_view title) override { record("title: " + WideText::toUtf8(title)); }
    void ShowStatus(std::u16string_view status) override { record("status: " + WideText::toUtf8(status)); }
    void ShowCount(std::u16string_view count) override
    {
        lastCount_ = WideText::toUtf8(count);
        record("count: " + lastCount_);
        if (!failAtCount.empty() && lastCount_ == failAtCount)
            throw std::runtime_error("view failed");
    }
    bool CancelRequested() override
    {
        check();
        return !cancelAtCount.empty() && lastCount_ == cancelAtCount;
    }
    void Close() override { record("close"); }

private:
    void record(std::string text)
    {
        check();
        shown.push_back(std::move(text));
    }
    void check()
    {
        if (std::this_thread::get_id() != owner_)
            onOtherThread = true;
    }

    std::thread::id owner_ = std::this_thread::get_id();
    std::string lastCount_;
};

// Reports `pages` pages, stopping before a page once the cancel flag is set.
struct PagedJob {
    PagedJob(int pageCount, int pageTotal) : pages(pageCount), total(pageTotal) {}

    int pages;
    int total;
    std::atomic<bool> cancelled = false;
    std::vector<int> reported;
    std::thread::id thread;

    void operator()(JobProgress& progress)
    {
        thread = std::this_thread::get_id();
        for (int page = 0; page < pages && !cancelled; ++page) {
            progress.PagesDone(page, total);
            reported.push_back(page);
        }
    }
};

TEST(ViewProcessTest, TheCallerShowsEachReportOfTheWorker)
{
    RecordingView view;
    PagedJob job(2, 2);
    CViewProcess(JobMode::WriteImages, view, [&] { job.cancelled = true; }).Run(std::ref(job));

    EXPECT_THAT(view.shown, ElementsAre("title: Запись изображений", "status: ", "count: ", "status: Начало записи",
                                        "status: Идет запись...", "count: 0 из 2", "status: Идет запись...",
                                        "count: 1 из 2", "status: Конец записи", "close"));
    EXPECT_FALSE(view.onOtherThread);
    EXPECT_NE(job.thread, std::this_thread::get_id()) << "the job runs on a worker thread";
    EXPECT_FALSE(job.cancelled);
}

TEST(ViewProcessTest, EachModeHasItsTexts)
{
    struct Case {
        JobMode mode;
        int total;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {JobMode::PrintDocument, 1,
         {"title: Печать документа", "status: ", "count: ", "status: Начало печати", "status: Идет печать...",
          "count: 0 из 1", "status: Конец печати", "close"}},
        {JobMode::PrintBlankForms, 0,
         {"title: Печать бланка", "status: ", "count: ", "status: Начало печати", "status: Идет печать...",
          "count: 0", "status: Конец печати", "close"}},
    };
    for (const Case& c : cases) {
        RecordingView view;
        PagedJob job(1, c.total);
        CViewProcess(c.mode, view, [] {}).Run(std::ref(job));
        EXPECT_THAT(view.shown, ElementsAreArray(c.shown)) << static_cast<int>(c.mode);
    }
}

TEST(ViewProcessTest, ACancelAtAReportStopsTheJobBeforeItGoesOn)
{
    RecordingView view;
    view.cancelAtCount = "1 из 5";
    PagedJob job(5, 5);
    int cancels = 0;
    CViewProcess(JobMode::WriteImages, view, [&] {
        ++cancels;
        job.cancelled = true;
    }).Run(std::ref(job));

    EXPECT_THAT(job.reported, ElementsAre(0, 1));
    EXPECT_EQ(cancels, 1);
    EXPECT_THAT(view.shown, ElementsAre("title: Запись изображений", "status: ", "count: ", "status: Начало записи",
                                        "status: Идет запись...", "count: 0 из 5", "status: Идет запись...",
                                        "count: 1 из 5", "status: Прерывание записи", "count: ", "close"));
}

TEST(ViewProcessTest, AFailureOfTheJobIsRaisedOnTheCallingThread)
{
    RecordingView view;
    const std::string report = oneLineReport([&] {
        CViewProcess(JobMode::WriteImages, view, [] {}).Run([](JobProgress& progress) {
            progress.PagesDone(0, 1);
            SSError::CPrgError(SSError::kSourceDocument, 7, SSError::kErrDetailOnly).addDetail(u"сбой").raise();
        });
    });
    EXPECT_EQ(report, "сбой[-1073676288 (0xC0010000)\\\\0 (0x0)\\TiffTools (строка: 7)]");
    EXPECT_THAT(view.shown, ElementsAre("title: Запись изображений", "status: ", "count: ", "status: Начало записи",
                                        "status: Идет запись...", "count: 0 из 1", "close"));
}

TEST(ViewProcessTest, AFailingViewCancelsTheJobAndWaitsForIt)
{
    RecordingView view;
    view.failAtCount = "0 из 3";
    std::atomic<bool> cancelled = false;
    std::atomic<bool> ended = false;
    const auto job = [&](JobProgress& progress) {
        progress.PagesDone(0, 3);
        // Goes on until cancelled, as a job drawing a long page does.
        for (int wait = 0; wait < 1000 && !cancelled; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        progress.PagesDone(1, 3);
        ended = true;
    };
    EXPECT_THROW(CViewProcess(JobMode::WriteImages, view, [&] { cancelled = true; }).Run(job), std::runtime_error);
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(ended) << "the job was waited for";
}

} // namespace
