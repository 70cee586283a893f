#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "JsonWriter.h"
#include "Quote.h"
#include "QuoteRequest.h"

#include "CommandTable.h"

namespace quoravel {

// `quoravel quote ...`: one client in, every product's premiums out, with
// no window and no display. `arguments` follow the word "quote": the
// client's options, or "-" (or "--json-input") to read them as one JSON
// object from `in`; "--format table|json|csv". Exit code 0 with the quote,
// 2 with the message of each bad input on `err`.
int RunQuote(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
             std::ostream& err, const std::string& programFolder);
// The same on a pricer kept open between quotes.
int RunQuote(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
             std::ostream& err, const std::string& programFolder, QuotePricer& pricer);

// One client's inputs read: a birth date (with its as-of date, today by
// default) becomes the age input, and the request keeps both dates.
// `inputs` are the client's inputs as the quote echoes them.
struct ClientReading {
    std::vector<QuoteInput> inputs;
    QuoteRequest request;
    std::vector<std::string> problems;
};
ClientReading ReadClient(std::vector<QuoteInput> given, const std::string& programFolder);

// The members every quote line begins with, in JSON: "code", "name", "face", "issuable".
void WriteLineHead(JsonWriter& json, const QuoteLine& line);

// `quoravel quote ...`: one client, or a batch of them (`--csv`).
int QuoteCommand(CommandLine& line);

}  // namespace quoravel
