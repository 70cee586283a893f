#include "ProposalDesk.h"

#include <filesystem>
#include <future>
#include <random>
#include <sstream>

#include "Cp1252.h"
#include "ErrorLog.h"
#include "ProposalRun.h"
#include "RelayRun.h"
#include "Text.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

constexpr const char* kPdfExtension = ".pdf";

bool IsName(std::string_view name) {
    return name.size() == 32 && name.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// relay.out, its values as the relay wrote them: the settings-file reader
// would trim them and take off quotes, and the answer is passed on whole.
std::vector<ProposalDesk::Section> ReadAnswer(const std::string& bytes) {
    std::vector<ProposalDesk::Section> sections;
    const std::string text = Cp1252ToUtf8(bytes);
    for (const std::string_view line : SplitLines(text)) {
        if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
            sections.emplace_back(std::string(line.substr(1, line.size() - 2)),
                                  ProposalDesk::Section::second_type());
        } else if (const auto equals = line.find('=');
                   equals != std::string_view::npos && !sections.empty()) {
            sections.back().second.emplace_back(line.substr(0, equals), line.substr(equals + 1));
        }
    }
    return sections;
}

// A value without the run's folder (its files' links, a message naming
// one), which is the server's business and gone with the answer.
std::string WithoutFolder(std::string text, const std::string& folder) {
    for (const std::string& place : {"file://" + folder, folder})
        for (auto at = text.find(place); at != std::string::npos; at = text.find(place))
            text.erase(at, place.size());
    return text;
}

// "Message_1=Error" + two separators + the text: the text.
std::string MessageText(const std::string& value) {
    const auto separator = value.find(kMessageSeparator);
    return separator == std::string::npos ? value : value.substr(separator + kMessageSeparator.size());
}

}  // namespace

std::string RandomName() {
    std::random_device source;
    std::string name;
    constexpr char kDigits[] = "0123456789abcdef";
    for (int i = 0; i < 32; ++i) name += kDigits[source() % 16];
    return name;
}

ProposalDesk::ProposalDesk(ProcessValues process, std::string runsFolder, std::string pdfFolder,
                           std::chrono::seconds kept)
    : process_(std::move(process)),
      runsFolder_(std::move(runsFolder)),
      folder_(std::move(pdfFolder)),
      kept_(kept) {
    // A folder named for several servers is left as its administrator made it.
    if (fs::create_directories(folder_))
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace);
    layout_ = std::thread([this] {
        for (;;) {
            std::unique_lock lock(jobsMutex_);
            jobsWaiting_.wait(lock, [&] { return closing_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            const std::function<void()> job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            job();
        }
    });
}

ProposalDesk::~ProposalDesk() {
    {
        const std::lock_guard lock(jobsMutex_);
        closing_ = true;
    }
    jobsWaiting_.notify_one();
    layout_.join();
}

ProposalDesk::Made ProposalDesk::Make(const std::string& relayText, bool keepPdf) {
    std::packaged_task<Made()> task([&] { return MakeHere(relayText, keepPdf); });
    std::future<Made> made = task.get_future();
    {
        const std::lock_guard lock(jobsMutex_);
        jobs_.emplace_back([&task] { task(); });
    }
    jobsWaiting_.notify_one();
    return made.get();
}

ProposalDesk::Made ProposalDesk::MakeHere(const std::string& relayText, bool keepPdf) {
    RemoveExpired();
    const std::string name = RandomName();
    const fs::path run = fs::path(runsFolder_) / name;
    fs::create_directory(run);
    WriteFileAtomically(run / "relay.ini", relayText, Durability::WithTheRun);
    ProcessValues process = process_;
    process.SetStartDirectory({run.string()});
    std::ostringstream diagnostics;
    RunRelay(process, diagnostics);
    Made made;
    for (auto& [section, values] : ReadAnswer(ReadFileBytes(run / "relay.out").value_or(""))) {
        if (section == "EMF") continue;
        for (auto& [key, value] : values) {
            value = WithoutFolder(std::move(value), WithTrailingSeparator(run.string()));
            if (key == "Status") made.status = std::stoi(value);
            if (key.starts_with("Message_")) made.messages.push_back(MessageText(value));
        }
        made.answer.emplace_back(std::move(section), std::move(values));
    }
    const fs::path pdf = run / kDefaultPdfName;
    std::error_code failed;
    if (made.status == 0 && fs::exists(pdf, failed)) {
        if (keepPdf) {
            WriteFileAtomically(fs::path(folder_) / (name + kPdfExtension), ReadFileBytes(pdf).value_or(""),
                                Durability::WithTheRun);
            made.keptAs = name;
        } else {
            made.pdf = ReadFileBytes(pdf).value_or("");
        }
    }
    fs::remove_all(run, failed);
    return made;
}

std::optional<std::string> ProposalDesk::Kept(std::string_view name) {
    RemoveExpired();
    if (!IsName(name)) return std::nullopt;
    return ReadFileBytes(fs::path(folder_) / (std::string(name) + kPdfExtension));
}

void ProposalDesk::RemoveExpired() {
    const auto oldest = fs::file_time_type::clock::now() - kept_;
    std::error_code failed;
    for (const auto& entry : fs::directory_iterator(folder_, failed)) {
        std::error_code unknown;
        if (entry.last_write_time(unknown) < oldest && !unknown) fs::remove_all(entry.path(), unknown);
    }
}

}  // namespace quoravel
