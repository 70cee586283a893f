#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace quoravel {

// Worker processes forked from this one, for batches of independent jobs:
// each worker is started once (Qt, rate files, a pricer) and then answers the
// jobs handed to it, by number, one at a time. A worker that ends in the
// middle of a job loses that job alone: a new worker takes the ones waiting.
class WorkerPool {
public:
    // What a worker does with a job: its answer's bytes.
    using Job = std::function<std::string(std::size_t job)>;
    // Starts a worker, in the worker process; what it returns answers every job handed to it.
    using StartWorker = std::function<Job()>;

    struct Answer {
        std::size_t job = 0;
        std::optional<std::string> result;  // nothing when the worker ended first
        double seconds = 0;                 // the job's run alone, in its worker
        std::string lostBecause;            // why the worker ended, when it did
    };

    explicit WorkerPool(StartWorker start) : start_(std::move(start)) {}

    // Jobs 0 to count - 1 on up to `workers` processes (at least one, never
    // more than the jobs); `answered` hears each job in the parent as it
    // ends, in the order they end.
    void Run(std::size_t count, int workers, const std::function<void(const Answer&)>& answered);

private:
    StartWorker start_;
};

}  // namespace quoravel
