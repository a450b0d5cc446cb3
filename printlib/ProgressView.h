#pragma once

// What shows a job's progress while the caller waits for it: a title, a status line above a
// count line, and the user's wish to cancel. Every call comes on the thread that started the job. The
// exports show the progress window of ProgressWindow.h where they can, HeadlessProgressView
// elsewhere.

#include <string_view>

class ProgressView {
public:
    virtual ~ProgressView() = default;

    virtual void ShowTitle(std::u16string_view title) = 0;
    virtual void ShowStatus(std::u16string_view status) = 0;
    virtual void ShowCount(std::u16string_view count) = 0;
    // Asked after every change and about ten times a second in between; true once the user wants
    // the job cancelled. A window-system view handles its pending events here.
    virtual bool CancelRequested() = 0;
    // The job has ended, done, failed or cancelled.
    virtual void Close() = 0;
};

class HeadlessProgressView final : public ProgressView {
public:
    void ShowTitle(std::u16string_view) override {}
    void ShowStatus(std::u16string_view) override {}
    void ShowCount(std::u16string_view) override {}
    bool CancelRequested() override { return false; }
    void Close() override {}
};
