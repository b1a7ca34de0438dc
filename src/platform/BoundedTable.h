#pragma once
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>
#include <vector>

namespace quorin {

// A one-dimensional table with fixed index limits 0..upper that stores only
// what has been written. Reading an unset or out-of-range element gives the
// zero value; writing outside the limits is refused and reported.
template <class T> class BoundedArray {
public:
    explicit BoundedArray(long long upper) : upper_(upper) {}

    long long upper() const { return upper_; }
    bool inRange(long long i) const { return i >= 0 && i <= upper_; }

    T at(long long i) const {
        if (i < 0 || static_cast<std::size_t>(i) >= data_.size())
            return T{};
        return data_[static_cast<std::size_t>(i)];
    }
    bool set(long long i, T value) {
        if (!inRange(i))
            return false;
        const auto k = static_cast<std::size_t>(i);
        if (k >= data_.size())
            data_.resize(k + 1);
        data_[k] = std::move(value);
        return true;
    }
    void clear() {
        data_.clear();
        data_.shrink_to_fit();
    }
    // Highest index ever written + 1 (0 when nothing was written).
    std::size_t used() const { return data_.size(); }
    std::size_t memoryBytes() const { return sizeof(*this) + data_.capacity() * sizeof(T); }

private:
    long long upper_;
    std::vector<T> data_;
};

// A two-dimensional table (rows 0..rowUpper, columns 0..colUpper) stored row
// by row, each row only as long as its highest written column.
template <class T> class BoundedTable {
public:
    BoundedTable(long long rowUpper, long long colUpper)
        : rowUpper_(rowUpper), colUpper_(colUpper) {}

    long long rowUpper() const { return rowUpper_; }
    long long colUpper() const { return colUpper_; }
    bool inRange(long long r, long long c) const {
        return r >= 0 && r <= rowUpper_ && c >= 0 && c <= colUpper_;
    }

    // The element when it has been written, else nullptr.
    const T* find(long long r, long long c) const {
        if (r < 0 || c < 0 || static_cast<std::size_t>(r) >= rows_.size())
            return nullptr;
        const auto& row = rows_[static_cast<std::size_t>(r)];
        if (static_cast<std::size_t>(c) >= row.size())
            return nullptr;
        return &row[static_cast<std::size_t>(c)];
    }
    T at(long long r, long long c) const {
        const T* v = find(r, c);
        return v ? *v : T{};
    }
    // Columns c0 .. c0 + n - 1 of row r as far as they lie within the limits,
    // the row grown once to hold them; empty when c0 lies outside.
    std::span<T> cells(long long r, long long c0, std::size_t n) {
        if (n == 0 || !inRange(r, c0))
            return {};
        const long long last = std::min(c0 + static_cast<long long>(n - 1), colUpper_);
        const auto ri = static_cast<std::size_t>(r);
        if (ri >= rows_.size())
            rows_.resize(ri + 1);
        auto& row = rows_[ri];
        if (static_cast<std::size_t>(last) >= row.size())
            row.resize(static_cast<std::size_t>(last) + 1);
        return std::span<T>(row).subspan(static_cast<std::size_t>(c0),
                                         static_cast<std::size_t>(last - c0 + 1));
    }
    bool set(long long r, long long c, T value) {
        const std::span<T> cell = cells(r, c, 1);
        if (cell.empty())
            return false;
        cell[0] = std::move(value);
        return true;
    }
    // Columns c0 .. c1 of row r all set to `value`; refused (false, nothing
    // written) when any of them lies outside the limits.
    bool fill(long long r, long long c0, long long c1, const T& value) {
        if (c1 < c0)
            return true;
        if (!inRange(r, c0) || !inRange(r, c1))
            return false;
        const std::span<T> span = cells(r, c0, static_cast<std::size_t>(c1 - c0) + 1);
        std::fill(span.begin(), span.end(), value);
        return true;
    }
    void clear() {
        rows_.clear();
        rows_.shrink_to_fit();
    }
    std::size_t memoryBytes() const {
        std::size_t n = sizeof(*this) + rows_.capacity() * sizeof(std::vector<T>);
        for (const auto& row : rows_)
            n += row.capacity() * sizeof(T);
        return n;
    }

private:
    long long rowUpper_;
    long long colUpper_;
    std::vector<std::vector<T>> rows_;
};

// Index of a table from a number the program computed: rounded to the nearest
// whole number as the program's arrays do; NaN and infinities give -1, which
// every table refuses.
inline long long tableIndex(double v) {
    if (!std::isfinite(v) || std::fabs(v) > 9e15)
        return -1;
    return static_cast<long long>(std::llround(v));
}

} // namespace quorin
