#include "WorkerPool.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <deque>
#include <vector>

#include "TextFile.h"

namespace quoravel {
namespace {

using Clock = std::chrono::steady_clock;

// Reads from the pipe into `pending` until it holds `bytes`; false at the pipe's end.
bool Fill(int fd, std::string& pending, std::size_t bytes) {
    while (pending.size() < bytes) {
        char chunk[65536];
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        pending.append(chunk, static_cast<std::size_t>(got));
    }
    return true;
}

// One line without its end; nothing at the pipe's end.
std::optional<std::string> ReadLine(int fd, std::string& pending) {
    for (std::size_t end; (end = pending.find('\n')) == std::string::npos;)
        if (!Fill(fd, pending, pending.size() + 1)) return std::nullopt;
    const std::size_t end = pending.find('\n');
    std::string line = pending.substr(0, end);
    pending.erase(0, end + 1);
    return line;
}

// A worker: started once, then the jobs by number, one a line, each answered
// with "<job> <seconds> <bytes>" and the bytes.
[[noreturn]] void Work(int commands, int results, const WorkerPool::StartWorker& start) {
    const WorkerPool::Job job = start();
    std::string pending;
    while (const auto line = ReadLine(commands, pending)) {
        const auto started = Clock::now();
        const std::string answer = job(std::stoul(*line));
        const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
        if (!WriteAll(results,
                      *line + " " + std::to_string(seconds) + " " + std::to_string(answer.size()) + "\n") ||
            !WriteAll(results, answer))
            break;
    }
    _exit(0);  // the parent's files and Qt are the parent's to close
}

struct Worker {
    pid_t pid = -1;
    int commands = -1;  // the pool writes job numbers here
    int results = -1;   // and reads the answers here
    std::string pending;
    std::optional<std::size_t> job;  // the job being run
};

class Pool {
public:
    Pool(const WorkerPool::StartWorker& start, std::size_t count,
         const std::function<void(const WorkerPool::Answer&)>& answered)
        : start_(start), count_(count), answered_(answered) {}

    void Run(int workers) {
        const std::size_t wanted =
            std::min<std::size_t>(static_cast<std::size_t>(std::max(workers, 1)), count_);
        for (std::size_t i = 0; i < wanted; ++i) StartOne();
        for (Worker& worker : workers_) HandOut(worker);
        while (Busy()) Collect();
        for (Worker& worker : workers_) Stop(worker);
        // Jobs left when no worker could be started are lost, and say so.
        for (; next_ < count_; ++next_)
            answered_({next_, std::nullopt, 0, "no worker process could be started"});
    }

private:
    bool Busy() const {
        return std::any_of(workers_.begin(), workers_.end(),
                           [](const Worker& w) { return w.job.has_value(); });
    }

    bool StartOne() {
        int down[2], up[2];
        if (pipe(down) != 0) return false;
        if (pipe(up) != 0) {
            close(down[0]);
            close(down[1]);
            return false;
        }
        const pid_t pid = fork();
        if (pid == 0) {
            // The other workers' pipes stay with the pool: a worker sees the
            // end of its own commands only when the pool closes them.
            for (const Worker& other : workers_) {
                close(other.commands);
                close(other.results);
            }
            close(down[1]);
            close(up[0]);
            Work(down[0], up[1], start_);
        }
        close(down[0]);
        close(up[1]);
        if (pid < 0) {
            close(down[1]);
            close(up[0]);
            return false;
        }
        workers_.push_back({pid, down[1], up[0], {}, std::nullopt});
        return true;
    }

    void HandOut(Worker& worker) {
        if (next_ >= count_ || worker.pid < 0) return;
        worker.job = next_++;
        if (!WriteAll(worker.commands, std::to_string(*worker.job) + "\n")) Lost(worker);
    }

    // Waits for the next answer of any worker and hands that worker the next job.
    void Collect() {
        std::vector<pollfd> waiting;
        for (const Worker& worker : workers_)
            if (worker.job) waiting.push_back({worker.results, POLLIN, 0});
        if (poll(waiting.data(), waiting.size(), -1) < 0) return;  // interrupted: wait again
        for (std::size_t i = 0; i < workers_.size(); ++i) {
            Worker& worker = workers_[i];  // Lost may start a worker: an index outlives that
            const bool ready = std::any_of(waiting.begin(), waiting.end(), [&](const pollfd& p) {
                return p.fd == worker.results && p.revents != 0;
            });
            if (!ready || !worker.job) continue;
            const auto head = ReadLine(worker.results, worker.pending);
            std::size_t job = 0, bytes = 0;
            double seconds = 0;
            char* end = nullptr;
            if (head) {
                job = std::strtoul(head->c_str(), &end, 10);
                seconds = std::strtod(end, &end);
                bytes = std::strtoul(end, &end, 10);
            }
            if (!head || job != *worker.job || !Fill(worker.results, worker.pending, bytes)) {
                Lost(worker);
                continue;
            }
            answered_({job, worker.pending.substr(0, bytes), seconds, {}});
            worker.pending.erase(0, bytes);
            worker.job.reset();
            HandOut(worker);
        }
    }

    // A worker that ended in the middle of a job: that job is lost, and a
    // new worker takes the ones still waiting.
    void Lost(Worker& worker) {
        int how = 0;
        close(worker.commands);
        close(worker.results);
        waitpid(worker.pid, &how, 0);
        worker.pid = -1;
        if (worker.job) {
            answered_({*worker.job, std::nullopt, 0,
                       WIFSIGNALED(how)
                           ? "its worker process ended (signal " + std::to_string(WTERMSIG(how)) + ")"
                           : std::string("its worker process ended")});
            worker.job.reset();
        }
        if (next_ < count_ && StartOne()) HandOut(workers_.back());
    }

    void Stop(Worker& worker) {
        if (worker.pid < 0) return;
        close(worker.commands);
        close(worker.results);
        waitpid(worker.pid, nullptr, 0);
        worker.pid = -1;
    }

    const WorkerPool::StartWorker& start_;
    std::size_t count_;
    const std::function<void(const WorkerPool::Answer&)>& answered_;
    std::deque<Worker> workers_;  // a worker started later must not move the others
    std::size_t next_ = 0;
};

}  // namespace

void WorkerPool::Run(std::size_t count, int workers, const std::function<void(const Answer&)>& answered) {
    // A worker that ends early must not end the pool with it.
    signal(SIGPIPE, SIG_IGN);
    Pool(start_, count, answered).Run(workers);
}

}  // namespace quoravel
