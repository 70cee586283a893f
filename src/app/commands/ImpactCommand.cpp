#include "ImpactCommand.h"

#include <unistd.h>
#include <QDate>
#include <QGuiApplication>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "CaseFile.h"
#include "CsvText.h"
#include "PdfOutput.h"
#include "PrivateRuntimeFolder.h"
#include "ProgramFolder.h"
#include "RateImpact.h"
#include "RateImpactReport.h"
#include "RateSet.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "Text.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

constexpr const char* kUsage =
    "Usage: quoravel impact --old-rates DIR --new-rates DIR [--csv FILE] [--pdf FILE] CASEFILE...\n";
constexpr const char* kCsvHeader =
    "Case file,Case,Name,Product,Face amount,Old first-year premium,New first-year premium,Change,Change %,"
    "Largest yearly change,Year of largest change,Not priced because\r\n";
// Cases priced before the progress bar is worth drawing.
constexpr std::size_t kProgressFrom = 200;
constexpr int kProgressWidth = 40;

struct ImpactOptions {
    std::string oldRates, newRates, csv, pdf;
    std::vector<std::string> caseFiles;
};

// The options, or the reason they cannot be taken in `problem`.
ImpactOptions ReadOptions(const std::vector<std::string>& arguments, std::string& problem) {
    ImpactOptions options;
    for (std::size_t at = 0; at < arguments.size() && problem.empty(); ++at) {
        const std::string& argument = arguments[at];
        std::string* value = argument == "--old-rates"   ? &options.oldRates
                             : argument == "--new-rates" ? &options.newRates
                             : argument == "--csv"       ? &options.csv
                             : argument == "--pdf"       ? &options.pdf
                                                         : nullptr;
        if (value) {
            if (at + 1 == arguments.size() || arguments[at + 1].empty() ||
                arguments[at + 1].starts_with("--"))
                problem = argument + " needs a value.";
            else if (!value->empty())
                problem = argument + " is given twice.";
            else
                *value = arguments[++at];
        } else if (argument.starts_with("--")) {
            problem = argument + " is not an option of quoravel impact.";
        } else {
            options.caseFiles.push_back(argument);
        }
    }
    if (problem.empty() && (options.oldRates.empty() || options.newRates.empty()))
        problem = "both --old-rates and --new-rates must name a folder of rate files.";
    if (problem.empty() && options.caseFiles.empty()) problem = "no case file was named.";
    return options;
}

// Whether two names are one file (a file not there yet is no other file).
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code aError, bError;
    const fs::path first = fs::weakly_canonical(a, aError);
    const fs::path second = fs::weakly_canonical(b, bError);
    return !aError && !bError && first == second;
}

// A report that would be written over a case file, or over the other report,
// would lose it.
std::string OutputProblem(const ImpactOptions& options) {
    for (const std::string* output : {&options.csv, &options.pdf}) {
        if (output->empty()) continue;
        for (const std::string& caseFile : options.caseFiles)
            if (SameFile(*output, caseFile))
                return *output + " is a case file of the report: it is not written over.";
    }
    if (!options.csv.empty() && !options.pdf.empty() && SameFile(options.csv, options.pdf))
        return "--csv and --pdf name the same file.";
    return {};
}

// Writes one report, telling on `err` why it could not be; false then.
bool WriteReport(const std::function<void()>& write, std::ostream& err) {
    try {
        write();
        return true;
    } catch (const std::exception& error) {
        err << "quoravel: the report could not be written: " << error.what() << "\n";
        return false;
    }
}

// "408f37a8aa5b (rates/)", or the reason the folder holds no rate set.
std::string DescribeRates(const std::string& folder, std::string& problem) {
    if (!fs::is_directory(folder)) {
        problem = folder + " is not a folder.";
        return {};
    }
    try {
        const RateSet rates = IdentifyRateSet(WithTrailingSeparator(folder));
        if (rates.files == 0) problem = folder + " holds no rate files (.rat).";
        return rates.identity + " (" + std::to_string(rates.files) + " rate files in " + folder + ")";
    } catch (const RuntimeError& error) {
        problem = error.Description();
        return {};
    }
}

std::string Plain(double amount) { return FixedText(round(2, amount), 2); }

class ProgressBar {
public:
    ProgressBar(std::ostream& err, std::size_t total, bool shown)
        : err_(err), total_(total), shown_(shown && total >= kProgressFrom) {}
    void Done(std::size_t done) {
        if (!shown_) return;
        const int filled = static_cast<int>(kProgressWidth * done / total_);
        if (filled == filled_ && done != total_) return;
        filled_ = filled;
        err_ << "\rPricing cases [" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(kProgressWidth - filled), ' ') << "] " << done << "/"
             << total_ << std::flush;
        if (done == total_) err_ << "\n";
    }

private:
    std::ostream& err_;
    std::size_t total_;
    bool shown_;
    int filled_ = -1;
};

}  // namespace

std::string ImpactCsv(const std::vector<ImpactLine>& lines) {
    std::string csv = kCsvHeader;
    for (const ImpactLine& line : lines) {
        const bool priced = line.Priced();
        const int year = priced ? line.LargestChangeYear() : 0;
        const std::vector<std::string> fields{
            line.caseFile,
            std::to_string(line.caseIndex),
            line.name,
            line.productName,
            std::to_string(line.faceAmount),
            priced ? Plain(line.OldFirstYear()) : "",
            priced ? Plain(line.NewFirstYear()) : "",
            priced ? Plain(line.Change()) : "",
            priced ? Plain(line.ChangePercent()) : "",
            priced ? Plain(line.LargestChange()) : "",
            year == 0 ? "" : std::to_string(year),
            line.problem,
        };
        std::string record;
        for (const std::string& field : fields) record += (record.empty() ? "" : ",") + CsvField(field);
        csv += record + "\r\n";
    }
    return csv;
}

int RunImpact(const std::vector<std::string>& arguments, const std::string& programFolder, std::ostream& out,
              std::ostream& err, bool progress) {
    std::string problem;
    const ImpactOptions options = ReadOptions(arguments, problem);
    ImpactReportHeading heading;
    if (problem.empty()) heading.oldRates = DescribeRates(options.oldRates, problem);
    if (problem.empty()) heading.newRates = DescribeRates(options.newRates, problem);
    if (problem.empty()) problem = OutputProblem(options);
    // Every case file is read before any is priced: a name mistyped costs no long run.
    std::vector<std::pair<std::string, Collection<ClientCase>>> caseFiles;
    std::size_t unreadCases = 0;
    for (const std::string& file : options.caseFiles) {
        if (!problem.empty()) break;
        std::error_code ec;
        if (!fs::exists(file, ec))
            problem = "there is no case file " + file + ".";
        else if (!fs::is_regular_file(file, ec))
            problem = file + " is not a case file.";
        else if (CaseFileContents read = LoadCaseFile(file); read.cases.Count() == 0)
            problem = file + " holds no case that can be read.";
        else {
            // A case left out is told: the report covers the cases that could be read.
            for (const UnreadCaseRecord& unread : read.unread)
                err << "quoravel: " << file << ", " << unread.Description() << ": not compared.\n";
            unreadCases += read.unread.size();
            caseFiles.emplace_back(file, std::move(read.cases));
        }
    }
    if (!problem.empty()) {
        err << "quoravel: " << problem << "\n" << kUsage;
        return ImpactCode::BadCommand;
    }

    std::size_t total = 0;
    for (const auto& [file, cases] : caseFiles) total += static_cast<std::size_t>(cases.Count());
    RateImpact impact(programFolder, options.oldRates, options.newRates);
    ProgressBar bar(err, total, progress);
    std::vector<ImpactLine> lines;
    std::size_t done = 0;
    for (const auto& [file, cases] : caseFiles) {
        heading.caseFiles.push_back(file);
        for (const auto& client : cases) {
            for (ImpactLine& line : impact.Compare(*client, file)) lines.push_back(std::move(line));
            bar.Done(++done);
        }
    }

    // Cases refused for their own reasons are listed with why; the report is
    // whole unless a rate set or a case record could not be read.
    const int code = unreadCases == 0 && std::ranges::none_of(lines, &ImpactLine::rateSetFailed)
                         ? ImpactCode::Complete
                         : ImpactCode::SomethingUnread;
    const std::string csv = ImpactCsv(lines);
    bool written = WriteReport(
        [&] {
            if (!options.csv.empty()) return WriteFileAtomically(options.csv, csv);
            out << csv << std::flush;
            if (!out) throw std::runtime_error("standard output cannot be written.");
        },
        err);
    if (!options.pdf.empty()) {
        if (progress && total >= kProgressFrom) err << "Writing the PDF report " << options.pdf << "\n";
        heading.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
        written =
            WriteReport([&] { WritePdf(RateImpactReport(lines, heading), options.pdf); }, err) && written;
    }
    return written ? code : ImpactCode::SomethingUnread;
}

int ImpactCommand(CommandLine& line) {
    // Only the PDF report draws text, and needs the fonts of an application.
    const bool pdf = std::ranges::find(line.words, "--pdf") != line.words.end();
    std::optional<PrivateRuntimeFolder> runtime;
    std::optional<QGuiApplication> application;
    if (pdf) {
        UseOffscreenPlatform();
        runtime.emplace();
        application.emplace(line.argc, line.argv);
    }
    return RunImpact(line.words, ResolveProgramFolder(line.argc, line.argv), std::cout, std::cerr,
                     isatty(STDERR_FILENO) != 0);
}

}  // namespace quoravel
