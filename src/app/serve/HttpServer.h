#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "HttpExchange.h"

namespace quoravel {

// The HTTP transport of `quoravel serve`: it reads each request whole within
// a deadline and no larger than its limits, hands it to the API and writes
// the answer. What it turns away itself (408 too slow, 413 too large, 400
// not HTTP) is worded and counted by the API too, through `refused`; a client
// that sends part of a request and goes away is told to `refused` with status 0.
class HttpServer {
public:
    struct Limits {
        std::chrono::milliseconds deadline{10000};
        std::size_t largestBody = 64 * 1024;
        std::size_t largestHead = 16 * 1024;
    };
    using Handler = std::function<HttpAnswer(const HttpRequest&)>;
    using Refused = std::function<HttpAnswer(int status, const std::string& peer)>;

    HttpServer(Limits limits, Handler handler, Refused refused);
    ~HttpServer();

    // Listens on the address and port (0: one the system picks); the port
    // listened on, or -1 with the reason in `problem`.
    int Listen(const std::string& host, int port, std::string& problem);
    // Answers on `threads` threads until Stop, or SIGTERM or SIGINT when `onSignals`.
    void Run(int threads, bool onSignals);
    void Stop();

    // What the connections share; the transport's own.
    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace quoravel
