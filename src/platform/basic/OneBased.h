#pragma once
// An array with the lower bound 1, as the project-wide state keeps its tables.
// A subscript outside the bounds is the runtime error 9, not undefined
// behaviour, so that a bad row in a configuration table surfaces as a message.

#include "platform/RuntimeError.h"

#include <vector>

namespace vh {

template <typename T>
class OneBased {
public:
    OneBased() = default;
    explicit OneBased(int n, const T& fill = T()) : items_(std::max(0, n), fill) {}

    // Created anew: every element dropped, the new ones empty.
    void redim(int n, const T& fill = T()) { items_.assign(std::max(0, n), fill); }
    // Grown or shrunk keeping the contents.
    void redimPreserve(int n, const T& fill = T()) { items_.resize(std::max(0, n), fill); }
    void clear() { items_.clear(); }

    int upper() const { return int(items_.size()); }
    int size() const { return int(items_.size()); }
    bool empty() const { return items_.empty(); }

    T& operator[](int i) { return items_[check(i)]; }
    const T& operator[](int i) const { return items_[check(i)]; }

    void fill(const T& v) { std::fill(items_.begin(), items_.end(), v); }
    const std::vector<T>& values() const { return items_; }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    size_t check(int i) const
    {
        if (i < 1 || i > int(items_.size()))
            throw RuntimeError(Err::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
        return size_t(i - 1);
    }
    std::vector<T> items_;
};

}  // namespace vh
