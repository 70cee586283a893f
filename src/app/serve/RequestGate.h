#pragma once

#include <condition_variable>
#include <mutex>

namespace quoravel {

// Lets as many requests work as there are cores and a bounded number wait
// for them; a request beyond those is turned away at once (503), so that a
// burst cannot pile up answers nobody waits for any more.
class RequestGate {
public:
    RequestGate(int working, int waiting) : working_(working), waiting_(waiting) {}

    // A place to work, held until it goes out of scope; empty when turned away.
    class Pass {
    public:
        Pass() = default;
        explicit Pass(RequestGate* gate) : gate_(gate) {}
        Pass(Pass&& other) noexcept : gate_(other.gate_) { other.gate_ = nullptr; }
        Pass& operator=(Pass&&) = delete;
        ~Pass();
        explicit operator bool() const { return gate_ != nullptr; }

    private:
        RequestGate* gate_ = nullptr;
    };
    Pass Enter();

    int Waiting() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable freed_;
    int working_;
    int waiting_;
    int busy_ = 0;
    int queued_ = 0;
};

}  // namespace quoravel
