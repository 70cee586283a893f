#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "ProcessValues.h"

namespace quoravel {

// Makes proposals from relay files as the relay run makes them, each in a
// folder of its own under the runs folder (private, in memory where the
// system has a memory file system: the run's files are gone with its
// answer), and keeps a PDF in the PDF folder for its link for a bounded
// time. The PDF folder holds nothing else, so several servers may share it.
class ProposalDesk {
public:
    // `process` is the server's (program folder, version, rate set); the
    // PDF folder is made private (0700) if it does not exist.
    ProposalDesk(ProcessValues process, std::string runsFolder, std::string pdfFolder,
                 std::chrono::seconds kept);
    ~ProposalDesk();
    ProposalDesk(const ProposalDesk&) = delete;
    ProposalDesk& operator=(const ProposalDesk&) = delete;

    // The relay answer, section by section, as the relay wrote it but for
    // the page files, whose places on the server are nobody's business.
    using Section = std::pair<std::string, std::vector<std::pair<std::string, std::string>>>;
    struct Made {
        int status = 0;                     // the answer's "Status"
        std::vector<std::string> messages;  // its messages, errors first as the relay lists them
        std::vector<Section> answer;
        std::string pdf;     // the PDF's bytes, unless it was kept
        std::string keptAs;  // the kept PDF's name, 32 hexadecimal digits
        bool Whole() const { return status == 0 && (!pdf.empty() || !keptAs.empty()); }
    };
    // Waits while the proposals asked for before are made.
    Made Make(const std::string& relayText, bool keepPdf);

    // A kept PDF by its name, while it is kept.
    std::optional<std::string> Kept(std::string_view name);
    std::chrono::seconds KeptFor() const { return kept_; }

    // Removes the PDFs kept longer than their time.
    void RemoveExpired();

private:
    Made MakeHere(const std::string& relayText, bool keepPdf);

    ProcessValues process_;
    std::string runsFolder_;
    std::string folder_;
    std::chrono::seconds kept_;
    // Proposals are made one at a time on a thread of their own: the fonts'
    // measures are shared, and Qt keeps its fonts and glyphs for each
    // thread that draws, so drawing on one keeps the memory to one set.
    std::mutex jobsMutex_;
    std::condition_variable jobsWaiting_;
    std::deque<std::function<void()>> jobs_;
    bool closing_ = false;
    std::thread layout_;
};

// A new name no one can guess: 128 random bits in hexadecimal.
std::string RandomName();

}  // namespace quoravel
