#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace rollpath {

// A list with a fixed capacity, stored in a vector so that a full design
// capacity costs no memory until it is used. An addition to a full list is
// refused (push_back returns false); nothing is ever written beyond it.
template <typename T, int Capacity>
class CappedList {
public:
    static constexpr int kCapacity = Capacity;

    bool push_back(T value) {
        if (full()) {
            return false;
        }
        items_.push_back(std::move(value));
        return true;
    }
    bool full() const { return size() >= Capacity; }
    int size() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    void clear() { items_.clear(); }
    void pop_back() { items_.pop_back(); }
    void erase(int index) { items_.erase(items_.begin() + index); }
    // Keeps the first n entries (n no larger than the size).
    void truncate(int n) {
        if (n >= 0 && n < size()) {
            items_.resize(static_cast<std::size_t>(n));
        }
    }

    T& operator[](int i) { return items_[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return items_[static_cast<std::size_t>(i)]; }
    T& back() { return items_.back(); }
    const T& back() const { return items_.back(); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    friend bool operator==(const CappedList&, const CappedList&) = default;

private:
    std::vector<T> items_;
};

}  // namespace rollpath
