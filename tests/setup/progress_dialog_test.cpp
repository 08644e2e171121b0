// The progress dialog's bar: a climb held at 90 while the worker runs, a run
// to 99 on success, a run down to 0 on failure.
#include "setup/progress_dialog.h"

#include "platform/clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace setup {
namespace {

// A clock whose Sleep also stands for the worker's time: the status is set
// once the given virtual time has passed.
class WorkerClock : public platform::Clock {
public:
    WorkerClock(ProgressAnimation*& progress, std::uint32_t finishAt, WorkerStatus result)
        : progress_(progress), finishAt_(finishAt), result_(result) {}
    void Sleep(std::uint32_t ms) override {
        now_ += ms;
        if (now_ >= finishAt_ && progress_ != nullptr)
            progress_->setStatus(result_);
    }
    std::uint32_t GetTickCount() override { return now_; }
    platform::LocalTime GetLocalTime() override { return {}; }
    std::uint32_t now() const { return now_; }

private:
    ProgressAnimation*& progress_;
    std::uint32_t finishAt_;
    WorkerStatus result_;
    std::uint32_t now_ = 0;
};

struct BarRun {
    std::vector<int> positions;
    std::uint32_t elapsed = 0;
    WorkerStatus ended = WorkerStatus::Running;
};

BarRun animate(std::uint32_t workerMs, WorkerStatus result, common::OsVariant os = 7) {
    ProgressAnimation* target = nullptr;
    WorkerClock clock(target, workerMs, result);
    ProgressAnimation progress(clock, os);
    target = &progress;
    if (workerMs == 0)
        progress.setStatus(result);
    BarRun run;
    run.ended = progress.animate([&](int p) { run.positions.push_back(p); });
    run.elapsed = clock.now();
    return run;
}

TEST(ProgressAnimation, FinishedWorkerStillRunsTheBarToItsEnd) {
    const BarRun success = animate(0, WorkerStatus::Succeeded);
    ASSERT_EQ(success.positions.size(), 100u);
    EXPECT_EQ(success.positions.front(), 0);
    EXPECT_EQ(success.positions.back(), 99);
    EXPECT_EQ(success.elapsed, 100u * 10 + 100);
    EXPECT_EQ(success.ended, WorkerStatus::Succeeded);

    const BarRun failure = animate(0, WorkerStatus::Failed);
    EXPECT_EQ(failure.positions, std::vector<int>{0});
    EXPECT_EQ(failure.elapsed, 100u);
    EXPECT_EQ(failure.ended, WorkerStatus::Failed);
}

TEST(ProgressAnimation, LongInstallationHoldsAtNinetyUntilTheWorkerReports) {
    const BarRun run = animate(60000, WorkerStatus::Succeeded);
    ASSERT_GT(run.positions.size(), 200u);
    int highestWhileRunning = 0;
    for (std::size_t i = 0; i + 10 < run.positions.size(); ++i)
        highestWhileRunning = std::max(highestWhileRunning, run.positions[i]);
    EXPECT_EQ(highestWhileRunning, 90);
    EXPECT_EQ(run.positions.back(), 99);
    EXPECT_GE(run.elapsed, 60000u);
}

TEST(ProgressAnimation, FailureRunsTheBarBackFromWhereItWas) {
    const BarRun run = animate(400, WorkerStatus::Failed); // five 80 ms steps: 0..4
    const std::vector<int> expected = {0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 0};
    EXPECT_EQ(run.positions, expected);
}

TEST(ProgressAnimation, OlderWindowsStillWaitsForTheWorker) {
    const BarRun run = animate(30000, WorkerStatus::Failed, 0);
    EXPECT_GE(run.elapsed, 30000u);
    EXPECT_EQ(run.positions.back(), 0);
    EXPECT_EQ(run.ended, WorkerStatus::Failed);
}

TEST(ProgressAnimation, TextAreaIsTheUpperTwoThirds) {
    EXPECT_EQ(ProgressDialog::textAreaBottom(90), 60);
    EXPECT_EQ(ProgressDialog::textAreaBottom(91), 60);
    EXPECT_EQ(ProgressDialog::textAreaBottom(2), 1);
}

} // namespace
} // namespace setup
