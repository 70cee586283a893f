#pragma once

#include <memory>
#include <vector>

#include "RuntimeError.h"

namespace quoravel {

// An ordered collection with positions from 1, as the system's lists of
// cases, brokers and log entries are. Items are shared so that a case can
// keep referring to a broker of the broker collection.
template <typename T>
class Collection {
public:
    using Ptr = std::shared_ptr<T>;

    T& Add(Ptr item) {
        items_.push_back(std::move(item));
        return *items_.back();
    }
    T& Add(T item) { return Add(std::make_shared<T>(std::move(item))); }

    // Raises "Subscript out of range" for a position outside 1..Count.
    T& Item(long position) const { return *ItemPtr(position); }
    const Ptr& ItemPtr(long position) const {
        if (position < 1 || position > Count()) {
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "Collection", "Subscript out of range");
        }
        return items_[static_cast<std::size_t>(position - 1)];
    }
    long Count() const { return static_cast<long>(items_.size()); }
    void Remove(long position) {
        ItemPtr(position);
        items_.erase(items_.begin() + (position - 1));
    }
    void Clear() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<Ptr> items_;
};

}  // namespace quoravel
