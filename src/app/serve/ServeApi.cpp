#include "ServeApi.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <regex>
#include <sstream>

#include "IllustrationOptions.h"
#include "JsonWriter.h"
#include "ProposalRequest.h"
#include "QuoteCommand.h"
#include "RelayInputs.h"
#include "StatesFile.h"
#include "TextFile.h"

namespace quoravel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPdfKept = std::chrono::minutes(15);
constexpr int kRetryAfterSeconds = 1;
constexpr const char* kJson = "application/json";
constexpr const char* kPdf = "application/pdf";

// The quote page's files, by their extension.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kWebTypes{{
    {".html", "text/html; charset=utf-8"},
    {".js", "text/javascript; charset=utf-8"},
    {".css", "text/css; charset=utf-8"},
    {".png", "image/png"},
    {".svg", "image/svg+xml"},
}};

std::string Errors(const std::vector<std::string>& messages) {
    JsonWriter json;
    json.BeginObject();
    json.Key("errors");
    json.BeginArray();
    for (const std::string& message : messages) json.String(message);
    json.EndArray();
    json.EndObject();
    return json.Text();
}

HttpAnswer Refusal(int status, const std::vector<std::string>& messages) {
    return {status, kJson, Errors(messages), {}};
}

// "quoravel quote: age: ..." lines less the program's name.
std::vector<std::string> QuoteProblems(const std::string& text) {
    std::vector<std::string> problems;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        constexpr std::string_view kPrefix = "quoravel quote: ";
        problems.push_back(line.starts_with(kPrefix) ? line.substr(kPrefix.size()) : line);
    }
    return problems;
}

// A relay file begins with a section or a key, never with "{", whatever
// type the client named (curl's -d names a form).
bool SendsJson(const HttpRequest& request) { return Trim(request.body).starts_with('{'); }

// An address as a message repeats it: a long one is cut.
std::string Shortened(const std::string& path) {
    constexpr std::size_t kLongest = 100;
    return path.size() <= kLongest ? path : path.substr(0, kLongest) + "\u2026";
}

// The same bytes in the same time, whatever they are: a token compared
// character by character would tell how much of a guess was right.
bool SameToken(const std::string& given, const std::string& token) {
    unsigned char differ = given.size() == token.size() ? 0 : 1;
    for (std::size_t i = 0; i < token.size(); ++i)
        differ |= static_cast<unsigned char>(token[i] ^ (i < given.size() ? given[i] : 0));
    return differ == 0;
}

std::string IsoTimeIn(std::chrono::seconds from) {
    const std::time_t then = std::time(nullptr) + from.count();
    std::tm utc{};
    gmtime_r(&then, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string MadeAsJson(const ProposalDesk::Made& made, std::chrono::seconds kept) {
    JsonWriter json;
    json.BeginObject();
    json.Key("status");
    json.Number(std::to_string(made.status));
    json.Key("messages");
    json.BeginArray();
    for (const std::string& message : made.messages) json.String(message);
    json.EndArray();
    json.Key("answer");
    json.BeginObject();
    for (const auto& [section, values] : made.answer) {
        json.Key(section);
        json.BeginObject();
        for (const auto& [key, value] : values) {
            json.Key(key);
            json.String(value);
        }
        json.EndObject();
    }
    json.EndObject();
    json.Key("pdf");
    json.String("/v1/proposals/" + made.keptAs + ".pdf");
    json.Key("expires");
    json.String(IsoTimeIn(kept));
    json.EndObject();
    return json.Text();
}

HttpAnswer PdfAnswer(std::string bytes) {
    return {200, kPdf, std::move(bytes), {{"Content-Disposition", "attachment; filename=\"proposal.pdf\""}}};
}

}  // namespace

ServeApi::ServeApi(const ServeOptions& options, const ProcessValues& process, int cores,
                   const std::string& runsFolder)
    : options_(options),
      process_(process),
      gate_(cores, options.maxWaiting),
      desk_(process, runsFolder, options.pdfFolder, kPdfKept) {
    OpenEverything(cores);
}

// Every rate file of every carrier read into a pricer for each core, and
// the fonts and pictures of a proposal loaded, before the first request:
// the first clients wait for nothing but their own answers, and the
// server's memory is what it will stay.
void ServeApi::OpenEverything(int cores) {
    std::vector<std::string> clients;
    for (std::int32_t company = 0; !RelayCompanyCode(company).empty(); ++company) {
        const std::vector<std::string> states = StatesOf(process_.ProgramFolder, CompanyCode(company));
        if (states.empty()) continue;
        clients.push_back(R"({"age": 45, "sex": "M", "face": [250000], "state": ")" + states.front() +
                          R"(", "carrier": ")" + CompanyCode(company) + "\"}");
    }
    for (int core = 0; core < cores; ++core) {
        auto pricer = std::make_unique<QuotePricer>(process_.ProgramFolder);
        for (const std::string& client : clients) {
            std::istringstream in(client);
            std::ostringstream ignored;
            RunQuote({"-"}, in, ignored, ignored, process_.ProgramFolder, *pricer);
        }
        pricers_.push_back(std::move(pricer));
    }
    if (clients.empty()) return;
    std::string sample = clients.front();
    sample.pop_back();
    sample +=
        R"(, "product": ["BRLN20"], "agent-name": "Quoravel", "agent-address1": "1", "agent-city": "-",)"
        R"( "agent-state": "TX", "agent-zip": "0"})";
    if (const ProposalRequest proposal = ProposalFromJson(sample, process_.ProgramFolder);
        proposal.problems.empty())
        desk_.Make(proposal.relayText, false);
}

void ServeApi::Log(const std::string& peer, const std::string& method, const std::string& path, int status,
                   std::size_t bytes, double milliseconds) const {
    char line[512];
    std::snprintf(line, sizeof line, "%s %s %.200s %d %zu bytes %.1f ms\n", peer.c_str(), method.c_str(),
                  path.c_str(), status, bytes, milliseconds);
    std::fputs(line, stderr);
}

bool ServeApi::Authorized(const std::string& authorization) const {
    // "Bearer" is a word of HTTP's, in any letter case.
    constexpr std::string_view kScheme = "Bearer ";
    return authorization.size() > kScheme.size() &&
           EqualNoCase(std::string_view(authorization).substr(0, kScheme.size()), kScheme) &&
           SameToken(authorization.substr(kScheme.size()), options_.token);
}

void ServeApi::Mark(HttpAnswer& answer, bool api) const {
    answer.headers.emplace_back("X-Content-Type-Options", "nosniff");
    answer.headers.emplace_back("Cache-Control", "no-store");
    if (!api) return;
    answer.headers.emplace_back("X-Quoravel-Rate-Set", process_.RateSetIdentity);
    // A page on another site may ask, as the embedded quote form does.
    answer.headers.emplace_back("Access-Control-Allow-Origin", "*");
}

HttpAnswer ServeApi::Refused(int status, const std::string& peer) {
    if (status == 0) {
        ++counts_.abandoned;
        Log(peer, "-", "-", 0, 0, 0);
        return {};
    }
    ++(status == 408                    ? counts_.tooSlow
       : status == 413 || status == 431 ? counts_.tooLarge
                                        : counts_.answered);
    const std::string message = status == 408 ? "The request did not arrive whole within " +
                                                    std::to_string(options_.requestSeconds) + " seconds."
                                : status == 413 ? "The request's body is larger than 64 KB."
                                : status == 431 ? "The request's headers are larger than 16 KB."
                                                : "The request could not be read as HTTP.";
    HttpAnswer answer = Refusal(status, {message});
    // The request was not read: it may have been the API's.
    Mark(answer, true);
    Log(peer, "-", "-", status, answer.body.size(), 0);
    return answer;
}

HttpAnswer ServeApi::Answer(const HttpRequest& request) {
    const auto start = Clock::now();
    HttpAnswer answer;
    try {
        answer = Route(request);
    } catch (const std::exception& error) {
        // A fault of the server (a file it cannot write, say) fails this
        // request alone; its log tells the administrator what, the client
        // learns nothing of the server's files.
        std::fprintf(stderr, "quoravel serve: %s\n", error.what());
        answer = Refusal(500, {"The server could not answer this request; its log says why."});
    }
    ++counts_.answered;
    Mark(answer, request.path.starts_with("/v1/"));
    Log(request.peer, request.method, request.path, answer.status, answer.body.size(),
        std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    return answer;
}

HttpAnswer ServeApi::Route(const HttpRequest& request) {
    const std::string& path = request.path;
    const std::string& method = request.method;
    const bool api = path.starts_with("/v1/");
    if (method == "OPTIONS" && api)
        return {204,
                "",
                "",
                {{"Access-Control-Allow-Methods", "GET, POST, OPTIONS"},
                 {"Access-Control-Allow-Headers", "Content-Type, Accept, Authorization"},
                 {"Access-Control-Max-Age", "86400"}}};
    // The page and the health are open; the engine needs the token when there is one.
    if (api && path != "/v1/health" && !options_.token.empty() &&
        !Authorized(request.Header("Authorization"))) {
        ++counts_.unauthorized;
        HttpAnswer answer = Refusal(401, {"This server needs its bearer token in the Authorization header."});
        answer.headers.emplace_back("WWW-Authenticate", "Bearer");
        return answer;
    }
    static const std::regex kKeptPdf("/v1/proposals/([0-9a-f]{32})\\.pdf");
    std::smatch kept;
    const bool engine = path == "/v1/quote" || path == "/v1/proposals";
    const bool readable =
        path == "/v1/health" || path == "/v1/version" || std::regex_match(path, kept, kKeptPdf) || !api;
    if (!engine && !readable) return Refusal(404, {"There is nothing at " + Shortened(path) + "."});
    // Each address takes one method.
    const std::string allowed = engine ? "POST" : "GET";
    if (method != allowed) {
        HttpAnswer answer = Refusal(405, {Shortened(path) + " takes " + allowed + " only."});
        answer.headers.emplace_back("Allow", allowed);
        return answer;
    }
    if (engine) {
        const RequestGate::Pass pass = gate_.Enter();
        if (!pass) {
            ++counts_.busy;
            HttpAnswer busy = Refusal(503, {"The server is busy: ask again in a moment."});
            busy.headers.emplace_back("Retry-After", std::to_string(kRetryAfterSeconds));
            return busy;
        }
        return path == "/v1/quote" ? Quote(request) : Proposal(request);
    }
    if (path == "/v1/health") return Health();
    if (path == "/v1/version") return Version();
    if (!kept.empty()) {
        if (const auto pdf = desk_.Kept(kept[1].str())) return PdfAnswer(*pdf);
        return Refusal(404, {"This proposal's PDF is no longer kept: ask for the proposal again."});
    }
    return StaticFile(path == "/" ? "/index.html" : path);
}

HttpAnswer ServeApi::StaticFile(const std::string& path) const {
    // A plain name in the page's folder, nothing else: no request reaches another file of the server.
    static const std::regex kName("/[A-Za-z0-9_-]+(\\.[a-z]+)");
    std::smatch name;
    if (std::regex_match(path, name, kName)) {
        for (const auto& [extension, type] : kWebTypes) {
            if (name[1].str() != extension) continue;
            if (auto bytes = ReadFileBytes(process_.ProgramFolder + "web" + path))
                return {200, std::string(type), std::move(*bytes), {}};
        }
    }
    return Refusal(404, {"There is nothing at " + Shortened(path) + "."});
}

HttpAnswer ServeApi::Health() const {
    JsonWriter json;
    json.BeginObject();
    json.Key("status");
    json.String("ok");
    json.Key("waiting");
    json.Number(std::to_string(gate_.Waiting()));
    for (const auto& [name, count] : {std::pair{"answered", &counts_.answered},
                                      {"tooLarge", &counts_.tooLarge},
                                      {"tooSlow", &counts_.tooSlow},
                                      {"abandoned", &counts_.abandoned},
                                      {"busy", &counts_.busy},
                                      {"unauthorized", &counts_.unauthorized}}) {
        json.Key(name);
        json.Number(std::to_string(count->load()));
    }
    json.EndObject();
    return {200, kJson, json.Text(), {}};
}

HttpAnswer ServeApi::Version() const {
    JsonWriter json;
    json.BeginObject();
    json.Key("version");
    json.String(std::to_string(QUORAVEL_VERSION_MAJOR) + "." + std::to_string(QUORAVEL_VERSION_MINOR));
    json.Key("rateSet");
    json.String(process_.RateSetIdentity);
    json.EndObject();
    return {200, kJson, json.Text(), {}};
}

HttpAnswer ServeApi::Quote(const HttpRequest& request) {
    std::unique_ptr<QuotePricer> pricer;
    {
        const std::lock_guard lock(pricersMutex_);
        if (!pricers_.empty()) {
            pricer = std::move(pricers_.back());
            pricers_.pop_back();
        }
    }
    if (!pricer) pricer = std::make_unique<QuotePricer>(process_.ProgramFolder);
    std::istringstream in(request.body);
    std::ostringstream out, err;
    const int exit = RunQuote({"-", "--format", "json"}, in, out, err, process_.ProgramFolder, *pricer);
    {
        const std::lock_guard lock(pricersMutex_);
        pricers_.push_back(std::move(pricer));
    }
    if (exit != 0) return Refusal(400, QuoteProblems(err.str()));
    return {200, kJson, out.str(), {}};
}

HttpAnswer ServeApi::Proposal(const HttpRequest& request) {
    const ProposalRequest proposal = SendsJson(request)
                                         ? ProposalFromJson(request.body, process_.ProgramFolder)
                                         : ProposalFromRelayText(request.body);
    if (!proposal.problems.empty()) return Refusal(400, proposal.problems);
    const bool json = request.Header("Accept").find(kJson) != std::string::npos;
    const ProposalDesk::Made made = desk_.Make(proposal.relayText, json);
    if (made.status != 0) return Refusal(400, made.messages);
    if (!made.Whole()) return Refusal(500, {"The proposal was made, but its PDF could not be written."});
    if (json) return {200, kJson, MadeAsJson(made, desk_.KeptFor()), {}};
    return PdfAnswer(made.pdf);
}

}  // namespace quoravel
