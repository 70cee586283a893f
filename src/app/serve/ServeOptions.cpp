#include "ServeOptions.h"

#include <charconv>
#include <fstream>
#include <optional>

#include "Text.h"

namespace quoravel {
namespace {

std::optional<int> WholeNumber(const std::string& text, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

// "ADDRESS:PORT", "[IPv6]:PORT" or ":PORT" (the loopback address).
void ReadListen(ServeOptions& options, const std::string& value) {
    const auto colon = value.rfind(':');
    const auto port =
        colon == std::string::npos ? std::nullopt : WholeNumber(value.substr(colon + 1), 0, 65535);
    if (!port) {
        options.problems.push_back("--listen " + value + ": give ADDRESS:PORT, such as 127.0.0.1:8080.");
        return;
    }
    std::string host = value.substr(0, colon);
    if (host.size() > 1 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
    if (!host.empty()) options.host = host;
    options.port = *port;
}

void ReadToken(ServeOptions& options) {
    std::ifstream file(options.tokenFile);
    std::string line;
    if (!file || !std::getline(file, line)) {
        options.problems.push_back("--token-file " + options.tokenFile + ": the file cannot be read.");
        return;
    }
    options.token = std::string(Trim(line));
    // A short token is guessed: it would only seem to protect the server.
    constexpr std::size_t kShortestToken = 16;
    if (options.token.size() < kShortestToken)
        options.problems.push_back("--token-file " + options.tokenFile + ": the token must be at least " +
                                   std::to_string(kShortestToken) + " characters.");
}

}  // namespace

bool ServeOptions::Loopback() const {
    return host == "localhost" || host == "::1" || host.starts_with("127.");
}

ServeOptions ReadServeOptions(const std::vector<std::string>& words) {
    ServeOptions options;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool known = word == "--listen" || word == "--token-file" || word == "--pdf-folder" ||
                           word == "--request-timeout" || word == "--max-waiting";
        if (!known) {
            options.problems.push_back(word + " is not an option of serve.");
            continue;
        }
        if (i + 1 == words.size()) {
            options.problems.push_back(word + " needs a value.");
            break;
        }
        const std::string& value = words[++i];
        if (word == "--listen") {
            ReadListen(options, value);
        } else if (word == "--token-file") {
            options.tokenFile = value;
        } else if (word == "--pdf-folder") {
            options.pdfFolder = value;
        } else if (word == "--request-timeout") {
            const auto seconds = WholeNumber(value, 1, 3600);
            if (!seconds)
                options.problems.push_back("--request-timeout " + value + ": give seconds from 1 to 3600.");
            options.requestSeconds = seconds.value_or(options.requestSeconds);
        } else {
            const auto waiting = WholeNumber(value, 0, 1000);
            if (!waiting)
                options.problems.push_back("--max-waiting " + value + ": give a number from 0 to 1000.");
            options.maxWaiting = waiting.value_or(options.maxWaiting);
        }
    }
    if (!options.tokenFile.empty()) ReadToken(options);
    if (options.problems.empty() && options.token.empty() && !options.Loopback())
        options.problems.push_back("listening on " + options.host +
                                   " reaches beyond this machine: give --token-file with a bearer token.");
    return options;
}

}  // namespace quoravel
