// The time `quoravel serve` takes to answer, as a client sees it: requests
// sent at a steady rate (open loop: each is timed from when it was due, so
// a slow answer that delays the next counts against the server), or one
// after another. Prints the median, the 99th percentile and the slowest.
//
//   serve_latency PORT PATH BODY_FILE RATE SECONDS [ACCEPT]
//   (RATE 0: one request after another, SECONDS of them)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// One request on a connection of its own; false when the answer is not 200.
bool Ask(int port, const std::string& request) {
    const int connection = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int on = 1;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    bool ok = ::connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
              ::send(connection, request.data(), request.size(), MSG_NOSIGNAL) ==
                  static_cast<ssize_t>(request.size());
    std::string answer;
    char chunk[65536];
    for (ssize_t got; ok && (got = ::recv(connection, chunk, sizeof chunk, 0)) > 0;)
        answer.append(chunk, got);
    ::close(connection);
    return ok && answer.starts_with("HTTP/1.1 200");
}

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(share * values.size()))];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: serve_latency PORT PATH BODY_FILE RATE SECONDS [ACCEPT]\n");
        return 2;
    }
    const int port = std::stoi(argv[1]);
    std::ifstream file(argv[3], std::ios::binary);
    const std::string body{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const double rate = std::stod(argv[4]);
    const int seconds = std::stoi(argv[5]);
    const std::string accept = argc > 6 ? argv[6] : "application/json";
    const std::string request =
        "POST " + std::string(argv[2]) + " HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: " + accept +
        "\r\nConnection: close\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    const std::size_t count =
        rate > 0 ? static_cast<std::size_t>(rate * seconds) : static_cast<std::size_t>(seconds);
    std::vector<double> milliseconds(count);
    std::atomic<std::size_t> next{0};
    std::atomic<int> failed{0};
    const auto start = Clock::now() + std::chrono::milliseconds(100);
    const auto due = [&](std::size_t n) {
        return start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(n / rate));
    };
    // Enough clients that one slow answer does not hold back the requests due after it.
    const int clients = rate > 0 ? 16 : 1;
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&] {
            for (std::size_t n; (n = next++) < count;) {
                const auto from = rate > 0 ? due(n) : Clock::now();
                std::this_thread::sleep_until(from);
                if (!Ask(port, request)) ++failed;
                milliseconds[n] = std::chrono::duration<double, std::milli>(Clock::now() - from).count();
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    std::printf("%zu requests%s: median %.2f ms, 99th percentile %.2f ms, slowest %.2f ms, %d not 200\n",
                count,
                rate > 0 ? (" at " + std::to_string(static_cast<int>(rate)) + " a second").c_str()
                         : " one after another",
                Percentile(milliseconds, 0.5), Percentile(milliseconds, 0.99), Percentile(milliseconds, 1.0),
                failed.load());
    return failed == 0 ? 0 : 1;
}
