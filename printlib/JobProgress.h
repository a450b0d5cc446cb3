#pragma once

// What a build or print job tells about itself while it runs: that it starts and ends, and how
// many of its pages are done before each page. A job that nobody watches tells NoJobProgress.

enum class JobStage { Start, End };

class JobProgress {
public:
    virtual ~JobProgress() = default;

    virtual void StageReached(JobStage stage) = 0;
    // `done` of `total` pages are done; told before each page.
    virtual void PagesDone(int done, int total) = 0;
};

class NoJobProgress final : public JobProgress {
public:
    void StageReached(JobStage) override {}
    void PagesDone(int, int) override {}
};
