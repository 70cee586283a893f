#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "HttpExchange.h"
#include "ProcessValues.h"
#include "ProposalDesk.h"
#include "Quote.h"
#include "RequestGate.h"
#include "ServeOptions.h"

namespace quoravel {

// What the server has answered and turned away since it started, for /v1/health.
struct ServeCounts {
    std::atomic<long> answered{0};
    std::atomic<long> tooLarge{0};
    std::atomic<long> tooSlow{0};
    std::atomic<long> abandoned{0};
    std::atomic<long> busy{0};
    std::atomic<long> unauthorized{0};
};

// The HTTP API on the one engine: quotes as `quoravel quote` makes them,
// proposals as the relay run makes them, the version and rate set, the
// health, and the quote page's files. It keeps nothing a request needs from
// another but the PDFs waiting for their links, in the desk's folder.
class ServeApi {
public:
    // `process` carries the program folder, the version and the rate set;
    // proposals are made in folders of their own under `runsFolder`.
    ServeApi(const ServeOptions& options, const ProcessValues& process, int cores,
             const std::string& runsFolder);

    HttpAnswer Answer(const HttpRequest& request);
    // The answer to a request the transport turned away (408, 413, 431, 400),
    // or to note a client that went away in the middle (status 0).
    HttpAnswer Refused(int status, const std::string& peer);

    const ServeCounts& Counts() const { return counts_; }

private:
    void OpenEverything(int cores);
    bool Authorized(const std::string& authorization) const;
    // The headers of every answer; the rate set's and CORS's on the API's.
    void Mark(HttpAnswer& answer, bool api) const;
    HttpAnswer Route(const HttpRequest& request);
    HttpAnswer Quote(const HttpRequest& request);
    HttpAnswer Proposal(const HttpRequest& request);
    HttpAnswer Health() const;
    HttpAnswer Version() const;
    HttpAnswer StaticFile(const std::string& path) const;
    // One line a request, for the journal.
    void Log(const std::string& peer, const std::string& method, const std::string& path, int status,
             std::size_t bytes, double milliseconds) const;

    ServeOptions options_;
    ProcessValues process_;
    ServeCounts counts_;
    RequestGate gate_;
    ProposalDesk desk_;
    // Pricers kept open, one for each request the gate lets work at once.
    std::mutex pricersMutex_;
    std::vector<std::unique_ptr<QuotePricer>> pricers_;
};

}  // namespace quoravel
