#include "RequestGate.h"

namespace quoravel {

RequestGate::Pass RequestGate::Enter() {
    std::unique_lock lock(mutex_);
    if (busy_ >= working_) {
        if (queued_ >= waiting_) return Pass();
        ++queued_;
        freed_.wait(lock, [&] { return busy_ < working_; });
        --queued_;
    }
    ++busy_;
    return Pass(this);
}

RequestGate::Pass::~Pass() {
    if (!gate_) return;
    {
        const std::lock_guard lock(gate_->mutex_);
        --gate_->busy_;
    }
    gate_->freed_.notify_one();
}

int RequestGate::Waiting() const {
    const std::lock_guard lock(mutex_);
    return queued_;
}

}  // namespace quoravel
