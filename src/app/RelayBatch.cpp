#include "RelayBatch.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>

#include "ProgramFolder.h"
#include "RateSet.h"
#include "RelayRun.h"

namespace quoravel {
namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kNoStatus = "none";

// The seconds since a moment, to the thousandth.
std::string Seconds(Clock::time_point since) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(3) << std::chrono::duration<double>(Clock::now() - since).count();
    return text.str();
}

// One line from a pipe, without its line end; nothing at the pipe's end.
std::optional<std::string> ReadLine(int fd, std::string& pending) {
    for (;;) {
        if (const auto end = pending.find('\n'); end != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            return line;
        }
        char chunk[256];
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::nullopt;
        pending.append(chunk, static_cast<std::size_t>(got));
    }
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t put = write(fd, text.data() + written, text.size() - written);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        written += static_cast<std::size_t>(put);
    }
    return true;
}

// The relay run of one folder in a worker: its "Status", or "none" with the
// reason on `diagnostics` when the folder could not be answered.
std::string RunFolder(const ProcessValues& worker, const std::string& folder, std::ostream& diagnostics) {
    ProcessValues process = worker;
    process.SetStartDirectory({folder});
    std::string problem = StartFolderProblem(process);
    if (problem.empty() && !HasRelayFile(process)) problem = "the folder " + folder + " holds no relay.ini.";
    if (!problem.empty()) {
        diagnostics << "quoravel: " << problem << "\n";
        return kNoStatus;
    }
    const RelayOutcome outcome = RunRelay(process, diagnostics);
    return outcome.exitCode == ExitCode::Answered ? std::to_string(outcome.status) : kNoStatus;
}

// A worker: Qt started once, then the folders the batch hands it, by their
// number, one a line, each answered with its number, status and the seconds
// of its run alone.
[[noreturn]] void Work(int commands, int results, const ProcessValues& batch,
                       const std::vector<std::string>& folders, int argc, char** argv) {
    KeepFreedMemoryForReuse();
    QGuiApplication application(argc, argv);
    ProcessValues worker = batch;
    LocateFolders(worker, argc, argv);
    // Once a worker, not once a folder.
    RateSetIdentityOnce(worker);
    std::string pending;
    while (const auto line = ReadLine(commands, pending)) {
        const std::size_t index = std::stoul(*line);
        const auto started = Clock::now();
        const std::string status = RunFolder(worker, folders.at(index), std::cerr);
        std::cerr.flush();
        if (!WriteAll(results, *line + "\t" + status + "\t" + Seconds(started) + "\n")) break;
    }
    _exit(0);  // the batch's Qt and files are the parent's to close
}

struct Worker {
    pid_t pid = -1;
    int commands = -1;  // the batch writes folder numbers here
    int results = -1;   // and reads the answers here
    std::string pending;
    std::optional<std::size_t> folder;  // the folder being run
    Clock::time_point started;
};

class Batch {
public:
    Batch(const ProcessValues& process, const std::vector<std::string>& folders, std::ostream& out,
          std::ostream& diagnostics, int argc, char** argv)
        : process_(process),
          folders_(folders),
          out_(out),
          diagnostics_(diagnostics),
          argc_(argc),
          argv_(argv) {}

    int Run(int workers) {
        const std::size_t count =
            std::min<std::size_t>(static_cast<std::size_t>(std::max(workers, 1)), folders_.size());
        for (std::size_t i = 0; i < count; ++i) StartWorker();
        for (Worker& worker : workers_) HandOut(worker);
        while (Busy()) Collect();
        for (Worker& worker : workers_) Stop(worker);
        // Folders left when no worker could be started go unanswered, and say so.
        for (; next_ < folders_.size(); ++next_) {
            diagnostics_ << "quoravel: no worker process could be started for the folder " << folders_[next_]
                         << "; it has no answer.\n";
            Report(next_, std::string(kNoStatus) + "\t0.000");
        }
        return allAnswered_ ? ExitCode::Answered : ExitCode::NoAnswer;
    }

private:
    bool Busy() const {
        for (const Worker& worker : workers_)
            if (worker.folder) return true;
        return false;
    }

    bool StartWorker() {
        int down[2], up[2];
        if (pipe(down) != 0) return false;
        if (pipe(up) != 0) {
            close(down[0]);
            close(down[1]);
            return false;
        }
        out_.flush();
        diagnostics_.flush();
        const pid_t pid = fork();
        if (pid == 0) {
            // The other workers' pipes stay with the batch: a worker sees the
            // end of its own commands only when the batch closes them.
            for (const Worker& other : workers_) {
                close(other.commands);
                close(other.results);
            }
            close(down[1]);
            close(up[0]);
            Work(down[0], up[1], process_, folders_, argc_, argv_);
        }
        close(down[0]);
        close(up[1]);
        if (pid < 0) {
            close(down[1]);
            close(up[0]);
            return false;
        }
        workers_.push_back({pid, down[1], up[0], {}, std::nullopt, {}});
        return true;
    }

    void HandOut(Worker& worker) {
        if (next_ >= folders_.size() || worker.pid < 0) return;
        worker.folder = next_++;
        worker.started = Clock::now();
        if (!WriteAll(worker.commands, std::to_string(*worker.folder) + "\n")) Lost(worker);
    }

    // `answer` is the status and seconds, separated by a tab.
    void Report(std::size_t folder, const std::string& answer) {
        if (answer.starts_with(kNoStatus)) allAnswered_ = false;
        out_ << folders_[folder] << '\t' << answer << std::endl;
    }

    // Waits for the next answer of any worker and hands that worker the next folder.
    void Collect() {
        std::vector<pollfd> waiting;
        for (const Worker& worker : workers_)
            if (worker.folder) waiting.push_back({worker.results, POLLIN, 0});
        if (poll(waiting.data(), waiting.size(), -1) < 0) return;  // interrupted: wait again
        for (std::size_t i = 0; i < workers_.size(); ++i) {
            Worker& worker = workers_[i];  // Lost may start a worker: an index outlives that
            const bool ready = std::any_of(waiting.begin(), waiting.end(), [&](const pollfd& p) {
                return p.fd == worker.results && p.revents != 0;
            });
            if (!ready || !worker.folder) continue;
            const auto line = ReadLine(worker.results, worker.pending);
            if (!line) {
                Lost(worker);
                continue;
            }
            const auto tab = line->find('\t');
            Report(*worker.folder, line->substr(tab + 1));
            worker.folder.reset();
            HandOut(worker);
        }
    }

    // A worker that ended in the middle of a folder: that folder has no
    // answer, and a new worker takes the ones still waiting.
    void Lost(Worker& worker) {
        int how = 0;
        close(worker.commands);
        close(worker.results);
        waitpid(worker.pid, &how, 0);
        worker.pid = -1;
        if (worker.folder) {
            diagnostics_ << "quoravel: the run of the folder " << folders_[*worker.folder]
                         << " ended abnormally"
                         << (WIFSIGNALED(how) ? " (signal " + std::to_string(WTERMSIG(how)) + ")"
                                              : std::string())
                         << "; it has no answer.\n";
            Report(*worker.folder, std::string(kNoStatus) + "\t" + Seconds(worker.started));
            worker.folder.reset();
        }
        if (next_ < folders_.size() && StartWorker()) HandOut(workers_.back());
    }

    void Stop(Worker& worker) {
        if (worker.pid < 0) return;
        close(worker.commands);
        close(worker.results);
        waitpid(worker.pid, nullptr, 0);
        worker.pid = -1;
    }

    const ProcessValues& process_;
    const std::vector<std::string>& folders_;
    std::ostream& out_;
    std::ostream& diagnostics_;
    int argc_;
    char** argv_;
    std::deque<Worker> workers_;  // a worker started later must not move the others
    std::size_t next_ = 0;
    bool allAnswered_ = true;
};

}  // namespace

std::string BatchNamesProblem(const std::vector<std::string>& names) {
    if (names.empty()) return "--relay needs at least one folder, or \"-\" to read them from standard input.";
    for (const std::string& name : names) {
        if (name == "-" && names.size() > 1)
            return "\"-\" reads the folders from standard input and stands alone after --relay.";
        if (name.starts_with("--")) return name + " is not a folder; name it ./" + name + " if it is one.";
    }
    return {};
}

std::vector<std::string> BatchFolders(const std::vector<std::string>& names, std::istream& in) {
    std::vector<std::string> listed = names;
    if (names.size() == 1 && names.front() == "-") {
        listed.clear();
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            // A line of blanks names no folder; blanks around a name are kept.
            if (line.find_first_not_of(" \t") != std::string::npos) listed.push_back(line);
        }
    }
    std::vector<std::string> folders;
    std::set<std::string> seen;
    for (const std::string& folder : listed) {
        std::error_code unknown;
        const auto canonical = std::filesystem::weakly_canonical(folder, unknown);
        std::string key = unknown ? folder : canonical.string();
        while (key.size() > 1 && key.back() == '/') key.pop_back();
        if (seen.insert(key).second) folders.push_back(folder);
    }
    return folders;
}

int RunRelayBatch(const ProcessValues& process, const std::vector<std::string>& folders, int workers,
                  std::ostream& out, std::ostream& diagnostics, int argc, char** argv) {
    // A worker that ends early must not end the batch with it.
    signal(SIGPIPE, SIG_IGN);
    ProcessValues batch = process;
    batch.RelayMode = true;
    return Batch(batch, folders, out, diagnostics, argc, argv).Run(workers);
}

}  // namespace quoravel
