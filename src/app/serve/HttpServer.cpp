#include "HttpServer.h"

#include <algorithm>
#include <atomic>
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <list>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quoravel {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {
class Session;
}

struct HttpServer::State {
    Limits limits;
    Handler handler;
    Refused refused;
    asio::io_context io;
    tcp::acceptor acceptor{io};
    std::atomic<bool> stopping{false};
    // The connections open: the stop lets go of those waiting for a request
    // and ends once none is left.
    std::mutex openMutex;
    std::list<std::weak_ptr<Session>> open;
};

namespace {

// An answer is written within this time, or the connection is dropped.
constexpr auto kWriteDeadline = std::chrono::seconds(30);
// At the stop, the requests already begun get this long to be answered.
constexpr auto kLastRequests = std::chrono::seconds(5);

// One connection: its requests one after another, each whole within the deadline.
class Session : public std::enable_shared_from_this<Session> {
public:
    Session(tcp::socket socket, std::shared_ptr<HttpServer::State> state)
        : stream_(std::move(socket)), deadline_(stream_.get_executor()), state_(std::move(state)) {
        beast::error_code unknown;
        const auto remote = stream_.socket().remote_endpoint(unknown);
        peer_ = unknown ? "-" : remote.address().to_string();
    }
    // At the stop: a connection waiting for a request that has not begun is closed now.
    void LetGoIfWaiting() {
        if (parser_ && (parser_->got_some() || buffer_.size() > 0)) return;
        beast::error_code ignored;
        deadline_.cancel();
        stream_.socket().cancel(ignored);
    }

    auto Executor() { return stream_.get_executor(); }

    void Read() {
        if (state_->stopping) return Close();
        parser_.emplace();
        parser_->body_limit(state_->limits.largestBody);
        parser_->header_limit(static_cast<std::uint32_t>(state_->limits.largestHead));
        // The deadline is a timer of its own, not the stream's: a stream that
        // expires is closed, and the 408 could no longer be written.
        timedOut_ = false;
        stream_.expires_never();
        deadline_.expires_after(state_->limits.deadline);
        deadline_.async_wait([self = weak_from_this()](beast::error_code error) {
            const auto session = self.lock();
            if (error || !session) return;
            session->timedOut_ = true;
            beast::error_code ignored;
            session->stream_.socket().cancel(ignored);
        });
        http::async_read(stream_, buffer_, *parser_,
                         beast::bind_front_handler(&Session::Took, shared_from_this()));
    }

private:
    void Took(beast::error_code error, std::size_t) {
        deadline_.cancel();
        if (error == http::error::end_of_stream) return Close();
        // A connection that began no request in the time is let go without a word.
        const bool begun = parser_->got_some() || buffer_.size() > 0;
        if (timedOut_) return begun ? Refuse(408) : Close();
        if (error == http::error::partial_message) {
            state_->refused(0, peer_);
            return Close();
        }
        if (error == http::error::body_limit) return Refuse(413);
        if (error == http::error::header_limit) return Refuse(431);
        if (error) return begun ? Refuse(400) : Close();
        const auto& message = parser_->get();
        HttpRequest request;
        request.method = std::string(message.method_string());
        const std::string target(message.target());
        request.path = target.substr(0, target.find('?'));
        request.peer = peer_;
        for (const auto& field : message)
            request.headers.emplace_back(std::string(field.name_string()), std::string(field.value()));
        request.body = message.body();
        // Once stopping, each connection ends with the answer it is given.
        Write(state_->handler(request), message.keep_alive() && !state_->stopping);
    }

    void Refuse(int status) { Write(state_->refused(status, peer_), false); }

    void Write(const HttpAnswer& answer, bool keepAlive) {
        auto written = std::make_shared<http::response<http::string_body>>();
        written->result(static_cast<unsigned>(answer.status));
        written->version(11);
        if (!answer.contentType.empty()) written->set(http::field::content_type, answer.contentType);
        for (const auto& [name, value] : answer.headers) written->set(name, value);
        written->body() = answer.body;
        written->keep_alive(keepAlive);
        written->prepare_payload();
        stream_.expires_after(kWriteDeadline);
        http::async_write(
            stream_, *written,
            [self = shared_from_this(), written, keepAlive](beast::error_code error, std::size_t) {
                if (error || !keepAlive) return self->Close();
                self->Read();
            });
    }

    void Close() {
        beast::error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
        stream_.close();
    }

    beast::tcp_stream stream_;
    asio::steady_timer deadline_;
    bool timedOut_ = false;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    std::shared_ptr<HttpServer::State> state_;
    std::string peer_;
};

void WaitForSessions(const std::shared_ptr<HttpServer::State>& state,
                     std::chrono::steady_clock::time_point end) {
    bool open = false;
    {
        const std::lock_guard lock(state->openMutex);
        open = std::any_of(state->open.begin(), state->open.end(),
                           [](const auto& kept) { return !kept.expired(); });
    }
    if (!open || std::chrono::steady_clock::now() >= end) return state->io.stop();
    auto look = std::make_shared<asio::steady_timer>(state->io, std::chrono::milliseconds(20));
    look->async_wait([state, end, look](beast::error_code) { WaitForSessions(state, end); });
}

void Accept(const std::shared_ptr<HttpServer::State>& state) {
    state->acceptor.async_accept(
        asio::make_strand(state->io), [state](beast::error_code error, tcp::socket socket) {
            if (!state->acceptor.is_open()) return;
            if (!error) {
                // An answer is written whole at once: nothing is gained
                // by holding its last bytes back.
                beast::error_code ignored;
                socket.set_option(tcp::no_delay(true), ignored);
                auto session = std::make_shared<Session>(std::move(socket), state);
                {
                    const std::lock_guard lock(state->openMutex);
                    state->open.remove_if([](const auto& kept) { return kept.expired(); });
                    state->open.push_back(session);
                }
                session->Read();
                return Accept(state);
            }
            // Out of files or memory for now: try again a moment later
            // rather than fail at once, over and over.
            auto pause = std::make_shared<asio::steady_timer>(state->io, std::chrono::milliseconds(50));
            pause->async_wait([state, pause](beast::error_code) { Accept(state); });
        });
}

}  // namespace

HttpServer::HttpServer(Limits limits, Handler handler, Refused refused) : state_(std::make_shared<State>()) {
    state_->limits = limits;
    state_->handler = std::move(handler);
    state_->refused = std::move(refused);
}

HttpServer::~HttpServer() { Stop(); }

int HttpServer::Listen(const std::string& host, int port, std::string& problem) {
    beast::error_code error;
    const auto address = asio::ip::make_address(host == "localhost" ? "127.0.0.1" : host, error);
    if (error) {
        problem = host + " is not an IP address.";
        return -1;
    }
    const tcp::endpoint endpoint(address, static_cast<unsigned short>(port));
    tcp::acceptor& acceptor = state_->acceptor;
    acceptor.open(endpoint.protocol(), error);
    if (!error) acceptor.set_option(asio::socket_base::reuse_address(true), error);
    if (!error) acceptor.bind(endpoint, error);
    if (!error) acceptor.listen(asio::socket_base::max_listen_connections, error);
    if (error) {
        problem = "cannot listen on " + host + ":" + std::to_string(port) + ": " + error.message() + ".";
        return -1;
    }
    return acceptor.local_endpoint().port();
}

void HttpServer::Run(int threads, bool onSignals) {
    asio::signal_set signals(state_->io);
    if (onSignals) {
        signals.add(SIGTERM);
        signals.add(SIGINT);
        signals.async_wait([this](beast::error_code, int) { Stop(); });
    }
    Accept(state_);
    std::vector<std::thread> more;
    for (int i = 1; i < threads; ++i) more.emplace_back([this] { state_->io.run(); });
    state_->io.run();
    for (std::thread& thread : more) thread.join();
}

void HttpServer::Stop() {
    // No new connection is taken; those open finish their request, and the
    // stragglers are cut off after one deadline more.
    state_->stopping = true;
    asio::post(state_->io, [state = state_] {
        beast::error_code ignored;
        state->acceptor.close(ignored);
        {
            const std::lock_guard lock(state->openMutex);
            for (const auto& kept : state->open)
                if (const auto session = kept.lock())
                    asio::post(session->Executor(), [session] { session->LetGoIfWaiting(); });
        }
        // A request on its way gets a few seconds to arrive and be answered.
        const auto end = std::chrono::steady_clock::now() +
                         std::min<std::chrono::steady_clock::duration>(state->limits.deadline, kLastRequests);
        WaitForSessions(state, end);
    });
}

}  // namespace quoravel
