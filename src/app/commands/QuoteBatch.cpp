#include "QuoteBatch.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <span>

#include "CsvText.h"
#include "InputRules.h"
#include "JsonWriter.h"
#include "Quote.h"
#include "QuoteCommand.h"
#include "RelayRun.h"
#include "Rounding.h"
#include "Text.h"
#include "WorkerPool.h"

namespace quoravel {
namespace {

// Rows a worker quotes between two answers: large enough that the pipes are
// no cost, small enough that every worker stays busy to the end.
constexpr std::size_t kChunkRows = 250;
constexpr const char* kCsvHeader =
    "row,error,code,name,face,issuable,refusal,annual,semi_annual,quarterly,monthly\r\n";

struct BatchCommand {
    std::string file;
    bool jsonLines = false;
    std::vector<std::string> problems;
};

BatchCommand ReadBatchCommand(const std::vector<std::string>& arguments) {
    BatchCommand command;
    bool named = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string word = arguments[i], value;
        if (const auto equals = word.find('='); word.starts_with("--") && equals != std::string::npos) {
            value = word.substr(equals + 1);
            word.resize(equals);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            command.problems.push_back(word + " needs a value.");
            continue;
        }
        if (word == "--csv" && !named) {
            command.file = value;
            named = true;
        } else if (word == "--format" && (value == "csv" || value == "jsonl")) {
            command.jsonLines = value == "jsonl";
        } else if (word == "--format") {
            command.problems.push_back(InputMessage(word, value, "a batch format: csv or jsonl"));
        } else {
            command.problems.push_back(word + " is not an option of a batch quote (--csv FILE, --format).");
        }
    }
    return command;
}

// The header's columns are input names; a single input has one column.
std::vector<std::string> HeaderProblems(const std::vector<std::string>& header) {
    std::vector<std::string> problems, singles;
    const auto names = QuoteInputNames();
    for (std::size_t column = 0; column < header.size(); ++column) {
        const std::string name{Trim(header[column])};
        const auto known = std::find_if(names.begin(), names.end(),
                                        [&](const QuoteInputName& input) { return input.name == name; });
        const bool dated = name == "birth-date" || name == "as-of";
        const std::string named = "column " + std::to_string(column + 1) + " \"" + header[column] + "\"";
        if (known == names.end() && !dated) {
            problems.push_back(named + " is not an input of a quote.");
        } else if (dated || !known->repeatable) {
            if (std::find(singles.begin(), singles.end(), name) != singles.end())
                problems.push_back(named + " is given more than once.");
            singles.push_back(name);
        }
    }
    return problems;
}

// A row's inputs: an empty cell gives none; a repeatable input's cell may
// hold several values separated by ";".
std::vector<QuoteInput> RowInputs(const std::vector<std::string>& header,
                                  const std::vector<std::string>& row) {
    std::vector<QuoteInput> inputs;
    const auto names = QuoteInputNames();
    for (std::size_t column = 0; column < header.size() && column < row.size(); ++column) {
        const std::string name{Trim(header[column])};
        const auto known = std::find_if(names.begin(), names.end(),
                                        [&](const QuoteInputName& input) { return input.name == name; });
        const bool several = known != names.end() && known->repeatable;
        std::string_view cell = row[column];
        while (!Trim(cell).empty()) {
            const auto end = several ? cell.find(';') : std::string_view::npos;
            if (!Trim(cell.substr(0, end)).empty())
                inputs.push_back({name, std::string(cell.substr(0, end))});
            cell = end == std::string_view::npos ? std::string_view() : cell.substr(end + 1);
        }
    }
    return inputs;
}

std::string Money(double amount) { return FixedText(round(2, amount), 2); }

class RowWriter {
public:
    explicit RowWriter(bool jsonLines) : jsonLines_(jsonLines) {}

    void Error(std::string& text, std::size_t row, const std::vector<std::string>& problems) const {
        if (!jsonLines_) {
            std::string joined;
            for (const std::string& problem : problems) joined += (joined.empty() ? "" : " ") + problem;
            text += std::to_string(row) + "," + CsvField(joined) + ",,,,,,,,,\r\n";
            return;
        }
        JsonWriter json;
        json.BeginObject();
        json.Key("row");
        json.Number(std::to_string(row));
        json.Key("errors");
        json.BeginArray();
        for (const std::string& problem : problems) json.String(problem);
        json.EndArray();
        json.EndObject();
        text += json.Text() + "\n";
    }

    void Line(std::string& text, std::size_t row, const QuoteLine& line) const {
        const std::vector<std::pair<const char*, double>> modal{{"annual", line.modal.annual},
                                                                {"semiAnnual", line.modal.semiAnnual},
                                                                {"quarterly", line.modal.quarterly},
                                                                {"monthly", line.modal.specialMonthly}};
        if (!jsonLines_) {
            text += std::to_string(row) + ",," + CsvField(line.code) + "," + CsvField(line.name) + "," +
                    std::to_string(line.faceAmount) + "," + (line.issuable ? "yes," : "no,") +
                    CsvField(line.refusal);
            for (const auto& [key, amount] : modal)
                text += "," + (line.issuable ? Money(amount) : std::string());
            text += "\r\n";
            return;
        }
        JsonWriter json;
        json.BeginObject();
        json.Key("row");
        json.Number(std::to_string(row));
        WriteLineHead(json, line);
        if (!line.issuable) {
            json.Key("refusal");
            json.String(line.refusal);
        }
        for (const auto& [key, amount] : modal) {
            if (!line.issuable) break;
            json.Key(key);
            json.Number(Money(amount));
        }
        json.EndObject();
        text += json.Text() + "\n";
    }

private:
    bool jsonLines_;
};

struct Chunk {
    std::string text;
    bool allQuoted = true;
};

// The rows [first, last) of the clients quoted: their result rows.
Chunk QuoteRows(const std::vector<std::vector<std::string>>& records, std::size_t first, std::size_t last,
                const RowWriter& writer, QuotePricer& pricer, const std::string& programFolder) {
    Chunk chunk;
    const std::vector<std::string>& header = records.front();
    for (std::size_t record = first; record < last; ++record) {
        const ClientReading client = ReadClient(RowInputs(header, records[record]), programFolder);
        if (!client.problems.empty()) {
            writer.Error(chunk.text, record, client.problems);
            chunk.allQuoted = false;
            continue;
        }
        for (const QuoteLine& line : pricer.Price(client.request)) writer.Line(chunk.text, record, line);
    }
    return chunk;
}

// A chunk as a worker answers it: "1" when every row was quoted, then the rows.
std::string ChunkAnswer(const Chunk& chunk) { return (chunk.allQuoted ? "1" : "0") + chunk.text; }

class Batch {
public:
    Batch(const std::vector<std::vector<std::string>>& records, const RowWriter& writer,
          const std::string& programFolder)
        : records_(records), writer_(writer), programFolder_(programFolder) {}

    // The chunks go to the workers as they are free; the answers are
    // written in chunk order.
    int Run(std::ostream& out, std::ostream& err, int workers) {
        const std::size_t chunks = (records_.size() - 1 + kChunkRows - 1) / kChunkRows;
        WorkerPool pool([this]() -> WorkerPool::Job {
            auto pricer = std::make_shared<QuotePricer>(programFolder_);
            return [this, pricer](std::size_t k) {
                return ChunkAnswer(QuoteRows(records_, First(k), Last(k), writer_, *pricer, programFolder_));
            };
        });
        out.flush();
        err.flush();
        std::map<std::size_t, Chunk> waiting;
        std::size_t written = 0;
        bool allQuoted = true;
        pool.Run(chunks, workers, [&](const WorkerPool::Answer& answer) {
            Chunk chunk;
            if (answer.result && !answer.result->empty()) {
                chunk.allQuoted = answer.result->front() == '1';
                chunk.text = answer.result->substr(1);
            } else {
                chunk = Lost(answer.job);
                err << "quoravel quote: the worker process quoting rows " << First(answer.job) << " to "
                    << Last(answer.job) - 1 << " ended; those rows have no quote.\n";
            }
            waiting.emplace(answer.job, std::move(chunk));
            for (auto next = waiting.find(written); next != waiting.end(); next = waiting.find(written)) {
                allQuoted = allQuoted && next->second.allQuoted;
                out << next->second.text;
                waiting.erase(next);
                ++written;
            }
        });
        out.flush();
        return allQuoted ? 0 : ExitCode::NoAnswer;
    }

private:
    std::size_t First(std::size_t chunk) const { return 1 + chunk * kChunkRows; }
    std::size_t Last(std::size_t chunk) const { return std::min(records_.size(), First(chunk + 1)); }

    Chunk Lost(std::size_t chunk) const {
        Chunk lost;
        lost.allQuoted = false;
        for (std::size_t row = First(chunk); row < Last(chunk); ++row)
            writer_.Error(lost.text, row, {"the quote of this row was lost: its worker process ended."});
        return lost;
    }

    const std::vector<std::vector<std::string>>& records_;
    const RowWriter& writer_;
    const std::string& programFolder_;
};

}  // namespace

bool IsQuoteBatch(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& word) { return word == "--csv" || word.starts_with("--csv="); });
}

int RunQuoteBatch(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
                  std::ostream& err, const std::string& programFolder, int workers) {
    BatchCommand command = ReadBatchCommand(arguments);
    std::string text;
    if (command.problems.empty() && command.file == "-") {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else if (command.problems.empty()) {
        std::ifstream file(command.file, std::ios::binary);
        if (!file) command.problems.push_back("--csv: the file " + command.file + " cannot be read.");
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    const std::vector<std::vector<std::string>> records = CsvRecords(text);
    if (command.problems.empty() && records.empty())
        command.problems.push_back("--csv: " + command.file + " has no header row of input names.");
    if (command.problems.empty()) command.problems = HeaderProblems(records.front());
    if (!command.problems.empty()) {
        for (const std::string& problem : command.problems) err << "quoravel quote: " << problem << "\n";
        return ExitCode::NotRelayRun;
    }
    const RowWriter writer(command.jsonLines);
    if (!command.jsonLines) out << kCsvHeader;
    return Batch(records, writer, programFolder).Run(out, err, workers);
}

}  // namespace quoravel
