#include "platform/PixelTable.h"
#include <algorithm>
#include <cstring>

namespace quorin {

namespace {

// Text that can stay in its cell: ASCII without NUL.
bool isAscii(QStringView text) {
    for (QChar ch : text) {
        if (ch.unicode() >= 0x80 || ch.unicode() == 0)
            return false;
    }
    return true;
}

} // namespace

PixelTable::Cell* PixelTable::slot(long long r, long long c) {
    if (!inRange(r, c))
        return nullptr;
    const auto ri = static_cast<std::size_t>(r);
    const auto ci = static_cast<std::size_t>(c);
    if (ri >= rows_.size())
        rows_.resize(ri + 1);
    auto& row = rows_[ri];
    if (ci >= row.size())
        row.resize(ci + 1, Cell{});
    return &row[ci];
}

void PixelTable::release(Cell& cell) {
    if (static_cast<std::uint8_t>(cell[0]) != spilled)
        return;
    std::uint32_t index;
    std::memcpy(&index, cell.data() + 1, sizeof index);
    spilled_[index] = QString();
    freeSpills_.push_back(index);
    cell.fill(0);
}

void PixelTable::spill(Cell& cell, QString text) {
    std::uint32_t index;
    if (!freeSpills_.empty()) {
        index = freeSpills_.back();
        freeSpills_.pop_back();
        spilled_[index] = std::move(text);
    } else {
        index = static_cast<std::uint32_t>(spilled_.size());
        spilled_.push_back(std::move(text));
    }
    cell[0] = static_cast<char>(spilled);
    std::memcpy(cell.data() + 1, &index, sizeof index);
}

std::span<PixelTable::Cell> PixelTable::cellsOf(long long r, long long c0, std::size_t n) {
    if (n == 0 || !inRange(r, c0))
        return {};
    const long long last = std::min(c0 + static_cast<long long>(n) - 1, colUpper_);
    const auto ri = static_cast<std::size_t>(r);
    if (ri >= rows_.size())
        rows_.resize(ri + 1);
    auto& row = rows_[ri];
    if (static_cast<std::size_t>(last) >= row.size())
        row.resize(static_cast<std::size_t>(last) + 1, Cell{});
    return std::span<Cell>(row).subspan(static_cast<std::size_t>(c0),
                                        static_cast<std::size_t>(last - c0 + 1));
}

void PixelTable::put(Cell& cell, QStringView text) {
    release(cell);
    if (static_cast<std::size_t>(text.size()) <= inlineChars && isAscii(text)) {
        cell.fill(0);
        for (qsizetype i = 0; i < text.size(); ++i)
            cell[static_cast<std::size_t>(i)] = static_cast<char>(text[i].unicode());
    } else {
        spill(cell, text.toString());
    }
}

void PixelTable::put(Cell& cell, QByteArrayView text) {
    if (static_cast<std::uint8_t>(cell[0]) == spilled)
        release(cell);
    const qsizetype n = text.size();
    if (static_cast<std::size_t>(n) <= inlineChars) {
        const char* p = text.data();
        Cell in{};
        bool plain = true; // ASCII without NUL
        for (qsizetype i = 0; i < n; ++i) {
            const auto ch = static_cast<unsigned char>(p[i]);
            plain = plain && ch != 0 && ch < 0x80;
            in[static_cast<std::size_t>(i)] = p[i];
        }
        if (plain) {
            cell = in;
            return;
        }
    }
    spill(cell, QString::fromLatin1(text));
}

bool PixelTable::set(long long r, long long c, QStringView text) {
    Cell* cell = slot(r, c);
    if (cell)
        put(*cell, text);
    return cell != nullptr;
}

bool PixelTable::setBytes(long long r, long long c, QByteArrayView text) {
    Cell* cell = slot(r, c);
    if (cell)
        put(*cell, text);
    return cell != nullptr;
}

template <class View>
bool PixelTable::putRow(long long r, long long c0, std::span<const View> texts) {
    const std::span<Cell> cells = cellsOf(r, c0, texts.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
        put(cells[i], texts[i]);
    return !cells.empty();
}

bool PixelTable::setRow(long long r, long long c0, std::span<const QByteArrayView> texts) {
    return putRow(r, c0, texts);
}
bool PixelTable::setRow(long long r, long long c0, std::span<const QStringView> texts) {
    return putRow(r, c0, texts);
}

void PixelTable::clear() {
    rows_.clear();
    rows_.shrink_to_fit();
    spilled_.clear();
    spilled_.shrink_to_fit();
    freeSpills_.clear();
    freeSpills_.shrink_to_fit();
}

std::size_t PixelTable::memoryBytes() const {
    std::size_t n = sizeof(*this) + rows_.capacity() * sizeof(std::vector<Cell>) +
                    spilled_.capacity() * sizeof(QString) +
                    freeSpills_.capacity() * sizeof(std::uint32_t);
    for (const auto& row : rows_)
        n += row.capacity() * sizeof(Cell);
    for (const QString& s : spilled_)
        n += static_cast<std::size_t>(s.capacity()) * sizeof(QChar);
    return n;
}

} // namespace quorin
