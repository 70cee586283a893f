#include "QuoteCommand.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <sstream>

#include "ClientCase.h"
#include "CsvText.h"
#include "Date.h"
#include "FlatJsonReader.h"
#include "InputRules.h"
#include "JsonWriter.h"
#include "ProgramFolder.h"
#include "Quote.h"
#include "QuoteBatch.h"
#include "QuoteHints.h"
#include "RelayInputs.h"
#include "RelayRun.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr int kOldestAge = 100;
constexpr const char* kFormats[] = {"table", "json", "csv"};

std::string Money(double value) { return FixedText(round(2, value), 2); }

// What the command line asks besides the client: the output format.
struct QuoteCall {
    std::vector<QuoteInput> inputs;
    std::string format = "table";
    std::vector<std::string> problems;
    // JSON input that could not be read holds no client to check.
    bool unreadable = false;
};

// The age nearest birthday on the as-of date (today when none is given)
// becomes the client's age input.
void TakeBirthDate(ClientReading& client, const QuoteInput* birth, const QuoteInput* asOf, bool dashes) {
    const std::string ageName = dashes ? "--age" : "age";
    if (!birth) {
        if (asOf) client.problems.push_back(asOf->name + " needs a birth date.");
        return;
    }
    if (std::any_of(client.inputs.begin(), client.inputs.end(),
                    [&](const QuoteInput& input) { return input.name == ageName; })) {
        client.problems.push_back(birth->name + " and " + ageName + ": give one of them.");
        return;
    }
    const auto born = Date::Parse(birth->value);
    const auto today = asOf ? Date::Parse(asOf->value) : std::optional<Date>(Date::Today());
    if (!today) {
        client.problems.push_back(InputMessage(asOf->name, asOf->value, "a date (yyyy-mm-dd)"));
        return;
    }
    const int age = born && *born <= *today ? AgeFromBirthDate(*born, *today) : -1;
    if (age < 0 || age > kOldestAge) {
        client.problems.push_back(
            InputMessage(birth->name, birth->value, "a birth date (yyyy-mm-dd) giving an age from 0 to 100"));
        return;
    }
    client.inputs.push_back({ageName, std::to_string(age)});
    client.request.birthDate = born;
    client.request.asOf = *today;
}

std::string_view Bare(std::string_view name) {
    while (name.starts_with('-')) name.remove_prefix(1);
    return name;
}

// Splits the command's own input (the format) from the client's.
void SortInputs(QuoteCall& command, std::vector<QuoteInput> given) {
    for (QuoteInput& input : given) {
        if (Bare(input.name) == "format") {
            if (std::find(std::begin(kFormats), std::end(kFormats), input.value) == std::end(kFormats))
                command.problems.push_back(
                    InputMessage(input.name, input.value, "a format: table, json or csv"));
            command.format = input.value;
        } else {
            command.inputs.push_back(std::move(input));
        }
    }
}

QuoteCall ReadCommand(const std::vector<std::string>& arguments, std::istream& in) {
    QuoteCall command;
    std::vector<QuoteInput> options;
    bool json = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "-" || word == "--json-input") {
            json = true;
        } else if (const auto equals = word.find('=');
                   word.starts_with("--") && equals != std::string::npos) {
            options.push_back({word.substr(0, equals), word.substr(equals + 1)});
        } else if (word.starts_with("--") && i + 1 < arguments.size()) {
            options.push_back({word, arguments[++i]});
        } else {
            command.problems.push_back(word +
                                       (word.starts_with("--") ? " needs a value." : " is not an option."));
        }
    }
    if (!json) {
        SortInputs(command, std::move(options));
        return command;
    }
    // Options beside the JSON input choose the format only.
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const FlatJson object = ReadFlatJson(text);
    if (!object.problem.empty()) {
        command.problems.push_back(object.problem);
        command.unreadable = true;
    }
    std::vector<QuoteInput> given;
    for (const auto& [name, value] : object.members) given.push_back({name, value});
    for (const QuoteInput& option : options) {
        if (option.name != "--format")
            command.problems.push_back(option.name + " is not an option beside the JSON input.");
        given.push_back(option);
    }
    SortInputs(command, std::move(given));
    return command;
}

// What the client may want to know beside the quote.
struct Hints {
    std::optional<AgeChangeHint> age;
    std::vector<BandHint> bands;
};

void WriteTable(std::ostream& out, const std::vector<QuoteLine>& lines, const Hints& hints,
                bool severalFaces) {
    std::vector<std::vector<std::string>> rows{
        {"Code", "Product", "Face", "Annual", "Semi-Annual", "Quarterly", "Monthly"}};
    for (const QuoteLine& line : lines) {
        if (!line.issuable) continue;
        rows.push_back(
            {line.code, line.name, "$" + FormatAmount(line.faceAmount, 0),
             "$" + FormatAmount(line.modal.annual, 2), "$" + FormatAmount(line.modal.semiAnnual, 2),
             "$" + FormatAmount(line.modal.quarterly, 2), "$" + FormatAmount(line.modal.specialMonthly, 2)});
    }
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    for (const auto& row : rows) {
        std::string text;
        for (std::size_t c = 0; c < row.size(); ++c) {
            // Names to the left, amounts to the right.
            const std::string pad(widths[c] - DisplayWidth(row[c]), ' ');
            text += (c > 0 ? "  " : "") + (c < 2 ? row[c] + pad : pad + row[c]);
        }
        out << std::string(Trim(text)) << "\n";
    }
    bool heading = false;
    for (const QuoteLine& line : lines) {
        if (line.issuable) continue;
        if (!heading) out << "\nNot issued:\n";
        heading = true;
        out << line.code << " $" << FormatAmount(line.faceAmount, 0) << ": " << line.refusal << "\n";
    }
    std::vector<std::string> notes;
    for (const QuoteLine& line : lines) {
        for (const std::string& note : line.corrections) {
            const std::string text = std::string(Trim(note));
            if (std::find(notes.begin(), notes.end(), text) == notes.end()) notes.push_back(text);
        }
    }
    if (!notes.empty()) out << "\nCorrected for this quote:\n";
    for (const std::string& note : notes) out << note << "\n";
    std::vector<std::string> texts =
        hints.age ? AgeChangeTexts(*hints.age, severalFaces) : std::vector<std::string>();
    for (const BandHint& hint : hints.bands) texts.push_back(BandHintText(hint));
    if (!texts.empty()) out << "\nHints:\n";
    for (const std::string& text : texts) out << text << "\n";
}

void WriteInputs(JsonWriter& json, const std::vector<QuoteInput>& inputs) {
    json.BeginObject();
    for (const QuoteInputName& name : QuoteInputNames()) {
        std::vector<std::string> values;
        for (const QuoteInput& input : inputs) {
            if (std::string_view(input.name).substr(input.name.starts_with("--") ? 2 : 0) == name.name)
                values.push_back(input.value);
        }
        if (values.empty()) continue;
        json.Key(name.name);
        if (name.repeatable) json.BeginArray();
        for (const std::string& value : values) json.String(value);
        if (name.repeatable) json.EndArray();
    }
    json.EndObject();
}

// A hint's object, opened with the product and face amount it is about.
void BeginCodeAndFace(JsonWriter& json, const std::string& code, std::int32_t faceAmount) {
    json.BeginObject();
    json.Key("code");
    json.String(code);
    json.Key("face");
    json.Number(std::to_string(faceAmount));
}

void WriteHints(JsonWriter& json, const Hints& hints) {
    json.BeginObject();
    if (hints.age) {
        json.Key("ageChange");
        json.BeginObject();
        json.Key("date");
        json.String(hints.age->date.Iso());
        json.Key("age");
        json.Number(std::to_string(hints.age->newAge));
        json.Key("premiums");
        json.BeginArray();
        for (const AgeChangePremium& premium : hints.age->premiums) {
            BeginCodeAndFace(json, premium.code, premium.faceAmount);
            json.Key("issuable");
            json.Bool(premium.annualPremium.has_value());
            if (premium.annualPremium) {
                json.Key("annual");
                json.Number(Money(*premium.annualPremium));
            }
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.Key("bands");
    json.BeginArray();
    for (const BandHint& hint : hints.bands) {
        BeginCodeAndFace(json, hint.code, hint.faceAmount);
        json.Key("annual");
        json.Number(Money(hint.annualPremium));
        json.Key("bandFace");
        json.Number(std::to_string(hint.bandFaceAmount));
        json.Key("bandAnnual");
        json.Number(Money(hint.bandAnnualPremium));
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace

void WriteLineHead(JsonWriter& json, const QuoteLine& line) {
    json.Key("code");
    json.String(line.code);
    json.Key("name");
    json.String(line.name);
    json.Key("face");
    json.Number(std::to_string(line.faceAmount));
    json.Key("issuable");
    json.Bool(line.issuable);
}

namespace {

void WriteJson(std::ostream& out, const std::vector<QuoteInput>& inputs, const std::vector<QuoteLine>& lines,
               const Hints& hints) {
    JsonWriter json;
    json.BeginObject();
    json.Key("input");
    WriteInputs(json, inputs);
    json.Key("quotes");
    json.BeginArray();
    for (const QuoteLine& line : lines) {
        json.BeginObject();
        WriteLineHead(json, line);
        json.Key("corrections");
        json.BeginArray();
        for (const std::string& note : line.corrections) json.String(Trim(note));
        json.EndArray();
        if (!line.issuable) {
            json.Key("refusal");
            json.String(line.refusal);
            json.EndObject();
            continue;
        }
        const YearPremium& first = line.firstYear;
        json.Key("firstYear");
        json.BeginObject();
        for (const auto& [key, value] : {std::pair{"base", first.base},
                                         {"tableExtra", first.tableExtra},
                                         {"permFlatExtra", first.permFlatExtra},
                                         {"tempFlatExtra", first.tempFlatExtra},
                                         {"childRider", first.childRider},
                                         {"waiver", first.waiver},
                                         {"total", first.Total()}}) {
            json.Key(key);
            json.Number(Money(value));
        }
        json.EndObject();
        json.Key("modal");
        json.BeginObject();
        for (const auto& [key, value] : {std::pair{"annual", line.modal.annual},
                                         {"semiAnnual", line.modal.semiAnnual},
                                         {"quarterly", line.modal.quarterly},
                                         {"monthly", line.modal.specialMonthly}}) {
            json.Key(key);
            json.Number(Money(value));
        }
        json.EndObject();
        json.Key("yearly");
        json.BeginArray();
        for (const double premium : line.yearlyPremiums) json.Number(Money(premium));
        json.EndArray();
        json.Key("indices");
        json.BeginArray();
        for (const CostIndex& index :
             {line.indices.fiveYear, line.indices.tenYear, line.indices.twentyYear}) {
            json.BeginObject();
            json.Key("years");
            json.Number(std::to_string(index.years));
            json.Key("netPayment");
            json.Number(Money(index.netPayment));
            json.Key("surrenderCost");
            json.Number(Money(index.surrenderCost));
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
    json.Key("hints");
    WriteHints(json, hints);
    json.EndObject();
    out << json.Text() << "\n";
}

void WriteCsv(std::ostream& out, const std::vector<QuoteLine>& lines) {
    out << "code,name,face,issuable,refusal,base,table_extra,perm_flat_extra,temp_flat_extra,child_rider,"
           "waiver,annual,semi_annual,quarterly,monthly,net_payment_index_5,surrender_cost_index_5,"
           "net_payment_index_10,surrender_cost_index_10,net_payment_index_20,surrender_cost_index_20,"
           "yearly\r\n";
    for (const QuoteLine& line : lines) {
        std::vector<std::string> fields{line.code, line.name, std::to_string(line.faceAmount),
                                        line.issuable ? "yes" : "no", line.refusal};
        if (line.issuable) {
            const YearPremium& first = line.firstYear;
            for (const double amount :
                 {first.base, first.tableExtra, first.permFlatExtra, first.tempFlatExtra, first.childRider,
                  first.waiver, line.modal.annual, line.modal.semiAnnual, line.modal.quarterly,
                  line.modal.specialMonthly, line.indices.fiveYear.netPayment,
                  line.indices.fiveYear.surrenderCost, line.indices.tenYear.netPayment,
                  line.indices.tenYear.surrenderCost, line.indices.twentyYear.netPayment,
                  line.indices.twentyYear.surrenderCost})
                fields.push_back(Money(amount));
            std::string yearly;
            for (const double premium : line.yearlyPremiums)
                yearly += (yearly.empty() ? "" : ";") + Money(premium);
            fields.push_back(yearly);
        } else {
            fields.resize(fields.size() + 17);
        }
        std::string row;
        for (const std::string& field : fields) row += (row.empty() ? "" : ",") + CsvField(field);
        out << row << "\r\n";
    }
}

}  // namespace

ClientReading ReadClient(std::vector<QuoteInput> given, const std::string& programFolder) {
    ClientReading client;
    const bool dashes = !given.empty() && given.front().name.starts_with("--");
    std::optional<QuoteInput> birth, asOf;
    for (QuoteInput& input : given) {
        if (Bare(input.name) == "birth-date")
            birth = input;
        else if (Bare(input.name) == "as-of")
            asOf = input;
        else
            client.inputs.push_back(std::move(input));
    }
    TakeBirthDate(client, birth ? &*birth : nullptr, asOf ? &*asOf : nullptr, dashes);
    QuoteReading reading = ReadQuoteRequest(client.inputs, programFolder);
    reading.request.birthDate = client.request.birthDate;
    reading.request.asOf = client.request.asOf;
    client.request = std::move(reading.request);
    client.problems.insert(client.problems.end(), reading.problems.begin(), reading.problems.end());
    return client;
}

int RunQuote(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
             std::ostream& err, const std::string& programFolder) {
    QuotePricer pricer(programFolder);
    return RunQuote(arguments, in, out, err, programFolder, pricer);
}

int RunQuote(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
             std::ostream& err, const std::string& programFolder, QuotePricer& pricer) {
    QuoteCall command = ReadCommand(arguments, in);
    ClientReading client;
    if (!command.unreadable) client = ReadClient(std::move(command.inputs), programFolder);
    command.problems.insert(command.problems.end(), client.problems.begin(), client.problems.end());
    if (!command.problems.empty()) {
        for (const std::string& problem : command.problems) err << "quoravel quote: " << problem << "\n";
        return ExitCode::NotRelayRun;
    }
    const std::vector<QuoteLine> lines = pricer.Price(client.request);
    if (command.format == "csv") {
        WriteCsv(out, lines);
        return 0;
    }
    const Hints hints{FindAgeChange(client.request, lines, pricer),
                      FindBandHints(client.request, lines, pricer)};
    if (command.format == "json")
        WriteJson(out, client.inputs, lines, hints);
    else
        WriteTable(out, lines, hints, client.request.faceAmounts.size() > 1);
    return 0;
}

int QuoteCommand(CommandLine& line) {
    const std::string programFolder = ResolveProgramFolder(line.argc, line.argv);
    if (IsQuoteBatch(line.words))
        return RunQuoteBatch(line.words, std::cin, std::cout, std::cerr, programFolder, CoreCount());
    return RunQuote(line.words, std::cin, std::cout, std::cerr, programFolder);
}

}  // namespace quoravel
