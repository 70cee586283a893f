#include <gtest/gtest.h>

#include <csignal>
#include <map>

#include "WorkerPool.h"

using quoravel::WorkerPool;

// Every job is answered once, whichever worker takes it; a worker killed in
// the middle of a job loses that job alone, with why, and the jobs after it
// are taken by a new worker.
TEST(WorkerPool, AWorkerThatEndsLosesItsJobAlone) {
    WorkerPool pool([]() -> WorkerPool::Job {
        return [](std::size_t job) {
            if (job == 3) std::raise(SIGKILL);
            return std::string(job * 1000, 'x') + std::to_string(job);
        };
    });
    std::map<std::size_t, WorkerPool::Answer> answers;
    pool.Run(12, 2, [&](const WorkerPool::Answer& answer) {
        EXPECT_TRUE(answers.emplace(answer.job, answer).second);
    });
    ASSERT_EQ(answers.size(), 12u);
    for (const auto& [job, answer] : answers) {
        EXPECT_EQ(answer.result.value_or("lost: " + answer.lostBecause),
                  job == 3 ? "lost: its worker process ended (signal 9)"
                           : std::string(job * 1000, 'x') + std::to_string(job));
    }
}
